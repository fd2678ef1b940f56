#include "dbcleanthread.h"
#include "dbexecsqlthread.h"
#include "testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace TestSupport;


class tst_DbCleanThread : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir *temp = nullptr;
    QString dbFile;

    void fillLog(int rows)
    {
        QSqlDatabase db = QSqlDatabase::database();
        db.transaction();
        QSqlQuery query;
        query.prepare(QStringLiteral("insert into LogInfo values('管理日志','2026-12-10','08:00:00',?)"));
        for (int i = 1; i <= rows; ++i) {
            query.addBindValue(QString::number(i));
            query.exec();
        }
        db.commit();
    }

    void configureForLog(DbCleanThread &thread, int maxCount, int interval)
    {
        thread.setPar(QStringLiteral("LogInfo"), QStringLiteral("rowid"), QStringLiteral("rowid"),
                      QStringLiteral("rowid asc"), maxCount, interval);
        thread.setConnInfo(DbType_Sqlite, QStringLiteral("cleanLogInfo"), QStringLiteral("127.0.0.1"), 3306, dbFile,
                           QStringLiteral("root"), QStringLiteral("kelp"));
    }

    static void writeSized(const QString &fileName, int bytes)
    {
        QVERIFY(writeFile(fileName, QByteArray(bytes, 'x')));
    }

private slots:
    void init();
    void cleanup();

    void cleanPass_data();
    void cleanPass();
    void runningThreadTrimsAndStopsPromptly();
    void firstPassWaitsForTheInterval();
    void unopenableDatabaseEndsTheThread();
    void folderTrimming_data();
    void folderTrimming();
    void deleteDirectory();
    void execSql_data();
    void execSql();
};

void tst_DbCleanThread::init()
{
    temp = new QTemporaryDir;
    QVERIFY(temp->isValid());
    dbFile = temp->filePath(QStringLiteral("safe.db"));
    QVERIFY(createTerminalDatabase(dbFile));
    openSqlite(dbFile);
}

void tst_DbCleanThread::cleanup()
{
    closeConnection();
    if (QSqlDatabase::contains(QStringLiteral("cleanLogInfo"))) {
        closeConnection(QStringLiteral("cleanLogInfo"));
    }
    delete temp;
    temp = nullptr;
}

void tst_DbCleanThread::cleanPass_data()
{
    QTest::addColumn<int>("maxCount");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("passes");
    QTest::addColumn<int>("rowsLeft");
    QTest::addColumn<int>("oldestLeft");
    QTest::addColumn<int>("signals_");

    QTest::newRow("below the limit") << 500 << 400 << 1 << 400 << 1 << 0;
    QTest::newRow("surplus 99 waits") << 500 << 599 << 1 << 599 << 1 << 0;
    QTest::newRow("surplus 100 goes") << 500 << 600 << 1 << 500 << 101 << 1;
    QTest::newRow("surplus 5000, one pass") << 100 << 5100 << 1 << 4100 << 1001 << 1;
    QTest::newRow("surplus 5000, five passes") << 100 << 5100 << 5 << 100 << 5001 << 5;
    QTest::newRow("surplus 5000, six passes") << 100 << 5100 << 6 << 100 << 5001 << 5;
}

void tst_DbCleanThread::cleanPass()
{
    QFETCH(int, maxCount);
    QFETCH(int, rows);
    QFETCH(int, passes);
    QFETCH(int, rowsLeft);
    QFETCH(int, oldestLeft);
    QFETCH(int, signals_);

    fillLog(rows);
    DbCleanThread thread;
    configureForLog(thread, maxCount, 1800);
    // clean() runs in the caller's thread on the named connection.
    openSqlite(dbFile, QStringLiteral("cleanLogInfo"));
    QSignalSpy spy(&thread, &DbCleanThread::cleanFinsh);
    for (int i = 0; i < passes; ++i) {
        thread.clean();
    }
    QCOMPARE(count(QStringLiteral("select count(*) from LogInfo")), rowsLeft);
    QCOMPARE(count(QStringLiteral("select min(cast(LogContent as integer)) from LogInfo")), oldestLeft);
    QCOMPARE(spy.count(), signals_);
    for (const QList<QVariant> &args : qAsConst(spy)) {
        QCOMPARE(args.at(0).toBool(), true);
        QVERIFY(args.at(1).toInt() == 1000 || args.at(1).toInt() == rows - maxCount);
        QVERIFY(args.at(2).toDouble() >= 0.0);
    }
}

void tst_DbCleanThread::runningThreadTrimsAndStopsPromptly()
{
    fillLog(1300);
    DbCleanThread thread;
    thread.setObjectName(QStringLiteral("cleanLogInfo"));
    configureForLog(thread, 100, 1);
    QSignalSpy spy(&thread, &DbCleanThread::cleanFinsh);
    thread.start();
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.at(0).at(1).toInt(), 1000);
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 2, 5000);
    QCOMPARE(spy.at(1).at(1).toInt(), 200);
    QCOMPARE(count(QStringLiteral("select count(*) from LogInfo")), 100);

    QElapsedTimer timer;
    timer.start();
    thread.stop();
    QVERIFY(thread.wait(2000));
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
}

