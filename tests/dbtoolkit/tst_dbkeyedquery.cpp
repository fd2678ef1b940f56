#include "dbkeyedquery.h"

#include <QtTest>

namespace {

const QString sqlite = QStringLiteral("QSQLITE");
const QString mysql = QStringLiteral("QMYSQL");

DbKeyedQuery query(const QString &driver, const QStringList &keyColumns, const QString &where,
                   const QString &columns = QStringLiteral("LogContent"))
{
    QList<DbKeyedQuery::Key> keys;
    if (!DbKeyedQuery::parseKeys(keyColumns, keys)) {
        qWarning() << "keys refused:" << keyColumns;
    }
    return DbKeyedQuery(keys, QStringLiteral("LogInfo"), where, columns, driver);
}

} // namespace

class tst_DbKeyedQuery : public QObject
{
    Q_OBJECT

private slots:
    void statements_data();
    void statements();
    void bindOrder_data();
    void bindOrder();
    void countSlices_data();
    void countSlices();
    void countSql_data();
    void countSql();
    void pagesByKey_data();
    void pagesByKey();
    void keysInTwoDirectionsAreRefused();
};

void tst_DbKeyedQuery::statements_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("statement"); // a page kind, or "beyond" after or before a key
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("sql");

    const QStringList rowid{"rowid"};
    const QStringList rowidDesc{"rowid desc"};
    const QStringList newest{"LogDate desc", "rowid desc"};
    const QStringList oldest{"LogDate", "rowid asc"};
    const QStringList newestById{"LogDate desc", "id desc"};
    const QString logType = QStringLiteral("where LogType='管理日志'");
    const QString c = QStringLiteral("LogContent");

    // One key: a single comparison on every driver.
    QTest::newRow("rowid, first") << sqlite << rowid << "" << c << "first" << 10
        << "select LogContent,rowid as dbpage_key0 from LogInfo order by rowid asc limit 10";
    QTest::newRow("rowid, after") << sqlite << rowid << "" << c << "after" << 10
        << "select LogContent,rowid as dbpage_key0 from LogInfo where rowid > ? order by rowid asc limit 10";
    QTest::newRow("rowid, before") << sqlite << rowid << "" << c << "before" << 10
        << "select * from (select LogContent,rowid as dbpage_key0 from LogInfo where rowid < ? "
           "order by rowid desc limit 10) as dbpage order by dbpage_key0 asc";
    QTest::newRow("rowid, last of 7") << sqlite << rowid << "" << c << "last" << 7
        << "select * from (select LogContent,rowid as dbpage_key0 from LogInfo order by rowid desc limit 7) "
           "as dbpage order by dbpage_key0 asc";
    QTest::newRow("rowid desc, after") << sqlite << rowidDesc << "" << c << "after" << 10
        << "select LogContent,rowid as dbpage_key0 from LogInfo where rowid < ? order by rowid desc limit 10";
    QTest::newRow("rowid desc, before") << sqlite << rowidDesc << "" << c << "before" << 10
        << "select * from (select LogContent,rowid as dbpage_key0 from LogInfo where rowid > ? "
           "order by rowid asc limit 10) as dbpage order by dbpage_key0 desc";
    QTest::newRow("id on MySQL, after") << mysql << QStringList{"id"} << "" << c << "after" << 10
        << "select LogContent,id as dbpage_key0 from LogInfo where id > ? order by id asc limit 10";

    // The where clause: its condition stays whole next to the key comparison.
    QTest::newRow("where, first") << sqlite << rowidDesc << "  WHERE\n LogType='x' or 1=1 " << c << "first" << 10
        << "select LogContent,rowid as dbpage_key0 from LogInfo where LogType='x' or 1=1 "
           "order by rowid desc limit 10";
    QTest::newRow("where, after") << sqlite << rowidDesc << "where LogType='x' or 1=1" << c << "after" << 10
        << "select LogContent,rowid as dbpage_key0 from LogInfo where (LogType='x' or 1=1) and rowid < ? "
           "order by rowid desc limit 10";
    QTest::newRow("where, last") << sqlite << rowidDesc << "where LogType='x' or 1=1" << c << "last" << 10
        << "select * from (select LogContent,rowid as dbpage_key0 from LogInfo where LogType='x' or 1=1 "
           "order by rowid asc limit 10) as dbpage order by dbpage_key0 desc";

    // Two keys on SQLite: one part per key column, merged by the aliases.
    QTest::newRow("SQLite, two keys desc, after") << sqlite << newest << "" << c << "after" << 10
        << "select LogContent,LogDate as dbpage_key0,rowid as dbpage_key1 from LogInfo where LogDate = ? and rowid < ? "
           "union all select LogContent,LogDate as dbpage_key0,rowid as dbpage_key1 from LogInfo where LogDate < ? "
           "order by dbpage_key0 desc,dbpage_key1 desc limit 10";
    QTest::newRow("SQLite, two keys desc, before") << sqlite << newest << "" << c << "before" << 10
        << "select * from (select LogContent,LogDate as dbpage_key0,rowid as dbpage_key1 from LogInfo "
           "where LogDate = ? and rowid > ? "
           "union all select LogContent,LogDate as dbpage_key0,rowid as dbpage_key1 from LogInfo where LogDate > ? "
           "order by dbpage_key0 asc,dbpage_key1 asc limit 10) as dbpage order by dbpage_key0 desc,dbpage_key1 desc";
    QTest::newRow("SQLite, two keys desc, last") << sqlite << newest << "" << c << "last" << 10
        << "select * from (select LogContent,LogDate as dbpage_key0,rowid as dbpage_key1 from LogInfo "
           "order by LogDate asc,rowid asc limit 10) as dbpage order by dbpage_key0 desc,dbpage_key1 desc";
    QTest::newRow("SQLite, two keys asc, where, after") << sqlite << oldest << logType << c << "after" << 10
        << "select LogContent,LogDate as dbpage_key0,rowid as dbpage_key1 from LogInfo "
           "where (LogType='管理日志') and LogDate = ? and rowid > ? "
           "union all select LogContent,LogDate as dbpage_key0,rowid as dbpage_key1 from LogInfo "
           "where (LogType='管理日志') and LogDate > ? order by dbpage_key0 asc,dbpage_key1 asc limit 10";
    QTest::newRow("SQLite, two keys desc, beyond after") << sqlite << newest << "" << c << "beyond after" << 0
        << "select 1 from LogInfo where LogDate = ? and rowid < ? union all select 1 from LogInfo where LogDate < ? "
           "limit 1";

    // Two keys on MySQL: one row-value comparison, ordered by the columns.
    QTest::newRow("MySQL, two keys desc, first") << mysql << newestById << logType << c << "first" << 10
        << "select LogContent,LogDate as dbpage_key0,id as dbpage_key1 from LogInfo where LogType='管理日志' "
           "order by LogDate desc,id desc limit 10";
    QTest::newRow("MySQL, two keys desc, after") << mysql << newestById << logType << c << "after" << 10
        << "select LogContent,LogDate as dbpage_key0,id as dbpage_key1 from LogInfo "
           "where (LogType='管理日志') and (LogDate,id) < (?,?) order by LogDate desc,id desc limit 10";
    QTest::newRow("MySQL, two keys desc, before") << mysql << newestById << logType << c << "before" << 10
        << "select * from (select LogContent,LogDate as dbpage_key0,id as dbpage_key1 from LogInfo "
           "where (LogType='管理日志') and (LogDate,id) > (?,?) order by LogDate asc,id asc limit 10) "
           "as dbpage order by dbpage_key0 desc,dbpage_key1 desc";
    QTest::newRow("MySQL, two keys desc, beyond before") << mysql << newestById << "" << c << "beyond before" << 0
        << "select 1 from LogInfo where (LogDate,id) > (?,?) limit 1";

    // A bare * is the table's columns, so that the keys may follow it.
    QTest::newRow("all columns") << sqlite << rowid << "" << " * " << "first" << 10
        << "select LogInfo.*,rowid as dbpage_key0 from LogInfo order by rowid asc limit 10";
    QTest::newRow("several columns") << mysql << QStringList{"id"} << "" << "LogType,LogContent" << "first" << 10
        << "select LogType,LogContent,id as dbpage_key0 from LogInfo order by id asc limit 10";
}

