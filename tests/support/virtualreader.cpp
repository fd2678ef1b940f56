#include "virtualreader.h"

#include "virtualfinger.h"

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
    return VirtualFinger::send(socketPath(), command, timeoutMs);
}

bool VirtualReader::scan(const QString &finger) const
{
    return send(QStringLiteral("SCAN ") + finger);
}
