#include "virtualfinger.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QtDebug>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace VirtualFinger {

namespace {

// The reader may live in this very event loop: keep it running while waiting.
void pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

bool send(const QString &socketPath, const QString &command, int timeoutMs)
{
    const QByteArray path = socketPath.toLocal8Bit();
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (static_cast<size_t>(path.size()) >= sizeof(addr.sun_path)) {
        qWarning() << "virtual reader: socket path too long:" << socketPath;
        return false;
    }
    std::memcpy(addr.sun_path, path.constData(), static_cast<size_t>(path.size()));

    QElapsedTimer clock;
    clock.start();
    while (true) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            return false;
        }
        if (::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof(addr)) == 0) {
            const QByteArray data = command.toUtf8();
            const bool written = ::write(fd, data.constData(), static_cast<size_t>(data.size())) == data.size();
            ::close(fd);
            // Let the reader take the command in before the next one connects.
            pause(20);
            return written;
        }
        const int error = errno;
        ::close(fd);
        if ((error != ENOENT && error != ECONNREFUSED) || clock.elapsed() > timeoutMs) {
            qWarning().noquote() << "virtual reader: cannot send" << command << "to" << socketPath << ":"
                                 << std::strerror(error);
            return false;
        }
        // The reader makes its socket once it is open.
        pause(20);
    }
}

} // namespace VirtualFinger
