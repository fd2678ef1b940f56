#include "dblink.h"
#include "zemiclock.h"

#include <QElapsedTimer>
#include <QSqlQuery>

DbLink::DbLink(DbHandOff &handOff, const QString &connName, bool mysqlOnly,
               std::function<void(const QString &)> tell)
    : handOff(handOff), mysqlOnly(mysqlOnly), tell(std::move(tell)), info(DbSync::defaultConnInfo(connName))
{
    lastCheck = ZemiClock::elapsedMs();
}

void DbLink::setConnInfo(const DbSync::ConnInfo &info)
{
    QMutexLocker lock(&handOff.mutex);
    this->info = info;
}

void DbLink::setCheckInterval(int seconds)
{
    QMutexLocker lock(&handOff.mutex);
    checkInterval = seconds;
}

void DbLink::setTimeout(int seconds)
{
    QMutexLocker lock(&handOff.mutex);
    timeout = seconds;
}

bool DbLink::openDb()
{
    return handOff.callOrRunHere<bool>([this] { return reopen(); });
}

bool DbLink::checkDb()
{
    return handOff.callOrRunHere<bool>([this] { return checkNow(); });
}

void DbLink::closeDb()
{
    handOff.callOrRunHere<bool>([this] {
        closeNow();
        return true;
    });
}

void DbLink::keep(const std::function<int()> &work)
{
    handOff.open();
    // A connection the owner opened before belongs to its thread: this one
    // opens its own.
    close();
    forever {
        if (handOff.takeStop()) {
            break;
        }
        if (checkIfDue()) {
            continue;
        }
        if (ok) {
            handOff.serve(work());
        } else {
            const bool opened = reopen();
            tell(QStringLiteral("重连数据库%1").arg(opened ? QStringLiteral("成功") : QStringLiteral("失败")));
            // The 3 s spacing is for failed attempts; a fresh connection goes to work at once.
            if (!opened) {
                handOff.serve(3000);
            }
        }
    }
    handOff.close();
    // Nobody else may close it: it belongs to this thread.
    close();
    handOff.release();
}

bool DbLink::checkIfDue()
{
    {
        QMutexLocker lock(&handOff.mutex);
        if (ZemiClock::elapsedMs() - lastCheck < qint64(checkInterval) * 1000) {
            return false;
        }
    }
    checkNow();
    lastCheck = ZemiClock::elapsedMs();
    return true;
}

bool DbLink::reopen()
{
    DbSync::ConnInfo settings;
    int waitSeconds = 0;
    {
        QMutexLocker lock(&handOff.mutex);
        settings = info;
        waitSeconds = timeout;
    }
    close();
    if (mysqlOnly && settings.dbType != DbType_MySql) {
        return false;
    }
    const bool opened = openWith(settings, waitSeconds, settings.connName, db);
    if (db.isValid()) {
        openName = settings.connName;
    } else {
        db = QSqlDatabase();
    }
    ok = opened;
    return opened;
}

QSqlDatabase DbLink::openAs(const QString &connName)
{
    DbSync::ConnInfo settings;
    int waitSeconds = 0;
    {
        QMutexLocker lock(&handOff.mutex);
        settings = info;
        waitSeconds = timeout;
    }
    QSqlDatabase copy;
    if (!mysqlOnly || settings.dbType == DbType_MySql) {
        openWith(settings, waitSeconds, connName, copy);
    }
    return copy;
}

bool DbLink::openWith(const DbSync::ConnInfo &settings, int waitSeconds, const QString &connName,
                      QSqlDatabase &db)
{
    db = DbConn::add(settings.dbType, connName, settings.hostName, settings.port, settings.dbName,
                     settings.userName, settings.userPwd, DbConn::mysqlTimeoutOptions(waitSeconds));
    if (!db.isValid()) {
        return false;
    }
    bool opened = db.open();
    if (opened && settings.dbType == DbType_MySql) {
        QSqlQuery query(db);
        opened = query.exec(QStringLiteral("SET NAMES utf8mb4"));
    }
    if (!opened) {
        db.close();
    }
    return opened;
}

bool DbLink::checkNow()
{
    QElapsedTimer timer;
    timer.start();
    bool alive = false;
    // A connection that never opened has nothing to prove.
    if (db.isOpen()) {
        QSqlQuery query(db);
        alive = query.exec(QStringLiteral("select 1"));
    }
    ok = alive;
    tell(QStringLiteral("检查数据库连接(共 %1 条/用时 %2 秒)")
             .arg(1)
             .arg(DbSync::seconds(double(timer.nsecsElapsed()) / 1e6)));
    return alive;
}

void DbLink::closeNow()
{
    close();
    tell(QStringLiteral("关闭数据库"));
}

void DbLink::close()
{
    ok = false;
    if (openName.isEmpty()) {
        return;
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(openName);
    openName.clear();
}
