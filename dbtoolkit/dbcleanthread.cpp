#include "dbcleanthread.h"
#include "zemihelper.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QtDebug>

DbCleanThread::DbCleanThread(QObject *parent) : QThread(parent), lastTime(QDateTime::currentDateTime())
{
}

DbCleanThread::~DbCleanThread()
{
    // A thread owned by a long-lived object is still running when the process
    // ends; stop it rather than destroy it under its own feet.
    stop();
    wait();
}

void DbCleanThread::run()
{
    QSqlDatabase db = DbConn::add(dbType, connName, hostName, port, dbName, userName, userPwd,
                                  QStringLiteral("MYSQL_OPT_RECONNECT=1;MYSQL_OPT_CONNECT_TIMEOUT=1;"
                                                 "MYSQL_OPT_READ_TIMEOUT=1;MYSQL_OPT_WRITE_TIMEOUT=1"));
    if (!db.open()) {
        qDebug() << objectName() << db.lastError().text();
        return;
    }

    forever {
        if (stopped) {
            stopped = false;
            break;
        }
        if (lastTime.secsTo(QDateTime::currentDateTime()) >= interval) {
            if (isBusy) {
                qDebug() << objectName() << "DbCleanThread isBusy";
                lastTime = QDateTime::currentDateTime();
                continue;
            }
            clean();
            lastTime = QDateTime::currentDateTime();
            msleep(1);
        }
        msleep(100);
    }
}

void DbCleanThread::clean()
{
    isBusy = true;
    cleanTable();
    cleanFolder();
    isBusy = false;
}

void DbCleanThread::cleanTable()
{
    QElapsedTimer timer;
    timer.start();
    QSqlDatabase db = QSqlDatabase::database(connName, false);
    QSqlQuery query(db);

    int count = 0;
    if (query.exec(QStringLiteral("select count(%1) from %2").arg(countName, tableName)) && query.next()) {
        count = query.value(0).toInt();
    }
    const int excess = count - maxCount;
    if (excess <= 99) {
        return;
    }

    const int batch = qMin(excess, 1000);
    QStringList ids;
    if (query.exec(QStringLiteral("select %2 from %1 order by %3 limit %4")
                       .arg(tableName, whereColumnName, orderSql)
                       .arg(batch))) {
        while (query.next()) {
            ids << query.value(0).toString();
        }
    }
    query.finish();
    const bool ok = query.exec(QStringLiteral("delete from %1 where %2 in(%3)")
                                   .arg(tableName, whereColumnName, ids.join(QLatin1Char(','))));
    if (!ok) {
        qDebug() << objectName() << query.lastError().text();
    }
    emit cleanFinsh(ok, batch, double(timer.nsecsElapsed()) / 1000000.0);
}

void DbCleanThread::cleanFolder()
{
    if (dirPath.isEmpty() || !QDir(dirPath).exists()) {
        return;
    }
    QDir dir(dirPath);
    const QFileInfoList folders = dir.entryInfoList(QDir::Dirs | QDir::NoSymLinks | QDir::NoDotAndDotDot, QDir::Name);
    qint64 total = 0;
    for (const QFileInfo &folder : folders) {
        const QFileInfoList files = QDir(folder.absoluteFilePath()).entryInfoList(dirFileFilter, QDir::Files);
        for (const QFileInfo &file : files) {
            total += file.size();
        }
        if (total / 1048576 < dirMaxSize) {
            continue;
        }

        // The oldest sub-folder by name goes; one a pass.
        const QString oldest = folders.first().absoluteFilePath();
        QDir oldestDir(oldest);
        const QStringList entries = oldestDir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        for (const QString &entry : entries) {
            qDebug() << "remove file" << oldest << entry;
            oldestDir.remove(entry);
        }
        qDebug() << "remove dir" << oldest;
        dir.rmdir(oldest);
        emit cleanDir(oldest);
        break;
    }
}

void DbCleanThread::deleteDirectory(const QString &path)
{
    ZemiHelper::deleteDirectory(path);
}

void DbCleanThread::setTableName(const QString &tableName)
{
    this->tableName = tableName;
}

void DbCleanThread::setWhereColumnName(const QString &whereColumnName)
{
    this->whereColumnName = whereColumnName;
}

void DbCleanThread::setOrderSql(const QString &orderSql)
{
    this->orderSql = orderSql;
}

void DbCleanThread::setMaxCount(int maxCount)
{
    this->maxCount = maxCount;
}

void DbCleanThread::setInterval(int interval)
{
    this->interval = interval;
}

void DbCleanThread::setPar(const QString &tableName, const QString &countName, const QString &whereColumnName,
                           const QString &orderSql, int maxCount, int interval)
{
    this->tableName = tableName;
    this->countName = countName;
    this->whereColumnName = whereColumnName;
    this->orderSql = orderSql;
    this->maxCount = maxCount;
    this->interval = interval;
}

void DbCleanThread::setDirPath(const QString &dirPath)
{
    this->dirPath = dirPath;
}

void DbCleanThread::setDirFileFilter(const QStringList &dirFileFilter)
{
    this->dirFileFilter = dirFileFilter;
}

void DbCleanThread::setDirMaxSize(int dirMaxSize)
{
    this->dirMaxSize = dirMaxSize;
}

void DbCleanThread::setConnInfo(DbType dbType, const QString &connName, const QString &hostName, int port,
                                const QString &dbName, const QString &userName, const QString &userPwd)
{
    this->dbType = dbType;
    this->connName = connName;
    this->hostName = hostName;
    this->port = port;
    this->dbName = dbName;
    this->userName = userName;
    this->userPwd = userPwd;
}

void DbCleanThread::stop()
{
    stopped = true;
}
