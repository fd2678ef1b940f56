#ifndef DBTCPCLIENTTHREAD_H
#define DBTCPCLIENTTHREAD_H

#include "dbhandoff.h"
#include "dblink.h"

#include <QList>
#include <QSet>
#include <QStringList>
#include <QThread>

// Sends SQL statements to a remote MySQL database. Producers in any thread
// append() to a bounded queue; while the connection is up the thread runs the
// queue in one transaction every 100 ms and keeps the connection alive like
// DbLocalThread. A statement leaves the queue only with the commit that ran it;
// a batch that is cut short by a passing fault (connection lost, lock wait,
// deadlock) is rolled back and sent again after the reconnect.
class DbTcpClientThread : public QThread
{
    Q_OBJECT
public:
    explicit DbTcpClientThread(QObject *parent = nullptr);
    ~DbTcpClientThread() override;

protected:
    void run() override;

private:
    // A queued statement; seq tells it from an identical text queued later.
    struct Statement {
        quint64 seq;
        QString sql;
    };

    DbHandOff handOff{this};
    DbLink link{handOff, QStringLiteral("dbClient"), true, [this](const QString &msg) { emit debug(msg); }};
    // Guarded by handOff.mutex.
    int maxCount = 1000;
    QList<Statement> sqls;
    QSet<QString> queuedTexts;
    quint64 nextSeq = 0;
    QList<int> listDeviceID;
    QStringList listDeviceName;
    QList<int> listDeviceAddr;
    QStringList listGroupName;
    // Worker only: statements already reported as failed, so each is told once.
    QSet<quint64> warned;

    void initDbNow();
    bool checkDataNow();

Q_SIGNALS:
    void debug(const QString &msg);

public Q_SLOTS:
    bool openDb();
    bool checkDb();
    void closeDb();
    void initDb();
    void stop();
    void append(const QString &sql);
    void clear();
    bool checkData();
    void setConnInfo(DbType dbType, const QString &connName, const QString &hostName, int port,
                     const QString &dbName, const QString &userName, const QString &userPwd);
    void setCheckInterval(int checkInterval);
    // Seconds a MySQL connection waits to connect, for an answer or to send
    // (5 by default); taken at the next open.
    void setTimeout(int seconds);
    void setListDeviceID(const QList<int> &listDeviceID);
    void setListDeviceName(const QStringList &listDeviceName);
    void setListDeviceAddr(const QList<int> &listDeviceAddr);
    void setListGroupName(const QStringList &listGroupName);
};

#endif // DBTCPCLIENTTHREAD_H
