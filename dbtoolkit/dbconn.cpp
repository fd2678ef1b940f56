#include "dbconn.h"

#include <QStringList>
#include <QUrlQuery>
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

QString mysqlTimeoutOptions(int seconds)
{
    return QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1;MYSQL_OPT_READ_TIMEOUT=%1;MYSQL_OPT_WRITE_TIMEOUT=%1")
        .arg(seconds);
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
        QStringList options;
        for (const QString &option : mysqlOptions.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            options << option.trimmed();
        }
        const QStringList defaults = mysqlTimeoutOptions(defaultMysqlTimeout).split(QLatin1Char(';'));
        for (const QString &option : defaults) {
            const QString name = option.section(QLatin1Char('='), 0, 0);
            bool named = false;
            for (const QString &given : qAsConst(options)) {
                named = named || given.section(QLatin1Char('='), 0, 0).trimmed() == name;
            }
            if (!named) {
                options << option;
            }
        }
        db.setConnectOptions(options.join(QLatin1Char(';')));
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

bool isPrivateDatabase(const QSqlDatabase &db)
{
    if (db.driverName() != QLatin1String("QSQLITE")) {
        return false;
    }
    const QString name = db.databaseName();
    if (name.isEmpty() || name == QLatin1String(":memory:")) {
        return true;
    }
    // SQLite may take a "file:" name as a URI even without QSQLITE_OPEN_URI
    // (Debian's build does), so such a name is read as one either way.
    const QLatin1String scheme("file:");
    if (!name.startsWith(scheme)) {
        return false;
    }
    const int queryAt = name.indexOf(QLatin1Char('?'));
    const QString path = name.mid(scheme.size(), queryAt < 0 ? -1 : queryAt - scheme.size());
    if (path == QLatin1String(":memory:")) {
        return true;
    }
    return queryAt >= 0
        && QUrlQuery(name.mid(queryAt + 1)).queryItemValue(QStringLiteral("mode")) == QLatin1String("memory");
}

} // namespace DbConn
