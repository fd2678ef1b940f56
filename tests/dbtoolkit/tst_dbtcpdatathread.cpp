#include "dbtcpdatathread.h"
#include "mysqltest.h"
#include "signallog.h"
#include "tcpfault.h"
#include "testsupport.h"

#include <QProcess>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <iostream>
#include <thread>

namespace {

const QString remote = QStringLiteral("remote");
const QString localConn = QStringLiteral("localTest");
const QString relayed = QStringLiteral("远程实时更新数据(共 ");
const QString localUp = QStringLiteral("重连本地数据库成功");
const QString netUp = QStringLiteral("重连远程数据库成功");

// A MySQL string literal for text: quotes doubled, backslashes escaped.
QString literal(QString text)
{
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

// The local queue table, the way a producer's database would carry it.
bool createLocal(const QString &fileName)
{
    TestSupport::openSqlite(fileName, localConn);
    QSqlQuery query(QSqlDatabase::database(localConn));
    return query.exec(QStringLiteral("CREATE TABLE TempSql (ID INTEGER PRIMARY KEY AUTOINCREMENT, StrSql TEXT)"))
        && query.exec(QStringLiteral("CREATE TABLE Marks (Txt TEXT)"));
}

QStringList remoteColumn(const QString &connName, const QString &sql)
{
    QStringList values;
    QSqlQuery query(QSqlDatabase::database(connName));
    query.exec(sql);
    while (query.next()) {
        values << query.value(0).toString();
    }
    return values;
}

// The text the relay test stores under key k: plain, quoted, backslashed,
// Chinese and four-byte characters in turn.
QString relayText(int k)
{
    static const QStringList kinds{QStringLiteral("plain %1"),       QStringLiteral("it's %1"),
                                   QStringLiteral("back\\slash %1"), QStringLiteral("中文记录 %1"),
                                   QStringLiteral("emoji 😀🔒 %1"),  QStringLiteral("扩展B 𠀀𠀁 %1"),
                                   QStringLiteral("O'Brien\\门 😀 '' \\' %1")};
    return kinds.at(k % kinds.size()).arg(k);
}

} // namespace

class tst_DbTcpDataThread : public QObject
{
    Q_OBJECT

private:
    MysqlServer server;
    QString database;
    QTemporaryDir dir;
    QString localFile;

