#include "dbtcpclientthread.h"
#include "mysqltest.h"
#include "signallog.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QtTest>

namespace {

const QString conn = QStringLiteral("test");
const QString updated = QStringLiteral("远程实时更新数据(共 ");
const QString connected = QStringLiteral("重连数据库成功");

QString hit(const QString &text)
{
    return QStringLiteral("insert into Hits values('%1')").arg(text);
}

// The statement the lock test holds up: it waits for the row the test locked.
const QString blockedUpdate = QStringLiteral("update Gate set n=n+1 where id=1");

bool createSchema(const QString &connName)
{
    return MysqlTest::exec(connName, QStringLiteral("CREATE TABLE Hits (Txt VARCHAR(100)) DEFAULT CHARSET=utf8mb4"))
        && MysqlTest::exec(connName, QStringLiteral("CREATE TABLE Gate (id INT PRIMARY KEY, n INT) ENGINE=InnoDB"))
        && MysqlTest::exec(connName, QStringLiteral("insert into Gate values(1, 0)"));
}

// Locks the Gate row from connName until its transaction ends.
bool lockGate(const QString &connName)
{
    QSqlDatabase db = QSqlDatabase::database(connName);
    return db.transaction() && MysqlTest::exec(connName, QStringLiteral("select n from Gate where id=1 for update"));
}

// How many statements of other connections wait on the Gate row.
int waitingOnGate(const QString &connName)
{
    QSqlQuery query(QSqlDatabase::database(connName));
    query.exec(QStringLiteral("select count(*) from information_schema.processlist where info = '%1'").arg(blockedUpdate));
    return query.next() ? query.value(0).toInt() : -1;
}

int gateCount(const QString &connName)
{
    QSqlQuery query(QSqlDatabase::database(connName));
    query.exec(QStringLiteral("select n from Gate where id=1"));
    return query.next() ? query.value(0).toInt() : -1;
}

QStringList hits(const QString &connName)
{
    QStringList texts;
    QSqlQuery query(QSqlDatabase::database(connName));
    query.exec(QStringLiteral("select Txt from Hits"));
    while (query.next()) {
        texts << query.value(0).toString();
    }
    texts.sort();
    return texts;
}

} // namespace

class tst_DbTcpClientThread : public QObject
{
    Q_OBJECT

private:
    MysqlServer server;
    QString database;

    void configure(DbTcpClientThread &thread, const MysqlServer &on, const QString &db)
    {
        thread.setConnInfo(DbType_MySql, QStringLiteral("dbClient"), on.host, on.port, db, on.user, on.password);
    }

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void queueRules_data();
    void queueRules();
    void emptyQueueReturnsFalseSilently();
    void initDbWritesDevices();
    void appendsDuringCommitAreSentNext_data();
    void appendsDuringCommitAreSentNext();
    void failedCommitKeepsQueue();
};

void tst_DbTcpClientThread::initTestCase()
{
    server = MysqlTest::sharedServer();
    if (!server.isValid()) {
        QSKIP(MysqlTest::missingServerMessage());
    }
    database = MysqlTest::uniqueDatabaseName(QStringLiteral("tst_client"));
    QVERIFY(MysqlTest::open(server, conn).isOpen());
    QVERIFY(MysqlTest::exec(conn, QStringLiteral("CREATE DATABASE %1 CHARACTER SET utf8mb4").arg(database)));
    QVERIFY(MysqlTest::exec(conn, QStringLiteral("USE %1").arg(database)));
    QVERIFY(createSchema(conn));
    QStringList columns;
    for (const char *name : {"DeviceLogID", "DeviceID", "DeviceName", "DeviceAddr", "GroupName", "TempValue", "DampValue",
                             "PowerValue", "SaveTime", "LogCountAll", "LogCountNoRead", "Type"}) {
        columns << QLatin1String(name) + QStringLiteral(" VARCHAR(100)");
    }
    QVERIFY(MysqlTest::exec(conn, QStringLiteral("CREATE TABLE DeviceLogTemp (%1) DEFAULT CHARSET=utf8mb4")
                                      .arg(columns.join(QLatin1Char(',')))));
}

void tst_DbTcpClientThread::cleanupTestCase()
{
    if (!database.isEmpty()) {
        MysqlTest::exec(conn, QStringLiteral("DROP DATABASE IF EXISTS %1").arg(database));
    }
    QSqlDatabase::database(conn, false).close();
    QSqlDatabase::removeDatabase(conn);
}

void tst_DbTcpClientThread::init()
{
    QVERIFY(MysqlTest::exec(conn, QStringLiteral("delete from Hits")));
    QVERIFY(MysqlTest::exec(conn, QStringLiteral("update Gate set n=0")));
}

