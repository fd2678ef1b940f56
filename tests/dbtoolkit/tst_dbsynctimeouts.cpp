#include "dblocalthread.h"
#include "dbtcpclientthread.h"
#include "dbtcpdatathread.h"
#include "dbtcpserverthread.h"
#include "mysqltest.h"
#include "signallog.h"
#include "tcpfault.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

const QString admin = QStringLiteral("admin");
const QString commitFailed = QStringLiteral("提交事务失败");
// Short, so that a wait that ends by the time-out ends soon.
constexpr int timeoutSeconds = 2;
// What stop() may take when the worker is held by a silent server: the
// time-out, the 3 s a thread promises beyond it, and as much again for a
// slow (sanitized, shared) machine.
constexpr int stopBoundMs = 2 * (timeoutSeconds + 3) * 1000;

// One of the threads that talk to a MySQL server, as the test drives it.
struct Subject {
    std::unique_ptr<QThread> thread;
    std::function<void()> stop;
    // Hands a statement to the thread for the remote side; empty for the
    // threads that only read.
    std::function<bool(const QString &)> send;
    // Told once the remote side is up.
    QString connected;
    // The relay's local queue.
    QString localFile;
};

} // namespace

class tst_DbSyncTimeouts : public QObject
{
    Q_OBJECT

private:
    MysqlServer server;
    QString database;
    QTemporaryDir dir;

    // A thread of the given kind on 127.0.0.1:port, with the test's time-out.
    Subject make(const QString &kind, quint16 port, int checkInterval, MessageLog &messages)
    {
        Subject subject;
        const QString host = QStringLiteral("127.0.0.1");
        if (kind == QLatin1String("keeper")) {
            auto *thread = new DbLocalThread;
            subject.thread.reset(thread);
            messages.watch(thread, &DbLocalThread::debug);
            thread->setConnInfo(DbType_MySql, QStringLiteral("keeper"), host, port, database, server.user,
                                server.password);
            thread->setCheckInterval(checkInterval);
            thread->setTimeout(timeoutSeconds);
            subject.stop = [thread] { thread->stop(); };
            subject.connected = QStringLiteral("重连数据库成功");
        } else if (kind == QLatin1String("upload client")) {
            auto *thread = new DbTcpClientThread;
            subject.thread.reset(thread);
            messages.watch(thread, &DbTcpClientThread::debug);
            thread->setConnInfo(DbType_MySql, QStringLiteral("client"), host, port, database, server.user,
                                server.password);
            thread->setCheckInterval(checkInterval);
            thread->setTimeout(timeoutSeconds);
            subject.stop = [thread] { thread->stop(); };
            subject.send = [thread](const QString &sql) { thread->append(sql); return true; };
            subject.connected = QStringLiteral("重连数据库成功");
        } else if (kind == QLatin1String("relay")) {
            static int serial = 0;
            const QString localFile = dir.filePath(QStringLiteral("relay%1.db").arg(++serial));
            const QString localConn = QStringLiteral("relayLocal");
            TestSupport::openSqlite(localFile, localConn);
            QSqlQuery(QSqlDatabase::database(localConn))
                .exec(QStringLiteral("CREATE TABLE TempSql (ID INTEGER PRIMARY KEY AUTOINCREMENT, StrSql TEXT)"));
            TestSupport::closeConnection(localConn);
            subject.localFile = localFile;
            auto *thread = new DbTcpDataThread;
            subject.thread.reset(thread);
            messages.watch(thread, &DbTcpDataThread::debug);
            thread->setConnInfoLocal(DbType_Sqlite, QStringLiteral("dbLocal"), QString(), 0, localFile, QString(),
                                     QString());
            thread->setConnInfoNet(DbType_MySql, QStringLiteral("dbNet"), host, port, database, server.user,
                                   server.password);
            thread->setCheckInterval(checkInterval);
            thread->setTimeout(timeoutSeconds);
            subject.stop = [thread] { thread->stop(); };
            subject.send = [thread](const QString &sql) { return thread->appendSqlLocal(sql); };
            subject.connected = QStringLiteral("重连远程数据库成功");
        } else {
            auto *thread = new DbTcpServerThread;
            subject.thread.reset(thread);
            messages.watch(thread, &DbTcpServerThread::debug);
            thread->setConnInfo(DbType_MySql, QStringLiteral("reader"), host, port, database, server.user,
                                server.password);
            thread->setCheckInterval(checkInterval);
            thread->setTimeout(timeoutSeconds);
            thread->setTableName(QStringLiteral("Cut"));
            thread->setColumnName({QStringLiteral("Txt")});
            thread->setKeyName({QStringLiteral("Txt")});
            thread->setReadInterval(200);
            subject.stop = [thread] { thread->stop(); };
            subject.connected = QStringLiteral("重连数据库成功");
        }
        return subject;
    }

    // Starts the thread of the kind through the proxy and waits until it is connected.
    void startThrough(TcpFaultServer &proxy, const QString &kind, int checkInterval, MessageLog &messages,
                      Subject &subject)
    {
        QVERIFY(proxy.start());
        subject = make(kind, proxy.port(), checkInterval, messages);
        subject.thread->start();
        QTRY_COMPARE_WITH_TIMEOUT(messages.count(subject.connected), 1, 10000);
    }

    // Stops the thread and checks that it ended within the bound.
    static void stopInTime(Subject &subject, const QString &kind)
    {
        QElapsedTimer stopping;
        stopping.start();
        subject.stop();
        QVERIFY2(subject.thread->wait(stopBoundMs),
                 qPrintable(QStringLiteral("still running %1 ms after stop()").arg(stopping.elapsed())));
        qInfo("%s stopped after %lld ms", qPrintable(kind), stopping.elapsed());
    }

