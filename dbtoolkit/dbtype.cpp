#include "dbtype.h"

#include <atomic>

namespace DbConn {

namespace {
std::atomic<int> busyTimeoutMs{5000};
}

int sqliteBusyTimeout()
{
    return busyTimeoutMs;
}

void setSqliteBusyTimeout(int msec)
{
    busyTimeoutMs = msec;
}

QSqlDatabase add(DbType dbType, const QString &connName, const QString &hostName, int port,
                 const QString &dbName, const QString &userName, const QString &userPwd,
                 const QString &mysqlOptions)
{
    QSqlDatabase db;
    if (dbType == DbType_Sqlite) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connName);
        db.setDatabaseName(dbName);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(sqliteBusyTimeout()));
    } else if (dbType == DbType_MySql) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), connName);
        if (!mysqlOptions.isEmpty()) {
            db.setConnectOptions(mysqlOptions);
        }
        db.setHostName(hostName);
        db.setPort(port);
        db.setDatabaseName(dbName);
        db.setUserName(userName);
        db.setPassword(userPwd);
    }
    return db;
}

QSqlDatabase addSqlite(const QString &connName, const QString &fileName)
{
    return add(DbType_Sqlite, connName, QString(), 0, fileName, QString(), QString());
}

} // namespace DbConn
