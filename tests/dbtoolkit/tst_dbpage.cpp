#include "dbcountthread.h"
#include "dbpage.h"
#include "dbconn.h"
#include "sqlitelock.h"
#include "sqlquerymodel.h"
#include "testseams.h"
#include "testsupport.h"

#include <QLabel>
#include <QPushButton>
#include <QSqlError>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

using namespace TestSupport;

// A table view with the six labels and four buttons, paged over a temporary database.
class PagedTable
{
public:
    QTableView table;
    QLabel pageCount, pageCurrent, resultCount, resultCurrent, result, info;
    QPushButton first, pre, next, last;
    DbPage page;

    explicit PagedTable(const QString &countName = QStringLiteral("rowid"),
                        const QString &connName = QLatin1String(QSqlDatabase::defaultConnection))
    {
        page.setControl(&table, &pageCount, &pageCurrent, &resultCount, &resultCurrent, &result, &info, &first,
                        &pre, &next, &last, countName, connName);
        page.setTableName(QStringLiteral("LogInfo"));
        page.setSelectColumn(QStringLiteral("LogContent,LogType"));
        page.setOrderSql(QStringLiteral("rowid asc"));
        page.setColumnNames({QStringLiteral("内容"), QStringLiteral("类型")});
        page.setColumnWidths({120, 80});
    }

    QList<bool> buttons() const
    {
        return {first.isEnabled(), pre.isEnabled(), next.isEnabled(), last.isEnabled()};
    }

    QString cell(int row, int column) const { return page.model()->index(row, column).data().toString(); }

    // The first column of every row shown.
    QStringList shown() const
    {
        QStringList rows;
        for (int row = 0; row < page.model()->rowCount(); ++row) {
            rows << cell(row, 0);
        }
        return rows;
    }

    // What the operator sees: rows, labels and which buttons can be pressed.
    QStringList screen() const
    {
        QString enabled;
        for (bool on : buttons()) {
            enabled += on ? QLatin1Char('1') : QLatin1Char('0');
        }
        return {shown().join(QLatin1Char('|')), pageCurrent.text(), pageCount.text(), resultCount.text(),
                info.text(), enabled};
    }

    // Counts start on select() and on flips that find the page count out of
    // date (the end of the table is looked at just after a flip); each
    // thread deletes itself once its count is delivered.
    bool settle()
    {
        QCoreApplication::processEvents();
        return QTest::qWaitFor([this] { return page.findChildren<DbCountThread *>().isEmpty(); }, 10000);
    }
};

QSet<QString> asSet(const QStringList &list)
{
    return QSet<QString>(list.begin(), list.end());
}

