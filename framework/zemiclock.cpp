#include "zemiclock.h"

#include <QMutex>
#include <chrono>

namespace {

// Sources are copied out under the lock and called outside it: a running
// date-time reads the steady time itself.
QMutex &sourcesMutex()
{
    static QMutex mutex;
    return mutex;
}

ZemiClock::Sources &installed()
{
    static ZemiClock::Sources sources;
    return sources;
}

qint64 steadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

namespace ZemiClock {

QDateTime now()
{
    std::function<QDateTime()> source;
    {
        QMutexLocker lock(&sourcesMutex());
        source = installed().now;
    }
    return source ? source() : QDateTime::currentDateTime();
}

QDate today()
{
    return now().date();
}

QTime currentTime()
{
    return now().time();
}

qint64 elapsedMs()
{
    std::function<qint64()> source;
    qint64 offset = 0;
    {
        QMutexLocker lock(&sourcesMutex());
        source = installed().elapsed;
        offset = installed().elapsedOffset;
    }
    return (source ? source() : steadyMs()) + offset;
}

Sources sources()
{
    QMutexLocker lock(&sourcesMutex());
    return installed();
}

void setSources(const Sources &sources)
{
    QMutexLocker lock(&sourcesMutex());
    installed() = sources;
}

void setNow(const QDateTime &at)
{
    QMutexLocker lock(&sourcesMutex());
    installed().now = [at] { return at; };
}

void setNowRunning(const QDateTime &at)
{
    const qint64 from = elapsedMs();
    QMutexLocker lock(&sourcesMutex());
    installed().now = [at, from] { return at.addMSecs(elapsedMs() - from); };
}

void setElapsed(std::function<qint64()> elapsed)
{
    QMutexLocker lock(&sourcesMutex());
    installed().elapsed = std::move(elapsed);
}

void advance(qint64 msec)
{
    QMutexLocker lock(&sourcesMutex());
    installed().elapsedOffset += msec;
}

} // namespace ZemiClock
