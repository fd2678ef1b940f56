// Paging through the log table: DbPage beside the same statements through
// SQLite's C API, and the peak memory, for a small and a full log table.
//   bench_paging [rows]          (default 500000, the retention limit)
#include "appconfig.h"
#include "dbpage.h"
#include "frmmain.h"
#include "terminalstart.h"
#include "dbtype.h"
#include "sqlquerymodel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QAbstractButton>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const char *const types[] = {"管理日志", "开柜日志", "报警日志", "物资管理日志"};
const QString logWhere = QStringLiteral("where logType='管理日志'");

qint64 rssKiB(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key)) {
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toLongLong();
        }
    }
    return -1;
}

bool createLog(const QString &fileName, int rows, bool managementOnly = false)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(fileName.toUtf8().constData(), &db) != SQLITE_OK) {
        return false;
    }
    sqlite3_exec(db,
                 "PRAGMA page_size=1024;"
                 "CREATE TABLE LogInfo (LogType VARCHAR (10), LogDate VARCHAR (10), LogTime VARCHAR (8), "
                 "LogContent VARCHAR (30));"
                 "CREATE INDEX LogInfo_Index ON LogInfo (LogType, LogDate);"
                 "BEGIN;",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db, "insert into LogInfo values(?,?,?,?)", -1, &insert, nullptr);
    for (int i = 0; i < rows; ++i) {
        const QByteArray date = QStringLiteral("2026-%1-%2").arg(1 + i / 50000 % 12, 2, 10, QLatin1Char('0'))
                                    .arg(1 + i / 2000 % 28, 2, 10, QLatin1Char('0')).toUtf8();
        const QByteArray time = QStringLiteral("%1:%2:%3").arg(i / 3600 % 24, 2, 10, QLatin1Char('0'))
                                    .arg(i / 60 % 60, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0')).toUtf8();
        const QByteArray content = QStringLiteral("进入开柜界面 %1").arg(i).toUtf8();
        sqlite3_bind_text(insert, 1, types[managementOnly ? 0 : i % 4], -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 2, date.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, time.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, content.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return true;
}

// Runs one statement to its end through the C API, reading every column as text.
double viaCApi(sqlite3 *db, const QString &sql)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr);
    const int columns = sqlite3_column_count(stmt);
    qint64 bytes = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            const unsigned char *text = sqlite3_column_text(stmt, c);
            bytes += text ? qstrlen(reinterpret_cast<const char *>(text)) : 0;
        }
    }
    sqlite3_finalize(stmt);
    Q_UNUSED(bytes)
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

struct Figures {
    double select = 0, next = 0, last = 0, count = 0;
    double cSelect = 0, cNext = 0, cLast = 0, cCount = 0;
    qint64 peakGrowthKiB = 0;
};

Figures measure(const QString &fileName, int repeats)
{
    Figures f;
    const QString conn = QLatin1String(QSqlDatabase::defaultConnection);
    DbConn::addSqlite(conn, fileName).open();

    QTableView table;
    QLabel pageCount, pageCurrent;
    QPushButton first, pre, next, last;
    QVector<double> tSelect, tNext, tLast, tCount;
    const qint64 before = rssKiB("VmRSS:");
    qint64 peak = before;
    for (int r = 0; r < repeats; ++r) {
        DbPage page;
        page.setControl(&table, &pageCount, &pageCurrent, nullptr, nullptr, nullptr, nullptr, &first, &pre, &next,
                        &last, QStringLiteral("rowid"), conn);
        page.setAllCenter(true);
        page.setSelectColumn(QStringLiteral("LogDate,LogTime,LogContent"));
        page.setTableName(QStringLiteral("LogInfo"));
        page.setOrderSql(QStringLiteral("rowid desc"));
        page.setWhereSql(logWhere);
        page.setResultCurrent(10);
        page.setColumnNames({QStringLiteral("日期"), QStringLiteral("时间"), QStringLiteral("事件")});
        page.setColumnWidths({200, 180, 250});

        QSignalSpy counted(&page, &DbPage::receiveCount);
        QElapsedTimer timer;
        timer.start();
        page.select(); // the first page is bound before select() returns
        tSelect << double(timer.nsecsElapsed()) / 1e6;
        counted.wait(60000);
        tCount << counted.at(0).at(1).toDouble(); // the count thread's own time for its query

        timer.restart();
        page.next();
        tNext << double(timer.nsecsElapsed()) / 1e6;
        timer.restart();
        page.last();
        tLast << double(timer.nsecsElapsed()) / 1e6;
        peak = qMax(peak, rssKiB("VmRSS:"));
    }
    QSqlDatabase::database(conn).close();
    QSqlDatabase::removeDatabase(conn);
    f.select = median(tSelect);
    f.next = median(tNext);
    f.last = median(tLast);
    f.count = median(tCount);
    f.peakGrowthKiB = peak - before;

    // The same statements straight through the C API.
    sqlite3 *db = nullptr;
    sqlite3_open(fileName.toUtf8().constData(), &db);
    const QString select = QStringLiteral("select LogDate,LogTime,LogContent from LogInfo %1 order by rowid desc").arg(logWhere);
    sqlite3_stmt *countStmt = nullptr;
    sqlite3_prepare_v2(db, QStringLiteral("select count(rowid) from LogInfo %1").arg(logWhere).toUtf8().constData(), -1,
                       &countStmt, nullptr);
    sqlite3_step(countStmt);
    const int rows = sqlite3_column_int(countStmt, 0);
    sqlite3_finalize(countStmt);
    const int pages = rows / 10 + (rows % 10 ? 1 : 0);
    QVector<double> cSelect, cNext, cLast, cCount;
    for (int r = 0; r < repeats; ++r) {
        cSelect << viaCApi(db, select + QStringLiteral(" limit 0,10;"));
        cCount << viaCApi(db, QStringLiteral("select count(rowid) from LogInfo %1").arg(logWhere));
        cNext << viaCApi(db, select + QStringLiteral(" limit 10,10;"));
        cLast << viaCApi(db, select + QStringLiteral(" limit %1,10;").arg(10 * qMax(0, pages - 1)));
    }
    sqlite3_close(db);
    f.cSelect = median(cSelect);
    f.cNext = median(cNext);
    f.cLast = median(cLast);
    f.cCount = median(cCount);
    return f;
}

