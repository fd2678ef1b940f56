#include "dbtcpdatathread.h"
#include "dblog.h"

#include <QPair>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>
#include <QtDebug>

namespace {

// Rows deleted by one statement: well below every driver's limit of bound values.
constexpr int deleteChunk = 500;

} // namespace

DbTcpDataThread::DbTcpDataThread(QObject *parent) : QThread(parent)
{
    handOff.setOwnWork([this] { return hasOwnWork(); }, [this] { doOwnWork(); });
}

DbTcpDataThread::~DbTcpDataThread()
{
    stop();
    wait();
    for (const CallerConnection &caller : qAsConst(callerConns)) {
        QSqlDatabase::removeDatabase(caller.name);
    }
}

void DbTcpDataThread::run()
{
    handOff.open();
    // Connections the owner opened before belong to its thread.
    local.close();
    net.close();
    forever {
        if (handOff.takeStop()) {
            break;
        }
        QString sql;
        if (takeFirst(execSqlsLocal, &sql)) {
            runSingle(local, sql);
            handOff.serve(10);
            continue;
        }
        if (takeFirst(execSqlsNet, &sql)) {
            runSingle(net, sql);
            handOff.serve(10);
            continue;
        }
        if (local.checkIfDue() || net.checkIfDue()) {
            handOff.serve(10);
            continue;
        }

        // A side that is down gets one reopen attempt and, when that fails, 3 s
        // before anything else; a side that is up again goes to work at once.
        if (!local.ok && !reopen(local, true)) {
            handOff.serve(3000);
        } else {
            checkDataLocalNow();
            handOff.serve(10);
        }
        if (handOff.stopRequested()) {
            continue;
        }
        if (!net.ok && !reopen(net, false)) {
            handOff.serve(3000);
        } else {
            checkDataNetNow();
            handOff.serve(10);
        }
        handOff.serve(5000);
    }
    // From here producers are turned away.
    handOff.close();
    local.close();
    net.close();
    handOff.release();
}

bool DbTcpDataThread::reopen(DbLink &link, bool isLocal)
{
    const bool ok = link.reopen();
    const QString text = isLocal ? QStringLiteral("重连本地数据库%1") : QStringLiteral("重连远程数据库%1");
    emit debug(text.arg(ok ? QStringLiteral("成功") : QStringLiteral("失败")));
    return ok;
}

bool DbTcpDataThread::hasOwnWork() const
{
    // Asked with handOff.mutex held.
    return !execSqlsLocal.isEmpty() || !execSqlsNet.isEmpty();
}

void DbTcpDataThread::doOwnWork()
{
    QString sql;
    while (takeFirst(execSqlsLocal, &sql)) {
        runSingle(local, sql);
    }
    while (takeFirst(execSqlsNet, &sql)) {
        runSingle(net, sql);
    }
}

bool DbTcpDataThread::takeFirst(QStringList &list, QString *sql)
{
    QMutexLocker lock(&handOff.mutex);
    if (list.isEmpty()) {
        return false;
    }
    *sql = list.takeFirst();
    return true;
}

bool DbTcpDataThread::runSingle(DbLink &link, const QString &sql)
{
    QSqlQuery query(link.database());
    if (query.exec(sql)) {
        return true;
    }
    DbSync::warnDropped("DbTcpDataThread:", sql, query.lastError());
    return false;
}

bool DbTcpDataThread::storeLocal(QSqlDatabase db, const QString &sql)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("insert into TempSql(StrSql) values(?)"));
    query.addBindValue(sql);
    if (query.exec()) {
        return true;
    }
    qCWarning(lcDb).noquote() << "DbTcpDataThread: cannot store a statement in TempSql, refused:" << sql << "-"
                              << query.lastError().text();
    return false;
}

