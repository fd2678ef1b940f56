#include "sqlitelock.h"
#include "terminalfixture.h"
#include "testseams.h"
#include "testsupport.h"

#include "appconfig.h"
#include "dbcountthread.h"
#include "dbhelper.h"
#include "dbpage.h"
#include "dbconn.h"
#include "frmlog.h"
#include "frmstatus.h"
#include "frmuser.h"
#include "zemiclock.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>
#include <memory>
#include <optional>

using namespace TestSupport;

// The log viewer and the status screen: both page through the local database.
class tst_frmLog : public QObject
{
    Q_OBJECT

private:
    // Made before the fixture: its connection opens with the short busy timeout.
    std::optional<TestSeams> seams;
    std::unique_ptr<TerminalFixture> fixture;

    template <typename Screen>
    std::unique_ptr<Screen> show()
    {
        std::unique_ptr<Screen> screen(new Screen);
        screen->resize(AppConfig::smallScreen() ? 610 : 804, AppConfig::smallScreen() ? 434 : 552);
        screen->show();
        if (!QTest::qWaitForWindowExposed(screen.get())) {
            return nullptr;
        }
        settle(screen.get());
        return screen;
    }

    // The page counts come from threads that delete themselves once their count is delivered.
    static void settle(QWidget *screen)
    {
        QTRY_VERIFY(screen->findChildren<DbCountThread *>().isEmpty());
    }

    static void addLogs(const QString &type, int count, int firstNumber = 1)
    {
        QSqlDatabase::database().transaction();
        for (int i = 0; i < count; ++i) {
            // Dated the clock's today, as the sample rows a screen adds when
            // it is built, and written after them: the newest rows.
            DBHelper::addLog(type, ZemiClock::today().toString(QStringLiteral("yyyy-MM-dd")), QStringLiteral("08:00:00"),
                             QStringLiteral("%1 %2").arg(type).arg(firstNumber + i));
        }
        QSqlDatabase::database().commit();
    }

    static QStringList shownColumn(QWidget *screen, const char *table, int column)
    {
        auto *view = screen->findChild<QTableView *>(QLatin1String(table));
        QStringList values;
        for (int row = 0; row < view->model()->rowCount(); ++row) {
            values << view->model()->index(row, column).data().toString();
        }
        return values;
    }

    static QString text(QWidget *screen, const char *label)
    {
        return screen->findChild<QLabel *>(QLatin1String(label))->text();
    }

private slots:
    void init();
    void cleanup();

    void constructionAddsTenSampleLogsOfOneType();
    void entersOnManagementLogNewestFirst();
    void typeButtonsShowOnlyTheirType_data();
    void typeButtonsShowOnlyTheirType();
    void emptyTypeShowsZeroResults();
    void logRowsPerPage_data();
    void logRowsPerPage();

    void statusConstructionAddsTenGoodsOrTenFaults();
    void basicInformationIsReadAtConstruction();
    void statusListsRowsPerPage_data();
    void statusListsRowsPerPage();
    void statusPagesRequeryWhenChosen();

    void noSampleRowsWhenTurnedOff();
    void sampleBatchGivesUpAtOnceUnderLock_data();
    void sampleBatchGivesUpAtOnceUnderLock();

    void listsPageOnFromTheRowShown_data();
    void listsPageOnFromTheRowShown();
    void logPagesAreIndexSeeks();
};

namespace {
// Debug lines seen while a test runs; every statement that fails leaves one.
QStringList seenMessages;
void collectMessages(QtMsgType, const QMessageLogContext &, const QString &msg)
{
    seenMessages << msg;
}
} // namespace

