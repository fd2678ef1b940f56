#ifndef HTTPTESTSERVER_H
#define HTTPTESTSERVER_H

#include <QByteArray>
#include <QTcpServer>

// A tiny HTTP server on 127.0.0.1 for tests: every GET is answered with the
// configured status and body, or not at all when silent.
class HttpTestServer : public QTcpServer
{
    Q_OBJECT
public:
    explicit HttpTestServer(QObject *parent = nullptr);

    bool start();
    QString url(const QString &path = QStringLiteral("/")) const;

    void setBody(const QByteArray &body) { this->body = body; }
    void setSilent(bool silent) { this->silent = silent; }
    // 200 "OK" unless set.
    void setStatus(int code, const QByteArray &reason)
    {
        statusCode = code;
        statusReason = reason;
    }
    int requestCount() const { return requests; }

private:
    QByteArray body;
    bool silent = false;
    int requests = 0;
    int statusCode = 200;
    QByteArray statusReason = "OK";

    void answer(QTcpSocket *socket);
};

#endif // HTTPTESTSERVER_H
