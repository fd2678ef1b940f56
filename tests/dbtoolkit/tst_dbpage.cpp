#include "dbpage.h"
#include "sqlquerymodel.h"
#include "testsupport.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace TestSupport;

// A table view with the six labels and four buttons, paged over a temporary database.
class PagedTable
{
public:
    QTableView table;
    QLabel pageCount, pageCurrent, resultCount, resultCurrent, result, info;
    QPushButton first, pre, next, last;
    DbPage page;

    PagedTable()
    {
        page.setControl(&table, &pageCount, &pageCurrent, &resultCount, &resultCurrent, &result, &info, &first,
                        &pre, &next, &last, QStringLiteral("rowid"));
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
};

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
};

void tst_DbPage::init()
{
    temp.reset(new QTemporaryDir);
    QVERIFY(createTerminalDatabase(temp->filePath(QStringLiteral("safe.db"))));
    openSqlite(temp->filePath(QStringLiteral("safe.db")));
}

void tst_DbPage::cleanup()
{
    closeConnection();
    if (QSqlDatabase::contains(QStringLiteral("mem"))) {
        closeConnection(QStringLiteral("mem"));
    }
    temp.reset();
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

QTEST_MAIN(tst_DbPage)
#include "tst_dbpage.moc"