class tst_DbPage : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> temp;

    static void fillLog(int rows, const QString &connName = QLatin1String(QSqlDatabase::defaultConnection))
    {
        QSqlDatabase db = QSqlDatabase::database(connName);
        db.transaction();
        QSqlQuery query(db);
        query.prepare(QStringLiteral("insert into LogInfo values('管理日志','2026-12-10','08:00:00',?)"));
        for (int i = 1; i <= rows; ++i) {
            query.addBindValue(QStringLiteral("row %1").arg(i));
            query.exec();
        }
        db.commit();
    }

    // Rows "row 1" to "row <rows>" of LogInfo, row i dated day(i) days after 2026-01-01.
    static void fillDated(int rows, const std::function<int(int)> &day)
    {
        QSqlDatabase db = QSqlDatabase::database();
        db.transaction();
        QSqlQuery query(db);
        query.prepare(QStringLiteral("insert into LogInfo values('管理日志',?,'08:00:00',?)"));
        for (int i = 1; i <= rows; ++i) {
            query.addBindValue(QDate(2026, 1, 1).addDays(day(i)).toString(QStringLiteral("yyyy-MM-dd")));
            query.addBindValue(QStringLiteral("row %1").arg(i));
            query.exec();
        }
        db.commit();
    }

    // Rows "row 1" to "row <rows>", a thousand of them a day from 2026-01-01.
    static bool fillByThousandsADay(int rows)
    {
        return QSqlQuery().exec(QStringLiteral(
            "with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
            "insert into LogInfo select '管理日志', date('2026-01-01', '+' || (i / 1000) || ' days'), '08:00:00', "
            "'row ' || i from n").arg(rows));
    }

    // Walks both tables to the end and back and compares what they show.
    static void compareWalks(PagedTable &keyed, PagedTable &offset, int rows)
    {
        QCOMPARE(keyed.screen(), offset.screen());

        // 下一页 to the end: the same screens, every row once.
        QList<QStringList> forward{keyed.shown()};
        while (keyed.next.isEnabled() && forward.size() <= 10) {
            keyed.next.click();
            offset.next.click();
            QCOMPARE(keyed.screen(), offset.screen());
            forward << keyed.shown();
        }
        QCOMPARE(forward.size(), qMax(1, (rows + 9) / 10));
        QStringList all;
        for (const QStringList &page : forward) {
            all << page;
        }
        QCOMPARE(all.size(), rows);
        QCOMPARE(asSet(all).size(), rows);

        // 末页, then 上一页 back to the start: the forward walk reversed.
        keyed.last.click();
        offset.last.click();
        QCOMPARE(keyed.screen(), offset.screen());
        QList<QStringList> backward{keyed.shown()};
        while (keyed.pre.isEnabled() && backward.size() <= 10) {
            keyed.pre.click();
            offset.pre.click();
            QCOMPARE(keyed.screen(), offset.screen());
            backward << keyed.shown();
        }
        std::reverse(backward.begin(), backward.end());
        QCOMPARE(backward, forward);

        keyed.last.click();
        offset.last.click();
        keyed.first.click();
        offset.first.click();
        QCOMPARE(keyed.screen(), offset.screen());
        QVERIFY(keyed.settle()); // no page found the count out of date
    }

    // Reopens the default connection with a short busy timeout, for lock tests.
    void reopenWithShortTimeout()
    {
        closeConnection();
        DbConn::setSqliteBusyTimeout(200);
        QVERIFY(DbConn::addSqlite(QLatin1String(QSqlDatabase::defaultConnection),
                                  temp->filePath(QStringLiteral("safe.db"))).open());
    }

    // select() and wait for the background count.
    static void selectAndWait(PagedTable &t)
    {
        QSignalSpy counted(&t.page, &DbPage::receiveCount);
        t.page.select();
        QVERIFY(counted.wait(5000));
    }

private slots:
    void init();
    void cleanup();

    void paging_data();
    void paging();
    void nothingQueriedPastTheEnds();
    void lastAndFirst();
    void insertedEmptyColumn();
    void hoverColours();
    void masking_data();
    void masking();
    void alignment();
    void staleCountIsIgnored();
    void countThreadUsesItsOwnConnection();
    void pageClosedWhileCounting();
    void memoryDatabaseIsCountedHere_data();
    void memoryDatabaseIsCountedHere();

    void keyedPagesMatchOffsetPages_data();
    void keyedPagesMatchOffsetPages();
    void keyedPagesOnMySql_data();
    void keyedPagesOnMySql();
    void walksWithRowsAddedOrDeleted_data();
    void walksWithRowsAddedOrDeleted();
    void countOverSeveralSlices_data();
    void countOverSeveralSlices();
    void staleCountStopsBetweenSlices();
    void whereClauseKeepsItsMeaning();
    void keyColumnsThatCannotPageByKey_data();
    void keyColumnsThatCannotPageByKey();
    void failedFlipLeavesThePage();
    void failedReadsAreNoRows();

private:
    std::optional<TestSeams> seams;
};

void tst_DbPage::init()
{
    seams.emplace();
    temp.reset(new QTemporaryDir);
    QVERIFY(createTerminalDatabase(temp->filePath(QStringLiteral("safe.db"))));
    openSqlite(temp->filePath(QStringLiteral("safe.db")));
}

void tst_DbPage::cleanup()
{
    closeConnection();
    for (const QString &name : {QStringLiteral("mem"), QStringLiteral("mysql")}) {
        if (QSqlDatabase::contains(name)) {
            closeConnection(name);
        }
    }
    temp.reset();
    seams.reset();
}

void tst_DbPage::paging_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("perPage");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("rowsOnFirstPage");
    QTest::addColumn<bool>("buttonsEnabled");

    QTest::newRow("0 rows") << 0 << 30 << 0 << 0 << false;
    QTest::newRow("1 row") << 1 << 30 << 1 << 1 << false;
    QTest::newRow("30 rows at 30") << 30 << 30 << 1 << 30 << false;
    QTest::newRow("31 rows at 30") << 31 << 30 << 2 << 30 << true;
    QTest::newRow("100 rows at 11") << 100 << 11 << 10 << 11 << true;
}