void tst_DbKeyedQuery::statements()
{
    QFETCH(QString, driver);
    QFETCH(QStringList, keys);
    QFETCH(QString, where);
    QFETCH(QString, columns);
    QFETCH(QString, statement);
    QFETCH(int, rows);
    QFETCH(QString, sql);

    const DbKeyedQuery q = query(driver, keys, where, columns);
    QVERIFY(q.pagesByKey());
    QString made;
    if (statement == QLatin1String("first")) {
        made = q.pageSql(DbKeyedQuery::Page::First, rows);
    } else if (statement == QLatin1String("after")) {
        made = q.pageSql(DbKeyedQuery::Page::After, rows);
    } else if (statement == QLatin1String("before")) {
        made = q.pageSql(DbKeyedQuery::Page::Before, rows);
    } else if (statement == QLatin1String("last")) {
        made = q.pageSql(DbKeyedQuery::Page::Last, rows);
    } else if (statement == QLatin1String("beyond after")) {
        made = q.beyondSql(true);
    } else if (statement == QLatin1String("beyond before")) {
        made = q.beyondSql(false);
    } else {
        QFAIL("unknown statement");
    }
    QCOMPARE(made, sql);
}

void tst_DbKeyedQuery::bindOrder_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QList<int>>("order");
    QTest::addColumn<QVariantList>("values"); // bound for the key ("d", 7, "x")

    QTest::newRow("SQLite, one key") << sqlite << QStringList{"rowid desc"} << QList<int>{0} << QVariantList{"d"};
    QTest::newRow("MySQL, one key") << mysql << QStringList{"id"} << QList<int>{0} << QVariantList{"d"};
    // Nearest part first: the first i key values, then key i.
    QTest::newRow("SQLite, two keys") << sqlite << QStringList{"LogDate desc", "rowid desc"} << QList<int>{0, 1, 0}
                                      << QVariantList{"d", 7, "d"};
    QTest::newRow("SQLite, three keys") << sqlite << QStringList{"a", "b", "c"} << QList<int>{0, 1, 2, 0, 1, 0}
                                        << QVariantList{"d", 7, "x", "d", 7, "d"};
    QTest::newRow("MySQL, two keys") << mysql << QStringList{"LogDate desc", "id desc"} << QList<int>{0, 1}
                                     << QVariantList{"d", 7};
    QTest::newRow("MySQL, three keys") << mysql << QStringList{"a", "b", "c"} << QList<int>{0, 1, 2}
                                       << QVariantList{"d", 7, "x"};
}

