#include "dbcleanthread.h"
#include "dbexecsqlthread.h"
#include "coretestseams.h"
#include "testsupport.h"
#include "zemiclock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <optional>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace TestSupport;

namespace {

// The steady time in the tests that put it in: it moves only when a test moves
// it, and counts its readings so a test can tell the loop has looked at it.
std::atomic<qint64> fakeNow{0};
std::atomic<int> clockReads{0};

qint64 fakeClock()
{
    const qint64 now = fakeNow;
    ++clockReads;
    return now;
}

// Until the loop has read the clock three more times, so it has decided on the current fake time.
void awaitLoopRounds()
{
    const int reads = clockReads;
    QTRY_VERIFY_WITH_TIMEOUT(clockReads >= reads + 3, 5000);
}

// Debug lines that mention a given text.
QString watchedText;
QStringList watchedLines;
QtMessageHandler previousHandler = nullptr;

void watchingHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!watchedText.isEmpty() && message.contains(watchedText)) {
        watchedLines << message;
    }
    previousHandler(type, context, message);
}

// The immutable flag stops even root from removing a file (and so its folder).
bool setImmutable(const QString &fileName, bool on)
{
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

// Makes a folder impossible to remove for the test's lifetime, and undoes it so
// the temporary folder can go.
class Unremovable
{
public:
    // Empty when nothing here can hold the folder.
    QString make(const QString &folder, const QString &file)
    {
        if (setImmutable(file, true)) {
            immutableFile = file;
            return QStringLiteral("immutable file");
        }
        if (::geteuid() != 0 && QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner)) {
            readOnlyFolder = folder;
            return QStringLiteral("read-only folder");
        }
        return QString();
    }

    ~Unremovable()
    {
        if (!immutableFile.isEmpty()) {
            setImmutable(immutableFile, false);
        }
        if (!readOnlyFolder.isEmpty()) {
            QFile::setPermissions(readOnlyFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

private:
    QString immutableFile;
    QString readOnlyFolder;
};

} // namespace


class tst_DbCleanThread : public QObject
{
    Q_OBJECT

private:
    std::optional<CoreTestSeams> seams;
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

    // Sub-folders 20261201, 20261202, ... under root, each with a.jpg of the given size.
    static void makeFolders(const QString &root, int folders, int kib)
    {
        for (int i = 1; i <= folders; ++i) {
            const QString folder = QStringLiteral("%1/202612%2").arg(root).arg(i, 2, 10, QLatin1Char('0'));
            QVERIFY(QDir().mkpath(folder));
            writeSized(folder + QStringLiteral("/a.jpg"), kib * 1024);
        }
    }

    static QStringList subFolders(const QString &root)
    {
        return QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }

    // An in-memory database under the connection "mem", with the tables the tests write to.
    static void openMemory(const QString &databaseName, const QString &options)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mem"));
        db.setDatabaseName(databaseName);
        db.setConnectOptions(options);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral("create table ErrorInfo (ErrorType VARCHAR (10), ErrorContent VARCHAR (30))")));
    }

    static void memoryDatabases()
    {
        QTest::addColumn<QString>("databaseName");
        QTest::addColumn<QString>("options");
        QTest::newRow(":memory:") << ":memory:" << "";
        QTest::newRow("shared memory URI") << "file:cleanmem?mode=memory&cache=shared" << "QSQLITE_OPEN_URI";
        QTest::newRow("file::memory:") << "file::memory:" << "QSQLITE_OPEN_URI";
    }

private slots:
    void init();
    void cleanup();

    void cleanPass_data();
    void cleanPass();
    void runningThreadTrimsAndStopsPromptly();
    void firstPassWaitsForTheInterval();
    void unopenableDatabaseEndsTheThread();
    void unknownDbTypeEndsTheThread();
    void passTimesFollowTheReplacedClock_data();
    void passTimesFollowTheReplacedClock();
    void folderTrimming_data();
    void folderTrimming();
    void oldestFolderGoesWithAllItHolds_data();
    void oldestFolderGoesWithAllItHolds();
    void unremovableFolderIsSkipped();
    void deleteDirectory();
    void execSql_data();
    void execSql();
    void execSqlOnMemoryDatabase_data();
    void execSqlOnMemoryDatabase();
};

void tst_DbCleanThread::init()
{
    seams.emplace();
    temp = new QTemporaryDir;
    QVERIFY(temp->isValid());
    dbFile = temp->filePath(QStringLiteral("safe.db"));
    QVERIFY(createTerminalDatabase(dbFile));
    openSqlite(dbFile);
}

