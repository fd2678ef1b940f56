#ifndef ZEMICLOCK_H
#define ZEMICLOCK_H

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <functional>

// The suite's one clock: the date and time of day for what is shown, stored
// and named after the moment, and steady milliseconds for what waits, counts
// down or is due. Tests put in a date-time of their own and move the steady
// time on without waiting. Read from any thread; the test sources may be
// changed from any thread too (the database threads read the clock while a
// test moves it).
namespace ZemiClock {

// Local date and time.
QDateTime now();
QDate today();
QTime currentTime();
// Milliseconds on a monotonic clock: never set back, and blind to changes of
// the system clock. Only differences mean anything.
qint64 elapsedMs();

// What the clock reads. An empty function stands for the system's date-time
// or the steady clock; the offset is added to whatever the steady time is.
struct Sources {
    std::function<QDateTime()> now;
    std::function<qint64()> elapsed;
    qint64 elapsedOffset = 0;
};
Sources sources();
void setSources(const Sources &sources);

// Test seams over setSources().
// now() returns at from here on.
void setNow(const QDateTime &at);
// now() starts at at and moves on with elapsedMs(), offset and all.
void setNowRunning(const QDateTime &at);
// The steady time is read from elapsed (empty: the steady clock again).
void setElapsed(std::function<qint64()> elapsed);
// Moves the steady time (and so a running date-time) on by msec at once.
void advance(qint64 msec);

} // namespace ZemiClock

#endif // ZEMICLOCK_H
