#ifndef DBWEBSERVERTHREAD_H
#define DBWEBSERVERTHREAD_H

#include "dbhandoff.h"
#include "dbsync.h"

#include <QStringList>
#include <QThread>

class QEventLoop;

// The web counterpart of DbTcpServerThread: every readInterval milliseconds it
// fetches a page listing rows as text (rows separated by ";", fields by "|")
// and emits them through dataReceive in the same form. A fetch gives up after
// the timeout, and stop() cuts a running one short.
class DbWebServerThread : public QThread
{
    Q_OBJECT
public:
    explicit DbWebServerThread(QObject *parent = nullptr);
    ~DbWebServerThread() override;

protected:
    void run() override;

private:
    DbHandOff handOff{this};
    // Guarded by handOff.mutex.
    QString webUrl = QStringLiteral("http://127.0.0.1/getdevicelog.php");
    int readInterval = 1000;
    int timeout = 5000;
    DbSync::RowShape shape;
    QEventLoop *runningFetch = nullptr; // the worker's fetch in progress, for stop()

    // The parts of url (each ended by ";", the last one maybe not), empty
    // ones only with keepEmpty, or false with the reason; cut short by
    // stop() when it runs in the worker (then the reason is empty).
    bool fetch(const QString &url, bool keepEmpty, QStringList *rows, QString *reason);

Q_SIGNALS:
    void debug(const QString &msg);
    void dataReceive(const QStringList &keyData, const QStringList &resultData);

public Q_SLOTS:
    void stop();
    void checkData();
    // Every part of the page, empty ones between separators too.
    QStringList getData(const QString &url);
    void setWebUrl(const QString &webUrl);
    void setReadInterval(int readInterval);
    void setTableName(const QString &tableName);
    void setColumnName(const QStringList &columnName);
    void setKeyName(const QStringList &keyName);
    void setTimeout(int ms);
};

#endif // DBWEBSERVERTHREAD_H