void tst_DbPage::paging()
{
    QFETCH(int, rows);
    QFETCH(int, perPage);
    QFETCH(int, pages);
    QFETCH(int, rowsOnFirstPage);
    QFETCH(bool, buttonsEnabled);

    fillLog(rows);
    PagedTable t;
    t.page.setResultCurrent(perPage);
    QSignalSpy pageSpy(&t.page, &DbPage::receivePage);
    selectAndWait(t);

    QCOMPARE(t.page.model()->rowCount(), rowsOnFirstPage);
    QCOMPARE(t.buttons(), QList<bool>({buttonsEnabled, buttonsEnabled, buttonsEnabled, buttonsEnabled}));
    QCOMPARE(t.pageCurrent.text(), QStringLiteral("第 1 页"));
    QCOMPARE(t.pageCount.text(), QStringLiteral("共 %1 页").arg(pages));
    QCOMPARE(t.resultCount.text(), QStringLiteral("共 %1 条").arg(rows));
    QCOMPARE(t.resultCurrent.text(), QStringLiteral("每页 %1 条").arg(perPage));
    QCOMPARE(t.info.text(), QStringLiteral("共 %1 条  每页 %2 条  共 %3 页  第 1 页").arg(rows).arg(perPage).arg(pages));
    QVERIFY(t.result.text().startsWith(QStringLiteral("查询用时 ")));
    QVERIFY(t.result.text().endsWith(QStringLiteral(" 秒")));
    QCOMPARE(pageSpy.last(), QList<QVariant>({1u, uint(pages), uint(rows), uint(perPage)}));
    QCOMPARE(t.page.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("内容"));
    QCOMPARE(t.table.columnWidth(0), 120);
    if (rows > 0) {
        QCOMPARE(t.cell(0, 0), QStringLiteral("row 1"));
    }

    if (pages == 2) {
        t.next.click();
        QCOMPARE(t.page.model()->rowCount(), 1);
        QCOMPARE(t.cell(0, 0), QStringLiteral("row 31"));
        QCOMPARE(t.buttons(), QList<bool>({true, true, false, false}));
        QCOMPARE(t.pageCurrent.text(), QStringLiteral("第 2 页"));
    }
}

void tst_DbPage::nothingQueriedPastTheEnds()
{
    fillLog(45);
    PagedTable t;
    selectAndWait(t);
    QSignalSpy pageSpy(&t.page, &DbPage::receivePage);
    t.page.previous(); // on page 1
    QCOMPARE(pageSpy.count(), 0);
    QCOMPARE(t.buttons(), QList<bool>({false, false, true, true}));

    t.page.next();
    QCOMPARE(pageSpy.count(), 1);
    const QString sql = t.page.currentPageSql();
    t.page.next(); // on the last page
    QCOMPARE(pageSpy.count(), 1);
    QCOMPARE(t.page.currentPageSql(), sql);
    QCOMPARE(t.cell(0, 0), QStringLiteral("row 31"));
}

void tst_DbPage::lastAndFirst()
{
    fillLog(95);
    PagedTable t;
    t.page.setResultCurrent(10);
    selectAndWait(t);
    t.last.click();
    QCOMPARE(t.page.model()->rowCount(), 5);
    QCOMPARE(t.cell(0, 0), QStringLiteral("row 91"));
    QCOMPARE(t.buttons(), QList<bool>({true, true, false, false}));
    t.pre.click();
    QCOMPARE(t.cell(0, 0), QStringLiteral("row 81"));
    QCOMPARE(t.buttons(), QList<bool>({true, true, true, true}));
    t.first.click();
    QCOMPARE(t.cell(0, 0), QStringLiteral("row 1"));
    QCOMPARE(t.buttons(), QList<bool>({false, false, true, true}));
}

void tst_DbPage::insertedEmptyColumn()
{
    fillLog(3);
    PagedTable t;
    t.page.setInsertColumnIndex(0);
    t.page.setInsertColumnName(QStringLiteral("选择"));
    t.page.setInsertColumnWidth(44);
    selectAndWait(t);
    QCOMPARE(t.page.model()->columnCount(), 3);
    QCOMPARE(t.page.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("选择"));
    QCOMPARE(t.page.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("内容"));
    QCOMPARE(t.page.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("类型"));
    QCOMPARE(t.table.columnWidth(0), 44);
    QCOMPARE(t.table.columnWidth(1), 120);
    QCOMPARE(t.cell(0, 0), QString());
    QCOMPARE(t.cell(0, 1), QStringLiteral("row 1"));
}

