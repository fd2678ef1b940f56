#include "csvreader.h"
#include "sqlitelock.h"
#include "coretestseams.h"
#include "testsupport.h"
#include "zemiclock.h"

#include "dbcsvexportthread.h"
#include "dbhelper.h"
#include "dbconn.h"

#include <QDir>
#include <QScopeGuard>
#include <QSqlError>
#include <QTemporaryDir>
#include <QtTest>
#include <climits>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>

using namespace TestSupport;

// Query to CSV from a thread of its own: the format, the order across chunk
// boundaries, and what is left behind when it does not finish.
class tst_DbCsvExportThread : public QObject
{
    Q_OBJECT

private:
    std::optional<CoreTestSeams> seams;
    std::unique_ptr<QTemporaryDir> temp;
    QString dbFile;

    // An export of LogInfo's four columns, in the log screen's order unless told otherwise.
    std::unique_ptr<DbCsvExportThread> exporter(const QString &fileName,
                                                const QStringList &keys = {QStringLiteral("LogDate desc"),
                                                                           QStringLiteral("rowid desc")})
    {
        std::unique_ptr<DbCsvExportThread> thread(new DbCsvExportThread);
        thread->setTableName(QStringLiteral("LogInfo"));
        thread->setColumns({QStringLiteral("LogDate"), QStringLiteral("LogTime"), QStringLiteral("LogType"),
                            QStringLiteral("LogContent")},
                           {QStringLiteral("日期"), QStringLiteral("时间"), QStringLiteral("类型"),
                            QStringLiteral("事件")});
        thread->setKeyColumns(keys);
        thread->setFileName(fileName);
        return thread;
    }

    static bool runToEnd(DbCsvExportThread &thread)
    {
        QSignalSpy finished(&thread, &DbCsvExportThread::exportFinished);
        thread.start();
        return finished.count() > 0 || finished.wait(120000);
    }

    static bool insertRows(const QString &sql, int count, const std::function<QVariantList(int)> &values)
    {
        QSqlDatabase db = QSqlDatabase::database();
        if (!db.transaction()) {
            return false;
        }
        QSqlQuery query(db);
        query.prepare(sql);
        for (int i = 0; i < count; ++i) {
            for (const QVariant &v : values(i)) {
                query.addBindValue(v);
            }
            if (!query.exec()) {
                qWarning() << query.lastError().text();
                db.rollback();
                return false;
            }
        }
        return db.commit();
    }

    // The rows as the database gives them, in an order.
    static QList<QStringList> databaseRows(const QString &where, const QString &order)
    {
        QSqlQuery query;
        query.setForwardOnly(true);
        query.exec(QStringLiteral("select LogDate,LogTime,LogType,LogContent from LogInfo %1 order by %2")
                       .arg(where, order));
        QList<QStringList> rows;
        while (query.next()) {
            rows << QStringList{query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                                query.value(3).toString()};
        }
        return rows;
    }