void tst_DbTcpClientThread::queueRules_data()
{
    QTest::addColumn<QStringList>("appended");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("duplicate queued once") << QStringList{hit("a"), hit("b"), hit("a")}
                                           << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QStringList full;
    QStringList kept;
    for (int i = 0; i < 1000; ++i) {
        const QString text = QStringLiteral("s%1").arg(i, 4, 10, QLatin1Char('0'));
        full << hit(text);
        if (i < 999) {
            kept << text;
        }
    }
    full << hit(QStringLiteral("t-new"));
    kept << QStringLiteral("t-new");
    QTest::newRow("at 1000 the new one replaces the last") << full << kept;
}

void tst_DbTcpClientThread::queueRules()
{
    QFETCH(QStringList, appended);
    QFETCH(QStringList, expected);

    MessageLog messages;
    DbTcpClientThread thread;
    messages.watch(&thread, &DbTcpClientThread::debug);
    configure(thread, server, database);
    // Queued before the thread runs, so that all of it goes in the first commit.
    for (const QString &sql : appended) {
        thread.append(sql);
    }
    thread.start();
    QTRY_COMPARE_WITH_TIMEOUT(messages.count(updated), 1, 10000);
    thread.stop();
    QVERIFY(thread.wait(5000));

    QVERIFY(messages.starting(updated).first().text.startsWith(updated + QString::number(expected.size())
                                                               + QStringLiteral(" 条/用时 ")));
    QCOMPARE(hits(conn), expected);
}

void tst_DbTcpClientThread::emptyQueueReturnsFalseSilently()
{
    MessageLog messages;
    DbTcpClientThread thread;
    messages.watch(&thread, &DbTcpClientThread::debug);
    configure(thread, server, database);
    thread.start();
    QTRY_COMPARE_WITH_TIMEOUT(messages.count(connected), 1, 10000);

    QVERIFY(!thread.checkData());
    thread.append(hit(QStringLiteral("one")));
    QTRY_COMPARE_WITH_TIMEOUT(messages.count(updated), 1, 5000);
    thread.stop();
    QVERIFY(thread.wait(5000));

    // Nothing came between the connection and the one commit.
    const QStringList texts = messages.texts();
    QCOMPARE(texts.size(), 2);
    QVERIFY(texts.at(1).startsWith(updated + QStringLiteral("1 条/用时 ")));
    QCOMPARE(hits(conn), QStringList{QStringLiteral("one")});
}

void tst_DbTcpClientThread::initDbWritesDevices()
{
    QVERIFY(MysqlTest::exec(conn, QStringLiteral("insert into DeviceLogTemp(DeviceLogID,DeviceName) "
                                                 "values('7','old'),('8','older')")));
    const QStringList names{QStringLiteral("门禁A"), QStringLiteral("O'Brien\\柜"), QStringLiteral("库房")};
    const QStringList groups{QStringLiteral("一楼"), QStringLiteral("二楼"), QStringLiteral("三楼")};

    MessageLog messages;
    DbTcpClientThread thread;
    messages.watch(&thread, &DbTcpClientThread::debug);
    configure(thread, server, database);
    thread.setListDeviceID({11, 12, 13});
    thread.setListDeviceName(names);
    thread.setListDeviceAddr({21, 22, 23});
    thread.setListGroupName(groups);
    thread.start();
    QTRY_COMPARE_WITH_TIMEOUT(messages.count(connected), 1, 10000);
    thread.initDb();
    QTRY_COMPARE_WITH_TIMEOUT(messages.count(QStringLiteral("远程清空并新建数据(共 3 条/用时 ")), 1, 5000);
    thread.stop();
    QVERIFY(thread.wait(5000));

    QSqlQuery query(QSqlDatabase::database(conn));
    QVERIFY(query.exec(QStringLiteral("select DeviceLogID,DeviceID,DeviceName,DeviceAddr,GroupName,TempValue,"
                                      "DampValue,PowerValue,SaveTime,LogCountAll,LogCountNoRead,Type "
                                      "from DeviceLogTemp order by DeviceLogID")));
    const QRegularExpression dateTime(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$"));
    for (int i = 0; i < 3; ++i) {
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toString(), QString::number(i + 1));
        QCOMPARE(query.value(1).toString(), QString::number(11 + i));
        QCOMPARE(query.value(2).toString(), names.at(i));
        QCOMPARE(query.value(3).toString(), QString::number(21 + i));
        QCOMPARE(query.value(4).toString(), groups.at(i));
        QCOMPARE(query.value(5).toString(), QStringLiteral("20"));
        QCOMPARE(query.value(6).toString(), QStringLiteral("50"));
        QCOMPARE(query.value(7).toString(), QStringLiteral("1"));
        QVERIFY2(dateTime.match(query.value(8).toString()).hasMatch(), qPrintable(query.value(8).toString()));
        QCOMPARE(query.value(9).toString(), QStringLiteral("0"));
        QCOMPARE(query.value(10).toString(), QStringLiteral("0"));
        QCOMPARE(query.value(11).toString(), QStringLiteral("运行记录"));
    }
    QVERIFY(!query.next());
}