void tst_frmLog::init()
{
    seams.emplace();
    DbConn::setSqliteBusyTimeout(200);
    ZemiClock::setNow(QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
    fixture.reset(new TerminalFixture);
    QVERIFY(fixture->isValid());
}

void tst_frmLog::cleanup()
{
    fixture.reset();
    seams.reset();
}

void tst_frmLog::constructionAddsTenSampleLogsOfOneType()
{
    for (int built = 1; built <= 3; ++built) {
        frmLog screen;
        QCOMPARE(count(QStringLiteral("select count(*) from LogInfo")), 10 * built);
        const QStringList types = column(QStringLiteral("select distinct LogType from LogInfo where rowid > %1")
                                             .arg(10 * (built - 1)));
        QCOMPARE(types.size(), 1);
        QVERIFY(frmLog::logTypes().contains(types.first()));
    }
}

void tst_frmLog::entersOnManagementLogNewestFirst()
{
    auto screen = show<frmLog>();
    QVERIFY(screen);
    addLogs(QStringLiteral("管理日志"), 25, 100);
    addLogs(QStringLiteral("开柜日志"), 3);
    screen->findChild<QPushButton *>(QStringLiteral("btnLog2"))->click();
    settle(screen.get());
    screen->findChild<QPushButton *>(QStringLiteral("btnNext"))->click();

    // Leaving and entering again: back on the management log, page 1, newest first.
    screen->hide();
    screen->show();
    settle(screen.get());
    QVERIFY(screen->findChild<QPushButton *>(QStringLiteral("btnLog1"))->isChecked());
    QVERIFY(!screen->findChild<QPushButton *>(QStringLiteral("btnLog2"))->isChecked());
    QCOMPARE(text(screen.get(), "labPageCurrent"), QStringLiteral("第 1 页"));
    const QStringList shown = shownColumn(screen.get(), "tableMain", 2);
    QCOMPARE(shown.size(), 10);
    QCOMPARE(shown.first(), QStringLiteral("管理日志 124"));
    QCOMPARE(shown.at(1), QStringLiteral("管理日志 123"));
    QCOMPARE(screen->findChild<QTableView *>(QStringLiteral("tableMain"))->model()->headerData(0, Qt::Horizontal)
                 .toString(),
             QStringLiteral("日期"));
}

void tst_frmLog::typeButtonsShowOnlyTheirType_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("type");
    QTest::newRow("management") << "btnLog1" << "管理日志";
    QTest::newRow("opening") << "btnLog2" << "开柜日志";
    QTest::newRow("alarm") << "btnLog3" << "报警日志";
    QTest::newRow("goods") << "btnLog4" << "物资管理日志";
}

void tst_frmLog::typeButtonsShowOnlyTheirType()
{
    QFETCH(QString, button);
    QFETCH(QString, type);
    auto screen = show<frmLog>();
    for (const QString &t : frmLog::logTypes()) {
        addLogs(t, 4, 1000);
    }
    const int before = count(QStringLiteral("select count(*) from LogInfo where LogType='%1'").arg(type));
    screen->findChild<QPushButton *>(button)->click();
    settle(screen.get());
    QVERIFY(screen->findChild<QPushButton *>(button)->isChecked());
    QCOMPARE(screen->findChildren<QPushButton *>(QRegularExpression(QStringLiteral("^btnLog\\d$"))).size(), 4);
    for (QPushButton *other : screen->findChildren<QPushButton *>(QRegularExpression(QStringLiteral("^btnLog\\d$")))) {
        QCOMPARE(other->isChecked(), other->objectName() == button);
    }
    const QStringList shown = shownColumn(screen.get(), "tableMain", 2);
    QCOMPARE(shown.size(), qMin(before, 10));
    const QStringList ofType = column(QStringLiteral("select LogContent from LogInfo where LogType='%1'").arg(type));
    for (const QString &content : shown) {
        QVERIFY2(ofType.contains(content), qPrintable(content));
    }
    QCOMPARE(shown.first(), type + QStringLiteral(" 1003"));

    // Another press requeries: a new row of the type shows at once.
    addLogs(type, 1, 2000);
    screen->findChild<QPushButton *>(button)->click();
    settle(screen.get());
    QCOMPARE(shownColumn(screen.get(), "tableMain", 2).first(), type + QStringLiteral(" 2000"));
}

void tst_frmLog::emptyTypeShowsZeroResults()
{
    QSqlQuery().exec(QStringLiteral("delete from LogInfo"));
    auto screen = show<frmLog>();
    QSqlQuery().exec(QStringLiteral("delete from LogInfo where LogType='报警日志'"));
    screen->findChild<QPushButton *>(QStringLiteral("btnLog3"))->click();
    settle(screen.get());
    QCOMPARE(shownColumn(screen.get(), "tableMain", 0), QStringList());
    QCOMPARE(text(screen.get(), "labPageCurrent"), QStringLiteral("第 1 页"));
    QCOMPARE(text(screen.get(), "labPageCount"), QStringLiteral("共 0 页"));
    for (const char *name : {"btnFirst", "btnPre", "btnNext", "btnLast"}) {
        QVERIFY2(!screen->findChild<QPushButton *>(QLatin1String(name))->isEnabled(), name);
    }
}