    QStringList folderEntries() const
    {
        return QDir(temp->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

private slots:
    void init();
    void cleanup();

    void csvRecord_data();
    void csvRecord();
    void readsEveryRowInKeyOrderAcrossChunks_data();
    void readsEveryRowInKeyOrderAcrossChunks();
    void emptyResultWritesNoFile();
    void cancelLeavesNoFile();
    void unwritableTargetLeavesNoFile_data();
    void unwritableTargetLeavesNoFile();
    void lockedDatabaseFailsWithoutFile();
    void writesGoThroughWhileAFullLogIsExported();
};

void tst_DbCsvExportThread::init()
{
    seams.emplace();
    DbConn::setSqliteBusyTimeout(300);
    temp.reset(new QTemporaryDir);
    QVERIFY(temp->isValid());
    dbFile = temp->filePath(QStringLiteral("log.db"));
    QVERIFY(createTerminalDatabase(dbFile));
    QSqlDatabase db = DbConn::addSqlite(QLatin1String(QSqlDatabase::defaultConnection), dbFile);
    QVERIFY(db.open());
}

void tst_DbCsvExportThread::cleanup()
{
    closeConnection();
    temp.reset();
    seams.reset();
}

void tst_DbCsvExportThread::csvRecord_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QByteArray>("record");

    QTest::newRow("plain") << QStringList{"2026-12-10", "08:00:00", "管理日志", "添加用户成功"}
                           << QByteArray("2026-12-10,08:00:00,管理日志,添加用户成功\r\n");
    QTest::newRow("empty fields") << QStringList{"", "", ""} << QByteArray(",,\r\n");
    QTest::newRow("comma") << QStringList{"a,b", "c"} << QByteArray("\"a,b\",c\r\n");
    QTest::newRow("quote") << QStringList{"say \"hi\""} << QByteArray("\"say \"\"hi\"\"\"\r\n");
    QTest::newRow("line feed") << QStringList{"one\ntwo"} << QByteArray("\"one\ntwo\"\r\n");
    QTest::newRow("carriage return") << QStringList{"one\r\ntwo"} << QByteArray("\"one\r\ntwo\"\r\n");
    QTest::newRow("equals") << QStringList{"=1+1"} << QByteArray("'=1+1\r\n");
    QTest::newRow("plus") << QStringList{"+86 138"} << QByteArray("'+86 138\r\n");
    QTest::newRow("minus") << QStringList{"-2"} << QByteArray("'-2\r\n");
    QTest::newRow("at") << QStringList{"@SUM(A1)"} << QByteArray("'@SUM(A1)\r\n");
    QTest::newRow("formula with comma") << QStringList{"=HYPERLINK(\"x\",\"y\")"}
                                        << QByteArray("\"'=HYPERLINK(\"\"x\"\",\"\"y\"\")\"\r\n");
    QTest::newRow("equals later") << QStringList{"a=b", " =c"} << QByteArray("a=b, =c\r\n");
}

void tst_DbCsvExportThread::csvRecord()
{
    QFETCH(QStringList, fields);
    QFETCH(QByteArray, record);
    QCOMPARE(DbCsvExportThread::csvRecord(fields), record);
}

void tst_DbCsvExportThread::readsEveryRowInKeyOrderAcrossChunks_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<int>("chunkRows");

    const QStringList desc{QStringLiteral("LogDate desc"), QStringLiteral("rowid desc")};
    const QStringList asc{QStringLiteral("LogDate asc"), QStringLiteral("rowid asc")};
    for (int chunk : {1, 3, 7, 50, 4000}) {
        QTest::newRow(qPrintable(QStringLiteral("newest first, chunk %1").arg(chunk))) << desc << chunk;
        QTest::newRow(qPrintable(QStringLiteral("oldest first, chunk %1").arg(chunk))) << asc << chunk;
    }
    QTest::newRow("rowid alone, chunk 4") << QStringList{QStringLiteral("rowid desc")} << 4;
}

// Many rows share a date, some dates are missing (NULL sorts lowest), one
// other type is mixed in: every row of the type comes exactly once, in order.
void tst_DbCsvExportThread::readsEveryRowInKeyOrderAcrossChunks()
{
    QFETCH(QStringList, keys);
    QFETCH(int, chunkRows);
    QVERIFY(insertRows(QStringLiteral("insert into LogInfo values(?,?,?,?)"), 120, [](int i) {
        const QVariant date = i % 17 == 5 ? QVariant(QVariant::String)
                                          : QVariant(QStringLiteral("2026-12-%1").arg(10 + i % 4));
        return QVariantList{i % 5 == 0 ? QStringLiteral("报警日志") : QStringLiteral("开柜日志"), date,
                            QStringLiteral("08:%1:00").arg(i % 60, 2, 10, QLatin1Char('0')),
                            QStringLiteral("开启内门%1,\"双人\"\n第%2条").arg(i % 6).arg(i)};
    }));
    const QString file = temp->filePath(QStringLiteral("out.csv"));
    auto thread = exporter(file, keys);
    thread->setWhere(QStringLiteral("LogType=?"), {QStringLiteral("开柜日志")});
    thread->setChunkRows(chunkRows);
    QVERIFY(runToEnd(*thread));
    QCOMPARE(thread->result(), DbCsvExportThread::Done);

    const QList<QStringList> expected = databaseRows(QStringLiteral("where LogType='开柜日志'"), keys.join(','));
    QCOMPARE(expected.size(), 96);
    QCOMPARE(thread->rowsWritten(), qint64(expected.size()));
    const QByteArray data = readFile(file);
    QVERIFY(data.startsWith("\xEF\xBB\xBF"));
    bool ok = false;
    QString error;
    const QList<QStringList> records = CsvReader::parse(data, &ok, &error);
    QVERIFY2(ok, qPrintable(error));
    QCOMPARE(records.value(0), (QStringList{"日期", "时间", "类型", "事件"}));
    QCOMPARE(records.mid(1), expected);
    QCOMPARE(folderEntries(), (QStringList{QStringLiteral("log.db"), QStringLiteral("out.csv")}));
}

