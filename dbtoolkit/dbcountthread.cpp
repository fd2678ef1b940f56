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
            QSqlQuery query(db);
            if (query.exec(sql) && query.next()) {
                count = query.value(0).toUInt();
            } else {
                qDebug() << "count failed:" << sql << query.lastError().text();
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(ownName);
    emit receiveCount(count, double(timer.nsecsElapsed()) / 1000000.0);
}
