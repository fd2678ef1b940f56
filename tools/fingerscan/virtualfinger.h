#ifndef VIRTUALFINGER_H
#define VIRTUALFINGER_H

#include <QString>

// Talks to libfprint's virtual fingerprint reader, the one a program gets
// with FP_VIRTUAL_DEVICE_STORAGE (or FP_VIRTUAL_DEVICE) naming a socket: one
// connection per command, e.g. "SCAN finger-a", "RETRY 0", "UNPLUG".
namespace VirtualFinger {

// Sends the command, waiting (with the event loop running, since the reader
// may be served by it) until the reader listens or the time is up.
bool send(const QString &socketPath, const QString &command, int timeoutMs = 10000);

} // namespace VirtualFinger

#endif // VIRTUALFINGER_H
