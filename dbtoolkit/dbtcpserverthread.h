#ifndef DBTCPSERVERTHREAD_H
#define DBTCPSERVERTHREAD_H

#include "dbhandoff.h"
#include "dblink.h"
#include "dbsync.h"

#include <QStringList>
#include <QThread>

// Polls a table of a remote MySQL database: every readInterval milliseconds it
// selects the configured columns of all rows and emits them as key strings
// and row strings, values joined by "|". Keeps its connection like
// DbLocalThread; calls from other threads are run by the worker.
class DbTcpServerThread : public QThread
{
    Q_OBJECT
public:
    explicit DbTcpServerThread(QObject *parent = nullptr);
    ~DbTcpServerThread() override;

protected:
    void run() override;

private:
    DbHandOff handOff{this};
    DbLink link{handOff, QStringLiteral("dbServer"), true, [this](const QString &msg) { emit debug(msg); }};
    // Guarded by handOff.mutex.
    int readInterval = 1000;
    DbSync::RowShape shape;

    int currentReadInterval();
    bool checkDataNow();
    bool execSqlNow(const QString &sql);
    QStringList getDataNow(const QString &sql);

Q_SIGNALS:
    void debug(const QString &msg);
    void dataReceive(const QStringList &keyData, const QStringList &resultData);

public Q_SLOTS:
    bool openDb();
    bool checkDb();
    void closeDb();
    void stop();
    bool checkData();
    bool execSql(const QString &sql);
    QStringList getData(const QString &sql);
    void setConnInfo(DbType dbType, const QString &connName, const QString &hostName, int port,
                     const QString &dbName, const QString &userName, const QString &userPwd);
    void setReadInterval(int readInterval);
    void setCheckInterval(int checkInterval);
    // Seconds a MySQL connection waits to connect, for an answer or to send
    // (5 by default); taken at the next open.
    void setTimeout(int seconds);
    void setTableName(const QString &tableName);
    void setColumnName(const QStringList &columnName);
    void setKeyName(const QStringList &keyName);
};

#endif // DBTCPSERVERTHREAD_H
