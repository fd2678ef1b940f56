#include "dblink.h"

#include <QSqlQuery>

bool DbLink::open(const DbSync::ConnInfo &info, bool mysqlOnly)
{
    close();
    if (mysqlOnly && info.dbType != DbType_MySql) {
        return false;
    }
    db = DbConn::add(info.dbType, info.connName, info.hostName, info.port, info.dbName, info.userName,
                     info.userPwd);
    if (!db.isValid()) {
        db = QSqlDatabase();
        return false;
    }
    openName = info.connName;
    bool opened = db.open();
    if (opened && info.dbType == DbType_MySql) {
        QSqlQuery query(db);
        opened = query.exec(QStringLiteral("SET NAMES utf8mb4"));
    }
    ok = opened;
    return opened;
}

bool DbLink::check()
{
    bool alive = false;
    // A connection that never opened has nothing to prove.
    if (db.isOpen()) {
        QSqlQuery query(db);
        alive = query.exec(QStringLiteral("select 1"));
    }
    ok = alive;
    return alive;
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