void tst_DbCsvExportThread::emptyResultWritesNoFile()
{
    QVERIFY(DBHelper::addLog(QStringLiteral("管理日志"), QStringLiteral("进入日志管理界面")));
    auto thread = exporter(temp->filePath(QStringLiteral("out.csv")));
    thread->setWhere(QStringLiteral("LogType=?"), {QStringLiteral("报警日志")});
    QSignalSpy finished(thread.get(), &DbCsvExportThread::exportFinished);
    QVERIFY(runToEnd(*thread));
    QCOMPARE(finished.value(0).value(0).toInt(), int(DbCsvExportThread::Empty));
    QCOMPARE(folderEntries(), QStringList{QStringLiteral("log.db")});
}

void tst_DbCsvExportThread::cancelLeavesNoFile()
{
    QVERIFY(insertRows(QStringLiteral("insert into LogInfo values('管理日志',?,'08:00:00',?)"), 20000, [](int i) {
        return QVariantList{QStringLiteral("2026-12-%1").arg(1 + i % 28, 2, 10, QLatin1Char('0')),
                            QStringLiteral("第%1条").arg(i)};
    }));
    const QString file = temp->filePath(QStringLiteral("out.csv"));
    auto thread = exporter(file);
    thread->setWhere(QStringLiteral("LogType=?"), {QStringLiteral("管理日志")});
    thread->setChunkRows(100);
    // Cancelled once some rows are in the temporary file, from the export's own thread.
    connect(thread.get(), &DbCsvExportThread::progress, thread.get(), &DbCsvExportThread::stop, Qt::DirectConnection);
    QSignalSpy progress(thread.get(), &DbCsvExportThread::progress);
    QVERIFY(runToEnd(*thread));
    QCOMPARE(thread->result(), DbCsvExportThread::Cancelled);
    QVERIFY(progress.count() >= 1);
    QVERIFY(thread->rowsWritten() < 20000);
    QCOMPARE(folderEntries(), QStringList{QStringLiteral("log.db")});
}

void tst_DbCsvExportThread::unwritableTargetLeavesNoFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("folder is a file") << QStringLiteral("log.db/out.csv");
    QTest::newRow("folder missing") << QStringLiteral("nowhere/out.csv");
}

void tst_DbCsvExportThread::unwritableTargetLeavesNoFile()
{
    QFETCH(QString, target);
    QVERIFY(DBHelper::addLog(QStringLiteral("管理日志"), QStringLiteral("进入日志管理界面")));
    auto thread = exporter(temp->filePath(target));
    QVERIFY(runToEnd(*thread));
    QCOMPARE(thread->result(), DbCsvExportThread::Failed);
    QCOMPARE(thread->failure(), DbCsvExportThread::FolderNotWritable);
    QCOMPARE(folderEntries(), QStringList{QStringLiteral("log.db")});
}

void tst_DbCsvExportThread::lockedDatabaseFailsWithoutFile()
{
    QVERIFY(DBHelper::addLog(QStringLiteral("管理日志"), QStringLiteral("进入日志管理界面")));
    SqliteLock lock(dbFile);
    QVERIFY(lock.isHeld());
    auto thread = exporter(temp->filePath(QStringLiteral("out.csv")));
    QVERIFY(runToEnd(*thread));
    QCOMPARE(thread->result(), DbCsvExportThread::Failed);
    QCOMPARE(thread->failure(), DbCsvExportThread::DatabaseFailed);
    QCOMPARE(folderEntries(), QStringList{QStringLiteral("log.db")});
}

