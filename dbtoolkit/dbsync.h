#ifndef DBSYNC_H
#define DBSYNC_H

#include "dbconn.h"

#include <QElapsedTimer>
#include <QList>
#include <QMutex>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>

#include <functional>

// Pieces shared by the synchronisation threads.
namespace DbSync {

// Where a thread's connection goes; set from any thread, read by the worker
// when it opens.
struct ConnInfo {
    DbType dbType;
    QString connName;
    QString hostName;
    int port;
    QString dbName;
    QString userName;
    QString userPwd;
};

// The defaults every synchronisation thread starts from, under its own name.
ConnInfo defaultConnInfo(const QString &connName);

// A failure worth trying again later (connection lost, server going down,
// lock wait or deadlock, a busy or unwritable SQLite file), as opposed to one
// that the statement itself causes every time (syntax, duplicate key).
// driverName is that of the connection that failed: SQLite's result codes
// and MySQL's error numbers overlap.
bool isTransient(const QSqlError &error, const QString &driverName);

// Milliseconds as the seconds of the threads' messages: "0.123".
QString seconds(double msec);

// Position of every key name in the column names, -1 for one that is not there.
QList<int> keyIndexOf(const QStringList &columnName, const QStringList &keyName);
// The fields at the key positions joined by "|"; a position the row does not
// reach gives an empty part.
QString keyOf(const QStringList &fields, const QList<int> &keyIndex);

// The rows a server thread reads: its table, its columns in order, and the
// names of the columns that make a row's key. The key positions follow both
// lists, whichever of them is set last.
struct RowShape {
    QString tableName = QStringLiteral("DeviceLogTemp");
    QStringList columnName{QStringLiteral("DeviceLogID"), QStringLiteral("DeviceID"),    QStringLiteral("DeviceName"),
                           QStringLiteral("DeviceAddr"),  QStringLiteral("GroupName"),   QStringLiteral("TempValue"),
                           QStringLiteral("DampValue"),   QStringLiteral("PowerValue"),  QStringLiteral("SaveTime"),
                           QStringLiteral("LogCountAll"), QStringLiteral("LogCountNoRead"), QStringLiteral("Type")};
    QStringList keyName{QStringLiteral("DeviceName"), QStringLiteral("GroupName")};
    QList<int> keyIndex = keyIndexOf(columnName, keyName);

    void setColumnName(const QStringList &columns)
    {
        columnName = columns;
        keyIndex = keyIndexOf(columnName, keyName);
    }
    void setKeyName(const QStringList &keys)
    {
        keyName = keys;
        keyIndex = keyIndexOf(columnName, keyName);
    }
};

// Runs the statements in one transaction and commits it. A statement that
// fails on its own account (isTransient() false) is handed to dropped with
// its index and the batch goes on without it; a transient failure, or a
// begin or commit that fails, rolls the whole batch back. Returns whether it
// committed; failure holds why not.
bool runBatch(QSqlDatabase db, const QStringList &sqls,
              const std::function<void(int index, const QSqlError &error)> &dropped, QSqlError &failure);

// The one debug line for a statement that failed and was given up.
void warnDropped(const char *who, const QString &sql, const QSqlError &error);

// runBatch() over queued statements (each with its text `sql` and its place
// in the queue `seq`). One that fails by itself goes with the batch and is
// told once however often the batch is retried: warned holds the seqs told,
// and a committed batch takes its own out of it again.
template <typename Statement>
bool runQueued(QSqlDatabase db, const QList<Statement> &batch, QSet<quint64> &warned, const char *who,
               QSqlError &failure)
{
    QStringList texts;
    for (const Statement &statement : batch) {
        texts << statement.sql;
    }
    const bool committed = runBatch(db, texts, [&](int i, const QSqlError &error) {
        const Statement &statement = batch.at(i);
        if (!warned.contains(statement.seq)) {
            warned.insert(statement.seq);
            warnDropped(who, statement.sql, error);
        }
    }, failure);
    if (committed) {
        for (const Statement &statement : batch) {
            warned.remove(statement.seq);
        }
    }
    return committed;
}

// One pass of a thread that sends a queue of statements over link (a DbLink):
// what is queued now runs in one transaction (runQueued) and, once that
// committed, exactly those statements leave the queue, found by seq;
// statements appended meanwhile, also one that took the place of the last,
// stay for the next pass. mutex guards the queue. For each statement taken
// out, leaving(statement) runs under the lock; then committed(batch) runs
// outside it for the whole batch, statements that left the queue meanwhile
// (pushed out, cleared) included. link.ok follows the commit, and the
// commit or its failure is told through tell. False when nothing was
// queued, the link was down, or the commit failed.
template <typename Link, typename Statement, typename Tell, typename Leaving, typename Committed>
bool commitQueue(Link &link, QMutex &mutex, QList<Statement> &queue, QSet<quint64> &warned, const char *who,
                 Tell tell, Leaving leaving, Committed committed)
{
    QList<Statement> batch;
    {
        QMutexLocker lock(&mutex);
        batch = queue;
    }
    if (batch.isEmpty() || !link.ok) {
        return false;
    }

    QElapsedTimer timer;
    timer.start();
    QSqlError failure;
    const bool ran = runQueued(link.database(), batch, warned, who, failure);
    const double msec = double(timer.nsecsElapsed()) / 1e6;
    link.ok = ran;
    if (!ran) {
        tell(QStringLiteral("提交事务失败: %1").arg(failure.text()));
        return false;
    }

    QSet<quint64> done;
    done.reserve(batch.size());
    for (const Statement &statement : qAsConst(batch)) {
        done.insert(statement.seq);
    }
    {
        QMutexLocker lock(&mutex);
        for (auto it = queue.begin(); it != queue.end();) {
            if (done.contains(it->seq)) {
                leaving(*it);
                it = queue.erase(it);
            } else {
                ++it;
            }
        }
    }
    committed(qAsConst(batch));
    tell(QStringLiteral("远程实时更新数据(共 %1 条/用时 %2 秒)").arg(batch.size()).arg(seconds(msec)));
    return true;
}

} // namespace DbSync

#endif // DBSYNC_H
