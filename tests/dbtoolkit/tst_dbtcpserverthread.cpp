#include "dbtcpserverthread.h"
#include "mysqltest.h"
#include "signallog.h"

#include <QSqlQuery>
#include <QtTest>

namespace {

const QString conn = QStringLiteral("test");
const QString received = QStringLiteral("远程实时获取数据(共 ");
const QString queryError = QStringLiteral("执行查询出错 原因: ");

const QStringList columns{QStringLiteral("DeviceLogID"), QStringLiteral("DeviceID"),       QStringLiteral("DeviceName"),
                          QStringLiteral("DeviceAddr"),  QStringLiteral("GroupName"),      QStringLiteral("TempValue"),
                          QStringLiteral("DampValue"),   QStringLiteral("PowerValue"),     QStringLiteral("SaveTime"),
                          QStringLiteral("LogCountAll"), QStringLiteral("LogCountNoRead"), QStringLiteral("Type")};

QString createTable(const QString &table, const QStringList &names)
{
    QStringList defs;
    for (const QString &name : names) {
        defs << name + QStringLiteral(" VARCHAR(100)");
    }
    return QStringLiteral("CREATE TABLE %1 (%2) DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci")
        .arg(table, defs.join(QLatin1Char(',')));
}

// Twelve values of a device row; name and group as given.
QStringList device(int n, const QString &name, const QString &group)
{
    return {QString::number(n), QString::number(100 + n), name, QString::number(n), group, QStringLiteral("20"),
            QStringLiteral("50"), QStringLiteral("1"), QStringLiteral("2026-12-10 08:00:0%1").arg(n),
            QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("运行记录")};
}

} // namespace

class tst_DbTcpServerThread : public QObject
{
    Q_OBJECT

private:
    MysqlServer server;
    QString database;

    void configure(DbTcpServerThread &thread)
    {
        thread.setConnInfo(DbType_MySql, QStringLiteral("dbServer"), server.host, server.port, database, server.user,
                           server.password);
        thread.setReadInterval(100);
    }

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void readsRows_data();
    void readsRows();
    void badSelect_data();
    void badSelect();
    void callsFromAnotherThread();
};

void tst_DbTcpServerThread::initTestCase()
{
    server = MysqlTest::sharedServer();
    if (!server.isValid()) {
        QSKIP(MysqlTest::missingServerMessage());
    }
    database = MysqlTest::uniqueDatabaseName(QStringLiteral("tst_server"));
    QVERIFY(MysqlTest::open(server, conn).isOpen());
    QVERIFY(MysqlTest::exec(conn, QStringLiteral("CREATE DATABASE %1 CHARACTER SET utf8mb4").arg(database)));
    QVERIFY(MysqlTest::exec(conn, QStringLiteral("USE %1").arg(database)));
    QVERIFY(MysqlTest::exec(conn, createTable(QStringLiteral("DeviceLogTemp"), columns)));
    QStringList lacking = columns;
    lacking.removeAll(QStringLiteral("Type"));
    QVERIFY(MysqlTest::exec(conn, createTable(QStringLiteral("DeviceLogShort"), lacking)));
}

void tst_DbTcpServerThread::cleanupTestCase()
{
    if (!database.isEmpty()) {
        MysqlTest::exec(conn, QStringLiteral("DROP DATABASE IF EXISTS %1").arg(database));
    }
    QSqlDatabase::database(conn, false).close();
    QSqlDatabase::removeDatabase(conn);
}

void tst_DbTcpServerThread::init()
{
    QVERIFY(MysqlTest::exec(conn, QStringLiteral("delete from DeviceLogTemp")));
}

void tst_DbTcpServerThread::readsRows_data()
{
    QTest::addColumn<QList<QStringList>>("devices");
    QTest::addColumn<QStringList>("keyName");
    QTest::addColumn<QStringList>("keys");

    const QList<QStringList> three{device(1, QStringLiteral("门禁A"), QStringLiteral("一楼")),
                                   device(2, QStringLiteral("O'Brien\\柜 😀"), QStringLiteral("二楼")),
                                   device(3, QStringLiteral("𠀀库房"), QStringLiteral("三楼"))};
    const QStringList defaultKeys{QStringLiteral("DeviceName"), QStringLiteral("GroupName")};
    QTest::newRow("three rows") << three << defaultKeys
                                << QStringList{QStringLiteral("门禁A|一楼"), QStringLiteral("O'Brien\\柜 😀|二楼"),
                                               QStringLiteral("𠀀库房|三楼")};
    QTest::newRow("key name not among the columns")
        << three << QStringList{QStringLiteral("Missing"), QStringLiteral("GroupName")}
        << QStringList{QStringLiteral("|一楼"), QStringLiteral("|二楼"), QStringLiteral("|三楼")};
    QTest::newRow("empty table") << QList<QStringList>() << defaultKeys << QStringList();
}