void tst_DbCleanThread::cleanup()
{
    closeConnection();
    if (QSqlDatabase::contains(QStringLiteral("mem"))) {
        closeConnection(QStringLiteral("mem"));
    }
    if (QSqlDatabase::contains(QStringLiteral("cleanLogInfo"))) {
        closeConnection(QStringLiteral("cleanLogInfo"));
    }
    delete temp;
    temp = nullptr;
    seams.reset();
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

void tst_DbCleanThread::unknownDbTypeEndsTheThread()
{
    DbCleanThread thread;
    thread.setObjectName(QStringLiteral("cleanLogInfo"));
    configureForLog(thread, 100, 1);
    thread.setConnInfo(DbType(7), QStringLiteral("cleanUnknown"), QStringLiteral("127.0.0.1"), 3306, dbFile,
                       QStringLiteral("root"), QStringLiteral("kelp"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot open.*cleanUnknown")));
    QSignalSpy spy(&thread, &DbCleanThread::cleanFinsh);
    thread.start();
    QVERIFY(thread.wait(3000));
    QCOMPARE(spy.count(), 0);
    QVERIFY(!QSqlDatabase::contains(QStringLiteral("cleanUnknown")));
}

void tst_DbCleanThread::passTimesFollowTheReplacedClock_data()
{
    QTest::addColumn<int>("interval"); // seconds
    QTest::addColumn<qint64>("firstMs"); // from the start to the first pass

    QTest::newRow("the terminal's 1800000 s") << 1800000 << qint64(60000);
    QTest::newRow("one minute") << 60 << qint64(60000);
    QTest::newRow("20 s") << 20 << qint64(20000);
}

void tst_DbCleanThread::passTimesFollowTheReplacedClock()
{
    QFETCH(int, interval);
    QFETCH(qint64, firstMs);
    const qint64 intervalMs = qint64(interval) * 1000;

    fillLog(2300); // three passes' worth: each pass signals
    const qint64 start = 987654321;
    fakeNow = start;
    clockReads = 0;
    ZemiClock::setElapsed(fakeClock);
    DbCleanThread thread;
    configureForLog(thread, 100, interval);
    QSignalSpy spy(&thread, &DbCleanThread::cleanFinsh);
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(clockReads > 0, 5000);
    awaitLoopRounds();

    fakeNow = start + firstMs - 1;
    awaitLoopRounds();
    QCOMPARE(spy.count(), 0);
    fakeNow = start + firstMs;
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 5000);
    awaitLoopRounds();

    fakeNow = start + firstMs + intervalMs - 1;
    awaitLoopRounds();
    QCOMPARE(spy.count(), 1);
    fakeNow = start + firstMs + intervalMs;
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 2, 5000);

    thread.stop();
    QVERIFY(thread.wait(2000));
    QCOMPARE(count(QStringLiteral("select count(*) from LogInfo")), 300);
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

void tst_DbCleanThread::oldestFolderGoesWithAllItHolds_data()
{
    QTest::addColumn<QStringList>("contents"); // what the oldest folder holds besides a.jpg

    QTest::newRow("hidden file") << QStringList{"hidden"};
    QTest::newRow("dangling link") << QStringList{"dangling"};
    QTest::newRow("links to a folder and a file outside") << QStringList{"outside"};
    QTest::newRow("nested folder") << QStringList{"nested"};
    QTest::newRow("all of them") << QStringList{"hidden", "dangling", "outside", "nested"};
}

void tst_DbCleanThread::oldestFolderGoesWithAllItHolds()
{
    QFETCH(QStringList, contents);

    const QString root = temp->filePath(QStringLiteral("snap"));
    makeFolders(root, 3, 400);
    if (QTest::currentTestFailed()) {
        return;
    }
    const QString oldest = QDir(root).absoluteFilePath(QStringLiteral("20261201"));
    const QString outside = temp->filePath(QStringLiteral("outside"));
    QVERIFY(QDir().mkpath(outside + QStringLiteral("/deep")));
    writeSized(outside + QStringLiteral("/keep.jpg"), 10);
    writeSized(outside + QStringLiteral("/deep/keep.jpg"), 10);

    if (contents.contains(QStringLiteral("hidden"))) {
        writeSized(oldest + QStringLiteral("/.thumbs"), 10);
    }
    if (contents.contains(QStringLiteral("dangling"))) {
        QVERIFY(QFile::link(temp->filePath(QStringLiteral("nowhere.jpg")), oldest + QStringLiteral("/gone.jpg")));
    }
    if (contents.contains(QStringLiteral("outside"))) {
        QVERIFY(QFile::link(outside, oldest + QStringLiteral("/outside")));
        QVERIFY(QFile::link(outside + QStringLiteral("/keep.jpg"), oldest + QStringLiteral("/keep.jpg")));
    }
    if (contents.contains(QStringLiteral("nested"))) {
        QVERIFY(QDir().mkpath(oldest + QStringLiteral("/sub/deeper")));
        writeSized(oldest + QStringLiteral("/sub/deeper/b.jpg"), 10);
        writeSized(oldest + QStringLiteral("/sub/.h"), 10);
    }

    DbCleanThread thread;
    configureForLog(thread, 100000, 1800);
    openSqlite(dbFile, QStringLiteral("cleanLogInfo"));
    thread.setDirPath(root);
    thread.setDirMaxSize(1);
    QSignalSpy spy(&thread, &DbCleanThread::cleanDir);
    thread.clean();

    QVERIFY(!QFileInfo::exists(oldest));
    QCOMPARE(subFolders(root), QStringList({"20261202", "20261203"}));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), oldest);
    // What the links pointed to is not theirs to remove.
    QVERIFY(QFileInfo::exists(outside + QStringLiteral("/keep.jpg")));
    QVERIFY(QFileInfo::exists(outside + QStringLiteral("/deep/keep.jpg")));

    // Below the limit now: the next pass leaves the rest.
    thread.clean();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(subFolders(root), QStringList({"20261202", "20261203"}));
}

