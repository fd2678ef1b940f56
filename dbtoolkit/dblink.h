#ifndef DBLINK_H
#define DBLINK_H

#include "dbhandoff.h"
#include "dbsync.h"

#include <QSqlDatabase>
#include <atomic>
#include <functional>

// One kept database connection of a synchronisation thread: its settings,
// a "select 1" every checkInterval seconds, reopening while it is down, each
// step told through tell(). The settings are guarded by the hand-off's mutex
// and may be set from any thread; the connection belongs to the hand-off's
// worker thread, and calls from elsewhere are handed to it.
class DbLink
{
public:
    // With mysqlOnly, connection settings of any type but MySQL fail to open.
    DbLink(DbHandOff &handOff, const QString &connName, bool mysqlOnly, std::function<void(const QString &)> tell);
    ~DbLink() { close(); }
    DbLink(const DbLink &) = delete;
    DbLink &operator=(const DbLink &) = delete;

    // The connection's last known state; read by other threads.
    std::atomic<bool> ok{false};

    // Any thread.
    void setConnInfo(const DbSync::ConnInfo &info);
    void setCheckInterval(int seconds);
    // Connect, read and write time-out of a MySQL connection, taken at the
    // next open: a silent server then fails the statement instead of
    // holding the worker, and stop(), for good.
    void setTimeout(int seconds);
    // Run in the worker; while no worker runs (before start(), after the
    // end) on the calling thread, whose connection it then is until a
    // worker starts and opens its own.
    bool openDb();
    bool checkDb();
    void closeDb();

    // Worker thread. The whole life of a worker that keeps this one
    // connection: a check whenever one is due; while the connection is up,
    // work() and then a pause of the milliseconds it returns; while it is
    // down, a reopen attempt, told, and 3 s after a failed one. Hand-offs
    // run during the pauses. Returns after stop(), the connection closed.
    void keep(const std::function<int()> &work);
    // A check, told, when checkInterval has passed since the last; whether
    // one was made.
    bool checkIfDue();
    // Opens with the settings of the moment, dropping the connection opened
    // before. A MySQL connection is switched to utf8mb4: Qt's driver would
    // talk utf8mb3, which refuses four-byte characters.
    bool reopen();
    // Any thread: a connection of the calling thread with the settings of
    // the moment, registered under connName, switched to utf8mb4 like
    // reopen()'s; closed when it failed. The caller removes it again.
    QSqlDatabase openAs(const QString &connName);
    // "select 1", told with its time; ok follows the result.
    bool checkNow();
    // close(), told.
    void closeNow();
    // Closes and unregisters the connection; ok becomes false.
    void close();

    QSqlDatabase database() const { return db; }

private:
    // Adds and opens settings under connName; false leaves db closed.
    static bool openWith(const DbSync::ConnInfo &settings, int waitSeconds, const QString &connName,
                         QSqlDatabase &db);

    DbHandOff &handOff;
    const bool mysqlOnly;
    const std::function<void(const QString &)> tell;
    // Guarded by handOff.mutex.
    DbSync::ConnInfo info;
    int checkInterval = 30;
    int timeout = DbConn::defaultMysqlTimeout;
    // Worker only; ZemiClock's steady time, so a clock set back does not hold up the checks.
    qint64 lastCheck = 0;
    QSqlDatabase db;
    QString openName;
};

#endif // DBLINK_H