void tst_DbPage::hoverColours()
{
    fillLog(3);
    PagedTable t;
    selectAndWait(t);
    SqlQueryModel *model = t.page.model();
    model->setProperty("hoverRow", 1);
    model->setProperty("hoverBgColor", QStringLiteral("#102030"));
    model->setProperty("hoverTextColor", QStringLiteral("#FFEEDD"));
    QCOMPARE(model->index(1, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(QStringLiteral("#102030")));
    QCOMPARE(model->index(1, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(QStringLiteral("#FFEEDD")));
    QVERIFY(!model->index(0, 0).data(Qt::BackgroundRole).isValid());
    QCOMPARE(model->index(1, 0).data().toString(), QStringLiteral("row 2"));
}

void tst_DbPage::masking_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("11 characters") << "13812345678" << "138****5678";
    QTest::newRow("shorter than the range") << "12345" << "123**";
    QTest::newRow("chinese") << "张三李四王五赵六" << "张三李****六";
    QTest::newRow("empty") << "" << "";
}

void tst_DbPage::masking()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    {
        QSqlQuery query;
        query.prepare(QStringLiteral("insert into LogInfo values('t','d','t',?)"));
        query.addBindValue(text);
        QVERIFY(query.exec());
    }
    PagedTable t;
    t.page.setSelectColumn(QStringLiteral("LogType,LogContent"));
    selectAndWait(t);
    SqlQueryModel *model = t.page.model();
    model->setProperty("hideColumn", 1);
    model->setProperty("hideStart", 3);
    model->setProperty("hideEnd", 6);
    model->setProperty("hideLetter", QStringLiteral("*"));
    QCOMPARE(model->index(0, 1).data().toString(), shown);
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("t")); // other columns as they are
    QCOMPARE(model->index(0, 1).data(Qt::EditRole).toString(), text);  // only the display is masked
}

void tst_DbPage::alignment()
{
    fillLog(1);
    PagedTable t;
    t.page.setAlignCenterColumn({0, 1});
    t.page.setAlignRightColumn({1});
    selectAndWait(t);
    QCOMPARE(t.page.model()->index(0, 0).data(Qt::TextAlignmentRole).toInt(), 132);
    QCOMPARE(t.page.model()->index(0, 1).data(Qt::TextAlignmentRole).toInt(), 130);
    t.page.setAllCenter(true);
    QCOMPARE(t.page.model()->index(0, 1).data(Qt::TextAlignmentRole).toInt(), 132);
}

void tst_DbPage::staleCountIsIgnored()
{
    fillLog(50);
    PagedTable t;
    t.page.setResultCurrent(10);
    QSignalSpy counted(&t.page, &DbPage::receiveCount);
    t.page.setWhereSql(QStringLiteral("where 1=1"));
    t.page.select();                                           // 50 rows: 5 pages
    t.page.setWhereSql(QStringLiteral("where LogContent='row 7'"));
    t.page.select();                                           // 1 row
    QTRY_COMPARE_WITH_TIMEOUT(counted.count(), 1, 5000);
    QTest::qWait(200); // give the older count every chance to arrive
    QCOMPARE(counted.count(), 1);
    QCOMPARE(counted.at(0).at(0).toUInt(), 1u);
    QCOMPARE(t.page.model()->rowCount(), 1);
    QCOMPARE(t.cell(0, 0), QStringLiteral("row 7"));
    QCOMPARE(t.pageCount.text(), QStringLiteral("共 1 页"));
}

void tst_DbPage::countThreadUsesItsOwnConnection()
{
    fillLog(5);
    PagedTable t;
    selectAndWait(t);
    // Only the test's own connection is left once the count has run.
    QTRY_COMPARE(QSqlDatabase::connectionNames(), QStringList{QLatin1String(QSqlDatabase::defaultConnection)});
}

void tst_DbPage::pageClosedWhileCounting()
{
    // A screen may close while its count still runs: the page must not go
    // before its count thread (Qt aborts on a running thread's destruction).
    fillLog(2000);
    auto t = std::make_unique<PagedTable>();
    // An uncorrelated sub-query that takes a while: the count is still running below.
    t->page.setWhereSql(QStringLiteral("where (select count(*) from LogInfo a, LogInfo b) > 0"));
    t->page.select();
    QCOMPARE(t->page.model()->rowCount(), 30);
    t.reset();
    QTRY_COMPARE(QSqlDatabase::connectionNames(), QStringList{QLatin1String(QSqlDatabase::defaultConnection)});
}

