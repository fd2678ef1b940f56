#include "sqlitelock.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtDebug>

#include <atomic>
#include <chrono>

SqliteLock::SqliteLock(const QString &fileName, int holdMs, const QString &heldSql)
{
    worker = std::thread(&SqliteLock::run, this, fileName, holdMs, heldSql);
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [this] { return started; });
}

SqliteLock::~SqliteLock()
{
    release();
}

bool SqliteLock::isHeld() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return held;
}

void SqliteLock::release()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        releasing = true;
    }
    changed.notify_all();
    if (worker.joinable()) {
        worker.join();
    }
}

void SqliteLock::run(const QString &fileName, int holdMs, const QString &heldSql)
{
    static std::atomic<int> serial{0};
    const QString connName = QStringLiteral("sqlitelock_%1").arg(++serial);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connName);
        db.setDatabaseName(fileName);
        bool ok = db.open();
        QSqlQuery query(db);
        ok = ok && query.exec(QStringLiteral("BEGIN EXCLUSIVE"));
        ok = ok && (heldSql.isEmpty() || query.exec(heldSql));
        if (!ok) {
            qWarning() << "could not lock" << fileName << query.lastError().text();
        }
        {
            std::unique_lock<std::mutex> lock(mutex);
            started = true;
            held = ok;
            changed.notify_all();
            const auto done = [this] { return releasing; };
            if (holdMs < 0) {
                changed.wait(lock, done);
            } else {
                changed.wait_for(lock, std::chrono::milliseconds(holdMs), done);
            }
            held = false;
        }
        if (ok) {
            query.exec(heldSql.isEmpty() ? QStringLiteral("ROLLBACK") : QStringLiteral("COMMIT"));
        }
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(connName);
}
