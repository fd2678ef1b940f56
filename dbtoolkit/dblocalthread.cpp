#include "dblocalthread.h"

DbLocalThread::DbLocalThread(QObject *parent) : QThread(parent)
{
}

DbLocalThread::~DbLocalThread()
{
    stop();
    wait();
}

void DbLocalThread::run()
{
    link.keep([] { return 1000; });
}

bool DbLocalThread::openDb()
{
    return link.openDb();
}

bool DbLocalThread::checkDb()
{
    return link.checkDb();
}

void DbLocalThread::closeDb()
{
    link.closeDb();
}

void DbLocalThread::stop()
{
    handOff.stop();
}

void DbLocalThread::setConnInfo(DbType dbType, const QString &connName, const QString &hostName, int port,
                                const QString &dbName, const QString &userName, const QString &userPwd)
{
    link.setConnInfo(DbSync::ConnInfo{dbType, connName, hostName, port, dbName, userName, userPwd});
}

void DbLocalThread::setCheckInterval(int checkInterval)
{
    link.setCheckInterval(checkInterval);
}

void DbLocalThread::setTimeout(int seconds)
{
    link.setTimeout(seconds);
}