void tst_DbPage::memoryDatabaseIsCountedHere_data()
{
    QTest::addColumn<QString>("databaseName");
    QTest::addColumn<QString>("options");
    QTest::newRow(":memory:") << ":memory:" << "";
    QTest::newRow("shared memory URI") << "file:pagemem?mode=memory&cache=shared" << "QSQLITE_OPEN_URI";
    QTest::newRow("file::memory:") << "file::memory:" << "QSQLITE_OPEN_URI";
}

void tst_DbPage::memoryDatabaseIsCountedHere()
{
    QFETCH(QString, databaseName);
    QFETCH(QString, options);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mem"));
        db.setDatabaseName(databaseName);
        db.setConnectOptions(options);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral("create table LogInfo (LogType VARCHAR (10), LogDate VARCHAR (10), "
                                          "LogTime VARCHAR (8), LogContent VARCHAR (30))")));
    }
    fillLog(45, QStringLiteral("mem"));

    PagedTable t;
    t.page.setConnName(QStringLiteral("mem"));
    QSignalSpy counted(&t.page, &DbPage::receiveCount);
    t.page.select();
    // Counted before select() returns: no other connection was asked.
    QCOMPARE(counted.count(), 1);
    QCOMPARE(counted.at(0).at(0).toUInt(), 45u);
    QCOMPARE(t.pageCount.text(), QStringLiteral("共 2 页"));
    QCOMPARE(t.resultCount.text(), QStringLiteral("共 45 条"));
    QCOMPARE(t.page.model()->rowCount(), 30);
    QCOMPARE(t.buttons(), QList<bool>({true, true, true, true}));
    t.next.click();
    QCOMPARE(t.cell(0, 0), QStringLiteral("row 31"));
    QCOMPARE(QSqlDatabase::connectionNames().size(), 2);
}

void tst_DbPage::keyedPagesMatchOffsetPages_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("order");
    QTest::addColumn<int>("days"); // rows spread over this many dates, out of rowid order

    for (int rows : {0, 1, 10, 11, 95, 100}) {
        QTest::addRow("%d rows, rowid", rows) << rows << QStringList{"rowid"} << "rowid asc" << 1;
        QTest::addRow("%d rows, rowid desc", rows) << rows << QStringList{"rowid desc"} << "rowid desc" << 1;
        QTest::addRow("%d rows, date and rowid desc", rows)
            << rows << QStringList{"LogDate desc", "rowid desc"} << "LogDate desc,rowid desc" << 13;
        QTest::addRow("%d rows, all of one date", rows)
            << rows << QStringList{"LogDate", "rowid asc"} << "LogDate asc,rowid asc" << 1;
    }
}

void tst_DbPage::keyedPagesMatchOffsetPages()
{
    QFETCH(int, rows);
    QFETCH(QStringList, keys);
    QFETCH(QString, order);
    QFETCH(int, days);

    fillDated(rows, [days](int i) { return i * 7 % days; });
    PagedTable offset, keyed;
    for (PagedTable *t : {&offset, &keyed}) {
        t->page.setResultCurrent(10);
        t->page.setOrderSql(order);
    }
    keyed.page.setKeyColumns(keys);
    QVERIFY(keyed.page.pagesByKey());
    QVERIFY(!offset.page.pagesByKey());
    selectAndWait(offset);
    selectAndWait(keyed);
    compareWalks(keyed, offset, rows);
}

void tst_DbPage::keyedPagesOnMySql_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("order");
    QTest::newRow("id") << QStringList{"id"} << "id asc";
    QTest::newRow("date and id desc") << QStringList{"LogDate desc", "id desc"} << "LogDate desc,id desc";
}

