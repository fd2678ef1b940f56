#include "dbtcpserverthread.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

DbTcpServerThread::DbTcpServerThread(QObject *parent) : QThread(parent)
{
}

DbTcpServerThread::~DbTcpServerThread()
{
    stop();
    wait();
}

void DbTcpServerThread::run()
{
    link.keep([this] {
        checkDataNow();
        return currentReadInterval();
    });
}

int DbTcpServerThread::currentReadInterval()
{
    QMutexLocker lock(&handOff.mutex);
    return readInterval;
}

bool DbTcpServerThread::checkDataNow()
{
    QString table;
    QStringList columns;
    QList<int> keys;
    {
        QMutexLocker lock(&handOff.mutex);
        table = shape.tableName;
        columns = shape.columnName;
        keys = shape.keyIndex;
    }
    if (columns.isEmpty() || table.isEmpty() || !link.ok) {
        return false;
    }

    QElapsedTimer timer;
    timer.start();
    // Table and column names come from the owner's code, not from data.
    QSqlQuery query(link.database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("select %1 from %2").arg(columns.join(QLatin1Char(',')), table))) {
        emit debug(QStringLiteral("执行查询出错 原因: %1").arg(query.lastError().text()));
        return false;
    }
    const int fields = query.record().count();
    if (fields != columns.size()) {
        emit debug(QStringLiteral("获取数据出错,字段数量有误: %1").arg(fields));
        return link.ok;
    }

    QStringList keyData;
    QStringList resultData;
    QStringList values;
    while (query.next()) {
        values.clear();
        for (int i = 0; i < fields; ++i) {
            values << query.value(i).toString();
        }
        keyData << DbSync::keyOf(values, keys);
        resultData << values.join(QLatin1Char('|'));
    }
    emit dataReceive(keyData, resultData);
    emit debug(QStringLiteral("远程实时获取数据(共 %1 条/用时 %2 秒)")
                   .arg(resultData.size())
                   .arg(DbSync::seconds(double(timer.nsecsElapsed()) / 1e6)));
    return link.ok;
}

bool DbTcpServerThread::execSqlNow(const QString &sql)
{
    if (!link.ok) {
        return false;
    }
    QSqlQuery query(link.database());
    if (!query.exec(sql)) {
        emit debug(QStringLiteral("执行查询出错 原因: %1").arg(query.lastError().text()));
    }
    return link.ok;
}

QStringList DbTcpServerThread::getDataNow(const QString &sql)
{
    QStringList rows;
    if (!link.ok) {
        return rows;
    }
    QSqlQuery query(link.database());
    query.setForwardOnly(true);
    if (!query.exec(sql)) {
        emit debug(QStringLiteral("执行查询出错 原因: %1").arg(query.lastError().text()));
        return rows;
    }
    const int fields = query.record().count();
    QStringList values;
    while (query.next()) {
        values.clear();
        for (int i = 0; i < fields; ++i) {
            values << query.value(i).toString();
        }
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

bool DbTcpServerThread::openDb()
{
    return link.openDb();
}

bool DbTcpServerThread::checkDb()
{
    return link.checkDb();
}

void DbTcpServerThread::closeDb()
{
    link.closeDb();
}

void DbTcpServerThread::stop()
{
    handOff.stop();
}

bool DbTcpServerThread::checkData()
{
    return handOff.call<bool>([this] { return checkDataNow(); }, false);
}

bool DbTcpServerThread::execSql(const QString &sql)
{
    if (handOff.inWorker()) {
        return execSqlNow(sql);
    }
    // From another thread: whether the statement was queued; a failure
    // shows later as the query error message.
    return link.ok && handOff.post([this, sql] { execSqlNow(sql); });
}

QStringList DbTcpServerThread::getData(const QString &sql)
{
    return handOff.call<QStringList>([this, sql] { return getDataNow(sql); }, QStringList());
}

void DbTcpServerThread::setConnInfo(DbType dbType, const QString &connName, const QString &hostName, int port,
                                    const QString &dbName, const QString &userName, const QString &userPwd)
{
    link.setConnInfo(DbSync::ConnInfo{dbType, connName, hostName, port, dbName, userName, userPwd});
}

void DbTcpServerThread::setReadInterval(int readInterval)
{
    QMutexLocker lock(&handOff.mutex);
    this->readInterval = readInterval;
}

void DbTcpServerThread::setCheckInterval(int checkInterval)
{
    link.setCheckInterval(checkInterval);
}

void DbTcpServerThread::setTableName(const QString &tableName)
{
    QMutexLocker lock(&handOff.mutex);
    shape.tableName = tableName;
}

void DbTcpServerThread::setColumnName(const QStringList &columnName)
{
    QMutexLocker lock(&handOff.mutex);
    shape.setColumnName(columnName);
}

void DbTcpServerThread::setKeyName(const QStringList &keyName)
{
    QMutexLocker lock(&handOff.mutex);
    shape.setKeyName(keyName);
}

void DbTcpServerThread::setTimeout(int seconds)
{
    link.setTimeout(seconds);
}
