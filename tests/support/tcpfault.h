#ifndef TCPFAULT_H
#define TCPFAULT_H

#include <QThread>
#include <atomic>

class TcpFaultEngine;

// A loopback TCP end for servers that go quiet: a proxy to 127.0.0.1:targetPort
// that can be told to stall (stop forwarding, in both directions, on every
// connection it has and takes) or to cut every connection; with no target, a
// silent port that accepts and never writes. It serves from a thread of its
// own, so a test that blocks in a wait does not hold it up, and closes by
// itself after lifetimeMs at the latest.
class TcpFaultServer
{
public:
    explicit TcpFaultServer(quint16 targetPort = 0, int lifetimeMs = 180000);
    ~TcpFaultServer();
    TcpFaultServer(const TcpFaultServer &) = delete;
    TcpFaultServer &operator=(const TcpFaultServer &) = delete;

    // Listens on 127.0.0.1 on a port of the system's choice.
    bool start();
    quint16 port() const { return listenPort; }

    // From now on nothing is forwarded: what either side sends is read and
    // dropped, so a client waits for an answer that never comes.
    void stall();
    // The stalled connections are cut (what they held must never arrive
    // late) and new ones are forwarded again.
    void resume();
    // Every connection is closed at once.
    void cut();

    // Bytes clients sent since the last stall() that were dropped.
    qint64 stalledBytes() const { return dropped; }
    // Connections accepted so far.
    int accepted() const { return acceptedCount; }

private:
    friend class TcpFaultEngine;
    QThread thread;
    TcpFaultEngine *engine;
    quint16 listenPort = 0;
    std::atomic<qint64> dropped{0};
    std::atomic<int> acceptedCount{0};
};

// A port that accepts connections and never answers.
class SilentPort : public TcpFaultServer
{
public:
    explicit SilentPort(int lifetimeMs = 180000) : TcpFaultServer(0, lifetimeMs) {}
};

#endif // TCPFAULT_H
