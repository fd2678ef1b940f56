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
    // what came in before it, so no caller is left waiting. open() waits for
    // a call running on its caller's thread (callOrRunHere) to end.
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
        bool queued = false;
        const T value = callQueued(fn, &queued);
        return queued ? value : fallback;
    }

    // The same, but while no worker runs fn runs on the calling thread, for
    // work of the owner's that needs no worker (a connection of its own).
    // Never at the same time as a worker between open() and release().
    template <typename T>
    T callOrRunHere(const std::function<T()> &fn)
    {
        if (inWorker()) {
            return fn();
        }
        forever {
            bool running = false;
            {
                QMutexLocker lock(&mutex);
                running = accepting;
            }
            if (!running && alone.tryLock()) {
                const T value = fn();
                alone.unlock();
                return value;
            }
            if (running) {
                bool queued = false;
                const T value = callQueued(fn, &queued);
                if (queued) {
                    return value;
                }
            } else {
                // A worker starting or ending: it is soon one or the other.
                QThread::msleep(1);
            }
        }
    }

    // Worker side: the end of what open() began, after the worker let go of
    // what callOrRunHere() may touch.
    void release() { alone.unlock(); }

private:
    template <typename T>
    T callQueued(const std::function<T()> &fn, bool *queued)
    {
        struct Result {
            QMutex mutex;
            QWaitCondition done;
            bool ready = false;
            T value;
        };
        auto result = std::make_shared<Result>();
        const bool posted = post([fn, result] {
            T value = fn();
            QMutexLocker lock(&result->mutex);
            result->value = value;
            result->ready = true;
            result->done.wakeAll();
        });
        *queued = posted;
        if (!posted) {
            return T();
        }
        QMutexLocker lock(&result->mutex);
        while (!result->ready) {
            result->done.wait(&result->mutex);
        }
        return result->value;
    }

    QThread *worker;
    // Held by the worker from open() to release(), and by a call run on its
    // caller's thread.
    QMutex alone;
    QWaitCondition wakeUp;
    QList<std::function<void()>> tasks;
    bool accepting = false;
    std::atomic<bool> stopped{false};
    std::function<bool()> ownPending;
    std::function<void()> ownWork;

    void runTasks();
};

#endif // DBHANDOFF_H