void tst_DbKeyedQuery::bindOrder()
{
    QFETCH(QString, driver);
    QFETCH(QStringList, keys);
    QFETCH(QList<int>, order);
    QFETCH(QVariantList, values);

    const DbKeyedQuery q = query(driver, keys, QStringLiteral("where LogType='x'"));
    QCOMPARE(q.bindOrder(), order);
    QVariantList key{"d", 7, "x"};
    key = key.mid(0, keys.size());
    QCOMPARE(q.bindValues(key), values);
    QCOMPARE(q.bindValues({}), QVariantList());
    // Every statement that continues from a key has a placeholder for each
    // bound value, the others none.
    const QList<QString> continued{q.pageSql(DbKeyedQuery::Page::After, 10), q.pageSql(DbKeyedQuery::Page::Before, 10),
                                   q.beyondSql(true), q.beyondSql(false), q.countSlices(4096).nextEndSql,
                                   q.countSlices(4096).restSql};
    for (const QString &sql : continued) {
        QCOMPARE(sql.count(QLatin1Char('?')), order.size());
    }
    for (const QString &sql : {q.pageSql(DbKeyedQuery::Page::First, 10), q.pageSql(DbKeyedQuery::Page::Last, 10),
                               q.countSlices(4096).firstEndSql}) {
        QCOMPARE(sql.count(QLatin1Char('?')), 0);
    }
}

void tst_DbKeyedQuery::countSlices_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("sliceRows");
    QTest::addColumn<QString>("firstEnd");
    QTest::addColumn<QString>("nextEnd");
    QTest::addColumn<QString>("rest");

    QTest::newRow("rowid desc") << QStringList{"rowid desc"} << "" << 4096
        << "select rowid as dbpage_key0 from LogInfo order by rowid desc limit 1 offset 4095"
        << "select rowid as dbpage_key0 from LogInfo where rowid < ? order by rowid desc limit 1 offset 4095"
        << "select count(*) from (select 1 from LogInfo where rowid < ?)";
    QTest::newRow("date and rowid, where") << QStringList{"LogDate desc", "rowid desc"} << "where LogType='管理日志'" << 100
        << "select LogDate as dbpage_key0,rowid as dbpage_key1 from LogInfo where LogType='管理日志' "
           "order by LogDate desc,rowid desc limit 1 offset 99"
        << "select LogDate as dbpage_key0,rowid as dbpage_key1 from LogInfo "
           "where (LogType='管理日志') and LogDate = ? and rowid < ? "
           "union all select LogDate as dbpage_key0,rowid as dbpage_key1 from LogInfo "
           "where (LogType='管理日志') and LogDate < ? order by dbpage_key0 desc,dbpage_key1 desc limit 1 offset 99"
        << "select count(*) from (select 1 from LogInfo where (LogType='管理日志') and LogDate = ? and rowid < ? "
           "union all select 1 from LogInfo where (LogType='管理日志') and LogDate < ?)";
}

void tst_DbKeyedQuery::countSlices()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, where);
    QFETCH(int, sliceRows);
    QFETCH(QString, firstEnd);
    QFETCH(QString, nextEnd);
    QFETCH(QString, rest);

    const DbKeyedQuery onSqlite = query(sqlite, keys, where);
    QVERIFY(onSqlite.countsInSlices());
    const DbKeyedQuery::Slices slices = onSqlite.countSlices(sliceRows);
    QCOMPARE(slices.firstEndSql, firstEnd);
    QCOMPARE(slices.nextEndSql, nextEnd);
    QCOMPARE(slices.restSql, rest);
    // A server counts in one statement; so does a query that is not paged by key.
    QVERIFY(!query(mysql, keys, where).countsInSlices());
    QVERIFY(!query(sqlite, {}, where).countsInSlices());
}