    void configure(DbTcpDataThread &thread, const MysqlServer &net, const QString &netDb, const QString &local)
    {
        thread.setConnInfoLocal(DbType_Sqlite, QStringLiteral("dbLocal"), QString(), 0, local, QString(), QString());
        thread.setConnInfoNet(DbType_MySql, QStringLiteral("dbNet"), net.host, net.port, netDb, net.user, net.password);
    }

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void relaysThroughTempSql_data();
    void relaysThroughTempSql();
    void singleStatementsDoNotWaitForThePass();
    void appendRefusedWhileLocalSideIsDown();
    void relaySurvivesRemoteRestarts();
    void acceptedStatementsSurviveAKill();
    void execGivesTheStatementsResult_data();
    void execGivesTheStatementsResult();
};

void tst_DbTcpDataThread::initTestCase()
{
    QVERIFY(dir.isValid());
    server = MysqlTest::sharedServer();
    if (!server.isValid()) {
        QSKIP(MysqlTest::missingServerMessage());
    }
    database = MysqlTest::uniqueDatabaseName(QStringLiteral("tst_relay"));
    QVERIFY(MysqlTest::open(server, remote).isOpen());
    QVERIFY(MysqlTest::exec(remote, QStringLiteral("CREATE DATABASE %1 CHARACTER SET utf8mb4").arg(database)));
    QVERIFY(MysqlTest::exec(remote, QStringLiteral("USE %1").arg(database)));
    QVERIFY(MysqlTest::exec(remote, QStringLiteral("CREATE TABLE Texts (Txt VARCHAR(200)) DEFAULT CHARSET=utf8mb4")));
    // For a local side on MySQL.
    QVERIFY(MysqlTest::exec(remote, QStringLiteral("CREATE TABLE TempSql (ID INT AUTO_INCREMENT PRIMARY KEY, "
                                                   "StrSql TEXT) DEFAULT CHARSET=utf8mb4")));
}

void tst_DbTcpDataThread::cleanupTestCase()
{
    if (!database.isEmpty()) {
        MysqlTest::exec(remote, QStringLiteral("DROP DATABASE IF EXISTS %1").arg(database));
    }
    TestSupport::closeConnection(remote);
}

void tst_DbTcpDataThread::init()
{
    static int serial = 0;
    localFile = dir.filePath(QStringLiteral("local%1.db").arg(++serial));
    QVERIFY(createLocal(localFile));
    QVERIFY(MysqlTest::exec(remote, QStringLiteral("delete from Texts")));
    QVERIFY(MysqlTest::exec(remote, QStringLiteral("delete from TempSql")));
}

void tst_DbTcpDataThread::cleanup()
{
    TestSupport::closeConnection(localConn);
}

void tst_DbTcpDataThread::relaysThroughTempSql_data()
{
    QTest::addColumn<bool>("localMysql");
    QTest::newRow("local SQLite file") << false;
    QTest::newRow("local MySQL database") << true;
}

void tst_DbTcpDataThread::relaysThroughTempSql()
{
    QFETCH(bool, localMysql);

    WarningLog warnings;
    MessageLog messages;
    DbTcpDataThread thread;
    messages.watch(&thread, &DbTcpDataThread::debug);
    configure(thread, server, database, localFile);
    const QString tempConn = localMysql ? remote : localConn;
    if (localMysql) {
        thread.setConnInfoLocal(DbType_MySql, QStringLiteral("dbLocal"), server.host, server.port, database,
                                server.user, server.password);
    }
    // Not running: the local side is not up.
    QVERIFY(!thread.appendSqlLocal(QStringLiteral("insert into Texts values('early')")));
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(messages.count(localUp) == 1 && messages.count(netUp) == 1, 10000);

    const QString quoted = QStringLiteral("insert into Texts values('it''s')");
    const QString broken = QStringLiteral("insert into Texts valeus('never')");
    const QStringList statements{quoted, QStringLiteral("insert into Texts values('x')"), quoted, broken,
                                 QStringLiteral("insert into Texts values('back\\\\slash 中文 😀')")};
    for (const QString &sql : statements) {
        QVERIFY(thread.appendSqlLocal(sql));
    }
    // Stored as given, in order.
    QTRY_COMPARE_WITH_TIMEOUT(TestSupport::column(QStringLiteral("select StrSql from TempSql order by ID"), tempConn),
                              statements, 5000);

    QTRY_COMPARE_WITH_TIMEOUT(TestSupport::count(QStringLiteral("select count(*) from TempSql"), tempConn), 0, 15000);
    thread.stop();
    QVERIFY(thread.wait(5000));

    // One commit for the five: identical ones each ran, the broken one went with them.
    QCOMPARE(messages.count(relayed), 1);
    QCOMPARE(messages.count(relayed + QStringLiteral("5 条/用时 ")), 1);
    QStringList texts = remoteColumn(remote, QStringLiteral("select Txt from Texts"));
    texts.sort();
    QCOMPARE(texts, (QStringList{QStringLiteral("back\\slash 中文 😀"), QStringLiteral("it's"), QStringLiteral("it's"),
                                 QStringLiteral("x")}));
    // The broken one is told once, then gone.
    QCOMPARE(warnings.count(broken), 1);
}

void tst_DbTcpDataThread::singleStatementsDoNotWaitForThePass()
{
    WarningLog warnings;
    MessageLog messages;
    DbTcpDataThread thread;
    messages.watch(&thread, &DbTcpDataThread::debug);
    configure(thread, server, database, localFile);
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(messages.count(localUp) == 1 && messages.count(netUp) == 1, 10000);

    // The thread is now in its 5 s pause; a hand-off wakes it.
    QVERIFY(thread.execSqlNet(QStringLiteral("insert into Texts values('net')")));
    QVERIFY(thread.execSqlLocal(QStringLiteral("insert into Marks values('local')")));
    thread.appendExecSqlNet(QStringLiteral("insert into Texts values('appended')"));
    QTRY_COMPARE_WITH_TIMEOUT(remoteColumn(remote, QStringLiteral("select count(*) from Texts")).value(0),
                              QStringLiteral("2"), 2000);
    QTRY_COMPARE_WITH_TIMEOUT(TestSupport::column(QStringLiteral("select Txt from Marks"), localConn),
                              QStringList{QStringLiteral("local")}, 2000);

    // The caller hears of the failure, and it shows in the debug output.
    const QString broken = QStringLiteral("insert into NoSuchTable values(1)");
    QVERIFY(!thread.execSqlNet(broken));
    QTRY_COMPARE_WITH_TIMEOUT(warnings.count(broken), 1, 2000);

    thread.stop();
    QVERIFY(thread.wait(5000));
    QCOMPARE(messages.count(relayed), 0);
}

void tst_DbTcpDataThread::appendRefusedWhileLocalSideIsDown()
{
    MessageLog messages;
    DbTcpDataThread thread;
    messages.watch(&thread, &DbTcpDataThread::debug);
    configure(thread, server, database, dir.filePath(QStringLiteral("missing/folder/local.db")));
    thread.start();
    QTRY_COMPARE_WITH_TIMEOUT(messages.count(QStringLiteral("重连本地数据库失败")), 1, 10000);
    QVERIFY(!thread.appendSqlLocal(QStringLiteral("insert into Texts values('lost')")));
    thread.stop();
    QVERIFY(thread.wait(5000));
}

void tst_DbTcpDataThread::relaySurvivesRemoteRestarts()
{
    PrivateMariaDb own;
    QVERIFY2(own.start(), qPrintable(own.lastError()));
    const QString ownConn = QStringLiteral("own");
    const QString ownDb = QStringLiteral("relay_fault");
    QVERIFY(MysqlTest::open(own.server(), ownConn).isOpen());
    QVERIFY(MysqlTest::exec(ownConn, QStringLiteral("CREATE DATABASE %1 CHARACTER SET utf8mb4").arg(ownDb)));
    QVERIFY(MysqlTest::exec(ownConn, QStringLiteral("CREATE TABLE %1.Target (K INT PRIMARY KEY, Txt VARCHAR(100)) "
                                                    "DEFAULT CHARSET=utf8mb4").arg(ownDb)));
    TestSupport::closeConnection(ownConn);

    WarningLog warnings;
    MessageLog messages;
    DbTcpDataThread thread;
    messages.watch(&thread, &DbTcpDataThread::debug);
    configure(thread, own.server(), ownDb, localFile);
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(messages.count(localUp) == 1 && messages.count(netUp) == 1, 10000);

    // A producer of its own stores the statements in three runs of 1000,
    // and the remote server is stopped before the second (between batches)
    // and the third (in a batch).
    const int total = 3000;
    std::atomic<int> stored{0};
    std::atomic<int> allowed{0};
    std::atomic<int> refused{0};
    std::thread producer([&] {
        for (int k = 1; k <= total; ++k) {
            while (allowed < k) {
                std::this_thread::yield();
            }
            const QString sql = QStringLiteral("insert into Target(K,Txt) values(%1,%2)").arg(k).arg(literal(relayText(k)));
            if (!thread.appendSqlLocal(sql)) {
                ++refused;
            }
            ++stored;
        }
    });
    // Should the test give up early, the producer still finishes before the thread goes.
    auto release = qScopeGuard([&] {
        allowed = total;
        if (producer.joinable()) {
            producer.join();
        }
    });
    // Each accepted statement is on disk when appendSqlLocal returns: a
    // commit each, which takes some milliseconds on a busy machine.
    auto produce = [&](int upTo) {
        allowed = upTo;
        QTRY_COMPARE_WITH_TIMEOUT(stored.load(), upTo, 60000);
    };

    produce(1000);
    QTRY_VERIFY_WITH_TIMEOUT(messages.count(relayed) >= 1, 15000);
    QVERIFY2(own.stop(), qPrintable(own.lastError()));
    produce(2000);
    QVERIFY2(own.start(), qPrintable(own.lastError()));
    // The second stop comes in the middle of a batch: an uncommitted row of
    // another connection holds the batch up at key 1500 until the server goes.
    const QString blocker = QStringLiteral("blocker");
    QVERIFY(MysqlTest::open(own.server(), blocker, ownDb).isOpen());
    QVERIFY(QSqlDatabase::database(blocker).transaction());
    QVERIFY(MysqlTest::exec(blocker, QStringLiteral("insert into Target values(1500,'blocker')")));
    const QString waiting = QStringLiteral("select count(*) from information_schema.processlist "
                                           "where info like 'insert into Target(K,Txt) values(1500,%'");
    const int failedBefore = messages.count(QStringLiteral("提交事务失败"));
    QTRY_COMPARE_WITH_TIMEOUT(TestSupport::count(waiting, blocker), 1, 30000);
    QVERIFY2(own.stop(), qPrintable(own.lastError()));
    TestSupport::closeConnection(blocker);
    QTRY_VERIFY_WITH_TIMEOUT(messages.count(QStringLiteral("提交事务失败")) > failedBefore, 10000);
    produce(3000);
    release.dismiss();
    producer.join();
    QCOMPARE(refused.load(), 0);
    QVERIFY2(own.start(), qPrintable(own.lastError()));

    QTRY_COMPARE_WITH_TIMEOUT(TestSupport::count(QStringLiteral("select count(*) from TempSql"), localConn), 0, 90000);
    thread.stop();
    QVERIFY(thread.wait(5000));

    QVERIFY(MysqlTest::open(own.server(), ownConn, ownDb).isOpen());
    QSqlQuery query(QSqlDatabase::database(ownConn));
    QVERIFY(query.exec(QStringLiteral("select K, Txt from Target order by K")));
    int k = 0;
    while (query.next()) {
        ++k;
        QCOMPARE(query.value(0).toInt(), k);
        QCOMPARE(query.value(1).toString(), relayText(k));
    }
    QCOMPARE(k, total);
    query.clear();
    TestSupport::closeConnection(ownConn);
    QVERIFY(own.stop());
    qInfo("%d relay commits, %d failed commits, %d statements given up",
          messages.count(relayed), messages.count(QStringLiteral("提交事务失败")),
          warnings.count(QStringLiteral("statement failed and is dropped")));
}

void tst_DbTcpDataThread::acceptedStatementsSurviveAKill()
{
    // The remote side accepts and never answers: the worker sits in its
    // connect the whole time.
    SilentPort silent;
    QVERIFY(silent.start());
    TestSupport::closeConnection(localConn);

    QProcess child;
    child.setProcessEnvironment(TestSupport::childEnvironment());
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.setReadChannel(QProcess::StandardOutput);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--append-child"), localFile, QString::number(silent.port())});
    auto reap = qScopeGuard([&] {
        child.kill();
        child.waitForFinished(10000);
    });
    QVERIFY(child.waitForStarted(30000));
    QTRY_VERIFY_WITH_TIMEOUT(child.canReadLine(), 60000);
    QCOMPARE(child.readLine().trimmed(), QByteArray("up"));
    QTRY_VERIFY_WITH_TIMEOUT(silent.accepted() >= 1, 30000);
    child.write("go\n");
    QTRY_VERIFY_WITH_TIMEOUT(child.canReadLine(), 30000);
    const QByteArray appended = child.readLine().trimmed();
    QCOMPARE(appended, QByteArray("appended 100"));
    QTest::qWait(1000);
    child.kill();
    QVERIFY(child.waitForFinished(10000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    reap.dismiss();

    TestSupport::openSqlite(localFile, localConn);
    QStringList expected;
    for (int k = 1; k <= 100; ++k) {
        expected << QStringLiteral("insert into Texts values('kept %1')").arg(k);
    }
    QCOMPARE(TestSupport::column(QStringLiteral("select StrSql from TempSql order by ID"), localConn), expected);
}

void tst_DbTcpDataThread::execGivesTheStatementsResult_data()
{
    QTest::addColumn<bool>("isLocal");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("result");
    QTest::newRow("local, runs") << true << QStringLiteral("insert into Marks values('ran')") << true;
    QTest::newRow("local, no such table") << true << QStringLiteral("insert into NoMarks values('x')") << false;
    QTest::newRow("local, syntax") << true << QStringLiteral("insert into Marks valeus('x')") << false;
    QTest::newRow("net, runs") << false << QStringLiteral("insert into Texts values('ran')") << true;
    QTest::newRow("net, no such table") << false << QStringLiteral("insert into NoTexts values('x')") << false;
    QTest::newRow("net, syntax") << false << QStringLiteral("insert into Texts valeus('x')") << false;
}

void tst_DbTcpDataThread::execGivesTheStatementsResult()
{
    QFETCH(bool, isLocal);
    QFETCH(QString, sql);
    QFETCH(bool, result);

    WarningLog warnings;
    MessageLog messages;
    DbTcpDataThread thread;
    messages.watch(&thread, &DbTcpDataThread::debug);
    configure(thread, server, database, localFile);
    // Not running: nothing runs it.
    QVERIFY(!(isLocal ? thread.execSqlLocal(sql) : thread.execSqlNet(sql)));
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(messages.count(localUp) == 1 && messages.count(netUp) == 1, 10000);

    QCOMPARE(isLocal ? thread.execSqlLocal(sql) : thread.execSqlNet(sql), result);
    // Ran before the call returned.
    if (isLocal) {
        QCOMPARE(TestSupport::column(QStringLiteral("select Txt from Marks"), localConn),
                 result ? QStringList{QStringLiteral("ran")} : QStringList());
    } else {
        QCOMPARE(remoteColumn(remote, QStringLiteral("select Txt from Texts")),
                 result ? QStringList{QStringLiteral("ran")} : QStringList());
    }
    QCOMPARE(warnings.count(sql), result ? 0 : 1);
    thread.stop();
    QVERIFY(thread.wait(5000));
}

// Run as a child process: a relay from the local file to a silent remote
// port; once the local side is up it says "up", and on "go" from its input
// it appends 100 statements, says how many were accepted and waits to be
// killed.
static int appendChild(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString localFile = QString::fromLocal8Bit(argv[2]);
    const int port = QString::fromLocal8Bit(argv[3]).toInt();
    std::atomic<bool> localUpSeen{false};
    DbTcpDataThread thread;
    QObject::connect(&thread, &DbTcpDataThread::debug, &thread,
                     [&](const QString &msg) {
                         if (msg == localUp) {
                             localUpSeen = true;
                         }
                     },
                     Qt::DirectConnection);
    thread.setConnInfoLocal(DbType_Sqlite, QStringLiteral("dbLocal"), QString(), 0, localFile, QString(), QString());
    thread.setConnInfoNet(DbType_MySql, QStringLiteral("dbNet"), QStringLiteral("127.0.0.1"), port,
                          QStringLiteral("nothing"), QStringLiteral("secsuite"), QStringLiteral("secsuite"));
    // Longer than the parent waits: the worker never gets past the connect.
    thread.setTimeout(120);
    thread.start();
    QDeadlineTimer deadline(60000);
    while (!localUpSeen && !deadline.hasExpired()) {
        QThread::msleep(10);
    }
    std::cout << "up" << std::endl;
    std::string line;
    std::getline(std::cin, line);
    int accepted = 0;
    for (int k = 1; k <= 100; ++k) {
        if (thread.appendSqlLocal(QStringLiteral("insert into Texts values('kept %1')").arg(k))) {
            ++accepted;
        }
    }
    std::cout << "appended " << accepted << std::endl;
    QThread::sleep(120);
    return 0;
}

int main(int argc, char *argv[])
{
    if (argc > 3 && qstrcmp(argv[1], "--append-child") == 0) {
        return appendChild(argc, argv);
    }
    QCoreApplication app(argc, argv);
    tst_DbTcpDataThread test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_dbtcpdatathread.moc"
