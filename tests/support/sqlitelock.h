#ifndef SQLITELOCK_H
#define SQLITELOCK_H

#include <QString>

#include <condition_variable>
#include <mutex>
#include <thread>

// Another connection holding an exclusive lock on an SQLite file, from a
// thread of its own, the way a second program would: nobody else reads or
// writes the file until the lock is released, or until holdMs have passed
// when given. The constructor returns once the lock is held (or could not
// be had). A statement given as heldSql is run inside the lock and committed
// at the release, as a writer would; without one nothing is kept.
class SqliteLock
{
public:
    explicit SqliteLock(const QString &fileName, int holdMs = -1, const QString &heldSql = QString());
    ~SqliteLock();
    SqliteLock(const SqliteLock &) = delete;
    SqliteLock &operator=(const SqliteLock &) = delete;

    bool isHeld() const;
    void release();

private:
    void run(const QString &fileName, int holdMs, const QString &heldSql);

    mutable std::mutex mutex;
    std::condition_variable changed;
    bool started = false;
    bool held = false;
    bool releasing = false;
    std::thread worker;
};

#endif // SQLITELOCK_H