void tst_DbKeyedQuery::countSql_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("countName");
    QTest::addColumn<QString>("sql");

    QTest::newRow("no where") << QStringList{"rowid"} << "" << "rowid" << "select count(rowid) from LogInfo";
    QTest::newRow("where") << QStringList{"rowid"} << " where LogType='x' or 1=1 " << "*"
                           << "select count(*) from LogInfo where LogType='x' or 1=1";
    // Counted as given even where the pages cannot go by key.
    QTest::newRow("no keys") << QStringList() << "where LogType='x'" << "*"
                             << "select count(*) from LogInfo where LogType='x'";
    QTest::newRow("clause of another form") << QStringList{"rowid"} << "as l where l.LogType='x'" << "*"
                                            << "select count(*) from LogInfo as l where l.LogType='x'";
}

void tst_DbKeyedQuery::countSql()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, where);
    QFETCH(QString, countName);
    QFETCH(QString, sql);

    for (const QString &driver : {sqlite, mysql}) {
        QCOMPARE(query(driver, keys, where).countSql(countName), sql);
    }
}

void tst_DbKeyedQuery::pagesByKey_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("keysRead");
    QTest::addColumn<bool>("byKey");

    QTest::newRow("rowid, no where") << QStringList{"rowid"} << "" << true << true;
    QTest::newRow("directions in any case") << QStringList{"LogDate DESC", " rowid  Desc "} << "" << true << true;
    QTest::newRow("where on several lines") << QStringList{"rowid"} << "  WHERE\n LogType='x' or 1=1 " << true << true;
    QTest::newRow("no keys") << QStringList() << "" << true << false;
    QTest::newRow("not a direction") << QStringList{"rowid sideways"} << "" << false << false;
    QTest::newRow("three words") << QStringList{"rowid asc nulls"} << "" << false << false;
    QTest::newRow("empty entry") << QStringList{"rowid", " "} << "" << false << false;
    QTest::newRow("two directions") << QStringList{"LogDate desc", "rowid asc"} << "" << false << false;
    QTest::newRow("clause of another form") << QStringList{"rowid"} << "as l where l.LogType='x'" << true << false;
    QTest::newRow("where without a condition") << QStringList{"rowid"} << "where " << true << false;
}

void tst_DbKeyedQuery::pagesByKey()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, where);
    QFETCH(bool, keysRead);
    QFETCH(bool, byKey);

    QList<DbKeyedQuery::Key> parsed{{QStringLiteral("kept"), true}};
    QCOMPARE(DbKeyedQuery::parseKeys(keys, parsed), keysRead);
    if (!keysRead) {
        QCOMPARE(parsed.size(), 1); // left as it was
        QCOMPARE(parsed.first().column, QStringLiteral("kept"));
        parsed.clear();
    } else {
        QCOMPARE(parsed.size(), keys.size());
    }
    for (const QString &driver : {sqlite, mysql}) {
        const DbKeyedQuery q(parsed, QStringLiteral("LogInfo"), where, QStringLiteral("LogContent"), driver);
        QCOMPARE(q.pagesByKey(), byKey);
        // No statement to read a page by key from when there is no way to.
        QCOMPARE(q.pageSql(DbKeyedQuery::Page::First, 10).isEmpty(), !byKey);
        QCOMPARE(q.pageSql(DbKeyedQuery::Page::After, 10).isEmpty(), !byKey);
        QCOMPARE(q.beyondSql(true).isEmpty(), !byKey);
    }
}

void tst_DbKeyedQuery::keysInTwoDirectionsAreRefused()
{
    // A row-value comparison follows one direction only: keys given
    // directly in two are no way to page either.
    const QList<DbKeyedQuery::Key> keys{{QStringLiteral("LogDate"), true}, {QStringLiteral("rowid"), false}};
    for (const QString &driver : {sqlite, mysql}) {
        const DbKeyedQuery q(keys, QStringLiteral("LogInfo"), QString(), QStringLiteral("LogContent"), driver);
        QVERIFY(!q.pagesByKey());
        QVERIFY(!q.countsInSlices());
        QVERIFY(q.pageSql(DbKeyedQuery::Page::After, 10).isEmpty());
        QVERIFY(q.bindOrder().isEmpty());
    }
}

QTEST_GUILESS_MAIN(tst_DbKeyedQuery)
#include "tst_dbkeyedquery.moc"
