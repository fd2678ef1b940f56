#include "dbexecsqlthread.h"
#include "dblog.h"
#include "dbconn.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtDebug>

DbExecSqlThread::DbExecSqlThread(QObject *parent) : QThread(parent)
{
    connect(this, &QThread::finished, this, &QObject::deleteLater);
}

void DbExecSqlThread::run()
{
    QElapsedTimer timer;
    timer.start();
    // A connection belongs to the thread that opened it: work on a clone of
    // the named connection opened here, and drop it afterwards.
    const QString cloneName = QStringLiteral("%1_exec_%2").arg(connName).arg(quintptr(this), 0, 16);
    bool ok = false;
    uint count = uint(sqls.count());
    {
        QSqlDatabase db = QSqlDatabase::cloneDatabase(connName, cloneName);
        if (DbConn::isPrivateDatabase(db)) {
            // The clone would write to another database and report success,
            // and the named connection itself belongs to its own thread.
            qCWarning(lcDb) << "DbExecSqlThread:" << connName << "is an in-memory database, out of this thread's reach:"
                     << "nothing run";
            count = 0;
        } else if (db.open() && db.transaction()) {
            QSqlQuery query(db);
            for (const QString &sql : qAsConst(sqls)) {
                query.exec(sql);
            }
            query.finish();
            ok = db.commit();
            if (!ok) {
                db.rollback();
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(cloneName);
    emit finsh(ok, count, double(timer.nsecsElapsed()) / 1000000.0);
}

void DbExecSqlThread::setConnName(const QString &connName)
{
    this->connName = connName;
}

void DbExecSqlThread::setSqls(const QStringList &sqls)
{
    this->sqls = sqls;
}
