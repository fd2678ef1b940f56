#include "httptestserver.h"

#include <QTcpSocket>

HttpTestServer::HttpTestServer(QObject *parent) : QTcpServer(parent)
{
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

bool HttpTestServer::start()
{
    return listen(QHostAddress::LocalHost, 0);
}

QString HttpTestServer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path);
}

void HttpTestServer::answer(QTcpSocket *socket)
{
    const QByteArray request = socket->peek(socket->bytesAvailable());
    if (!request.contains("\r\n\r\n")) {
        return; // wait for the whole header
    }
    socket->readAll();
    ++requests;
    if (silent) {
        return;
    }
    socket->write("HTTP/1.1 " + QByteArray::number(statusCode) + ' ' + statusReason
                  + "\r\nContent-Type: text/plain\r\nConnection: close\r\nContent-Length: "
                  + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    socket->disconnectFromHost();
}
