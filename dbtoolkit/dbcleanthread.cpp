#include "dbcleanthread.h"
#include "dblog.h"
#include "zemiclock.h"
#include "zemifiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QtDebug>

namespace {

// A long interval (the terminal's is three weeks) is not waited out after a
// start, or a program restarted more often would never trim.
constexpr qint64 firstPassMaxMs = 60000;

} // namespace

DbCleanThread::DbCleanThread(QObject *parent) : QThread(parent)
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
        qCWarning(lcDb) << objectName() << "cannot open" << connName << db.lastError().text();
        return;
    }
    stuckFolders.clear();

    // Steady time: the wall clock can be set back (or forward) at any time, and passes must not follow it.
    qint64 lastTime = ZemiClock::elapsedMs();
    bool passed = false;
    forever {
        if (stopped) {
            stopped = false;
            break;
        }
        const qint64 now = ZemiClock::elapsedMs();
        const qint64 intervalMs = qint64(interval) * 1000;
        if (now - lastTime >= (passed ? intervalMs : qMin(intervalMs, firstPassMaxMs))) {
            if (isBusy) {
                qCDebug(lcDb) << objectName() << "DbCleanThread isBusy";
            } else {
                clean();
            }
            lastTime = now;
            passed = true;
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
        qCWarning(lcDb) << objectName() << query.lastError().text();
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
        total += ZemiFiles::filesSize(folder.absoluteFilePath(), dirFileFilter);
        if (total / 1048576 < dirMaxSize) {
            continue;
        }

        // The oldest sub-folder by name goes; one a pass. One that would not
        // go is passed over from then on (its size still counts), so the next
        // pass moves on instead of trying it again and again.
        for (const QFileInfo &candidate : folders) {
            const QString oldest = candidate.absoluteFilePath();
            if (stuckFolders.contains(oldest)) {
                continue;
            }
            if (ZemiFiles::removeTree(oldest)) {
                emit cleanDir(oldest);
            } else {
                stuckFolders.insert(oldest);
                qCWarning(lcDb) << objectName() << "cannot remove" << oldest << "- passed over from now on";
            }
            break;
        }
        break;
    }
}

void DbCleanThread::deleteDirectory(const QString &path)
{
    ZemiFiles::emptyFolder(path);
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