void tst_frmLog::logRowsPerPage_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("rows");
    QTest::newRow("600") << 600 << 10;
    QTest::newRow("480") << 480 << 7;
}

void tst_frmLog::logRowsPerPage()
{
    QFETCH(int, height);
    QFETCH(int, rows);
    AppConfig::MainHeight = height;
    addLogs(QStringLiteral("管理日志"), 30);
    auto screen = show<frmLog>();
    QCOMPARE(screen->rowsPerPage(), rows);
    QCOMPARE(shownColumn(screen.get(), "tableMain", 0).size(), rows);
    auto *table = screen->findChild<QTableView *>(QStringLiteral("tableMain"));
    const int bottom = table->rowViewportPosition(rows - 1) + table->rowHeight(rows - 1);
    QVERIFY2(bottom <= table->viewport()->height(), "a row of the page is cut off");
}

void tst_frmLog::statusConstructionAddsTenGoodsOrTenFaults()
{
    for (int built = 1; built <= 4; ++built) {
        frmStatus screen;
        const int goods = count(QStringLiteral("select count(*) from GoodsInfo"));
        const int errors = count(QStringLiteral("select count(*) from ErrorInfo"));
        QCOMPARE(goods + errors, 10 * built);
        QCOMPARE(goods % 10, 0);
    }
    // The goods carry the same ten identifiers on every start.
    const QStringList ids = column(QStringLiteral("select distinct GoodsID||'/'||GoodsEPC from GoodsInfo order by 1"));
    if (!ids.isEmpty()) {
        QCOMPARE(ids.size(), 10);
        QCOMPARE(ids.first(), QStringLiteral("WP000/EPC000"));
        QCOMPARE(ids.last(), QStringLiteral("WP009/EPC009"));
    }
}

void tst_frmLog::basicInformationIsReadAtConstruction()
{
    AppConfig::IPClient = QStringLiteral("10.0.0.7");
    AppConfig::IPServer = QStringLiteral("10.0.0.1");
    AppConfig::IPServer2 = QStringLiteral("10.0.0.2");
    auto screen = show<frmStatus>();
    auto *table = screen->findChild<QTableWidget *>(QStringLiteral("tableMain"));
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        rows << table->item(row, 0)->text() + QLatin1Char('=') + table->item(row, 1)->text();
    }
    QCOMPARE(rows, QStringList({"MAC地址=20-02-4B-96-00-1B", "本机IP=10.0.0.7", "连接状态=远程控制中心正常",
                                "主服务器IP=10.0.0.1", "从服务器IP=10.0.0.2",
                                "温湿度状态=温度设备未接入 / 湿度设备未接入",
                                "版本信息=HAV2800  硬件版本: V1.0  软件版本: V1.0"}));
    QCOMPARE(screen->findChild<QStackedWidget *>(QStringLiteral("stackedWidget"))->currentIndex(), 0);

    // A change of the settings shows after the next start only.
    AppConfig::IPClient = QStringLiteral("10.9.9.9");
    screen->hide();
    screen->show();
    QCOMPARE(table->item(1, 1)->text(), QStringLiteral("10.0.0.7"));
}

void tst_frmLog::statusListsRowsPerPage_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("rows");
    QTest::newRow("600") << 600 << 13;
    QTest::newRow("480") << 480 << 10;
}

void tst_frmLog::statusListsRowsPerPage()
{
    QFETCH(int, height);
    QFETCH(int, rows);
    AppConfig::MainHeight = height;
    for (int i = 0; i < 30; ++i) {
        DBHelper::addError(QStringLiteral("门磁"), QStringLiteral("故障 %1").arg(i));
        DBHelper::addGoods(QStringLiteral("G%1").arg(i), QStringLiteral("E%1").arg(i), QStringLiteral("枪支"),
                           QStringLiteral("在柜"));
    }
    auto screen = show<frmStatus>();
    QCOMPARE(screen->rowsPerPage(), rows);
    for (const char *name : {"btnStatus1", "btnStatus2"}) {
        screen->findChild<QPushButton *>(QLatin1String(name))->click();
        settle(screen.get());
        const char *table = name[9] == '1' ? "tableMain1" : "tableMain2";
        QCOMPARE(shownColumn(screen.get(), table, 0).size(), rows);
        auto *view = screen->findChild<QTableView *>(QLatin1String(table));
        const int bottom = view->rowViewportPosition(rows - 1) + view->rowHeight(rows - 1);
        QVERIFY2(bottom <= view->viewport()->height(),
                 qPrintable(QStringLiteral("%1: %2 > %3").arg(table).arg(bottom).arg(view->viewport()->height())));
    }
}

