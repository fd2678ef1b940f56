#ifndef DBTCPSERVERTHREAD_H
#define DBTCPSERVERTHREAD_H

#include "dbhandoff.h"
#include "dblink.h"

#include <QList>
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
    QString tableName = QStringLiteral("DeviceLogTemp");
    QStringList columnName{QStringLiteral("DeviceLogID"), QStringLiteral("DeviceID"),    QStringLiteral("DeviceName"),
                           QStringLiteral("DeviceAddr"),  QStringLiteral("GroupName"),   QStringLiteral("TempValue"),
                           QStringLiteral("DampValue"),   QStringLiteral("PowerValue"),  QStringLiteral("SaveTime"),
                           QStringLiteral("LogCountAll"), QStringLiteral("LogCountNoRead"), QStringLiteral("Type")};
    QStringList keyName{QStringLiteral("DeviceName"), QStringLiteral("GroupName")};
    QList<int> keyIndex{2, 4};

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
    void setTableName(const QString &tableName);
    void setColumnName(const QStringList &columnName);
    void setKeyName(const QStringList &keyName);
};

#endif // DBTCPSERVERTHREAD_H
