// Paging through the log table as the log screen does (one type, newest
// first, by key): DbPage beside the same statements through SQLite's C API,
// every page button at several depths, the peak memory, and the press on the
// log button of the main window.
//   bench_paging [rows]          (default 500000, the retention limit)
#include "appconfig.h"
#include "benchfigures.h"
#include "dbpage.h"
#include "dbconn.h"
#include "frmmain.h"
#include "sqlquerymodel.h"
#include "terminalstart.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDriver>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>
#include <QTest>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <vector>

namespace {

const char *const types[] = {"管理日志", "开柜日志", "报警日志", "物资管理日志"};
const QString logWhere = QStringLiteral("where logType='管理日志'");
const int perPage = 10;
const int repeats = 9;
// Presses from cold caches vary more from one to the next.
const int coldRepeats = 41;

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

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// The terminal's own template database (every table the main window reads),
// its log filled.
bool createLog(const QString &fileName, int rows, bool managementOnly = false)
{
    if (!QFile::copy(QStringLiteral(":/safe.db"), fileName)
        || !QFile::setPermissions(fileName, QFile::permissions(fileName) | QFileDevice::WriteOwner)) {
        return false;
    }
    sqlite3 *db = nullptr;
    if (sqlite3_open(fileName.toUtf8().constData(), &db) != SQLITE_OK) {
        return false;
    }
    sqlite3_exec(db, "BEGIN;", nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db, "insert into LogInfo values(?,?,?,?)", -1, &insert, nullptr);
    for (int i = 0; i < rows; ++i) {
        // 2000 entries a day: many rows share a date, as on a busy terminal.
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

// Runs one statement with its bound values to its end through the C API,
// reading every column as text, as a model would.
double viaCApi(sqlite3 *db, const QString &sql, const QVariantList &values = {})
{
    QElapsedTimer timer;
    timer.start();
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr);
    for (int i = 0; i < values.size(); ++i) {
        const QVariant &v = values.at(i);
        if (v.type() == QVariant::LongLong || v.type() == QVariant::Int) {
            sqlite3_bind_int64(stmt, i + 1, v.toLongLong());
        } else {
            const QByteArray text = v.toString().toUtf8();
            sqlite3_bind_text(stmt, i + 1, text.constData(), text.size(), SQLITE_TRANSIENT);
        }
    }
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
    return msSince(timer);
}

double medianViaCApi(sqlite3 *db, const QString &sql, const QVariantList &values = {})
{
    QVector<double> times;
    for (int r = 0; r < repeats; ++r) {
        times << viaCApi(db, sql, values);
    }
    return BenchFigures::median(times);
}

// The log screen's table, paged as the screen pages it.
struct LogTable {
    QTableView table;
    QLabel pageCount, pageCurrent;
    QPushButton first, pre, next, last;
    DbPage page;

    explicit LogTable(const QString &conn)
    {
        page.setControl(&table, &pageCount, &pageCurrent, nullptr, nullptr, nullptr, nullptr, &first, &pre, &next,
                        &last, QStringLiteral("rowid"), conn);
        page.setAllCenter(true);
        page.setSelectColumn(QStringLiteral("LogDate,LogTime,LogContent"));
        page.setTableName(QStringLiteral("LogInfo"));
        page.setOrderSql(QStringLiteral("LogDate desc,rowid desc"));
        page.setKeyColumns({QStringLiteral("LogDate desc"), QStringLiteral("rowid desc")});
        page.setWhereSql(logWhere);
        page.setResultCurrent(perPage);
        page.setColumnNames({QStringLiteral("日期"), QStringLiteral("时间"), QStringLiteral("事件")});
        page.setColumnWidths({200, 180, 250});
    }

    int current() const { return pageCurrent.text().split(QLatin1Char(' ')).value(1).toInt(); }

    // select() and the background count; the milliseconds of both.
    bool select(double &selectMs, double &countMs)
    {
        QSignalSpy counted(&page, &DbPage::receiveCount);
        QElapsedTimer timer;
        timer.start();
        page.select(); // the first page is bound before select() returns
        selectMs = msSince(timer);
        if (!counted.wait(60000)) {
            return false;
        }
        countMs = counted.at(0).at(1).toDouble(); // the count thread's own time
        return true;
    }

    // The synchronous part of a press; what a flip leaves for the event loop
    // (a look beyond an end of the table) is run before the next one, and
    // `before` just ahead of the clock.
    double press(void (DbPage::*slot)(), const std::function<void()> &before = {})
    {
        QCoreApplication::processEvents();
        if (before) {
            before();
        }
        QElapsedTimer timer;
        timer.start();
        (page.*slot)();
        return msSince(timer);
    }
};

struct Figures {
    double select = 0, count = 0, cSelect = 0, cCount = 0;
};

Figures measureSelect(const QString &fileName)
{
    Figures f;
    const QString conn = QLatin1String(QSqlDatabase::defaultConnection);
    DbConn::addSqlite(conn, fileName).open();
    QVector<double> tSelect, tCount;
    QString firstSql;
    for (int r = 0; r < repeats; ++r) {
        LogTable t(conn);
        double s = 0, c = 0;
        t.select(s, c);
        tSelect << s;
        tCount << c;
        firstSql = t.page.currentPageSql();
    }
    QSqlDatabase::database(conn).close();
    QSqlDatabase::removeDatabase(conn);
    f.select = BenchFigures::median(tSelect);
    f.count = BenchFigures::median(tCount);

    sqlite3 *db = nullptr;
    sqlite3_open(fileName.toUtf8().constData(), &db);
    f.cSelect = medianViaCApi(db, firstSql);
    f.cCount = medianViaCApi(db, QStringLiteral("select count(rowid) from LogInfo %1").arg(logWhere));
    sqlite3_close(db);
    return f;
}

void printSelect(const char *title, int rows, const Figures &f)
{
    std::printf("%s: LogInfo of %d rows, the management log (a quarter of them), %d rows a page, by key\n", title,
                rows, perPage);
    std::printf("  %-34s %10s %10s %7s\n", "operation", "DbPage", "C API", "ratio");
    std::printf("  %-34s %7.2f ms %7.2f ms %6.2fx\n", "select(): first page, count started", f.select, f.cSelect,
                f.cSelect > 0 ? f.select / f.cSelect : 0.0);
    std::printf("  %-34s %7.2f ms %7.2f ms %6.2fx\n", "count (background thread, slices)", f.count, f.cCount,
                f.cCount > 0 ? f.count / f.cCount : 0.0);
}

// One page button pressed on a page at some depth of the management log.
struct Flip {
    const char *name;
    void (DbPage::*slot)();
    double page = 0;   // DbPage, median
    double cApi = 0;   // the same statement and values through the C API, median
    double offset = 0; // the same page by offset through the C API, for comparison
};

// Leaves a press nothing warm from what ran before it: the connection's page
// cache is released (its pages come back from the system's file cache) and
// the processor's caches are flushed by writing a buffer larger than them.
// Pressed after an operator's pause the caches are as cold; and a press deep
// in the table, reached by a walk of thousands of pages, then starts from the
// same state as a press near the top, so that the figures compare the
// statements and not the walk that led to them.
class CacheCooler
{
public:
    explicit CacheCooler(sqlite3 *db) : db(db), buffer(64 << 20) {}
    void operator()()
    {
        sqlite3_db_release_memory(db);
        std::fill(buffer.begin(), buffer.end(), ++fill);
    }
    static constexpr int mebibytes = 64;

private:
    sqlite3 *db;
    std::vector<char> buffer;
    char fill = 0;
};

void measureDepths(const QString &fileName)
{
    const QString conn = QLatin1String(QSqlDatabase::defaultConnection);
    DbConn::addSqlite(conn, fileName).open();
    // The C API runs on DbPage's own connection, with the same page cache.
    sqlite3 *db = *static_cast<sqlite3 *const *>(QSqlDatabase::database(conn).driver()->handle().data());
    CacheCooler cool(db);
    cool();

    LogTable t(conn);
    double s = 0, c = 0;
    t.select(s, c);
    int flips = 0;
    QObject::connect(&t.page, &DbPage::receivePage, [&flips] { ++flips; });
    const int pages = t.pageCount.text().split(QLatin1Char(' ')).value(1).toInt();
    const QString offsetSql = QStringLiteral("select LogDate,LogTime,LogContent from LogInfo %1 "
                                             "order by LogDate desc,rowid desc limit %2,%3");

    // To a page by the shortest way the buttons offer.
    const auto reach = [&](int target) {
        const int here = t.current();
        const int forward = target >= here ? target - here : pages;
        const int back = target <= here ? here - target : pages;
        const int fromFirst = target;
        const int fromLast = pages - target + 1;
        const int best = qMin(qMin(forward, back), qMin(fromFirst, fromLast));
        if (best == fromFirst && best < forward) {
            t.page.first();
        } else if (best == fromLast && best < back) {
            t.page.last();
        }
        while (t.current() < target) {
            t.page.next();
        }
        while (t.current() > target) {
            t.page.previous();
        }
    };
    // A walk that ends on the last page counts the rows again in the
    // background; no press is timed while a count runs beside it.
    const auto settle = [&] {
        for (QThread *count : t.page.findChildren<QThread *>()) {
            count->wait();
        }
        QCoreApplication::processEvents();
    };
    // Every press is made on a page just reached by one forward flip (下一页
    // from the page before; 第一页 from page 2 for page 1), as an operator's
    // press follows the flip that led there. What the benchmark itself runs
    // between presses grows with depth (the walk of thousands of pages to
    // reach one, the comparison scan by offset of up to 15 ms), and cooling
    // the caches does not undo all it leaves behind: straight after either, a
    // press ran up to 1.9 times as long as after a flip, whatever its own
    // depth. The flip in between makes what ran just before a press the same
    // at every depth.
    const auto arrive = [&](int page) {
        reach(page > 1 ? page - 1 : 2);
        settle();
        if (page > 1) {
            t.page.next();
        } else {
            t.page.first();
        }
        settle();
    };
    // One press of a button on page `from`, then its statement and values as
    // DbPage ran them, and the same page by offset, through the C API; each
    // from cold caches.
    struct Times {
        QVector<double> page, cApi, offset;
    };
    const auto timeFlip = [&](void (DbPage::*slot)(), int from, Times &times) {
        arrive(from);
        times.page << t.press(slot, std::ref(cool));
        const QString sql = t.page.currentPageSql();
        const QVariantList values = t.page.currentPageValues();
        cool();
        times.cApi << viaCApi(db, sql, values);
        cool();
        times.offset << viaCApi(db, offsetSql.arg(logWhere, QString::number((t.current() - 1) * perPage),
                                                  QString::number(perPage)));
    };

    std::printf("full table, each button pressed on the page at a depth of the management log (%d pages),\n"
                "  median of %d presses, each on a page just reached by one forward flip and from\n"
                "  cold caches (the connection's page cache released, the processor's caches flushed by\n"
                "  writing %d MiB);\n"
                "  C API: the same keyed statement and values on the same connection; vs 0 %%: to the same\n"
                "  button at depth 0, DbPage and C API; by offset: the same page with limit m,n (as before)\n",
                pages, coldRepeats, CacheCooler::mebibytes);
    std::printf("  %-20s %5s %10s %10s %7s %7s %7s %12s\n", "button", "depth", "DbPage", "C API", "ratio", "vs 0 %",
                "(C API)", "by offset");
    const qint64 rssStart = rssKiB("VmRSS:");
    qint64 rssAfterFirstRound = 0;
    double worstVsCApi = 0, worstVsDepth0 = 0;
    // The depths take turns, press by press, so that the machine's own ups
    // and downs fall on every depth alike.
    const int depths[] = {0, 25, 50, 100};
    const int depthCount = int(std::size(depths));
    const QVector<Flip> buttons = {{"第一页 first()", &DbPage::first},
                                   {"上一页 previous()", &DbPage::previous},
                                   {"下一页 next()", &DbPage::next},
                                   {"末页 last()", &DbPage::last}};
    QVector<QVector<Times>> times(depthCount, QVector<Times>(buttons.size()));
    for (int r = 0; r < coldRepeats; ++r) {
        for (int d = 0; d < depthCount; ++d) {
            const int at = 1 + int(qint64(pages - 1) * depths[d] / 100);
            // next and previous flip between this page and its neighbour
            // (the last page and the one before it at 100 %); first and
            // last are pressed on this page.
            const int neighbourFrom = qMin(at, pages - 1);
            const int from[] = {at, neighbourFrom + 1, neighbourFrom, at};
            for (int i = 0; i < buttons.size(); ++i) {
                timeFlip(buttons.at(i).slot, from[i], times[d][i]);
            }
        }
        if (r == 0) {
            rssAfterFirstRound = rssKiB("VmRSS:");
        }
    }
    QVector<Flip> atZero;
    for (int d = 0; d < depthCount; ++d) {
        QVector<Flip> here = buttons;
        for (int i = 0; i < here.size(); ++i) {
            here[i].page = BenchFigures::median(times.at(d).at(i).page);
            here[i].cApi = BenchFigures::median(times.at(d).at(i).cApi);
            here[i].offset = BenchFigures::median(times.at(d).at(i).offset);
        }
        if (d == 0) {
            atZero = here;
        }
        for (int i = 0; i < here.size(); ++i) {
            const Flip &f = here.at(i);
            const double vsCApi = f.cApi > 0 ? f.page / f.cApi : 0;
            const double vsZero = atZero.at(i).page > 0 ? f.page / atZero.at(i).page : 0;
            const double cVsZero = atZero.at(i).cApi > 0 ? f.cApi / atZero.at(i).cApi : 0;
            worstVsCApi = qMax(worstVsCApi, vsCApi);
            worstVsDepth0 = qMax(worstVsDepth0, vsZero);
            std::printf("  %-20s %4d%% %7.3f ms %7.3f ms %6.2fx %6.2fx %6.2fx %9.3f ms\n", f.name, depths[d], f.page,
                        f.cApi, vsCApi, vsZero, cVsZero, f.offset);
        }
    }
    const qint64 rssEnd = rssKiB("VmRSS:");
    std::printf("  worst ratio to the C API %.2fx, worst ratio to the same button at depth 0 %.2fx\n", worstVsCApi,
                worstVsDepth0);
    std::printf("  memory while paging: resident %.1f MiB at the start (with the %d MiB buffer), %.1f MiB after "
                "the first round of depths, %.1f MiB after %d pages shown\n",
                rssStart / 1024.0, CacheCooler::mebibytes, rssAfterFirstRound / 1024.0, rssEnd / 1024.0, flips);
    QSqlDatabase::database(conn).close();
    QSqlDatabase::removeDatabase(conn);
}

// The operator's view: from the press on the log button of the main window
// to the first page of the management log on screen, leaving the log screen
// again 50 ms later, while its count may still run (every press of a
// navigation button writes to the log).
QVector<double> logScreenOpen(const QString &fileName)
{
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
            return {};
        }
        auto *nav = w.findChild<QWidget *>(QStringLiteral("pageNav"));
        auto *btnLog = nav->findChild<QAbstractButton *>(QStringLiteral("btnLog"));
        QAbstractButton *btnReturn = nullptr;
        for (int r = 0; r < repeats; ++r) {
            QElapsedTimer timer;
            timer.start();
            btnLog->click(); // shows the page, whose first query is bound before the press returns
            QCoreApplication::processEvents();
            times << msSince(timer);
            if (!btnReturn) {
                btnReturn = w.findChild<QWidget *>(QStringLiteral("frmLog"))->findChild<QAbstractButton *>(QStringLiteral("btnReturn"));
            }
            btnReturn->click();
            QTest::qWait(50);
        }
    }
    QSqlDatabase::database(conn).close();
    QSqlDatabase::removeDatabase(conn);
    if (!times.isEmpty()) {
        times.removeFirst(); // the first press also shows the log screen for the first time
    }
    return times;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int rows = argc > 1 ? qMax(1000, QByteArray(argv[1]).toInt()) : 500000;