void tst_DbCleanThread::unremovableFolderIsSkipped()
{
    const QString root = temp->filePath(QStringLiteral("snap"));
    makeFolders(root, 4, 400);
    if (QTest::currentTestFailed()) {
        return;
    }
    const QString stuck = QDir(root).absoluteFilePath(QStringLiteral("20261201"));
    // The file that cannot go carries the folder's size.
    QVERIFY(QFile::remove(stuck + QStringLiteral("/a.jpg")));
    writeSized(stuck + QStringLiteral("/locked.jpg"), 400 * 1024);
    Unremovable unremovable;
    const QString how = unremovable.make(stuck, stuck + QStringLiteral("/locked.jpg"));
    if (how.isEmpty()) {
        QSKIP("No immutable flag on the temporary filesystem, and root removes a read-only folder anyway");
    }
    qInfo() << "held by:" << how;

    DbCleanThread thread;
    configureForLog(thread, 100000, 1800);
    openSqlite(dbFile, QStringLiteral("cleanLogInfo"));
    thread.setDirPath(root);
    thread.setDirMaxSize(1);
    QSignalSpy spy(&thread, &DbCleanThread::cleanDir);

    watchedText = stuck;
    watchedLines.clear();
    previousHandler = qInstallMessageHandler(watchingHandler);
    thread.clean(); // 1600 KiB: the oldest cannot go
    const int signalsAfterFirst = spy.count();
    const QStringList afterFirst = subFolders(root);
    thread.clean(); // still 1600 KiB: the next one goes
    thread.clean(); // 1200 KiB: and the one after
    thread.clean(); // 800 KiB: nothing
    qInstallMessageHandler(previousHandler);
    watchedText.clear();

    QCOMPARE(signalsAfterFirst, 0);
    QCOMPARE(afterFirst, QStringList({"20261201", "20261202", "20261203", "20261204"}));
    QCOMPARE(watchedLines.size(), 1);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toString(), QDir(root).absoluteFilePath(QStringLiteral("20261202")));
    QCOMPARE(spy.at(1).at(0).toString(), QDir(root).absoluteFilePath(QStringLiteral("20261203")));
    QCOMPARE(subFolders(root), QStringList({"20261201", "20261204"}));
    QVERIFY(QFileInfo::exists(stuck + QStringLiteral("/locked.jpg")));
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

void tst_DbCleanThread::execSqlOnMemoryDatabase_data()
{
    memoryDatabases();
}

void tst_DbCleanThread::execSqlOnMemoryDatabase()
{
    QFETCH(QString, databaseName);
    QFETCH(QString, options);
    openMemory(databaseName, options);
    if (QTest::currentTestFailed()) {
        return;
    }

    QPointer<DbExecSqlThread> thread = new DbExecSqlThread;
    thread->setConnName(QStringLiteral("mem"));
    thread->setSqls({"insert into ErrorInfo values('a','1')", "insert into ErrorInfo values('b','2')"});
    QSignalSpy spy(thread.data(), &DbExecSqlThread::finsh);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("mem.*in-memory")));
    thread->start();
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.at(0).at(0).toBool(), false);
    QCOMPARE(spy.at(0).at(1).toUInt(), 0u);
    QCOMPARE(count(QStringLiteral("select count(*) from ErrorInfo"), QStringLiteral("mem")), 0);
    QTRY_VERIFY(thread.isNull());
}

QTEST_MAIN(tst_DbCleanThread)
#include "tst_dbcleanthread.moc"
