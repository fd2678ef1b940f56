// Places a finger on the terminal's virtual fingerprint reader (or sends it
// any other command of libfprint's virtual reader).
//   fingerscan <socket> <finger id>        same as: fingerscan <socket> SCAN <finger id>
//   fingerscan <socket> <COMMAND> [arg]    e.g. RETRY 0, ERROR 1, UNPLUG
#include "virtualfinger.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: fingerscan <socket> <finger id> | <socket> <COMMAND> [argument]\n");
        return 2;
    }
    const QString socket = args.takeFirst();
    const QStringList commands = {"SCAN", "RETRY", "ERROR", "UNPLUG", "SLEEP", "SET_ENROLL_STAGES"};
    if (!commands.contains(args.constFirst())) {
        args.prepend(QStringLiteral("SCAN"));
    }
    return VirtualFinger::send(socket, args.join(QLatin1Char(' ')), 3000) ? 0 : 1;
}