void tst_frmLog::statusPagesRequeryWhenChosen()
{
    auto screen = show<frmStatus>();
    auto *stack = screen->findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
    DBHelper::addError(QStringLiteral("门磁"), QStringLiteral("最新故障"));
    screen->findChild<QPushButton *>(QStringLiteral("btnStatus2"))->click();
    settle(screen.get());
    QCOMPARE(stack->currentIndex(), 2);
    QVERIFY(screen->findChild<QPushButton *>(QStringLiteral("btnStatus2"))->isChecked());
    QVERIFY(!screen->findChild<QPushButton *>(QStringLiteral("btnStatus"))->isChecked());
    QCOMPARE(shownColumn(screen.get(), "tableMain2", 1).first(), QStringLiteral("最新故障"));
    QVERIFY(text(screen.get(), "labResultCount2").startsWith(QStringLiteral("共 ")));

    DBHelper::addGoods(QStringLiteral("G1"), QStringLiteral("E1"), QStringLiteral("枪支"), QStringLiteral("最新物资"));
    screen->findChild<QPushButton *>(QStringLiteral("btnStatus1"))->click();
    settle(screen.get());
    QCOMPARE(stack->currentIndex(), 1);
    QCOMPARE(shownColumn(screen.get(), "tableMain1", 3).first(), QStringLiteral("最新物资"));
    screen->findChild<QPushButton *>(QStringLiteral("btnStatus"))->click();
    QCOMPARE(stack->currentIndex(), 0);
}

void tst_frmLog::noSampleRowsWhenTurnedOff()
{
    AppConfig::SampleData = false;
    {
        frmLog log;
        frmStatus status;
        settle(&log);
        settle(&status);
    }
    QCOMPARE(count(QStringLiteral("select (select count(*) from LogInfo)+(select count(*) from GoodsInfo)"
                                  "+(select count(*) from ErrorInfo)")),
             0);
}

void tst_frmLog::sampleBatchGivesUpAtOnceUnderLock_data()
{
    QTest::addColumn<bool>("status");
    QTest::newRow("log screen") << false;
    QTest::newRow("status screen") << true;
}

void tst_frmLog::sampleBatchGivesUpAtOnceUnderLock()
{
    QFETCH(bool, status);
    const int before = count(QStringLiteral("select (select count(*) from LogInfo)+(select count(*) from GoodsInfo)"
                                            "+(select count(*) from ErrorInfo)"));
    std::unique_ptr<QWidget> screen;
    {
        SqliteLock lock(fixture->dbFile());
        seenMessages.clear();
        const QtMessageHandler previous = qInstallMessageHandler(collectMessages);
        if (status) {
            screen.reset(new frmStatus);
        } else {
            screen.reset(new frmLog);
        }
        qInstallMessageHandler(previous);
        settle(screen.get());
    }
    // The batch asked for the database once and gave up: no insert waited out the lock.
    const QStringList inserts = seenMessages.filter(QStringLiteral("insert into"));
    QVERIFY2(inserts.isEmpty(), qPrintable(inserts.join(QLatin1Char('\n'))));
    QCOMPARE(seenMessages.filter(QStringLiteral("write transaction refused")).size(), 1);
    // All or nothing.
    QCOMPARE(count(QStringLiteral("select (select count(*) from LogInfo)+(select count(*) from GoodsInfo)"
                                  "+(select count(*) from ErrorInfo)")),
             before);
}

void tst_frmLog::listsPageOnFromTheRowShown_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("rowsInOrder");
    QTest::addColumn<QString>("change");

    QTest::newRow("log, a newer entry arrives")
        << "log" << "select LogContent from LogInfo where LogType='管理日志' order by LogDate desc, rowid desc"
        << "insert into LogInfo values('管理日志','2099-01-01','00:00:00','最新日志')";
    QTest::newRow("faults, a new fault arrives")
        << "faults" << "select ErrorContent from ErrorInfo order by rowid desc"
        << "insert into ErrorInfo values('门磁','最新故障')";
    QTest::newRow("users, a user of the page shown deleted")
        << "users" << "select UserID from UserInfo order by rowid asc"
        << "delete from UserInfo where rowid = (select min(rowid) from UserInfo)";
}