void tst_DbPage::keyedPagesOnMySql()
{
    // Other servers page by row-value comparisons, counted in one statement.
    QFETCH(QStringList, keys);
    QFETCH(QString, order);
    const QString host = qEnvironmentVariable("SECSUITE_MYSQL_HOST");
    if (host.isEmpty()) {
        QSKIP("SECSUITE_MYSQL_HOST is not set: no MySQL server to page on");
    }
    const QString conn = QStringLiteral("mysql");
    const QString schema = QStringLiteral("dbpage_%1").arg(QCoreApplication::applicationPid());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), conn);
        db.setHostName(host);
        db.setPort(qEnvironmentVariableIntValue("SECSUITE_MYSQL_PORT"));
        db.setUserName(qEnvironmentVariable("SECSUITE_MYSQL_USER"));
        db.setPassword(qEnvironmentVariable("SECSUITE_MYSQL_PASSWORD"));
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral("drop database if exists %1").arg(schema)));
        QVERIFY(query.exec(QStringLiteral("create database %1 character set utf8mb4").arg(schema)));
        db.close();
        db.setDatabaseName(schema);
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        QVERIFY(query.exec(QStringLiteral("create table LogInfo (id int auto_increment primary key, LogType varchar(10), "
                                          "LogDate varchar(10), LogTime varchar(8), LogContent varchar(30), "
                                          "index (LogDate, id))")));
        query.prepare(QStringLiteral("insert into LogInfo (LogType, LogDate, LogTime, LogContent) values(?,?,?,?)"));
        for (int i = 1; i <= 95; ++i) {
            query.addBindValue(QStringLiteral("管理日志"));
            query.addBindValue(QDate(2026, 1, 1).addDays(i * 7 % 13).toString(QStringLiteral("yyyy-MM-dd")));
            query.addBindValue(QStringLiteral("08:00:00"));
            query.addBindValue(QStringLiteral("row %1").arg(i));
            QVERIFY(query.exec());
        }
    }
    {
        PagedTable offset(QStringLiteral("*"), conn), keyed(QStringLiteral("*"), conn);
        for (PagedTable *t : {&offset, &keyed}) {
            t->page.setResultCurrent(10);
            t->page.setOrderSql(order);
        }
        keyed.page.setKeyColumns(keys);
        selectAndWait(offset);
        selectAndWait(keyed);
        QVERIFY(keyed.page.currentPageSql().contains(QLatin1String("dbpage_key0")));
        compareWalks(keyed, offset, 95);
    }
    QSqlQuery(QStringLiteral("drop database %1").arg(schema), QSqlDatabase::database(conn)).finish();
    closeConnection(conn);
}

void tst_DbPage::walksWithRowsAddedOrDeleted_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<bool>("backward");     // from 末页 with 上一页, else from page 1 with 下一页
    QTest::addColumn<int>("changeAfter");   // flips made before the change
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("finalPage");
    QTest::addColumn<int>("finalPages");
    QTest::addColumn<bool>("endRepeats");   // the walk ends on a page shown before: its rows were deleted

    // 100 rows, ten a page; row i has rowid i and is dated (i - 1) / 10 days after 2026-01-01.
    const QStringList rowid{"rowid"};
    const QStringList newest{"LogDate desc", "rowid desc"};
    const QString addFive = QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 5) "
                                           "insert into LogInfo select '管理日志','%1','09:00:00','new '||i from n");
    QTest::newRow("rows of the next page deleted")
        << rowid << false << 1 << "delete from LogInfo where rowid between 21 and 30" << 9 << 9 << true;
    QTest::newRow("every row after the page deleted")
        << rowid << false << 2 << "delete from LogInfo where rowid > 30" << 3 << 3 << true;
    QTest::newRow("the page and all after it deleted")
        << rowid << false << 4 << "delete from LogInfo where rowid > 40" << 4 << 4 << true;
    QTest::newRow("rows of the page shown deleted")
        << rowid << false << 1 << "delete from LogInfo where rowid between 15 and 20" << 10 << 10 << false;
    QTest::newRow("rows added after the end") << rowid << false << 0 << addFive.arg("2026-02-01") << 11 << 11 << false;
    QTest::newRow("newest first, rows added on top") << newest << false << 0 << addFive.arg("2026-02-01") << 10 << 10 << false;
    QTest::newRow("newest first, rows added further on")
        << newest << false << 2 << addFive.arg("2026-01-04") << 11 << 11 << false;
    QTest::newRow("newest first, back from the end, rows added on top")
        << newest << true << 0 << addFive.arg("2026-02-01") << 1 << 11 << false;
    QTest::newRow("back from the end, every row before deleted")
        << rowid << true << 6 << "delete from LogInfo where rowid <= 30" << 1 << 7 << true;
    QTest::newRow("back from the end, rows of the page before deleted")
        << rowid << true << 1 << "delete from LogInfo where rowid between 71 and 80" << 1 << 9 << true;
}

