#include "dblocalthread.h"
#include "mysqltest.h"
#include "signallog.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString failed = QStringLiteral("重连数据库失败");
const QString succeeded = QStringLiteral("重连数据库成功");
const QString checked = QStringLiteral("检查数据库连接(共 1 条/用时 ");
const QString closed = QStringLiteral("关闭数据库");

// Index of the first entry from `from` on that starts with prefix, or -1.
int indexFrom(const QList<MessageLog::Entry> &entries, int from, const QString &prefix)
{
    for (int i = from; i < entries.size(); ++i) {
        if (entries.at(i).text.startsWith(prefix)) {
            return i;
        }
    }
    return -1;
}

} // namespace

class tst_DbLocalThread : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void failedOpenRetriesEveryThreeSeconds_data();
    void failedOpenRetriesEveryThreeSeconds();
    void followsServerLifecycle();
    void callsFromAnotherThread();
    void slotsWorkWithoutRunningThread_data();
    void slotsWorkWithoutRunningThread();
};

void tst_DbLocalThread::failedOpenRetriesEveryThreeSeconds_data()
{
    QTest::addColumn<int>("dbType");
    QTest::newRow("refused port") << int(DbType_MySql);
    QTest::newRow("unknown database type") << 7;
}

void tst_DbLocalThread::failedOpenRetriesEveryThreeSeconds()
{
    QFETCH(int, dbType);

    const int port = MysqlTest::freePort();
    QVERIFY(port > 0);
    MessageLog messages;
    DbLocalThread thread;
    messages.watch(&thread, &DbLocalThread::debug);
    thread.setConnInfo(DbType(dbType), QStringLiteral("keeper"), QStringLiteral("127.0.0.1"), port,
                       QStringLiteral("nothing"), QStringLiteral("secsuite"), QStringLiteral("secsuite"));
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(messages.count(failed) >= 2, 10000);

    // The thread now waits its 3 s before the next attempt: stop() cuts that short.
    QElapsedTimer stopping;
    stopping.start();
    thread.stop();
    QVERIFY2(thread.wait(1500), "stop() must end the wait between attempts");

    const QList<MessageLog::Entry> attempts = messages.starting(failed);
    const qint64 gap = attempts.at(1).at - attempts.at(0).at;
    QVERIFY2(gap >= 2900 && gap <= 6000, qPrintable(QStringLiteral("attempts %1 ms apart").arg(gap)));
    QCOMPARE(messages.count(succeeded), 0);
}

void tst_DbLocalThread::followsServerLifecycle()
{
    PrivateMariaDb own;
    MessageLog messages;
    DbLocalThread thread;
    messages.watch(&thread, &DbLocalThread::debug);
    thread.setConnInfo(DbType_MySql, QStringLiteral("keeper"), QStringLiteral("127.0.0.1"), own.port(), QString(),
                       QStringLiteral("secsuite"), QStringLiteral("secsuite"));
    thread.setCheckInterval(1);
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(messages.count(failed) >= 1, 10000);

    // The server comes: the thread connects by itself and then checks once an interval.
    QVERIFY2(own.start(), qPrintable(own.lastError()));
    QTRY_COMPARE_WITH_TIMEOUT(messages.count(succeeded), 1, 10000);
    int from = indexFrom(messages.entries(), 0, succeeded) + 1;
    QTRY_VERIFY_WITH_TIMEOUT(messages.entries().size() >= from + 3, 10000);
    QList<MessageLog::Entry> entries = messages.entries();
    for (int i = from; i < from + 3; ++i) {
        QVERIFY2(entries.at(i).text.startsWith(checked), qPrintable(entries.at(i).text));
    }
    for (int i = from + 1; i < from + 3; ++i) {
        const qint64 gap = entries.at(i).at - entries.at(i - 1).at;
        QVERIFY2(gap >= 900 && gap <= 5000, qPrintable(QStringLiteral("checks %1 ms apart").arg(gap)));
    }

    // The server goes: the next check fails, and the thread tries again.
    from = messages.entries().size();
    QVERIFY2(own.stop(), qPrintable(own.lastError()));
    QTRY_VERIFY_WITH_TIMEOUT(indexFrom(messages.entries(), from, failed) >= 0, 10000);
    entries = messages.entries();
    const int firstFailure = indexFrom(entries, from, failed);
    QVERIFY2(entries.at(firstFailure - 1).text.startsWith(checked), qPrintable(entries.at(firstFailure - 1).text));
    QCOMPARE(indexFrom(entries, from, succeeded), -1);

    // Back again: reconnected without anyone's help.
    from = messages.entries().size();
    QVERIFY2(own.start(), qPrintable(own.lastError()));
    QTRY_VERIFY_WITH_TIMEOUT(indexFrom(messages.entries(), from, succeeded) >= 0, 10000);

    thread.stop();
    QVERIFY(thread.wait(1500));
    QVERIFY(own.stop());
}

