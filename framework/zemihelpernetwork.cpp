// Validation of addresses and numbers, and network probes.

#include "zemihelper.h"

#include <QEventLoop>
#include <QHostInfo>
#include <QNetworkAccessManager>
#include <QNetworkInterface>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>

namespace {

struct InternetProbe {
    QString address = QStringLiteral("114.114.114.114");
    int port = 80;
};

InternetProbe &internetProbe()
{
    static InternetProbe probe;
    return probe;
}

} // namespace

bool ZemiHelper::isIPv4(const QString &text)
{
    static const QRegularExpression re(QStringLiteral(
        "\\A((2[0-4]\\d|25[0-5]|[01]?\\d\\d?)\\.){3}(2[0-4]\\d|25[0-5]|[01]?\\d\\d?)\\z"));
    return re.match(text).hasMatch();
}

bool ZemiHelper::isMacAddress(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("\\A[A-F0-9]{2}(-[A-F0-9]{2}){5}\\z"));
    return re.match(text).hasMatch();
}

bool ZemiHelper::isMobileNumber(const QString &text)
{
    if (text.length() != 11) {
        return false;
    }
    return text.startsWith(QLatin1String("13")) || text.startsWith(QLatin1String("14"))
        || text.startsWith(QLatin1String("15")) || text.startsWith(QLatin1String("18"));
}

bool ZemiHelper::isEmailAddress(const QString &text)
{
    return text.contains(QLatin1Char('@')) && text.contains(QLatin1String(".com"));
}

QString ZemiHelper::localIPv4()
{
    QStringList ips;
    const QList<QHostAddress> addresses = QNetworkInterface::allAddresses();
    for (const QHostAddress &address : addresses) {
        const QString ip = address.toString();
        if (isIPv4(ip)) {
            ips << ip;
        }
    }
    for (const QString &ip : qAsConst(ips)) {
        if (ip.startsWith(QLatin1String("192.168.1")) || ip.startsWith(QLatin1String("192"))) {
            return ip;
        }
    }
    return QStringLiteral("127.0.0.1");
}

bool ZemiHelper::hostReachable(const QString &address, int port, int timeoutMs)
{
    QTcpSocket socket;
    socket.connectToHost(address, quint16(port));
    const bool ok = socket.waitForConnected(timeoutMs);
    socket.abort();
    return ok;
}

QString ZemiHelper::hostAddressOf(const QString &hostName)
{
    const QHostInfo info = QHostInfo::fromName(hostName);
    if (info.addresses().isEmpty()) {
        return QString();
    }
    return info.addresses().first().toString();
}

void ZemiHelper::setInternetProbe(const QString &address, int port)
{
    internetProbe().address = address;
    internetProbe().port = port;
}

QString ZemiHelper::internetProbeAddress()
{
    return internetProbe().address;
}

int ZemiHelper::internetProbePort()
{
    return internetProbe().port;
}

bool ZemiHelper::internetReachable()
{
    return hostReachable(internetProbe().address, internetProbe().port, 1000);
}

QString ZemiHelper::fetchUrl(const QString &url, int timeoutMs)
{
    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.get(QNetworkRequest(QUrl(url)));
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (timeoutMs > 0) {
        timer.start(timeoutMs);
    }
    if (!reply->isFinished()) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    QString body;
    if (reply->isFinished()) {
        const QByteArray data = reply->readAll();
        const int zero = data.indexOf('\0');
        body = QString::fromLatin1(zero < 0 ? data : data.left(zero));
    } else {
        reply->abort();
    }
    delete reply;
    return body;
}