void tst_DbPage::walksWithRowsAddedOrDeleted()
{
    QFETCH(QStringList, keys);
    QFETCH(bool, backward);
    QFETCH(int, changeAfter);
    QFETCH(QString, change);
    QFETCH(int, finalPage);
    QFETCH(int, finalPages);
    QFETCH(bool, endRepeats);

    fillDated(100, [](int i) { return (i - 1) / 10; });
    const QString order = keys.size() == 1 ? QStringLiteral("rowid asc") : QStringLiteral("LogDate desc,rowid desc");
    const QString rowsInOrder = QStringLiteral("select LogContent from LogInfo order by ") + order;
    const QStringList before = column(rowsInOrder);

    PagedTable t;
    t.page.setResultCurrent(10);
    t.page.setKeyColumns(keys);
    selectAndWait(t);
    QPushButton &step = backward ? t.pre : t.next;
    if (backward) {
        t.last.click();
    }
    QList<QStringList> pages{t.shown()};
    for (int flips = 0; step.isEnabled() && flips < 20; ++flips) {
        if (flips == changeAfter) {
            QVERIFY(QSqlQuery().exec(change));
        }
        step.click();
        QVERIFY(t.settle());
        pages << t.shown();
    }
    QVERIFY2(pages.size() > changeAfter + 1, "the walk ended before the change");

    const QStringList after = column(rowsInOrder);
    QStringList seen;
    for (const QStringList &page : pages) {
        seen << page;
    }
    // Nothing that was there at the start and still is was skipped.
    for (const QString &row : before) {
        QVERIFY2(!after.contains(row) || seen.contains(row), qPrintable(row));
    }
    // Only a page that moved back to rows shown before repeats any.
    QStringList earlier;
    for (int i = 0; i < pages.size() - 1; ++i) {
        earlier << pages.at(i);
    }
    QCOMPARE(asSet(earlier).size(), earlier.size());
    const bool repeats = !(asSet(pages.last()) & asSet(earlier)).isEmpty();
    QCOMPARE(repeats, endRepeats);

    // The walk ends at the end of the table, and a count that changed is known.
    if (backward) {
        QCOMPARE(pages.last().first(), after.first());
    } else {
        QCOMPARE(pages.last().last(), after.last());
    }
    QCOMPARE(t.pageCurrent.text(), QStringLiteral("第 %1 页").arg(finalPage));
    QCOMPARE(t.pageCount.text(), QStringLiteral("共 %1 页").arg(finalPages));
    QVERIFY(!step.isEnabled());
}

void tst_DbPage::countOverSeveralSlices_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("expected");

    // Counted in slices of 4096 rows: two whole slices and a rest, runs of one date across the slice ends.
    QTest::newRow("rowid") << QStringList{"rowid desc"} << "" << 8197;
    QTest::newRow("date and rowid, one type")
        << QStringList{"LogDate desc", "rowid desc"} << "where LogType='管理日志'" << 8197;
    QTest::newRow("date and rowid, half the rows")
        << QStringList{"LogDate desc", "rowid desc"} << "where LogType='管理日志' and rowid % 2 = 0" << 4098;
}

void tst_DbPage::countOverSeveralSlices()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, where);
    QFETCH(int, expected);

    QVERIFY(fillByThousandsADay(8197));
    PagedTable t;
    t.page.setResultCurrent(10);
    t.page.setKeyColumns(keys);
    t.page.setWhereSql(where);
    QSignalSpy counted(&t.page, &DbPage::receiveCount);
    t.page.select();
    QVERIFY(counted.wait(10000));
    QCOMPARE(counted.at(0).at(0).toInt(), expected);
    QCOMPARE(t.pageCount.text(), QStringLiteral("共 %1 页").arg((expected + 9) / 10));
    t.last.click();
    QCOMPARE(t.shown().size(), expected % 10 == 0 ? 10 : expected % 10);
    QCOMPARE(t.shown().last(), where.contains(QLatin1String("% 2")) ? QStringLiteral("row 2") : QStringLiteral("row 1"));
}

