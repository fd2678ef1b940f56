#include "terminalfixture.h"
#include "testsupport.h"

#include "appconfig.h"
#include "frmmain.h"
#include "frmmessagebox.h"
#include "terminalstart.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QLabel>
#include <QtTest>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestSupport;

// Runs the real program from a temporary folder, where it keeps its files.
class tst_Startup : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir *temp = nullptr;
    QProcess *process = nullptr;
    QByteArray programOutput; // what the program started by startProgram() wrote to stderr

    QString copyProgram(const QString &name)
    {
        const QString target = temp->filePath(name);
        if (!QFile::copy(QStringLiteral(SAFETERMINAL_EXE), target)) {
            return QString();
        }
        QFile::setPermissions(target, QFile::permissions(target) | QFile::ExeOwner);
        return target;
    }

    void startProgram(const QString &exe)
    {
        process = new QProcess;
        process->setWorkingDirectory(QDir::tempPath()); // not the program's folder: files go beside the program
        // Read, and passed on to this test's own stderr as it comes (a sanitizer's report too).
        programOutput.clear();
        connect(process, &QProcess::readyReadStandardError, process, [this] {
            const QByteArray more = process->readAllStandardError();
            programOutput += more;
            std::fwrite(more.constData(), 1, size_t(more.size()), stderr);
        });
        process->setProcessEnvironment(childEnvironment());
        process->start(exe, QStringList());
        QVERIFY(process->waitForStarted(5000));
    }

    static int schemaObjects(const QString &dbFile)
    {
        int objects = -1;
        {
            QSqlDatabase db = openSqlite(dbFile, QStringLiteral("probe"));
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("select count(*) from sqlite_master")) && query.next()) {
                objects = query.value(0).toInt();
            }
        }
        closeConnection(QStringLiteral("probe"));
        return objects;
    }

    static int rowCount(const QString &dbFile, const char *table)
    {
        int rows = -1;
        {
            QSqlDatabase db = openSqlite(dbFile, QStringLiteral("rows"));
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("select count(*) from %1").arg(QLatin1String(table))) && query.next()) {
                rows = query.value(0).toInt();
            }
        }
        closeConnection(QStringLiteral("rows"));
        return rows;
    }

    // The storage check, the last step of start-up (after the main window is
    // on screen and its screens are built), has said what it found.
    QString storageLine() const
    {
        const int at = programOutput.indexOf("storage: ");
        const int end = programOutput.indexOf('\n', at);
        return at < 0 || end < 0 ? QString() : QString::fromUtf8(programOutput.mid(at + 9, end - at - 9));
    }

    // Start-up is over once the configuration exists, the database holds the
    // schema (the template's five objects and the prints' table start-up
    // adds) and the storage check has found it sound; the program still runs then.
    void waitForStartUp(const QString &base)
    {
        const QString ini = temp->filePath(base + QStringLiteral(".ini"));
        const QString db = temp->filePath(base + QStringLiteral(".db"));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(ini).size() > 0 && QFileInfo(db).size() > 0
                                     && (QFileInfo(db).permissions() & QFile::WriteOwner) && schemaObjects(db) == 6,
                                 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!storageLine().isEmpty() || process->state() != QProcess::Running, 30000);
        QCOMPARE(process->state(), QProcess::Running);
        QCOMPARE(storageLine(), QStringLiteral("ok"));
    }

    // Who owns what in the program's folder; 0 is root, the rest belong to nobody.
    static bool setOwner(const QString &path, bool root, mode_t mode)
    {
        const uid_t uid = root ? 0 : Nobody;
        return ::chown(QFile::encodeName(path).constData(), uid, uid) == 0
            && ::chmod(QFile::encodeName(path).constData(), mode) == 0;
    }
    static constexpr uid_t Nobody = 65534;