    TerminalStart::initResources();
    QTemporaryDir temp;
    const QString small = temp.filePath(QStringLiteral("small.db"));
    const QString full = temp.filePath(QStringLiteral("full.db"));
    const QString oneType = temp.filePath(QStringLiteral("onetype.db"));
    if (!createLog(small, rows / 100) || !createLog(full, rows) || !createLog(oneType, rows, true)) {
        std::fprintf(stderr, "cannot create the test databases\n");
        return 1;
    }
    printSelect("small table", rows / 100, measureSelect(small));
    printSelect("full table", rows, measureSelect(full));
    measureDepths(full);

    // Taking turns, so that the machine's load and the disk fall on both alike.
    QVector<double> quarterTimes, allTimes;
    for (int round = 0; round < 3; ++round) {
        quarterTimes << logScreenOpen(full);
        allTimes << logScreenOpen(oneType);
    }
    const double quarter = BenchFigures::median(quarterTimes);
    const double all = BenchFigures::median(allTimes);
    std::printf("log button of the main window to the first page of the management log, %d rows, median of %d "
                "presses:\n",
                rows, int(quarterTimes.size()));
    std::printf("  a quarter of the rows management log  %7.1f ms\n", quarter);
    std::printf("  every row a management log            %7.1f ms  (%.2fx)\n", all, quarter > 0 ? all / quarter : 0.0);
    std::printf("peak resident memory of the whole run: %.1f MiB\n", rssKiB("VmHWM:") / 1024.0);
    return 0;
}