void tst_DbPage::staleCountStopsBetweenSlices()
{
    // Told to stop while another program holds the file, a count must not
    // go on with its slices once the file is free again, nor report a count.
    QVERIFY(fillByThousandsADay(3 * 4096));
    auto *count = new DbCountThread; // deletes itself once finished
    count->setSql(QStringLiteral("select count(*) from LogInfo"));
    count->setSlices(QStringLiteral("select rowid from LogInfo order by rowid limit 1 offset 4095"),
                     QStringLiteral("select rowid from LogInfo where rowid > ? order by rowid limit 1 offset 4095"),
                     QStringLiteral("select count(*) from LogInfo where rowid > ?"), 4096, {0});
    QSignalSpy counted(count, &DbCountThread::receiveCount);
    QSignalSpy finished(count, &QThread::finished);
    {
        SqliteLock lock(temp->filePath(QStringLiteral("safe.db")));
        QVERIFY(lock.isHeld());
        count->start();
        count->requestInterruption();
    } // released well within the busy timeout: the count could go on
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
    QCOMPARE(counted.count(), 0);
}

void tst_DbPage::whereClauseKeepsItsMeaning()
{
    // The key condition joins the whole clause, not its last term.
    fillLog(30);
    PagedTable t;
    t.page.setResultCurrent(1);
    t.page.setKeyColumns({QStringLiteral("rowid")});
    t.page.setWhereSql(QStringLiteral("where LogContent='row 3' or LogContent='row 25'"));
    selectAndWait(t);
    QCOMPARE(t.shown(), QStringList{"row 3"});
    t.next.click();
    QCOMPARE(t.shown(), QStringList{"row 25"});
    t.pre.click();
    QCOMPARE(t.shown(), QStringList{"row 3"});
}

void tst_DbPage::keyColumnsThatCannotPageByKey_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("byKey");

    QTest::newRow("rowid, no where") << QStringList{"rowid"} << "" << true;
    QTest::newRow("where on several lines") << QStringList{"rowid"} << "  WHERE\n LogType='x' or 1=1 " << true;
    QTest::newRow("no keys") << QStringList() << "" << false;
    QTest::newRow("two directions") << QStringList{"LogDate desc", "rowid asc"} << "" << false;
    QTest::newRow("not a direction") << QStringList{"rowid sideways"} << "" << false;
    QTest::newRow("clause of another form") << QStringList{"rowid"} << "as l where l.LogType='管理日志'" << false;
}

void tst_DbPage::keyColumnsThatCannotPageByKey()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, where);
    QFETCH(bool, byKey);

    fillLog(25);
    PagedTable t;
    t.page.setResultCurrent(10);
    t.page.setKeyColumns(keys);
    t.page.setWhereSql(where);
    QCOMPARE(t.page.pagesByKey(), byKey);
    // Either way the pages are there, by offset in the order given.
    selectAndWait(t);
    t.next.click();
    QCOMPARE(t.shown().first(), QStringLiteral("row 11"));
    QCOMPARE(t.pageCurrent.text(), QStringLiteral("第 2 页"));
}

void tst_DbPage::failedFlipLeavesThePage()
{
    reopenWithShortTimeout();
    fillLog(25);
    PagedTable t;
    t.page.setResultCurrent(10);
    t.page.setKeyColumns({QStringLiteral("rowid")});
    selectAndWait(t);
    t.next.click();
    const QStringList shown = t.screen();
    for (QPushButton *button : {&t.next, &t.pre, &t.first, &t.last}) {
        SqliteLock lock(temp->filePath(QStringLiteral("safe.db")));
        button->click();
        // Nothing read, so nothing changes: not an empty page, no move to an end.
        QCOMPARE(t.screen(), shown);
    }
    QVERIFY(t.settle());
    t.next.click();
    QCOMPARE(t.shown().first(), QStringLiteral("row 21"));
}

void tst_DbPage::failedReadsAreNoRows()
{
    reopenWithShortTimeout();
    fillLog(25);
    PagedTable t;
    t.page.setKeyColumns({QStringLiteral("rowid")});
    QSignalSpy counted(&t.page, &DbPage::receiveCount);
    {
        SqliteLock lock(temp->filePath(QStringLiteral("safe.db")));
        t.page.select();
        QVERIFY(t.settle());
    }
    // The count failed: no page count of 0, the labels still wait for one.
    QCOMPARE(counted.count(), 0);
    QCOMPARE(t.pageCount.text(), QStringLiteral("正在查询..."));
    QCOMPARE(t.resultCount.text(), QStringLiteral("正在查询..."));
    QCOMPARE(t.buttons(), QList<bool>({false, false, false, false}));
    selectAndWait(t);
    QCOMPARE(t.resultCount.text(), QStringLiteral("共 25 条"));
}

QTEST_MAIN(tst_DbPage)
#include "tst_dbpage.moc"