// The export holds no lock between its chunks: writes on the program's own
// connection, whose busy timeout is short here, never fail while it reads,
// and the export is not held up by them either.
void tst_DbCsvExportThread::writesGoThroughWhileAFullLogIsExported()
{
    const int rows = 500000;
    // Long enough for one chunk under the sanitizers on a busy machine, far
    // shorter than the whole export: a lock held across chunks fails a write.
    closeConnection();
    DbConn::setSqliteBusyTimeout(2000);
    QVERIFY(DbConn::addSqlite(QLatin1String(QSqlDatabase::defaultConnection), dbFile).open());
    // Older than the clock's today, so the rows written meanwhile sort before where the export is.
    ZemiClock::setNow(QDateTime(QDate(2026, 12, 10), QTime(8, 0)));
    QVERIFY(insertRows(QStringLiteral("insert into LogInfo values('管理日志',?,'08:00:00',?)"), rows, [](int i) {
        return QVariantList{QStringLiteral("2020-%1-%2").arg(1 + i / 50000 % 12, 2, 10, QLatin1Char('0'))
                                .arg(1 + i / 2000 % 28, 2, 10, QLatin1Char('0')),
                            QStringLiteral("第%1条").arg(i)};
    }));
    const QString file = temp->filePath(QStringLiteral("out.csv"));

    // The first chunks each wait, once read and written out, for one write
    // of the program: those writes certainly fall inside the export (between
    // two of its chunks, where a lock kept across them would hold them up),
    // however fast either side runs. After them both go at their own pace.
    constexpr int heldChunks = 10;
    struct Handshake {
        std::mutex mutex;
        std::condition_variable changed;
        int chunks = 0;
        int writes = 0;
    } step;
    auto thread = exporter(file);
    // Gone before the thread is: a test that stops early lets the export go on to its end.
    const auto letGo = qScopeGuard([&step] {
        {
            std::lock_guard<std::mutex> lock(step.mutex);
            step.writes = INT_MAX;
        }
        step.changed.notify_all();
    });
    thread->setWhere(QStringLiteral("LogType=?"), {QStringLiteral("管理日志")});
    connect(
        thread.get(), &DbCsvExportThread::progress, thread.get(),
        [&step](qint64, qint64) {
            std::unique_lock<std::mutex> lock(step.mutex);
            if (step.chunks >= heldChunks) {
                return;
            }
            ++step.chunks;
            step.changed.notify_all();
            step.changed.wait(lock, [&step] { return step.writes >= step.chunks; });
        },
        Qt::DirectConnection);
    QSignalSpy finished(thread.get(), &DbCsvExportThread::exportFinished);
    thread->start();

    int writes = 0;
    int writesWhileRunning = 0;
    for (int i = 0; i < heldChunks; ++i) {
        {
            std::unique_lock<std::mutex> lock(step.mutex);
            QVERIFY2(step.changed.wait_for(lock, std::chrono::minutes(1), [&step, i] { return step.chunks > i; }),
                     qPrintable(QStringLiteral("the export stopped after %1 chunks").arg(i)));
        }
        QVERIFY(thread->isRunning());
        QVERIFY2(DBHelper::addLog(QStringLiteral("管理日志"), QStringLiteral("写入%1").arg(writes)),
                 qPrintable(QStringLiteral("write %1 failed while the export ran").arg(writes)));
        ++writes;
        ++writesWhileRunning;
        {
            std::lock_guard<std::mutex> lock(step.mutex);
            ++step.writes;
        }
        step.changed.notify_all();
    }
    while (thread->isRunning() || writes < 10) {
        const bool running = thread->isRunning();
        QVERIFY2(DBHelper::addLog(QStringLiteral("管理日志"), QStringLiteral("写入%1").arg(writes)),
                 qPrintable(QStringLiteral("write %1 failed while the export ran").arg(writes)));
        ++writes;
        writesWhileRunning += running && thread->isRunning() ? 1 : 0;
        // An operator's pace: a writer with no pause at all would starve any
        // reader of a rollback journal, this one or the page counts.
        QTest::qWait(10);
    }
    QVERIFY(finished.count() == 1 || finished.wait(60000));
    QCOMPARE(thread->result(), DbCsvExportThread::Done);
    QVERIFY2(writesWhileRunning >= 5, qPrintable(QStringLiteral("only %1 writes overlapped").arg(writesWhileRunning)));
    // The new rows came after the export had passed the newest end; every
    // row that was there is in the file.
    QCOMPARE(thread->rowsWritten(), qint64(rows));
    QCOMPARE(count(QStringLiteral("select count(*) from LogInfo")), rows + writes);
    QFile out(file);
    QVERIFY(out.open(QIODevice::ReadOnly));
    int lines = 0;
    while (!out.atEnd()) {
        out.readLine();
        ++lines;
    }
    QCOMPARE(lines, rows + 1);
}

QTEST_GUILESS_MAIN(tst_DbCsvExportThread)
#include "tst_dbcsvexportthread.moc"
