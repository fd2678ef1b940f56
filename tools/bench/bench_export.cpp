// The log export beside the sqlite3 shell writing the same query as CSV, on
// a full log (500000 rows, a quarter of them the exported type), and the
// export's peak memory in processes of its own at two log sizes.
//   bench_export [rows]              (default 500000)
//   bench_export --memory <db> <type>   (internal: one export, prints VmHWM)
#include "dbcsvexportthread.h"
#include "benchfigures.h"
#include "dbconn.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

const QString exportedType = QStringLiteral("管理日志");
const int repeats = 5;



// The terminal's schema and `rows` log rows, 2000 a day; every fourth row
// (or every row with typeEvery 1) is of the exported type.
bool createLog(const QString &fileName, int rows, int typeEvery)
{
    bool ok = false;
    {
        QSqlDatabase db = DbConn::addSqlite(QStringLiteral("create"), fileName);
        QSqlQuery q(db);
        ok = db.open()
            && q.exec(QStringLiteral("CREATE TABLE LogInfo (LogType VARCHAR (10), LogDate VARCHAR (10), "
                                     "LogTime VARCHAR (8), LogContent VARCHAR (30))"))
            && q.exec(QStringLiteral("CREATE INDEX LogInfo_Index ON LogInfo (LogType, LogDate)"));
        ok = ok && q.prepare(QStringLiteral(
                       "insert into LogInfo select "
                       "case when x % ? = 0 then '管理日志' when x % 4 = 1 then '开柜日志' "
                       "when x % 4 = 2 then '报警日志' else '物资管理日志' end, "
                       "printf('2026-%02d-%02d', 1 + x / 50000 % 12, 1 + x / 2000 % 28), "
                       "printf('%02d:%02d:%02d', x / 3600 % 24, x / 60 % 60, x % 60), "
                       "'用户' || (x % 97) || '开柜成功,门' || (x % 6) "
                       "from (with recursive c(x) as (select 0 union all select x + 1 from c where x < ?) "
                       "select x from c)"));
        q.addBindValue(typeEvery);
        q.addBindValue(rows - 1);
        ok = ok && q.exec();
        if (!ok) {
            std::fprintf(stderr, "cannot create the log: %s\n", qPrintable(q.lastError().text()));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("create"));
    return ok;
}

// One export as the log screen runs it; the rows written, or -1.
qint64 exportLog(const QString &fileName)
{
    DbCsvExportThread thread;
    thread.setTableName(QStringLiteral("LogInfo"));
    thread.setColumns({QStringLiteral("LogDate"), QStringLiteral("LogTime"), QStringLiteral("LogType"),
                       QStringLiteral("LogContent")},
                      {QStringLiteral("日期"), QStringLiteral("时间"), QStringLiteral("类型"), QStringLiteral("事件")});
    thread.setWhere(QStringLiteral("LogType=?"), {exportedType});
    thread.setKeyColumns({QStringLiteral("LogDate desc"), QStringLiteral("rowid desc")});
    thread.setFileName(fileName);
    thread.start();
    thread.wait();
    return thread.result() == DbCsvExportThread::Done ? thread.rowsWritten() : -1;
}

int memoryRun(const QString &dbFile, const QString &outFile)
{
    QSqlDatabase db = DbConn::addSqlite(QLatin1String(QSqlDatabase::defaultConnection), dbFile);
    if (!db.open()) {
        return 1;
    }
    const qint64 before = BenchFigures::peakRssKiB();
    const qint64 rows = exportLog(outFile);
    std::printf("%lld %lld %lld\n", rows, before, BenchFigures::peakRssKiB());
    return rows < 0 ? 1 : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("--memory")) {
        return memoryRun(args.value(2), args.value(3));
    }
    const int rows = args.size() > 1 ? args.at(1).toInt() : 500000;

    QTemporaryDir temp;
    const QString dbFile = temp.filePath(QStringLiteral("log.db"));
    if (!createLog(dbFile, rows, 4)) {
        return 1;
    }
    {
        QSqlDatabase db = DbConn::addSqlite(QLatin1String(QSqlDatabase::defaultConnection), dbFile);
        if (!db.open()) {
            return 1;
        }
    }
    const QString ours = temp.filePath(QStringLiteral("export.csv"));
    const QString shellFile = temp.filePath(QStringLiteral("shell.csv"));
    const QString shellScript = QStringLiteral(
        ".headers on\n.mode csv\n.output %1\n"
        "select LogDate as 日期,LogTime as 时间,LogType as 类型,LogContent as 事件 from LogInfo "
        "where LogType='%2' order by LogDate desc,rowid desc;\n").arg(shellFile, exportedType);

    QVector<double> exportMs;
    QVector<double> shellMs;
    qint64 exported = 0;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        exported = exportLog(ours);
        exportMs << double(timer.nsecsElapsed()) / 1e6;

        QProcess shell;
        timer.restart();
        shell.start(QStringLiteral("sqlite3"), {dbFile});
        shell.write(shellScript.toUtf8());
        shell.closeWriteChannel();
        if (!shell.waitForFinished(120000) || shell.exitCode() != 0) {
            std::fprintf(stderr, "sqlite3 failed: %s\n", shell.readAllStandardError().constData());
            return 1;
        }
        shellMs << double(timer.nsecsElapsed()) / 1e6;
    }
    const qint64 ourSize = QFile(ours).size();
    const qint64 shellSize = QFile(shellFile).size();
    std::printf("log of %d rows, %lld of type %s exported, median of %d runs\n", rows, exported,
                qPrintable(exportedType), repeats);
    std::printf("  export (DbCsvExportThread)  %8.1f ms  %lld bytes\n", BenchFigures::median(exportMs), ourSize);
    std::printf("  sqlite3 shell, .mode csv    %8.1f ms  %lld bytes\n", BenchFigures::median(shellMs), shellSize);
    std::printf("  ratio export / shell        %8.2f   (target within 1.50)\n", BenchFigures::median(exportMs) / BenchFigures::median(shellMs));

    // Peak memory: a process of its own per size, every row of the exported type.
    std::printf("peak memory of one export (VmHWM, own process, all rows of one type)\n");
    for (const int size : {50000, 500000}) {
        const QString sizeDb = temp.filePath(QStringLiteral("log%1.db").arg(size));
        if (!createLog(sizeDb, size, 1)) {
            return 1;
        }
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--memory"), sizeDb, temp.filePath(QStringLiteral("mem%1.csv").arg(size))});
        if (!child.waitForFinished(300000) || child.exitCode() != 0) {
            std::fprintf(stderr, "memory run failed\n");
            return 1;
        }
        const QList<QByteArray> f = child.readAllStandardOutput().trimmed().split(' ');
        std::printf("  %6d rows: %7lld rows written, peak %6lld KiB (before the export %6lld KiB, +%lld KiB)\n", size,
                    f.value(0).toLongLong(), f.value(2).toLongLong(), f.value(1).toLongLong(),
                    f.value(2).toLongLong() - f.value(1).toLongLong());
        QFile::remove(sizeDb);
    }
    return 0;
}
