#ifndef DBLOCALTHREAD_H
#define DBLOCALTHREAD_H

#include "dbhandoff.h"
#include "dblink.h"

#include <QThread>

// Keeps one database connection alive: opens it, proves it with "select 1"
// every checkInterval seconds and reopens it every 3 seconds while it is down,
// telling each step through debug(). The connection lives in the worker
// thread: calls from other threads are handed to it and answered from there.
// The connection is closed when the thread ends.
class DbLocalThread : public QThread
{
    Q_OBJECT
public:
    explicit DbLocalThread(QObject *parent = nullptr);
    ~DbLocalThread() override;

protected:
    void run() override;

private:
    DbHandOff handOff{this};
    DbLink link{handOff, QStringLiteral("qt_sql_default_connection"), false,
                [this](const QString &msg) { emit debug(msg); }};

Q_SIGNALS:
    void debug(const QString &msg);

public Q_SLOTS:
    bool openDb();
    bool checkDb();
    void closeDb();
    void stop();
    void setConnInfo(DbType dbType, const QString &connName, const QString &hostName, int port,
                     const QString &dbName, const QString &userName, const QString &userPwd);
    void setCheckInterval(int checkInterval);
    // Seconds a MySQL connection waits to connect, for an answer or to send
    // (5 by default); taken at the next open.
    void setTimeout(int seconds);
};

#endif // DBLOCALTHREAD_H
