#include "dbcountthread.h"
#include "dblog.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
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

void DbCountThread::setSlices(const QString &firstEndSql, const QString &nextEndSql, const QString &restSql,
                              int sliceRows, const QList<int> &valueOrder)
{
    this->valueOrder = valueOrder;
    this->firstEndSql = firstEndSql;
    this->nextEndSql = nextEndSql;
    this->restSql = restSql;
    this->sliceRows = sliceRows;
}

bool DbCountThread::count(const QSqlDatabase &db, const QString &sql, uint &count)
{
    QSqlQuery query(db);
    if (query.exec(sql) && query.next()) {
        count = query.value(0).toUInt();
        return true;
    }
    qCWarning(lcDb) << "count failed:" << sql << query.lastError().text();
    return false;
}

bool DbCountThread::countSlices(const QSqlDatabase &db, uint &count) const
{
    QSqlQuery first(db);
    QSqlQuery next(db);
    QSqlQuery rest(db);
    if (!first.prepare(firstEndSql) || !next.prepare(nextEndSql) || !rest.prepare(restSql)) {
        qCWarning(lcDb) << "count failed:" << firstEndSql << first.lastError().text() << next.lastError().text()
                 << rest.lastError().text();
        return false;
    }

    uint total = 0;
    QVariantList end; // key values of the last row counted so far
    for (;;) {
        if (isInterruptionRequested()) {
            return false;
        }
        QSqlQuery &slice = end.isEmpty() ? first : next;
        if (!end.isEmpty()) {
            for (int i : valueOrder) {
                slice.addBindValue(end.value(i));
            }
        }
        if (!slice.exec()) {
            qCWarning(lcDb) << "count failed:" << slice.lastQuery() << slice.lastError().text();
            return false;
        }
        if (!slice.next()) {
            // Fewer than a slice left; only an error would make next() fail on an active query.
            if (slice.lastError().isValid()) {
                qCWarning(lcDb) << "count failed:" << slice.lastQuery() << slice.lastError().text();
                return false;
            }
            slice.finish();
            break;
        }
        QVariantList values;
        for (int i = 0; i < slice.record().count(); ++i) {
            values << slice.value(i);
        }
        // Ends the statement, and with it the read lock, before the next slice.
        slice.finish();
        end = values;
        total += uint(sliceRows);
    }

    if (isInterruptionRequested()) {
        return false;
    }
    if (end.isEmpty()) {
        uint rows = 0;
        if (!DbCountThread::count(db, sql, rows)) {
            return false;
        }
        count = rows;
        return true;
    }
    for (int i : valueOrder) {
        rest.addBindValue(end.value(i));
    }
    if (!rest.exec() || !rest.next()) {
        qCWarning(lcDb) << "count failed:" << restSql << rest.lastError().text();
        return false;
    }
    count = total + rest.value(0).toUInt();
    return true;
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
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::cloneDatabase(connName, ownName);
        if (!db.open()) {
            qCWarning(lcDb) << "count failed:" << sql << db.lastError().text();
        } else if (sliceRows > 0) {
            ok = countSlices(db, count);
        } else {
            ok = DbCountThread::count(db, sql, count);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(ownName);
    if (ok) {
        emit receiveCount(count, double(timer.nsecsElapsed()) / 1000000.0);
    }
}