void tst_DbCleanThread::firstPassWaitsForTheInterval()
{
    fillLog(300);
    DbCleanThread thread;
    configureForLog(thread, 100, 2);
    QSignalSpy spy(&thread, &DbCleanThread::cleanFinsh);
    QElapsedTimer timer;
    timer.start();
    thread.start();
    QVERIFY(spy.wait(6000));
    QVERIFY2(timer.elapsed() >= 1000, qPrintable(QString::number(timer.elapsed())));
    thread.stop();
    QVERIFY(thread.wait(2000));
}

void tst_DbCleanThread::unopenableDatabaseEndsTheThread()
{
    DbCleanThread thread;
    configureForLog(thread, 100, 1);
    thread.setConnInfo(DbType_Sqlite, QStringLiteral("cleanLogInfo"), QString(), 0,
                       temp->filePath(QStringLiteral("no/such/dir/x.db")), QString(), QString());
    thread.start();
    QVERIFY(thread.wait(3000));
}

void tst_DbCleanThread::folderTrimming_data()
{
    QTest::addColumn<QList<int>>("folderKiB"); // sizes of 2026-12-01, -02, -03 in KiB of *.jpg
    QTest::addColumn<int>("maxMiB");
    QTest::addColumn<QStringList>("left");

    QTest::newRow("below the limit") << QList<int>{300, 300, 300} << 1 << QStringList{"20261201", "20261202", "20261203"};
    QTest::newRow("limit reached on the last") << QList<int>{400, 400, 400} << 1 << QStringList{"20261202", "20261203"};
    QTest::newRow("limit reached on the first") << QList<int>{2048, 10, 10} << 2 << QStringList{"20261202", "20261203"};
    QTest::newRow("other files do not count") << QList<int>{-600, -600, 100} << 1 << QStringList{"20261201", "20261202", "20261203"};
}

void tst_DbCleanThread::folderTrimming()
{
    QFETCH(QList<int>, folderKiB);
    QFETCH(int, maxMiB);
    QFETCH(QStringList, left);

    const QString root = temp->filePath(QStringLiteral("snap"));
    const QStringList names = {"20261201", "20261202", "20261203"};
    for (int i = 0; i < names.size(); ++i) {
        const QString folder = root + QLatin1Char('/') + names.at(i);
        QVERIFY(QDir().mkpath(folder));
        const int kib = folderKiB.at(i);
        // A negative size is a file that the filter does not match.
        writeSized(folder + (kib < 0 ? QStringLiteral("/a.png") : QStringLiteral("/a.jpg")), qAbs(kib) * 1024);
    }

    DbCleanThread thread;
    configureForLog(thread, 100000, 1800);
    openSqlite(dbFile, QStringLiteral("cleanLogInfo"));
    thread.setDirPath(root);
    thread.setDirMaxSize(maxMiB);
    QSignalSpy spy(&thread, &DbCleanThread::cleanDir);
    thread.clean();

    QCOMPARE(QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name), left);
    if (left.size() < names.size()) {
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QDir(root).absoluteFilePath(names.first()));
    } else {
        QCOMPARE(spy.count(), 0);
    }
}

void tst_DbCleanThread::deleteDirectory()
{
    const QString root = temp->filePath(QStringLiteral("d"));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/x/y")));
    QVERIFY(writeFile(root + QStringLiteral("/x/y/f.jpg"), "1"));
    QVERIFY(writeFile(root + QStringLiteral("/g.jpg"), "2"));
    DbCleanThread thread;
    thread.deleteDirectory(root);
    QVERIFY(QDir(root).exists());
    QVERIFY(QDir(root).isEmpty());
}

void tst_DbCleanThread::execSql_data()
{
    QTest::addColumn<QStringList>("sqls");
    QTest::addColumn<int>("rows");

    QTest::newRow("empty list") << QStringList() << 0;
    QTest::newRow("three inserts")
        << QStringList{"insert into ErrorInfo values('a','1')", "insert into ErrorInfo values('b','2')",
                       "insert into ErrorInfo values('c','3')"}
        << 3;
    QTest::newRow("a bad statement is skipped")
        << QStringList{"insert into ErrorInfo values('a','1')", "insert into Nowhere values(1)"} << 1;
}

void tst_DbCleanThread::execSql()
{
    QFETCH(QStringList, sqls);
    QFETCH(int, rows);

    QPointer<DbExecSqlThread> thread = new DbExecSqlThread;
    thread->setSqls(sqls);
    QSignalSpy spy(thread.data(), &DbExecSqlThread::finsh);
    thread->start();
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.at(0).at(0).toBool(), true);
    QCOMPARE(spy.at(0).at(1).toUInt(), uint(sqls.size()));
    QCOMPARE(count(QStringLiteral("select count(*) from ErrorInfo")), rows);
    QTRY_VERIFY(thread.isNull()); // deletes itself
}

QTEST_MAIN(tst_DbCleanThread)
#include "tst_dbcleanthread.moc"