private slots:
    void init();
    void cleanup();

    void firstStartCreatesFilesBesideTheProgram_data();
    void firstStartCreatesFilesBesideTheProgram();
    void emptyDatabaseIsReplaced();
    void existingDatabaseIsUntouched();
    void garbageDatabaseDoesNotCrash();
    void everyStartAddsItsSampleRows();
    void storageProblemsAreTold_data();
    void storageProblemsAreTold();
    void storageNoticeShowsOverTheMainScreen();
};

void tst_Startup::init()
{
    temp = new QTemporaryDir;
    QVERIFY(temp->isValid());
}

void tst_Startup::cleanup()
{
    if (process) {
        process->kill();
        process->waitForFinished(5000);
        delete process;
        process = nullptr;
    }
    delete temp;
    temp = nullptr;
}

void tst_Startup::firstStartCreatesFilesBesideTheProgram_data()
{
    QTest::addColumn<QString>("exeName");
    QTest::addColumn<QString>("base");
    QTest::newRow("as built") << "safeterminal" << "safeterminal";
    QTest::newRow("renamed") << "cabinet7" << "cabinet7";
    QTest::newRow("dotted name") << "cabinet.v2.bin" << "cabinet";
}

void tst_Startup::firstStartCreatesFilesBesideTheProgram()
{
    QFETCH(QString, exeName);
    QFETCH(QString, base);
    const QString exe = copyProgram(exeName);
    QVERIFY(!exe.isEmpty());
    startProgram(exe);
    waitForStartUp(base);

    QSettings ini(temp->filePath(base + QStringLiteral(".ini")), QSettings::IniFormat);
    QCOMPARE(ini.childGroups(), QStringList({"AlarmConfig", "BaseConfig", "NetConfig", "SwitchConfig", "SystemConfig"}));
    QCOMPARE(ini.value(QStringLiteral("BaseConfig/MainWidth")).toInt(), 1024);
    QCOMPARE(ini.value(QStringLiteral("SystemConfig/OSD")).toString(), QStringLiteral("Ostrilla"));

    const QString dbFile = temp->filePath(base + QStringLiteral(".db"));
    {
        QSqlDatabase db = openSqlite(dbFile, QStringLiteral("check"));
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral("select sql from sqlite_master order by rowid")));
        QStringList sqls;
        while (query.next()) {
            sqls << query.value(0).toString();
        }
        QCOMPARE(sqls, QStringList({
            "CREATE TABLE LogInfo (LogType VARCHAR (10), LogDate VARCHAR (10), LogTime VARCHAR (8), LogContent VARCHAR (30))",
            "CREATE TABLE UserInfo (UserID VARCHAR (10), UserName VARCHAR (15), UserPwd VARCHAR (15), UserAdmin VARCHAR (10), UserDoor VARCHAR (10), UserFinger VARCHAR (30))",
            "CREATE TABLE ErrorInfo (ErrorType VARCHAR (10), ErrorContent VARCHAR (30))",
            "CREATE TABLE GoodsInfo (GoodsID VARCHAR (10), GoodsEPC VARCHAR (10), GoodsType VARCHAR (10), GoodsContent VARCHAR (30))",
            "CREATE INDEX LogInfo_Index ON LogInfo (LogType, LogDate)",
            "CREATE TABLE FingerPrint (UserID VARCHAR (10), Finger INTEGER, Print BLOB)"}));
        QVERIFY(query.exec(QStringLiteral("pragma page_size")) && query.next());
        QCOMPARE(query.value(0).toInt(), 1024);
        QVERIFY(query.exec(QStringLiteral("pragma encoding")) && query.next());
        QCOMPARE(query.value(0).toString(), QStringLiteral("UTF-8"));
        QVERIFY(query.exec(QStringLiteral("pragma auto_vacuum")) && query.next());
        QCOMPARE(query.value(0).toInt(), 0);
        QVERIFY(query.exec(QStringLiteral("pragma user_version")) && query.next());
        QCOMPARE(query.value(0).toInt(), 0);
        // No users; the screens add their sample rows on every start.
        QVERIFY(query.exec(QStringLiteral("select count(*) from UserInfo")) && query.next());
        QCOMPARE(query.value(0).toInt(), 0);
    }
    closeConnection(QStringLiteral("check"));
}