void tst_DbLocalThread::callsFromAnotherThread()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString connName = QStringLiteral("keeperFile");
    MessageLog messages;
    DbLocalThread thread;
    messages.watch(&thread, &DbLocalThread::debug);
    thread.setConnInfo(DbType_Sqlite, connName, QString(), 0, dir.filePath(QStringLiteral("keeper.db")), QString(),
                       QString());
    thread.start();
    QTRY_COMPARE_WITH_TIMEOUT(messages.count(succeeded), 1, 10000);
    QVERIFY(thread.checkDb());
    QCOMPARE(messages.count(checked), 1);

    // Closed from here, it is reopened by the thread on its next pass.
    thread.closeDb();
    QCOMPARE(messages.texts().last(), closed);
    QTRY_COMPARE_WITH_TIMEOUT(messages.count(succeeded), 2, 10000);

    thread.stop();
    QVERIFY(thread.wait(1500));
    // The thread took its connection with it.
    QVERIFY(!QSqlDatabase::contains(connName));
    QVERIFY(!thread.checkDb());
    thread.closeDb();
    QCOMPARE(messages.texts().last(), closed);
}

void tst_DbLocalThread::slotsWorkWithoutRunningThread_data()
{
    QTest::addColumn<bool>("afterRun");
    QTest::newRow("before start") << false;
    QTest::newRow("after the thread ended") << true;
}

void tst_DbLocalThread::slotsWorkWithoutRunningThread()
{
    QFETCH(bool, afterRun);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString connName = QStringLiteral("ownerFile");
    MessageLog messages;
    DbLocalThread thread;
    messages.watch(&thread, &DbLocalThread::debug);
    thread.setConnInfo(DbType_Sqlite, connName, QString(), 0, dir.filePath(QStringLiteral("owner.db")), QString(),
                       QString());
    if (afterRun) {
        thread.start();
        QTRY_COMPARE_WITH_TIMEOUT(messages.count(succeeded), 1, 10000);
        thread.stop();
        QVERIFY(thread.wait(1500));
        QVERIFY(!QSqlDatabase::contains(connName));
    }
    const int checksBefore = messages.count(checked);

    // No worker: the owner's own thread does the work.
    QVERIFY(thread.openDb());
    QVERIFY(QSqlDatabase::contains(connName));
    QVERIFY(thread.checkDb());
    QCOMPARE(messages.count(checked), checksBefore + 1);
    thread.closeDb();
    QCOMPARE(messages.texts().last(), closed);
    QVERIFY(!QSqlDatabase::contains(connName));
    QVERIFY(!thread.checkDb());

    // Opened by the owner, then the worker starts: it opens a connection of its own.
    QVERIFY(thread.openDb());
    const int opensBefore = messages.count(succeeded);
    thread.start();
    QTRY_COMPARE_WITH_TIMEOUT(messages.count(succeeded), opensBefore + 1, 10000);
    QVERIFY(thread.checkDb());
    thread.stop();
    QVERIFY(thread.wait(1500));
    QVERIFY(!QSqlDatabase::contains(connName));
}

QTEST_GUILESS_MAIN(tst_DbLocalThread)
#include "tst_dblocalthread.moc"
