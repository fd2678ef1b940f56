#include "fingerrecord.h"

namespace FingerRecord {

QString empty()
{
    return QString(FingerCount - 1, QLatin1Char('/'));
}

QStringList fields(const QString &record)
{
    const QStringList parts = record.split(QLatin1Char('/'));
    return parts.size() == FingerCount ? parts : QStringList();
}

QString enrol(const QString &record, int finger, const QString &time)
{
    QStringList parts = record.split(QLatin1Char('/'));
    while (parts.size() < FingerCount) {
        parts << QString();
    }
    parts = parts.mid(0, FingerCount);
    if (finger >= 1 && finger <= FingerCount) {
        parts[finger - 1] = time;
    }
    return parts.join(QLatin1Char('/'));
}

} // namespace FingerRecord
