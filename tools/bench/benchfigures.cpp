#include "benchfigures.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cstdio>

#include <algorithm>

namespace BenchFigures {

qint64 peakRssKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').first().toLongLong();
        }
    }
    return -1;
}

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

namespace {

QString firstLine(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("unknown");
    }
    return QString::fromLatin1(file.readLine()).trimmed();
}

int cacheFiles(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.cache-*")}, QDir::Files).size();
}

} // namespace

void printEnvironment(const QString &platform)
{
#if defined(__SANITIZE_ADDRESS__)
    const char *sanitized = ", with sanitizers: figures are not comparable";
#else
    const char *sanitized = "";
#endif
    const QString userCache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/fontconfig");
    std::printf("environment: %s build%s; platform %s; fontconfig caches: %d system, %d user; "
                "governor %s; load %s\n",
                SECSUITE_BUILD_TYPE, sanitized,
                qPrintable(platform),
                cacheFiles(QStringLiteral("/var/cache/fontconfig")), cacheFiles(userCache),
                qPrintable(firstLine(QStringLiteral("/sys/devices/system/cpu/cpu0/cpufreq/scaling_governor"))),
                qPrintable(firstLine(QStringLiteral("/proc/loadavg"))));
}

} // namespace BenchFigures