void tst_DbTcpClientThread::appendsDuringCommitAreSentNext_data()
{
    QTest::addColumn<int>("queued");
    QTest::addColumn<QStringList>("late");

    QTest::newRow("room in the queue") << 3 << QStringList{QStringLiteral("late1"), QStringLiteral("late2")};
    // The late one takes the place of the last queued, which the running commit carries anyway.
    QTest::newRow("full queue") << 1000 << QStringList{QStringLiteral("late1")};
}

void tst_DbTcpClientThread::appendsDuringCommitAreSentNext()
{
    QFETCH(int, queued);
    QFETCH(QStringList, late);

    QVERIFY(lockGate(conn));
    MessageLog messages;
    DbTcpClientThread thread;
    messages.watch(&thread, &DbTcpClientThread::debug);
    configure(thread, server, database);
    QStringList expected;
    thread.append(blockedUpdate);
    for (int i = 1; i < queued; ++i) {
        const QString text = QStringLiteral("b%1").arg(i, 4, 10, QLatin1Char('0'));
        thread.append(hit(text));
        expected << text;
    }
    thread.start();
    QTRY_COMPARE_WITH_TIMEOUT(waitingOnGate(conn), 1, 10000);

    for (const QString &text : late) {
        thread.append(hit(text));
        expected << text;
    }
    QVERIFY(QSqlDatabase::database(conn).rollback());
    QTRY_COMPARE_WITH_TIMEOUT(messages.count(updated), 2, 10000);
    thread.stop();
    QVERIFY(thread.wait(5000));

    const QList<MessageLog::Entry> commits = messages.starting(updated);
    QVERIFY(commits.at(0).text.startsWith(updated + QString::number(queued) + QStringLiteral(" 条/用时 ")));
    QVERIFY(commits.at(1).text.startsWith(updated + QString::number(late.size()) + QStringLiteral(" 条/用时 ")));
    expected.sort();
    QCOMPARE(hits(conn), expected);
    QCOMPARE(gateCount(conn), 1);
}

void tst_DbTcpClientThread::failedCommitKeepsQueue()
{
    PrivateMariaDb own;
    QVERIFY2(own.start(), qPrintable(own.lastError()));
    const QString ownConn = QStringLiteral("own");
    const QString ownDb = QStringLiteral("client_fault");
    {
        QVERIFY(MysqlTest::open(own.server(), ownConn).isOpen());
        QVERIFY(MysqlTest::exec(ownConn, QStringLiteral("CREATE DATABASE %1 CHARACTER SET utf8mb4").arg(ownDb)));
        QVERIFY(MysqlTest::exec(ownConn, QStringLiteral("USE %1").arg(ownDb)));
        QVERIFY(createSchema(ownConn));
        QVERIFY(lockGate(ownConn));
    }

    MessageLog messages;
    DbTcpClientThread thread;
    messages.watch(&thread, &DbTcpClientThread::debug);
    configure(thread, own.server(), ownDb);
    QStringList expected;
    thread.append(blockedUpdate);
    for (int i = 0; i < 50; ++i) {
        expected << QStringLiteral("k%1").arg(i, 2, 10, QLatin1Char('0'));
        thread.append(hit(expected.last()));
    }
    thread.start();
    QTRY_COMPARE_WITH_TIMEOUT(waitingOnGate(ownConn), 1, 10000);

    // The server goes while the batch waits in its transaction (closing the
    // lock's connection first would let the batch through).
    QVERIFY2(own.stop(), qPrintable(own.lastError()));
    QSqlDatabase::database(ownConn).close();
    QSqlDatabase::removeDatabase(ownConn);
    QTRY_COMPARE_WITH_TIMEOUT(messages.count(QStringLiteral("提交事务失败: ")), 1, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(messages.count(QStringLiteral("重连数据库失败")) >= 1, 10000);
    QCOMPARE(messages.count(updated), 0);

    QVERIFY2(own.start(), qPrintable(own.lastError()));
    QTRY_COMPARE_WITH_TIMEOUT(messages.count(updated), 1, 15000);
    thread.stop();
    QVERIFY(thread.wait(5000));
    QVERIFY(messages.starting(updated).first().text.startsWith(updated + QStringLiteral("51 条/用时 ")));

    QVERIFY(MysqlTest::open(own.server(), ownConn, ownDb).isOpen());
    QCOMPARE(hits(ownConn), expected);
    QCOMPARE(gateCount(ownConn), 1);
    QSqlDatabase::database(ownConn).close();
    QSqlDatabase::removeDatabase(ownConn);
    QVERIFY(own.stop());
}

QTEST_GUILESS_MAIN(tst_DbTcpClientThread)
#include "tst_dbtcpclientthread.moc"