void print(const char *title, int rows, const Figures &f)
{
    std::printf("%s: LogInfo of %d rows, the management log (a quarter of them), 10 rows a page\n", title, rows);
    std::printf("  %-26s %10s %10s %7s\n", "operation", "DbPage", "C API", "ratio");
    const auto line = [](const char *name, double a, double b) {
        std::printf("  %-26s %8.2f ms %8.2f ms %6.2fx\n", name, a, b, b > 0 ? a / b : 0.0);
    };
    line("select() to first page", f.select, f.cSelect);
    line("next()", f.next, f.cNext);
    line("last()", f.last, f.cLast);
    line("count (background thread)", f.count, f.cCount);
    std::printf("  memory growth while paging: %.1f MiB\n", f.peakGrowthKiB / 1024.0);
}

// The operator's view: from the press on the log button of the main window
// to the first page of the management log on screen.
double logScreenOpen(const QString &fileName)
{
    TerminalStart::initResources();
    QTemporaryDir temp;
    AppConfig::ConfigFile = temp.filePath(QStringLiteral("safeterminal.ini"));
    AppConfig::save();
    const QString conn = QLatin1String(QSqlDatabase::defaultConnection);
    DbConn::addSqlite(conn, fileName).open();
    QVector<double> times;
    {
        frmMain w;
        w.show();
        if (!QTest::qWaitForWindowExposed(&w)) {
            return -1;
        }
        auto *nav = w.findChild<QWidget *>(QStringLiteral("pageNav"));
        auto *btnLog = nav->findChild<QAbstractButton *>(QStringLiteral("btnLog"));
        QAbstractButton *btnReturn = nullptr;
        for (int r = 0; r < 9; ++r) {
            QElapsedTimer timer;
            timer.start();
            btnLog->click(); // shows the page, whose first query is bound before the press returns
            QCoreApplication::processEvents();
            times << double(timer.nsecsElapsed()) / 1e6;
            if (!btnReturn) {
                btnReturn = w.findChild<QWidget *>(QStringLiteral("frmLog"))->findChild<QAbstractButton *>(QStringLiteral("btnReturn"));
            }
            btnReturn->click();
            QTest::qWait(50);
        }
    }
    QSqlDatabase::database(conn).close();
    QSqlDatabase::removeDatabase(conn);
    return median(times);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int rows = argc > 1 ? qMax(1000, QByteArray(argv[1]).toInt()) : 500000;
    const int repeats = 9;

    QTemporaryDir temp;
    const QString small = temp.filePath(QStringLiteral("small.db"));
    const QString full = temp.filePath(QStringLiteral("full.db"));
    if (!createLog(small, rows / 100) || !createLog(full, rows)) {
        std::fprintf(stderr, "cannot create the test databases\n");
        return 1;
    }
    print("small table", rows / 100, measure(small, repeats));
    print("full table", rows, measure(full, repeats));
    std::printf("log screen, press on the log button to its first page on the full table: %.1f ms\n",
                logScreenOpen(full));
    const QString worst = temp.filePath(QStringLiteral("worst.db"));
    if (createLog(worst, rows, true)) {
        std::printf("the same with every row a management log: %.1f ms\n", logScreenOpen(worst));
    }
    std::printf("peak resident memory of the whole run: %.1f MiB\n", rssKiB("VmHWM:") / 1024.0);
    return 0;
}
