#include "dblocalthread.h"

#include <QElapsedTimer>

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
    handOff.open();
    forever {
        if (handOff.takeStop()) {
            break;
        }
        if (checkDue()) {
            checkNow();
            link.lastCheck.restart();
            continue;
        }
        if (link.ok) {
            handOff.serve(1000);
        } else {
            const bool ok = openNow();
            emit debug(QStringLiteral("重连数据库%1").arg(ok ? QStringLiteral("成功") : QStringLiteral("失败")));
            // The 3 s spacing is for failed attempts; a fresh connection goes to work at once.
            if (!ok) {
                handOff.serve(3000);
            }
        }
    }
    handOff.close();
    // Nobody else may close it: it belongs to this thread.
    link.close();
}

bool DbLocalThread::checkDue()
{
    QMutexLocker lock(&handOff.mutex);
    return link.lastCheck.elapsed() >= qint64(checkInterval) * 1000;
}

bool DbLocalThread::openNow()
{
    DbSync::ConnInfo copy;
    {
        QMutexLocker lock(&handOff.mutex);
        copy = info;
    }
    return link.open(copy, false);
}

bool DbLocalThread::checkNow()
{
    QElapsedTimer timer;
    timer.start();
    const bool ok = link.check();
    emit debug(QStringLiteral("检查数据库连接(共 %1 条/用时 %2 秒)")
                   .arg(1)
                   .arg(DbSync::seconds(double(timer.nsecsElapsed()) / 1e6)));
    return ok;
}

void DbLocalThread::closeNow()
{
    link.close();
    emit debug(QStringLiteral("关闭数据库"));
}

bool DbLocalThread::openDb()
{
    return handOff.call<bool>([this] { return openNow(); }, false);
}

bool DbLocalThread::checkDb()
{
    return handOff.call<bool>([this] { return checkNow(); }, false);
}

void DbLocalThread::closeDb()
{
    const bool done = handOff.call<bool>([this] { closeNow(); return true; }, false);
    if (!done) {
        // The worker is not running, and closed its connection when it ended.
        link.ok = false;
        emit debug(QStringLiteral("关闭数据库"));
    }
}

void DbLocalThread::stop()
{
    handOff.stop();
}

void DbLocalThread::setConnInfo(DbType dbType, const QString &connName, const QString &hostName, int port,
                                const QString &dbName, const QString &userName, const QString &userPwd)
{
    QMutexLocker lock(&handOff.mutex);
    info = DbSync::ConnInfo{dbType, connName, hostName, port, dbName, userName, userPwd};
}

void DbLocalThread::setCheckInterval(int checkInterval)
{
    QMutexLocker lock(&handOff.mutex);
    this->checkInterval = checkInterval;
}
