#include "virtualreader.h"

#include <QElapsedTimer>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
const char *storageVariable = "FP_VIRTUAL_DEVICE_STORAGE";
const char *verifyVariable = "FP_VIRTUAL_DEVICE";
} // namespace

VirtualReader::VirtualReader(Kind kind) : kind(kind)
{
    unset();
    qputenv(kind == Storage ? storageVariable : verifyVariable, socketPath().toLocal8Bit());
}

VirtualReader::~VirtualReader()
{
    unset();
}

void VirtualReader::unset()
{
    qunsetenv(storageVariable);
    qunsetenv(verifyVariable);
}

QString VirtualReader::socketPath() const
{
    return dir.filePath(kind == Storage ? QStringLiteral("storage.sock") : QStringLiteral("verify.sock"));
}

bool VirtualReader::send(const QString &command, int timeoutMs) const
{
    const QByteArray path = socketPath().toLocal8Bit();
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (static_cast<size_t>(path.size()) >= sizeof(addr.sun_path)) {
        qWarning() << "socket path too long:" << path;
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
            // Let the driver take the command in before the next one connects.
            QTest::qWait(20);
            return written;
        }
        const int error = errno;
        ::close(fd);
        if ((error != ENOENT && error != ECONNREFUSED) || clock.elapsed() > timeoutMs) {
            qWarning() << "virtual reader: cannot send" << command << std::strerror(error);
            return false;
        }
        // The driver makes its socket once the reader is open, in this event loop.
        QTest::qWait(20);
    }
}

bool VirtualReader::scan(const QString &finger) const
{
    return send(QStringLiteral("SCAN ") + finger);
}