void tst_frmLog::listsPageOnFromTheRowShown()
{
    // The next page follows the last row shown, whatever was added or
    // deleted meanwhile: no row repeated, none skipped.
    QFETCH(QString, screen);
    QFETCH(QString, rowsInOrder);
    QFETCH(QString, change);

    addLogs(QStringLiteral("管理日志"), 30);
    for (int i = 1; i <= 30; ++i) {
        DBHelper::addError(QStringLiteral("门磁"), QStringLiteral("故障 %1").arg(i));
        DBHelper::addUser(QStringLiteral("U%1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("用户"),
                          QStringLiteral("1"), QString(), QString(), QStringLiteral("/////////"));
    }
    std::unique_ptr<QWidget> widget;
    const char *table = "tableMain";
    const char *next = "btnNext";
    int contentColumn = 0;
    if (screen == QLatin1String("log")) {
        widget = show<frmLog>();
        contentColumn = 2;
    } else if (screen == QLatin1String("faults")) {
        widget = show<frmStatus>();
        widget->findChild<QPushButton *>(QStringLiteral("btnStatus2"))->click();
        settle(widget.get());
        table = "tableMain2";
        next = "btnNext2";
        contentColumn = 1;
    } else {
        widget = show<frmUser>();
    }
    QVERIFY(widget);

    const QStringList before = column(rowsInOrder);
    const QStringList first = shownColumn(widget.get(), table, contentColumn);
    QVERIFY(first.size() > 1);
    QCOMPARE(first, before.mid(0, first.size()));

    QVERIFY(QSqlQuery().exec(change));
    widget->findChild<QPushButton *>(QLatin1String(next))->click();
    settle(widget.get());
    const QStringList second = shownColumn(widget.get(), table, contentColumn);
    QCOMPARE(second, before.mid(first.size(), first.size()));
}

void tst_frmLog::logPagesAreIndexSeeks()
{
    // However deep a page of a type lies, it is read by seeking the type's
    // index, never by walking or sorting the type.
    addLogs(QStringLiteral("管理日志"), 95);
    addLogs(QStringLiteral("开柜日志"), 20);
    auto screen = show<frmLog>();
    QVERIFY(screen);
    auto *page = screen->findChild<DbPage *>();
    QVERIFY(page && page->pagesByKey());
    const auto plan = [page] {
        QSqlQuery query;
        query.prepare(QStringLiteral("explain query plan ") + page->currentPageSql());
        for (const QVariant &value : page->currentPageValues()) {
            query.addBindValue(value);
        }
        QStringList steps;
        if (query.exec()) {
            while (query.next()) {
                steps << query.value(3).toString();
            }
        }
        return steps;
    };
    for (const char *button : {"", "btnNext", "btnNext", "btnLast", "btnPre", "btnFirst"}) {
        if (*button) {
            screen->findChild<QPushButton *>(QLatin1String(button))->click();
            settle(screen.get());
        }
        const QStringList steps = plan();
        const QString shown = QStringLiteral("%1: %2").arg(QLatin1String(button), steps.join(QLatin1String(" / ")));
        QVERIFY2(!steps.filter(QStringLiteral("USING INDEX LogInfo_Index (LogType=?")).isEmpty(), qPrintable(shown));
        QVERIFY2(steps.filter(QStringLiteral("SCAN LogInfo")).isEmpty(), qPrintable(shown));
        if (qstrcmp(button, "btnNext") == 0 || qstrcmp(button, "btnPre") == 0) {
            // Into the type at the row shown, not from its start.
            QVERIFY2(!steps.filter(QRegularExpression(QStringLiteral("LogDate[<>]\\?"))).isEmpty(), qPrintable(shown));
        }
        // A page read backwards is put in order again: a sort of its ten rows, not of the type.
        const bool backwards = page->currentPageSql().startsWith(QLatin1String("select * from ("));
        QCOMPARE(steps.filter(QStringLiteral("TEMP B-TREE")).size(), backwards ? 1 : 0);
    }
}

QTEST_MAIN(tst_frmLog)
#include "tst_frmlog.moc"
