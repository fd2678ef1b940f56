#ifndef VIRTUALREADER_H
#define VIRTUALREADER_H

#include <QString>
#include <QTemporaryDir>

// libfprint's virtual fingerprint reader for tests: picks the socket path and
// sets the variable libfprint reads when a context is made, so a reader
// looked for afterwards finds it. Commands go one connection each, e.g.
// "SCAN finger-a", "RETRY 0", "ERROR 1", "UNPLUG".
class VirtualReader
{
public:
    // Storage: can identify and keeps prints itself. VerifyOnly: can only verify.
    enum Kind { Storage, VerifyOnly };
    explicit VirtualReader(Kind kind = Storage);
    ~VirtualReader();
    VirtualReader(const VirtualReader &) = delete;
    VirtualReader &operator=(const VirtualReader &) = delete;

    QString socketPath() const;
    // Waits (running the event loop) until the reader listens, then sends.
    bool send(const QString &command, int timeoutMs = 10000) const;
    // "SCAN <id>"
    bool scan(const QString &finger) const;

    // Unsets both variables: a reader looked for afterwards finds none.
    static void unset();

private:
    Kind kind;
    QTemporaryDir dir;
};

#endif // VIRTUALREADER_H