void tst_Startup::emptyDatabaseIsReplaced()
{
    const QString exe = copyProgram(QStringLiteral("safeterminal"));
    QVERIFY(writeFile(temp->filePath(QStringLiteral("safeterminal.db")), QByteArray()));
    startProgram(exe);
    waitForStartUp(QStringLiteral("safeterminal"));
}

void tst_Startup::existingDatabaseIsUntouched()
{
    const QString exe = copyProgram(QStringLiteral("safeterminal"));
    const QString dbFile = temp->filePath(QStringLiteral("safeterminal.db"));
    QVERIFY(createTerminalDatabase(dbFile));
    {
        QSqlDatabase db = openSqlite(dbFile, QStringLiteral("seed"));
        QSqlQuery(db).exec(QStringLiteral("insert into UserInfo values('1','甲','','','','/////////')"));
    }
    closeConnection(QStringLiteral("seed"));

    startProgram(exe);
    waitForStartUp(QStringLiteral("safeterminal"));
    // Not replaced by the template: the user is still there.
    QCOMPARE(rowCount(dbFile, "UserInfo"), 1);
}

void tst_Startup::garbageDatabaseDoesNotCrash()
{
    const QString exe = copyProgram(QStringLiteral("safeterminal"));
    const QString dbFile = temp->filePath(QStringLiteral("safeterminal.db"));
    const QByteArray garbage(4096, '\x5a');
    QVERIFY(writeFile(dbFile, garbage));
    startProgram(exe);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(temp->filePath(QStringLiteral("safeterminal.ini"))).size() > 0, 20000);
    // Through the whole start-up with it, to the storage check that tells of it.
    QTRY_VERIFY_WITH_TIMEOUT(!storageLine().isEmpty() || process->state() != QProcess::Running, 30000);
    QCOMPARE(process->state(), QProcess::Running);
    QCOMPARE(storageLine(), QStringLiteral("数据库文件损坏，记录将无法保存!"));
    QCOMPARE(readFile(dbFile), garbage);
}

void tst_Startup::everyStartAddsItsSampleRows()
{
    const QString exe = copyProgram(QStringLiteral("safeterminal"));
    const QString dbFile = temp->filePath(QStringLiteral("safeterminal.db"));
    for (int start = 1; start <= 2; ++start) {
        startProgram(exe);
        waitForStartUp(QStringLiteral("safeterminal"));
        // The screens are built before the window shows: their rows are there by now.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(dbFile).size() > 0 && rowCount(dbFile, "GoodsInfo") + rowCount(dbFile, "ErrorInfo") == 10 * start, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(rowCount(dbFile, "LogInfo"), 10 * start, 20000);
        process->kill();
        process->waitForFinished(5000);
        delete process;
        process = nullptr;
    }
    {
        QSqlDatabase db = openSqlite(dbFile, QStringLiteral("check"));
        QSqlQuery query(db);
        // Each start's ten log rows share one type.
        QVERIFY(query.exec(QStringLiteral("select count(distinct LogType) from LogInfo where rowid <= 10")) && query.next());
        QCOMPARE(query.value(0).toInt(), 1);
        QVERIFY(query.exec(QStringLiteral("select count(distinct LogType) from LogInfo where rowid > 10")) && query.next());
        QCOMPARE(query.value(0).toInt(), 1);
        // Each start adds ten goods or ten faults, never some of both.
        QVERIFY(query.exec(QStringLiteral("select (select count(*) from GoodsInfo) % 10, (select count(*) from ErrorInfo) % 10")) && query.next());
        QCOMPARE(query.value(0).toInt(), 0);
        QCOMPARE(query.value(1).toInt(), 0);
    }
    closeConnection(QStringLiteral("check"));
}

