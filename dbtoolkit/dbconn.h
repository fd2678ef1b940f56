#ifndef DBCONN_H
#define DBCONN_H

#include <QSqlDatabase>
#include <QString>

// Kind of database behind a connection. The fixed underlying type makes every
// int a valid value, so an unknown kind is simply refused.
enum DbType : int {
    DbType_Sqlite = 0, // "QSQLITE": only the database name (the file path) is used
    DbType_MySql = 1   // "QMYSQL": host, port, database, user and password
};

namespace DbConn {

// How long an SQLite connection waits for another connection's lock before
// failing: a few seconds on the terminal, a fraction of a second in lock
// tests. Taken by connections registered after the change.
int sqliteBusyTimeout();
void setSqliteBusyTimeout(int msec);

// The seconds a MySQL connection waits to connect, for an answer, and to send,
// unless its options say otherwise: without them a server that accepts and
// never answers holds the caller for good.
constexpr int defaultMysqlTimeout = 5;
// Qt's QMYSQL options for those three waits.
QString mysqlTimeoutOptions(int seconds);

// Registers a connection of the given kind under connName and fills in its
// parameters; nothing is opened. A MySQL connection gets the time-outs of
// mysqlTimeoutOptions(defaultMysqlTimeout) that mysqlOptions does not set. An unknown kind registers nothing, so the
// returned handle is invalid and a later open fails. Every SQLite connection
// gets the busy timeout, so two connections to one file wait for each other.
QSqlDatabase add(DbType dbType, const QString &connName, const QString &hostName, int port,
                 const QString &dbName, const QString &userName, const QString &userPwd,
                 const QString &mysqlOptions = QString());

// The usual case: an SQLite file under the given connection name.
QSqlDatabase addSqlite(const QString &connName, const QString &fileName);

// True for an SQLite database that lives with its connection: in memory
// (":memory:", a "mode=memory" URI) or temporary (no name). A clone does not
// see its data reliably (it opens another, empty database, or shares a cache
// whose table locks do not wait), so work on it cannot move to another thread.
bool isPrivateDatabase(const QSqlDatabase &db);

} // namespace DbConn

#endif // DBCONN_H
