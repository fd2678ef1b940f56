#include "dbcountthread.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QtDebug>

DbCountThread::DbCountThread(QObject *parent) : QThread(parent)
{
    connect(this, &QThread::finished, this, &QObject::deleteLater);
}

void DbCountThread::setConnName(const QString &connName)
{
    this->connName = connName;
}

void DbCountThread::setSql(const QString &sql)
{
    this->sql = sql;
}

uint DbCountThread::count(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    if (query.exec(sql) && query.next()) {
        return query.value(0).toUInt();
    }
    qDebug() << "count failed:" << sql << query.lastError().text();
    return 0;
}

void DbCountThread::run()
{
    select();
}

void DbCountThread::select()
{
    QElapsedTimer timer;
    timer.start();
    const QString ownName = QStringLiteral("DbCountThread_%1").arg(quintptr(this), 0, 16);
    uint count = 0;
    {
        QSqlDatabase db = QSqlDatabase::cloneDatabase(connName, ownName);
        if (db.open()) {
            count = DbCountThread::count(db, sql);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(ownName);
    emit receiveCount(count, double(timer.nsecsElapsed()) / 1000000.0);
}
