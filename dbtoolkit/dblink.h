#ifndef DBLINK_H
#define DBLINK_H

#include "dbsync.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <atomic>

// One kept database connection of a synchronisation thread. Everything but
// `ok` belongs to the worker thread that opens it.
class DbLink
{
public:
    DbLink() { lastCheck.start(); }
    ~DbLink() { close(); }
    DbLink(const DbLink &) = delete;
    DbLink &operator=(const DbLink &) = delete;

    // The connection's last known state; read by other threads.
    std::atomic<bool> ok{false};
    // Monotonic, so a clock set back does not hold up the checks.
    QElapsedTimer lastCheck;

    // Registers and opens a connection for info, first dropping the one this
    // link opened before. With mysqlOnly, any type but MySQL fails. A MySQL
    // connection is switched to utf8mb4: Qt's driver would talk utf8mb3,
    // which refuses four-byte characters.
    bool open(const DbSync::ConnInfo &info, bool mysqlOnly);
    // "select 1"; ok follows the result.
    bool check();
    // Closes and unregisters the connection; ok becomes false.
    void close();

    QSqlDatabase database() const { return db; }

private:
    QSqlDatabase db;
    QString openName;
};

#endif // DBLINK_H
