#include "dbtcpdatathread.h"
#include "dblog.h"

#include <QPair>
#include <QSqlQuery>
#include <QVariant>
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
}

void DbTcpDataThread::run()
{
    handOff.open();
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
    // From here producers are turned away; what they handed over is stored
    // before the connections go.
    handOff.close();
    storePending(true);
    local.close();
    net.close();
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
    // Asked with handOff.mutex held. Statements for a local side that is down
    // are no work yet: they wait for the reconnect.
    return (!pendingLocal.isEmpty() && local.ok) || !execSqlsLocal.isEmpty() || !execSqlsNet.isEmpty();
}

void DbTcpDataThread::doOwnWork()
{
    storePending(false);
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

void DbTcpDataThread::storePending(bool evenIfDown)
{
    QStringList batch;
    {
        QMutexLocker lock(&handOff.mutex);
        if (!evenIfDown && !local.ok) {
            return;
        }
        batch = pendingLocal;
    }
    if (batch.isEmpty()) {
        return;
    }

    // One local transaction for whatever came in meanwhile: one disk sync, not one each.
    QSqlDatabase db = local.database();
    QSqlError failure;
    bool stored = false;
    if (db.transaction()) {
        bool cut = false;
        {
            QSqlQuery query(db);
            query.prepare(QStringLiteral("insert into TempSql(StrSql) values(?)"));
            for (const QString &sql : qAsConst(batch)) {
                query.addBindValue(sql);
                if (query.exec()) {
                    continue;
                }
                const QSqlError error = query.lastError();
                if (DbSync::isTransient(error, db.driverName())) {
                    failure = error;
                    cut = true;
                    break;
                }
                DbSync::warnDropped("DbTcpDataThread:", sql, error);
            }
        }
        if (!cut) {
            stored = db.commit();
            if (!stored) {
                failure = db.lastError();
            }
        }
        if (!stored) {
            db.rollback();
        }
    } else {
        failure = db.lastError();
    }
    if (!stored) {
        // Kept for after the reconnect; until then producers are turned away.
        local.ok = false;
        qCWarning(lcDb).noquote() << "DbTcpDataThread: cannot store statements in TempSql, kept for later:"
                             << failure.text();
        return;
    }
    QMutexLocker lock(&handOff.mutex);
    pendingLocal.erase(pendingLocal.begin(), pendingLocal.begin() + batch.size());
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
        pendingLocal.append(sql);
    }
    if (inWorker) {
        storePending(false);
    } else {
        handOff.wake();
    }
    return true;
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
    if (handOff.inWorker()) {
        return runSingle(local, sql);
    }
    appendExecSqlLocal(sql);
    return true;
}

bool DbTcpDataThread::execSqlNet(const QString &sql)
{
    if (handOff.inWorker()) {
        return runSingle(net, sql);
    }
    appendExecSqlNet(sql);
    return true;
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
    local.setTimeout(seconds);
    net.setTimeout(seconds);
}
