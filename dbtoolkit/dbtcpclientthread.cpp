#include "dbtcpclientthread.h"
#include "zemiclock.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QVariant>

DbTcpClientThread::DbTcpClientThread(QObject *parent) : QThread(parent)
{
}

DbTcpClientThread::~DbTcpClientThread()
{
    stop();
    wait();
}

void DbTcpClientThread::run()
{
    link.keep([this] {
        checkDataNow();
        return 100;
    });
}

void DbTcpClientThread::initDbNow()
{
    if (!link.ok) {
        return;
    }
    QList<int> ids;
    QStringList names;
    QList<int> addrs;
    QStringList groups;
    {
        QMutexLocker lock(&handOff.mutex);
        ids = listDeviceID;
        names = listDeviceName;
        addrs = listDeviceAddr;
        groups = listGroupName;
    }
    if (ids.isEmpty()) {
        return;
    }

    QElapsedTimer timer;
    timer.start();
    QSqlQuery query(link.database());
    const QString clearSql = QStringLiteral("delete from DeviceLogTemp");
    if (!query.exec(clearSql)) {
        DbSync::warnDropped("DbTcpClientThread:", clearSql, query.lastError());
    }
    const QString insertSql =
        QStringLiteral("insert into DeviceLogTemp(DeviceLogID,DeviceID,DeviceName,DeviceAddr,"
                       "GroupName,TempValue,DampValue,PowerValue,SaveTime,LogCountAll,LogCountNoRead,Type) "
                       "values(?,?,?,?,?,?,?,?,?,?,?,?)");
    query.prepare(insertSql);
    for (int i = 0; i < ids.size(); ++i) {
        // Lists shorter than the IDs give empty names and zero addresses.
        query.addBindValue(QString::number(i + 1));
        query.addBindValue(QString::number(ids.at(i)));
        query.addBindValue(names.value(i));
        query.addBindValue(QString::number(addrs.value(i)));
        query.addBindValue(groups.value(i));
        query.addBindValue(QString::number(20.0));
        query.addBindValue(QString::number(50.0));
        query.addBindValue(QString::number(1.0));
        query.addBindValue(ZemiClock::now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        query.addBindValue(QStringLiteral("0"));
        query.addBindValue(QStringLiteral("0"));
        query.addBindValue(QStringLiteral("运行记录"));
        if (!query.exec()) {
            DbSync::warnDropped("DbTcpClientThread:", insertSql, query.lastError());
        }
    }
    emit debug(QStringLiteral("远程清空并新建数据(共 %1 条/用时 %2 秒)")
                   .arg(ids.size())
                   .arg(DbSync::seconds(double(timer.nsecsElapsed()) / 1e6)));
}

bool DbTcpClientThread::checkDataNow()
{
    return DbSync::commitQueue(
        link, handOff.mutex, sqls, warned, "DbTcpClientThread:", [this](const QString &msg) { emit debug(msg); },
        [this](const Statement &statement) { queuedTexts.remove(statement.sql); }, [](const QList<Statement> &) {});
}

bool DbTcpClientThread::openDb()
{
    return link.openDb();
}

bool DbTcpClientThread::checkDb()
{
    return link.checkDb();
}

void DbTcpClientThread::closeDb()
{
    link.closeDb();
}

void DbTcpClientThread::initDb()
{
    if (handOff.inWorker()) {
        initDbNow();
    } else {
        handOff.post([this] { initDbNow(); });
    }
}

void DbTcpClientThread::stop()
{
    handOff.stop();
}

void DbTcpClientThread::append(const QString &sql)
{
    QMutexLocker lock(&handOff.mutex);
    if (queuedTexts.contains(sql)) {
        return;
    }
    if (sqls.size() >= maxCount && !sqls.isEmpty()) {
        queuedTexts.remove(sqls.takeLast().sql);
    }
    sqls.append(Statement{nextSeq++, sql});
    queuedTexts.insert(sql);
}

void DbTcpClientThread::clear()
{
    QMutexLocker lock(&handOff.mutex);
    sqls.clear();
    queuedTexts.clear();
}

bool DbTcpClientThread::checkData()
{
    return handOff.call<bool>([this] { return checkDataNow(); }, false);
}

void DbTcpClientThread::setConnInfo(DbType dbType, const QString &connName, const QString &hostName, int port,
                                    const QString &dbName, const QString &userName, const QString &userPwd)
{
    link.setConnInfo(DbSync::ConnInfo{dbType, connName, hostName, port, dbName, userName, userPwd});
}

void DbTcpClientThread::setCheckInterval(int checkInterval)
{
    link.setCheckInterval(checkInterval);
}

void DbTcpClientThread::setListDeviceID(const QList<int> &listDeviceID)
{
    QMutexLocker lock(&handOff.mutex);
    this->listDeviceID = listDeviceID;
}

void DbTcpClientThread::setListDeviceName(const QStringList &listDeviceName)
{
    QMutexLocker lock(&handOff.mutex);
    this->listDeviceName = listDeviceName;
}

void DbTcpClientThread::setListDeviceAddr(const QList<int> &listDeviceAddr)
{
    QMutexLocker lock(&handOff.mutex);
    this->listDeviceAddr = listDeviceAddr;
}

void DbTcpClientThread::setListGroupName(const QStringList &listGroupName)
{
    QMutexLocker lock(&handOff.mutex);
    this->listGroupName = listGroupName;
}

void DbTcpClientThread::setTimeout(int seconds)
{
    link.setTimeout(seconds);
}
