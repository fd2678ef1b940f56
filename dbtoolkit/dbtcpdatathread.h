#ifndef DBTCPDATATHREAD_H
#define DBTCPDATATHREAD_H

#include "dbhandoff.h"
#include "dblink.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSet>
#include <QStringList>
#include <QThread>

// Forwards statements from a local database to a remote one without losing
// them while the remote side is away. Producers store statements in the local
// table TempSql (ID, StrSql) through appendSqlLocal(); the thread reads them
// in ID order, runs them remotely in one transaction and deletes each row by
// its own ID once the commit that ran it succeeded. A batch cut short by a
// passing fault is rolled back and stays queued; a statement that fails by
// itself is reported once and removed, so the queue drains. Both connections,
// local and net, are kept like DbLocalThread's and live in the worker thread.
class DbTcpDataThread : public QThread
{
    Q_OBJECT
public:
    explicit DbTcpDataThread(QObject *parent = nullptr);
    ~DbTcpDataThread() override;

protected:
    void run() override;

private:
    // A statement waiting for the remote transaction: id is its TempSql row,
    // empty for one given to append(); seq tells identical texts apart.
    struct Statement {
        quint64 seq;
        QString id;
        QString sql;
    };

    DbHandOff handOff{this};
    DbLink local{handOff, QStringLiteral("dbLocal"), false, [this](const QString &msg) { emit debug(msg); }};
    DbLink net{handOff, QStringLiteral("dbNet"), true, [this](const QString &msg) { emit debug(msg); }};
    // Guarded by handOff.mutex.
    int maxCount = 1000;
    QList<Statement> sqls;
    QSet<QString> ids;          // TempSql IDs in sqls
    quint64 nextSeq = 0;
    // The producers' own connections to the local side, by thread, and the
    // settings they were opened with (localGeneration counts the changes).
    struct CallerConnection {
        QString name;
        int generation = -1;
    };
    QHash<QThread *, CallerConnection> callerConns;
    QSet<QThread *> watchedCallers;
    int localGeneration = 0;
    QStringList execSqlsLocal;
    QStringList execSqlsNet;
    // Worker only.
    QSet<QString> doneIds;      // committed remotely, still to delete locally
    QSet<quint64> warned;       // failed statements already reported

    bool reopen(DbLink &link, bool isLocal);
    bool hasOwnWork() const;
    void doOwnWork();
    bool takeFirst(QStringList &list, QString *sql);
    bool runSingle(DbLink &link, const QString &sql);
    // One statement into TempSql on db; false, told, when it is not stored.
    static bool storeLocal(QSqlDatabase db, const QString &sql);
    // The calling thread's connection to the local side, opened on first use.
    QSqlDatabase callerConnection();
    void dropCallerConnection(QThread *caller);
    bool deleteDone();
    bool checkDataLocalNow();
    bool checkDataNetNow();

Q_SIGNALS:
    void debug(const QString &msg);

public Q_SLOTS:
    bool openDbLocal();
    bool checkDbLocal();
    void closeDbLocal();
    bool openDbNet();
    bool checkDbNet();
    void closeDbNet();
    void stop();
    void append(const QString &sql);
    void clear();
    // Stores sql in TempSql before it returns (from another thread on a
    // connection of the caller's own), so nothing accepted lives only in
    // memory; false when it is not stored, or while the thread is not
    // running or its local side is down.
    bool appendSqlLocal(const QString &sql);
    void appendExecSqlLocal(const QString &sql);
    void appendExecSqlNet(const QString &sql);
    // Run at once by the worker and waited for; whether the statement ran
    // (false while the thread is not running). appendExecSql*() only queue.
    bool execSqlLocal(const QString &sql);
    bool execSqlNet(const QString &sql);
    bool checkDataLocal();
    bool checkDataNet();
    void setConnInfoLocal(DbType dbType, const QString &connName, const QString &hostName, int port,
                          const QString &dbName, const QString &userName, const QString &userPwd);
    void setConnInfoNet(DbType dbType, const QString &connName, const QString &hostName, int port,
                        const QString &dbName, const QString &userName, const QString &userPwd);
    void setCheckInterval(int checkInterval);
    // Seconds a MySQL connection waits to connect, for an answer or to send
    // (5 by default); taken at the next open.
    void setTimeout(int seconds);
};

#endif // DBTCPDATATHREAD_H