    static void addKinds()
    {
        QTest::addColumn<QString>("kind");
        for (const char *kind : {"keeper", "upload client", "relay", "server reader"}) {
            QTest::newRow(kind) << QString::fromLatin1(kind);
        }
    }

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void stopsWhileConnectingToSilentPort_data();
    void stopsWhileConnectingToSilentPort();
    void stopsWhenServerStallsMidStatement_data();
    void stopsWhenServerStallsMidStatement();
    void cutStatementRunsOnceAfterReconnect_data();
    void cutStatementRunsOnceAfterReconnect();
};

void tst_DbSyncTimeouts::initTestCase()
{
    QVERIFY(dir.isValid());
    server = MysqlTest::sharedServer();
    if (!server.isValid()) {
        QSKIP(MysqlTest::missingServerMessage());
    }
    database = MysqlTest::uniqueDatabaseName(QStringLiteral("tst_timeouts"));
    QVERIFY(MysqlTest::open(server, admin).isOpen());
    QVERIFY(MysqlTest::exec(admin, QStringLiteral("CREATE DATABASE %1 CHARACTER SET utf8mb4").arg(database)));
    QVERIFY(MysqlTest::exec(admin, QStringLiteral("USE %1").arg(database)));
    // No key: a statement run twice shows as two rows.
    QVERIFY(MysqlTest::exec(admin, QStringLiteral("CREATE TABLE Cut (Txt VARCHAR(50)) DEFAULT CHARSET=utf8mb4")));
}

void tst_DbSyncTimeouts::cleanupTestCase()
{
    if (!database.isEmpty()) {
        MysqlTest::exec(admin, QStringLiteral("DROP DATABASE IF EXISTS %1").arg(database));
    }
    TestSupport::closeConnection(admin);
}

void tst_DbSyncTimeouts::init()
{
    QVERIFY(MysqlTest::exec(admin, QStringLiteral("delete from Cut")));
}

void tst_DbSyncTimeouts::stopsWhileConnectingToSilentPort_data()
{
    addKinds();
}

void tst_DbSyncTimeouts::stopsWhileConnectingToSilentPort()
{
    QFETCH(QString, kind);

    MessageLog messages;
    Subject subject;
    // Declared after the thread, so gone before it: a thread the test gave
    // up on is let go rather than waited for.
    SilentPort silent;
    QVERIFY(silent.start());
    subject = make(kind, silent.port(), 30, messages);
    subject.thread->start();
    // The thread is now waiting for the server's greeting.
    QTRY_VERIFY_WITH_TIMEOUT(silent.accepted() >= 1, 10000);

    stopInTime(subject, kind);
}

void tst_DbSyncTimeouts::stopsWhenServerStallsMidStatement_data()
{
    addKinds();
}

void tst_DbSyncTimeouts::stopsWhenServerStallsMidStatement()
{
    QFETCH(QString, kind);

    MessageLog messages;
    Subject subject;
    TcpFaultServer proxy(quint16(server.port));
    // Checks every second give the keeper a statement to be cut in.
    startThrough(proxy, kind, 1, messages, subject);
    if (QTest::currentTestFailed()) {
        return;
    }

    proxy.stall();
    if (subject.send) {
        QVERIFY(subject.send(QStringLiteral("insert into Cut values('stalled')")));
    }
    // Something was sent that the server never saw: the thread waits for its answer.
    QTRY_VERIFY_WITH_TIMEOUT(proxy.stalledBytes() > 0, 10000);

    stopInTime(subject, kind);
}

void tst_DbSyncTimeouts::cutStatementRunsOnceAfterReconnect_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("upload client") << QStringLiteral("upload client");
    QTest::newRow("relay") << QStringLiteral("relay");
}

void tst_DbSyncTimeouts::cutStatementRunsOnceAfterReconnect()
{
    QFETCH(QString, kind);

    WarningLog warnings;
    MessageLog messages;
    Subject subject;
    TcpFaultServer proxy(quint16(server.port));
    // No check comes between: the statement's own transaction is what stalls.
    startThrough(proxy, kind, 3600, messages, subject);
    if (QTest::currentTestFailed()) {
        return;
    }

    proxy.stall();
    const QString sql = QStringLiteral("insert into Cut values('once')");
    QVERIFY(subject.send(sql));
    QTRY_VERIFY_WITH_TIMEOUT(proxy.stalledBytes() > 0, 10000);
    // The time-out cuts the transaction short; it is rolled back and kept.
    QTRY_VERIFY_WITH_TIMEOUT(messages.count(commitFailed) >= 1, stopBoundMs);
    QCOMPARE(TestSupport::count(QStringLiteral("select count(*) from Cut"), admin), 0);

    // The server answers again: after the reconnect the statement runs, once.
    const int connectedBefore = messages.count(subject.connected);
    proxy.resume();
    QTRY_VERIFY_WITH_TIMEOUT(messages.count(subject.connected) > connectedBefore, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(TestSupport::count(QStringLiteral("select count(*) from Cut"), admin), 1, 20000);
    subject.stop();
    QVERIFY(subject.thread->wait(stopBoundMs));
    QCOMPARE(TestSupport::count(QStringLiteral("select count(*) from Cut"), admin), 1);
    QCOMPARE(warnings.count(sql), 0);
    if (!subject.localFile.isEmpty()) {
        const QString localConn = QStringLiteral("relayCheck");
        TestSupport::openSqlite(subject.localFile, localConn);
        QCOMPARE(TestSupport::count(QStringLiteral("select count(*) from TempSql"), localConn), 0);
        TestSupport::closeConnection(localConn);
    }
}

QTEST_GUILESS_MAIN(tst_DbSyncTimeouts)
#include "tst_dbsynctimeouts.moc"
