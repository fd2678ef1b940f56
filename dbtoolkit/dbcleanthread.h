#ifndef DBCLEANTHREAD_H
#define DBCLEANTHREAD_H

#include "dbconn.h"

#include <QSet>
#include <QStringList>
#include <QThread>
#include <atomic>

// Keeps a table below a maximum row count by deleting its oldest rows in
// batches, and a folder of picture sub-folders below a maximum size by
// deleting the oldest sub-folder. Runs on its own connection named connName.
// The first pass comes after the interval or a minute, whichever is shorter,
// then one every interval, on ZemiClock's steady time.
class DbCleanThread : public QThread
{
    Q_OBJECT
public:
    explicit DbCleanThread(QObject *parent = nullptr);
    ~DbCleanThread() override;

protected:
    void run() override;

private:
    std::atomic<bool> stopped{false};
    std::atomic<bool> isBusy{false};
    QSet<QString> stuckFolders; // sub-folders that would not go, passed over for the rest of the run

    QString tableName = QStringLiteral("DeviceLog");
    QString countName = QStringLiteral("*");
    QString whereColumnName = QStringLiteral("SaveTime");
    QString orderSql = QStringLiteral("SaveTime asc");
    int maxCount = 100000;
    int interval = 1800;

    QString dirPath;
    QStringList dirFileFilter{QStringLiteral("*.jpg")};
    int dirMaxSize = 1024;

    DbType dbType = DbType_MySql;
    QString connName = QStringLiteral("qt_sql_default_connection");
    QString hostName = QStringLiteral("127.0.0.1");
    int port = 3306;
    QString dbName = QStringLiteral("db_mysql");
    QString userName = QStringLiteral("root");
    QString userPwd = QStringLiteral("kelp");

    void cleanTable();
    void cleanFolder();

Q_SIGNALS:
    void cleanFinsh(bool ok, int cleanCount, double msec);
    void cleanDir(const QString &dirPath);

public Q_SLOTS:
    void setTableName(const QString &tableName);
    void setWhereColumnName(const QString &whereColumnName);
    void setOrderSql(const QString &orderSql);
    void setMaxCount(int maxCount);
    void setInterval(int interval);
    void setPar(const QString &tableName, const QString &countName, const QString &whereColumnName,
                const QString &orderSql, int maxCount, int interval);
    void setDirPath(const QString &dirPath);
    void setDirFileFilter(const QStringList &dirFileFilter);
    void setDirMaxSize(int dirMaxSize);
    void setConnInfo(DbType dbType, const QString &connName, const QString &hostName, int port,
                     const QString &dbName, const QString &userName, const QString &userPwd);
    void deleteDirectory(const QString &path);
    void stop();
    void clean();
};

#endif // DBCLEANTHREAD_H
