#ifndef DBHANDOFF_H
#define DBHANDOFF_H

#include <QList>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>
#include <atomic>
#include <functional>
#include <memory>

// Work that other threads hand to a polling worker thread. A database
// connection may only be used by the thread that opened it, so calls from
// elsewhere become tasks that the worker runs between its passes. The
// worker's pauses are spent here, woken at once by a hand-off or stop().
class DbHandOff
{
public:
    explicit DbHandOff(QThread *worker) : worker(worker) {}

    // Guards the hand-off list and whatever else the owner shares between threads.
    QMutex mutex;

    bool inWorker() const { return QThread::currentThread() == worker; }

    // Work of the owner's own (its statement lists): whether there is some it
    // can do now, asked with the mutex held, and how to do it.
    void setOwnWork(std::function<bool()> pending, std::function<void()> work);

    // Worker side. Tasks are taken between open() and close(); close() runs
    // what came in before it, so no caller is left waiting.
    void open();
    void close();
    bool acceptingLocked() const { return accepting; }
    // Pauses up to msec, running hand-offs as they arrive; stop() ends it at once.
    void serve(int msec);
    // True once after stop(), which it clears.
    bool takeStop() { return stopped.exchange(false); }
    bool stopRequested() const { return stopped; }

    // Any thread.
    void stop();
    void wake() { wakeUp.wakeAll(); }
    // Queues a task for the worker; false when the worker is not taking any.
    bool post(std::function<void()> task);

    // Runs fn in the worker and returns its result, or fallback when the
    // worker is not running. From the worker itself fn runs directly.
    template <typename T>
    T call(const std::function<T()> &fn, const T &fallback)
    {
        if (inWorker()) {
            return fn();
        }
        struct Result {
            QMutex mutex;
            QWaitCondition done;
            bool ready = false;
            T value;
        };
        auto result = std::make_shared<Result>();
        const bool queued = post([fn, result] {
            T value = fn();
            QMutexLocker lock(&result->mutex);
            result->value = value;
            result->ready = true;
            result->done.wakeAll();
        });
        if (!queued) {
            return fallback;
        }
        QMutexLocker lock(&result->mutex);
        while (!result->ready) {
            result->done.wait(&result->mutex);
        }
        return result->value;
    }

private:
    QThread *worker;
    QWaitCondition wakeUp;
    QList<std::function<void()>> tasks;
    bool accepting = false;
    std::atomic<bool> stopped{false};
    std::function<bool()> ownPending;
    std::function<void()> ownWork;

    void runTasks();
};

#endif // DBHANDOFF_H
