#include "tcpfault.h"

#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// Lives in the fixture's thread; every call from the test is queued to it.
class TcpFaultEngine : public QObject
{
public:
    TcpFaultEngine(TcpFaultServer &owner, quint16 targetPort, int lifetimeMs)
        : owner(owner), targetPort(targetPort), lifetimeMs(lifetimeMs)
    {
        lifetime.setSingleShot(true);
        connect(&lifetime, &QTimer::timeout, this, [this] { shutDown(); });
        connect(&server, &QTcpServer::newConnection, this, [this] { takeConnections(); });
    }

    quint16 listen()
    {
        if (!server.listen(QHostAddress::LocalHost, 0)) {
            return 0;
        }
        lifetime.start(lifetimeMs);
        return server.serverPort();
    }

    void stall()
    {
        stalling = true;
        owner.dropped = 0;
        for (Pair *pair : qAsConst(pairs)) {
            pair->stalled = true;
        }
    }

    void resume()
    {
        stalling = false;
        const QList<Pair *> all = pairs;
        for (Pair *pair : all) {
            if (pair->stalled) {
                drop(pair);
            }
        }
    }

    void cut()
    {
        const QList<Pair *> all = pairs;
        for (Pair *pair : all) {
            drop(pair);
        }
    }

    // The end of the fixture: everything closed, and the engine handed back
    // to the thread that deletes it.
    void shutDown(QThread *home = nullptr)
    {
        lifetime.stop();
        server.close();
        cut();
        if (home) {
            moveToThread(home);
        }
    }

private:
    struct Pair {
        QTcpSocket *client = nullptr;
        QPointer<QTcpSocket> upstream;
        bool stalled = false;
    };

    TcpFaultServer &owner;
    const quint16 targetPort;
    const int lifetimeMs;
    QTcpServer server{this};
    QTimer lifetime{this};
    QList<Pair *> pairs;
    bool stalling = false;

    void takeConnections()
    {
        while (QTcpSocket *client = server.nextPendingConnection()) {
            ++owner.acceptedCount;
            auto *pair = new Pair;
            pair->client = client;
            // A silent port holds every connection as if stalled.
            pair->stalled = stalling || targetPort == 0;
            pairs << pair;
            if (targetPort != 0) {
                pair->upstream = new QTcpSocket(this);
                pair->upstream->connectToHost(QHostAddress::LocalHost, targetPort);
                connect(pair->upstream, &QTcpSocket::readyRead, this, [this, pair] {
                    const QByteArray data = pair->upstream->readAll();
                    if (!pair->stalled) {
                        pair->client->write(data);
                    }
                });
                connect(pair->upstream, &QTcpSocket::disconnected, this, [this, pair] { drop(pair); });
            }
            connect(client, &QTcpSocket::readyRead, this, [this, pair] {
                const QByteArray data = pair->client->readAll();
                if (pair->stalled || !pair->upstream) {
                    owner.dropped += data.size();
                } else {
                    pair->upstream->write(data);
                }
            });
            connect(client, &QTcpSocket::disconnected, this, [this, pair] { drop(pair); });
        }
    }

    // Closed at once on both sides: nothing held is sent late.
    void drop(Pair *pair)
    {
        if (!pairs.removeOne(pair)) {
            return;
        }
        pair->client->disconnect(this);
        pair->client->abort();
        pair->client->deleteLater();
        if (pair->upstream) {
            pair->upstream->disconnect(this);
            pair->upstream->abort();
            pair->upstream->deleteLater();
        }
        delete pair;
    }
};

TcpFaultServer::TcpFaultServer(quint16 targetPort, int lifetimeMs)
    : engine(new TcpFaultEngine(*this, targetPort, lifetimeMs))
{
    engine->moveToThread(&thread);
}

TcpFaultServer::~TcpFaultServer()
{
    if (thread.isRunning()) {
        QThread *home = QThread::currentThread();
        QMetaObject::invokeMethod(engine, [this, home] { engine->shutDown(home); }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
    }
    delete engine;
}

bool TcpFaultServer::start()
{
    thread.start();
    QMetaObject::invokeMethod(engine, [this] { listenPort = engine->listen(); }, Qt::BlockingQueuedConnection);
    return listenPort != 0;
}

void TcpFaultServer::stall()
{
    QMetaObject::invokeMethod(engine, [this] { engine->stall(); }, Qt::BlockingQueuedConnection);
}

void TcpFaultServer::resume()
{
    QMetaObject::invokeMethod(engine, [this] { engine->resume(); }, Qt::BlockingQueuedConnection);
}

void TcpFaultServer::cut()
{
    QMetaObject::invokeMethod(engine, [this] { engine->cut(); }, Qt::BlockingQueuedConnection);
}