bool DbTcpDataThread::deleteDone()
{
    if (doneIds.isEmpty()) {
        return true;
    }
    if (!local.ok) {
        return false;
    }
    const QStringList all = doneIds.values();
    QSqlQuery query(local.database());
    for (int from = 0; from < all.size(); from += deleteChunk) {
        const QStringList chunk = all.mid(from, deleteChunk);
        QStringList marks;
        for (int i = 0; i < chunk.size(); ++i) {
            marks << QStringLiteral("?");
        }
        query.prepare(QStringLiteral("delete from TempSql where ID in (%1)").arg(marks.join(QLatin1Char(','))));
        for (const QString &id : chunk) {
            query.addBindValue(id);
        }
        if (!query.exec()) {
            // The rows are not sent again meanwhile: their IDs stay in doneIds.
            local.ok = false;
            qCWarning(lcDb).noquote() << "DbTcpDataThread: cannot delete relayed rows from TempSql, trying again later:"
                                 << query.lastError().text();
            return false;
        }
        for (const QString &id : chunk) {
            doneIds.remove(id);
        }
    }
    return true;
}

bool DbTcpDataThread::checkDataLocalNow()
{
    if (!local.ok) {
        return false;
    }
    if (!deleteDone()) {
        return false;
    }
    {
        QMutexLocker lock(&handOff.mutex);
        if (sqls.size() >= maxCount) {
            return true;
        }
    }

    QList<QPair<QString, QString>> rows;
    {
        QSqlQuery query(local.database());
        query.setForwardOnly(true);
        query.prepare(QStringLiteral("select ID,StrSql from TempSql order by ID limit ?"));
        query.addBindValue(maxCount);
        if (!query.exec()) {
            local.ok = false;
            qCWarning(lcDb).noquote() << "DbTcpDataThread: cannot read TempSql:" << query.lastError().text();
            return false;
        }
        while (query.next()) {
            rows.append(qMakePair(query.value(0).toString(), query.value(1).toString()));
        }
    }

    QMutexLocker lock(&handOff.mutex);
    for (const auto &row : qAsConst(rows)) {
        if (sqls.size() >= maxCount) {
            break;
        }
        // Every row goes on its own, identical texts too; a row already
        // queued or already sent is not queued again.
        if (ids.contains(row.first) || doneIds.contains(row.first)) {
            continue;
        }
        sqls.append(Statement{nextSeq++, row.first, row.second});
        ids.insert(row.first);
    }
    return true;
}

bool DbTcpDataThread::checkDataNetNow()
{
    return DbSync::commitQueue(
        net, handOff.mutex, sqls, warned, "DbTcpDataThread:", [this](const QString &msg) { emit debug(msg); },
        [this](const Statement &statement) { ids.remove(statement.id); },
        [this](const QList<Statement> &batch) {
            // Every TempSql row the commit ran, also one pushed out of the
            // queue meanwhile: it is on the remote side now.
            for (const Statement &statement : batch) {
                if (!statement.id.isEmpty()) {
                    doneIds.insert(statement.id);
                }
            }
            deleteDone();
        });
}

bool DbTcpDataThread::openDbLocal()
{
    return local.openDb();
}

bool DbTcpDataThread::checkDbLocal()
{
    return local.checkDb();
}

void DbTcpDataThread::closeDbLocal()
{
    local.closeDb();
}

bool DbTcpDataThread::openDbNet()
{
    return net.openDb();
}

bool DbTcpDataThread::checkDbNet()
{
    return net.checkDb();
}

void DbTcpDataThread::closeDbNet()
{
    net.closeDb();
}

void DbTcpDataThread::stop()
{
    handOff.stop();
}

void DbTcpDataThread::append(const QString &sql)
{
    QMutexLocker lock(&handOff.mutex);
    for (const Statement &statement : qAsConst(sqls)) {
        if (statement.sql == sql) {
            return;
        }
    }
    if (sqls.size() >= maxCount && !sqls.isEmpty()) {
        // A TempSql row pushed out here is read again on a later pass.
        ids.remove(sqls.takeLast().id);
    }
    sqls.append(Statement{nextSeq++, QString(), sql});
}

void DbTcpDataThread::clear()
{
    QMutexLocker lock(&handOff.mutex);
    sqls.clear();
    ids.clear();
}

bool DbTcpDataThread::appendSqlLocal(const QString &sql)
{
    const bool inWorker = handOff.inWorker();
    {
        QMutexLocker lock(&handOff.mutex);
        if (!local.ok || (!inWorker && !handOff.acceptingLocked())) {
            return false;
        }
    }
    if (inWorker) {
        if (storeLocal(local.database(), sql)) {
            return true;
        }
        local.ok = false;
        return false;
    }
    // Stored on the caller's own connection before the call returns: the
    // worker may be held by the remote side for seconds, and a statement
    // kept only in memory meanwhile dies with the process.
    QSqlDatabase db = callerConnection();
    if (db.isOpen() && storeLocal(db, sql)) {
        return true;
    }
    // Opened afresh on the next call.
    db = QSqlDatabase();
    dropCallerConnection(QThread::currentThread());
    return false;
}