void tst_DbTcpServerThread::readsRows()
{
    QFETCH(QList<QStringList>, devices);
    QFETCH(QStringList, keyName);
    QFETCH(QStringList, keys);

    QSqlQuery insert(QSqlDatabase::database(conn));
    QVERIFY(insert.prepare(QStringLiteral("insert into DeviceLogTemp values(?,?,?,?,?,?,?,?,?,?,?,?)")));
    QStringList rows;
    for (const QStringList &values : devices) {
        for (const QString &value : values) {
            insert.addBindValue(value);
        }
        QVERIFY(insert.exec());
        rows << values.join(QLatin1Char('|'));
    }

    MessageLog messages;
    DataLog data;
    DbTcpServerThread thread;
    messages.watch(&thread, &DbTcpServerThread::debug);
    data.watch(&thread, &DbTcpServerThread::dataReceive);
    configure(thread);
    thread.setKeyName(keyName);
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(messages.count(received) >= 1, 10000);
    thread.stop();
    QVERIFY(thread.wait(5000));

    QCOMPARE(messages.texts().first(), QStringLiteral("重连数据库成功"));
    QVERIFY(messages.texts().at(1).startsWith(received + QString::number(devices.size()) + QStringLiteral(" 条/用时 ")));
    QCOMPARE(data.entries().first().keys, keys);
    QCOMPARE(data.entries().first().rows, rows);
    QCOMPARE(messages.count(queryError), 0);
}

void tst_DbTcpServerThread::badSelect_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columnName");
    QTest::addColumn<QString>("message");

    QTest::newRow("table lacks a column") << QStringLiteral("DeviceLogShort") << columns << queryError;
    QTest::newRow("one name, two fields")
        << QStringLiteral("DeviceLogTemp") << QStringList{QStringLiteral("DeviceName,GroupName")}
        << QStringLiteral("获取数据出错,字段数量有误: 2");
}

void tst_DbTcpServerThread::badSelect()
{
    QFETCH(QString, table);
    QFETCH(QStringList, columnName);
    QFETCH(QString, message);

    MessageLog messages;
    DataLog data;
    DbTcpServerThread thread;
    messages.watch(&thread, &DbTcpServerThread::debug);
    data.watch(&thread, &DbTcpServerThread::dataReceive);
    configure(thread);
    thread.setTableName(table);
    thread.setColumnName(columnName);
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(messages.count(message) >= 2, 10000);
    thread.stop();
    QVERIFY(thread.wait(5000));

    QCOMPARE(data.count(), 0);
    QCOMPARE(messages.count(received), 0);
    // Still connected: the failure is the statement's, not the connection's.
    QCOMPARE(messages.count(QStringLiteral("重连数据库")), 1);
}

void tst_DbTcpServerThread::callsFromAnotherThread()
{
    MessageLog messages;
    DbTcpServerThread thread;
    messages.watch(&thread, &DbTcpServerThread::debug);
    configure(thread);
    const QString select = QStringLiteral("select DeviceName, GroupName from DeviceLogTemp order by DeviceLogID");
    // Not running: no connection to use.
    QCOMPARE(thread.getData(select), QStringList());

    thread.setReadInterval(60000);
    thread.start();
    QTRY_COMPARE_WITH_TIMEOUT(messages.count(QStringLiteral("重连数据库成功")), 1, 10000);

    QVERIFY(thread.execSql(QStringLiteral("insert into DeviceLogTemp(DeviceLogID,DeviceName,GroupName) "
                                          "values('1','门''A','一楼')")));
    QCOMPARE(thread.getData(select), QStringList{QStringLiteral("门'A|一楼")});

    // Queued all the same; the failure shows as the query error.
    QVERIFY(thread.execSql(QStringLiteral("insert into NoSuchTable values(1)")));
    QTRY_COMPARE_WITH_TIMEOUT(messages.count(queryError), 1, 5000);
    QVERIFY(thread.getData(QStringLiteral("select nothing from nowhere")).isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(messages.count(queryError), 2, 5000);

    QVERIFY(thread.checkData());
    thread.stop();
    QVERIFY(thread.wait(5000));
}

QTEST_GUILESS_MAIN(tst_DbTcpServerThread)
#include "tst_dbtcpserverthread.moc"