void tst_Startup::storageProblemsAreTold_data()
{
    QTest::addColumn<bool>("damaged");
    QTest::addColumn<bool>("rootFolder");
    QTest::addColumn<bool>("rootDatabase");
    QTest::addColumn<bool>("rootConfig");
    QTest::addColumn<QString>("told");

    const QString damaged = QStringLiteral("数据库文件损坏，记录将无法保存!");
    const QString readOnly = QStringLiteral("数据库无法写入，记录将无法保存!");
    const QString config = QStringLiteral("配置文件无法写入，设置将无法保存!");
    // Run as nobody: what root owns, nobody cannot write.
    QTest::newRow("all sound") << false << false << false << false << "ok";
    QTest::newRow("not a database") << true << false << false << false << damaged;
    QTest::newRow("read-only database") << false << false << true << false << readOnly;
    QTest::newRow("read-only configuration") << false << false << false << true << config;
    QTest::newRow("read-only folder") << false << true << false << false << readOnly + QLatin1Char(' ') + config;
}

void tst_Startup::storageProblemsAreTold()
{
    QFETCH(bool, damaged);
    QFETCH(bool, rootFolder);
    QFETCH(bool, rootDatabase);
    QFETCH(bool, rootConfig);
    QFETCH(QString, told);
    if (::geteuid() != 0) {
        QSKIP("needs root to hand the files to another user");
    }
    const QString exe = copyProgram(QStringLiteral("safeterminal"));
    const QString dbFile = temp->filePath(QStringLiteral("safeterminal.db"));
    const QString iniFile = temp->filePath(QStringLiteral("safeterminal.ini"));
    if (damaged) {
        QVERIFY(writeFile(dbFile, QByteArray(4096, '\x5a')));
    } else {
        QVERIFY(createTerminalDatabase(dbFile));
    }
    AppConfig::resetDefaults();
    AppConfig::ConfigFile = iniFile;
    QVERIFY(AppConfig::save());
    QVERIFY(setOwner(exe, true, 0755));
    QVERIFY(setOwner(dbFile, rootDatabase, 0644));
    QVERIFY(setOwner(iniFile, rootConfig, 0644));
    QVERIFY(setOwner(temp->path(), rootFolder, 0755));
    const QByteArray dbBefore = readFile(dbFile);
    const QByteArray iniBefore = readFile(iniFile);

    process = new QProcess;
    process->setWorkingDirectory(QDir::tempPath());
    process->setProcessEnvironment(childEnvironment());
    process->start(QStringLiteral("setpriv"), {QStringLiteral("--reuid=%1").arg(Nobody),
                                              QStringLiteral("--regid=%1").arg(Nobody),
                                              QStringLiteral("--clear-groups"), exe});
    QVERIFY(process->waitForStarted(5000));
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT((output += process->readAllStandardError()).contains("storage: "), 30000);
    const int at = output.indexOf("storage: ") + 9;
    QCOMPARE(QString::fromUtf8(output.mid(at, output.indexOf('\n', at) - at)), told);
    QCOMPARE(process->state(), QProcess::Running);

    // Told, and left as they were.
    QCOMPARE(readFile(iniFile), iniBefore);
    if (told != QLatin1String("ok") && told != QStringLiteral("配置文件无法写入，设置将无法保存!")) {
        QCOMPARE(readFile(dbFile), dbBefore);
    }
    setOwner(temp->path(), true, 0700);
}

void tst_Startup::storageNoticeShowsOverTheMainScreen()
{
    TerminalFixture fixture;
    QVERIFY(fixture.isValid());
    TestSupport::closeConnection();
    QVERIFY(writeFile(fixture.dbFile(), QByteArray(4096, '\x5a')));
    QVERIFY(TerminalStart::openDatabase(fixture.dbFile()));
    frmMessageBox::Instance()->hide();
    {
        frmMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(frmMessageBox::Instance()->isVisible());
        QCOMPARE(frmMessageBox::Instance()->findChild<QLabel *>(QStringLiteral("labInfo"))->text(),
                 QStringLiteral("数据库文件损坏，记录将无法保存!"));
        frmMessageBox::Instance()->hide();
        // Told once, not on every paint.
        window.update();
        QTest::qWait(200);
        QVERIFY(!frmMessageBox::Instance()->isVisible());
    }
}

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