QSqlDatabase DbTcpDataThread::callerConnection()
{
    QThread *caller = QThread::currentThread();
    QString name;
    bool watched = false;
    {
        QMutexLocker lock(&handOff.mutex);
        const CallerConnection known = callerConns.value(caller);
        if (known.generation == localGeneration) {
            name = known.name;
        }
        watched = watchedCallers.contains(caller);
        watchedCallers.insert(caller);
    }
    if (!name.isEmpty()) {
        // A thread that took the place of one that ended gets nothing of its.
        const QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen()) {
            return db;
        }
    }
    dropCallerConnection(caller);
    if (!watched) {
        // The connection goes with the thread that owns it.
        connect(caller, &QThread::finished, this, [this, caller] {
            {
                QMutexLocker lock(&handOff.mutex);
                watchedCallers.remove(caller);
            }
            dropCallerConnection(caller);
        }, Qt::DirectConnection);
    }
    static std::atomic<quint64> serial{0};
    name = QStringLiteral("dbLocalAppend%1").arg(++serial);
    int generation = 0;
    {
        QMutexLocker lock(&handOff.mutex);
        generation = localGeneration;
    }
    QSqlDatabase db = local.openAs(name);
    {
        QMutexLocker lock(&handOff.mutex);
        callerConns.insert(caller, CallerConnection{name, generation});
    }
    return db;
}

void DbTcpDataThread::dropCallerConnection(QThread *caller)
{
    QString name;
    {
        QMutexLocker lock(&handOff.mutex);
        name = callerConns.take(caller).name;
    }
    if (!name.isEmpty()) {
        QSqlDatabase::removeDatabase(name);
    }
}

void DbTcpDataThread::appendExecSqlLocal(const QString &sql)
{
    {
        QMutexLocker lock(&handOff.mutex);
        execSqlsLocal.append(sql);
    }
    handOff.wake();
}

void DbTcpDataThread::appendExecSqlNet(const QString &sql)
{
    {
        QMutexLocker lock(&handOff.mutex);
        execSqlsNet.append(sql);
    }
    handOff.wake();
}

bool DbTcpDataThread::execSqlLocal(const QString &sql)
{
    // Run by the worker, which owns the connection, and waited for: the
    // caller learns the statement's own result.
    return handOff.call<bool>([this, sql] { return runSingle(local, sql); }, false);
}

bool DbTcpDataThread::execSqlNet(const QString &sql)
{
    return handOff.call<bool>([this, sql] { return runSingle(net, sql); }, false);
}

bool DbTcpDataThread::checkDataLocal()
{
    return handOff.call<bool>([this] { return checkDataLocalNow(); }, false);
}

bool DbTcpDataThread::checkDataNet()
{
    return handOff.call<bool>([this] { return checkDataNetNow(); }, false);
}

void DbTcpDataThread::setConnInfoLocal(DbType dbType, const QString &connName, const QString &hostName, int port,
                                       const QString &dbName, const QString &userName, const QString &userPwd)
{
    {
        QMutexLocker lock(&handOff.mutex);
        ++localGeneration;
    }
    local.setConnInfo(DbSync::ConnInfo{dbType, connName, hostName, port, dbName, userName, userPwd});
}

void DbTcpDataThread::setConnInfoNet(DbType dbType, const QString &connName, const QString &hostName, int port,
                                     const QString &dbName, const QString &userName, const QString &userPwd)
{
    net.setConnInfo(DbSync::ConnInfo{dbType, connName, hostName, port, dbName, userName, userPwd});
}

void DbTcpDataThread::setCheckInterval(int checkInterval)
{
    local.setCheckInterval(checkInterval);
    net.setCheckInterval(checkInterval);
}

void DbTcpDataThread::setTimeout(int seconds)
{
    {
        QMutexLocker lock(&handOff.mutex);
        ++localGeneration;
    }
    local.setTimeout(seconds);
    net.setTimeout(seconds);
}
