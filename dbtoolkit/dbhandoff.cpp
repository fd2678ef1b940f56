#include "dbhandoff.h"

#include <QDeadlineTimer>

void DbHandOff::setOwnWork(std::function<bool()> pending, std::function<void()> work)
{
    ownPending = std::move(pending);
    ownWork = std::move(work);
}

void DbHandOff::open()
{
    alone.lock();
    QMutexLocker lock(&mutex);
    accepting = true;
}

void DbHandOff::close()
{
    {
        QMutexLocker lock(&mutex);
        accepting = false;
    }
    runTasks();
}

void DbHandOff::serve(int msec)
{
    const QDeadlineTimer deadline(qMax(msec, 0));
    forever {
        runTasks();
        if (ownWork) {
            ownWork();
        }
        QMutexLocker lock(&mutex);
        // Checked under the lock that every hand-off takes, so no wake-up is lost.
        if (stopped) {
            return;
        }
        if (!tasks.isEmpty() || (ownPending && ownPending())) {
            continue;
        }
        if (deadline.hasExpired()) {
            return;
        }
        wakeUp.wait(&mutex, deadline);
    }
}

void DbHandOff::stop()
{
    {
        QMutexLocker lock(&mutex);
        stopped = true;
    }
    wakeUp.wakeAll();
}

bool DbHandOff::post(std::function<void()> task)
{
    {
        QMutexLocker lock(&mutex);
        if (!accepting) {
            return false;
        }
        tasks.append(std::move(task));
    }
    wakeUp.wakeAll();
    return true;
}

void DbHandOff::runTasks()
{
    QList<std::function<void()>> batch;
    {
        QMutexLocker lock(&mutex);
        batch.swap(tasks);
    }
    for (const std::function<void()> &task : qAsConst(batch)) {
        task();
    }
}
