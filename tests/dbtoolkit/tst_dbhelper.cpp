#include "dbhelper.h"
#include "dbconn.h"
#include "dbfiledialog.h"
#include "sqlitelock.h"
#include "testseams.h"
#include "testsupport.h"
#include "zemiclock.h"
#include "zemihelper.h"
#include "zemimessagebox.h"

#include <QApplication>
#include <QLabel>
#include <QSqlError>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

using namespace TestSupport;

namespace {
constexpr int BusyMs = 200;
}

class tst_DBHelper : public QObject
{
    Q_OBJECT

private:
    std::optional<TestSeams> seams;
    QTemporaryDir *temp = nullptr;
    QString dbFile;

    void answerFileDialog(const QString &fileName)
    {
        ZemiHelper::setFileDialogHook(
            [fileName](const QString &, const QString &, const QString &) { return QStringList{fileName}; });
    }

private slots:
    void init();
    void cleanup();

    void addLogStampsDateAndTime();
    void addLogKeepsGivenValues();
    void userLifecycle();
    void getUserInfoLeavesOutsWhenMissing();
    void oddValuesRoundTrip_data();
    void oddValuesRoundTrip();
    void emptyValuesAreEmptyText();
    void updateUserFinger();
    void goodsAndErrors();
    void loadUser();
    void exportImportRoundTrip();
    void outputDataFormat();
    void outputDataEmptyRows();
    void inputDataEmptyNameChangesNothing();
    void inputDataUnreadableFileKeepsTable();
    void inputDataSkipsWrongFieldCount();
    void inputDataFailureRollsBack();
    void writeWaitsForAnotherConnectionsLock();

    void failuresAreNotMissingRows_data();
    void failuresAreNotMissingRows();
    void writesOfMissingRowsFail();
    void writeTransactionIsTakenAtItsStart();
    void storageChecks_data();
    void storageChecks();
};

void tst_DBHelper::init()
{
    seams.emplace();
    temp = new QTemporaryDir;
    QVERIFY(temp->isValid());
    dbFile = temp->filePath(QStringLiteral("safe.db"));
    QVERIFY(createTerminalDatabase(dbFile));
    // Lock tests wait out the busy timeout: keep it short.
    DbConn::setSqliteBusyTimeout(BusyMs);
    QVERIFY(DbConn::addSqlite(QLatin1String(QSqlDatabase::defaultConnection), dbFile).open());
}

void tst_DBHelper::cleanup()
{
    closeConnection();
    delete temp;
    temp = nullptr;
    seams.reset();
}

void tst_DBHelper::addLogStampsDateAndTime()
{
    // A second before midnight: date and time are read once, from the same moment.
    ZemiClock::setNow(QDateTime(QDate(2026, 3, 4), QTime(23, 59, 59)));
    DBHelper::addLog(QStringLiteral("开柜日志"), QStringLiteral("打开外门"));
    DBHelper::addManageLog(QStringLiteral("进入开柜界面"));
    QSqlQuery query(QStringLiteral("select LogType,LogDate,LogTime,LogContent from LogInfo order by rowid"));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("开柜日志"));
    QCOMPARE(query.value(1).toString(), QStringLiteral("2026-03-04"));
    QCOMPARE(query.value(2).toString(), QStringLiteral("23:59:59"));
    QCOMPARE(query.value(3).toString(), QStringLiteral("打开外门"));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("管理日志"));
    QCOMPARE(query.value(1).toString(), QStringLiteral("2026-03-04"));
    QCOMPARE(query.value(2).toString(), QStringLiteral("23:59:59"));
    QCOMPARE(query.value(3).toString(), QStringLiteral("进入开柜界面"));
    QVERIFY(!query.next());
}

void tst_DBHelper::addLogKeepsGivenValues()
{
    DBHelper::addLog(QStringLiteral("报警日志"), QStringLiteral("2026-01-02"), QStringLiteral("03:04:05"),
                     QStringLiteral("温度报警"));
    QCOMPARE(column(QStringLiteral("select LogDate||' '||LogTime||' '||LogType||' '||LogContent from LogInfo")),
             QStringList{QStringLiteral("2026-01-02 03:04:05 报警日志 温度报警")});
}

void tst_DBHelper::userLifecycle()
{
    QCOMPARE(DBHelper::existUser(QStringLiteral("1001")), DbRead::Missing);
    DBHelper::addUser(QStringLiteral("1001"), QStringLiteral("张三"), QStringLiteral("pw"), QStringLiteral("管理员"),
                      QStringLiteral("外门|内门1"), QStringLiteral("/////////"));
    QCOMPARE(DBHelper::existUser(QStringLiteral("1001")), DbRead::Found);
    QCOMPARE(DBHelper::existUser(QStringLiteral("1002")), DbRead::Missing);

    DBHelper::updateUser(QStringLiteral("1001"), QStringLiteral("李四"), QStringLiteral("pw2"), QStringLiteral("普通"),
                         QStringLiteral("外门"), QStringLiteral("a/////////"));
    QString name, pwd, admin, door, finger;
    QCOMPARE(DBHelper::getUserInfo(QStringLiteral("1001"), name, pwd, admin, door, finger), DbRead::Found);
    QCOMPARE(QStringList({name, pwd, admin, door, finger}),
             QStringList({"李四", "pw2", "普通", "外门", "a/////////"}));

    DBHelper::deleteUser(QStringLiteral("1001"));
    QCOMPARE(DBHelper::existUser(QStringLiteral("1001")), DbRead::Missing);
    QCOMPARE(count(QStringLiteral("select count(*) from UserInfo")), 0);
}

void tst_DBHelper::getUserInfoLeavesOutsWhenMissing()
{
    QString name = QStringLiteral("n"), pwd = QStringLiteral("p"), admin = QStringLiteral("a"),
            door = QStringLiteral("d"), finger = QStringLiteral("f");
    QCOMPARE(DBHelper::getUserInfo(QStringLiteral("404"), name, pwd, admin, door, finger), DbRead::Missing);
    QCOMPARE(QStringList({name, pwd, admin, door, finger}), QStringList({"n", "p", "a", "d", "f"}));
    QCOMPARE(DBHelper::getUserFinger(QStringLiteral("404"), finger), DbRead::Missing);
    QCOMPARE(finger, QStringLiteral("f"));
}

void tst_DBHelper::oddValuesRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("single quote") << "O'Brien";
    QTest::newRow("quotes and chinese") << "王'小\"明";
    QTest::newRow("sql text") << "x'); drop table UserInfo; --";
    QTest::newRow("percent placeholders") << "%1 %2 ?";
    QTest::newRow("backslash") << "a\\b";
    QTest::newRow("empty") << "";
}

void tst_DBHelper::oddValuesRoundTrip()
{
    QFETCH(QString, value);
    DBHelper::addUser(value, value, value, value, value, value);
    QCOMPARE(DBHelper::existUser(value), DbRead::Found);
    QString name, pwd, admin, door, finger;
    QCOMPARE(DBHelper::getUserInfo(value, name, pwd, admin, door, finger), DbRead::Found);
    QCOMPARE(QStringList({name, pwd, admin, door, finger}), QStringList({value, value, value, value, value}));

    DBHelper::updateUserFinger(value, value + value);
    QCOMPARE(DBHelper::getUserFinger(value, finger), DbRead::Found);
    QCOMPARE(finger, value + value);

    DBHelper::addLog(value, value, value, value);
    QCOMPARE(column(QStringLiteral("select LogContent from LogInfo")), QStringList{value});

    DBHelper::deleteUser(value);
    QCOMPARE(DBHelper::existUser(value), DbRead::Missing);
    QCOMPARE(count(QStringLiteral("select count(*) from sqlite_master where type='table'")), 4);
}

void tst_DBHelper::emptyValuesAreEmptyText()
{
    DBHelper::addUser(QStringLiteral("1"), QString(), QStringLiteral(""), QString(), QString(), QString());
    QCOMPARE(count(QStringLiteral("select count(*) from UserInfo where UserName='' and UserPwd='' and UserAdmin=''"
                                  " and UserDoor='' and UserFinger=''")),
             1);
}

void tst_DBHelper::updateUserFinger()
{
    DBHelper::addUser(QStringLiteral("7"), QStringLiteral("a"), QString(), QString(), QString(),
                      QStringLiteral("/////////"));
    DBHelper::addUser(QStringLiteral("8"), QStringLiteral("b"), QString(), QString(), QString(),
                      QStringLiteral("/////////"));
    DBHelper::updateUserFinger(QStringLiteral("7"), QStringLiteral("//////2026-12-10 08:00:00///"));
    QString finger;
    QCOMPARE(DBHelper::getUserFinger(QStringLiteral("7"), finger), DbRead::Found);
    QCOMPARE(finger, QStringLiteral("//////2026-12-10 08:00:00///"));
    QCOMPARE(DBHelper::getUserFinger(QStringLiteral("8"), finger), DbRead::Found);
    QCOMPARE(finger, QStringLiteral("/////////"));
}

void tst_DBHelper::goodsAndErrors()
{
    DBHelper::addGoods(QStringLiteral("G1"), QStringLiteral("E2003412"), QStringLiteral("枪支"), QStringLiteral("在柜"));
    DBHelper::addError(QStringLiteral("门磁"), QStringLiteral("外门未关"));
    QCOMPARE(column(QStringLiteral("select GoodsID||GoodsEPC||GoodsType||GoodsContent from GoodsInfo")),
             QStringList{QStringLiteral("G1E2003412枪支在柜")});
    QCOMPARE(column(QStringLiteral("select ErrorType||ErrorContent from ErrorInfo")),
             QStringList{QStringLiteral("门磁外门未关")});
}

void tst_DBHelper::loadUser()
{
    DbUserCache cache;
    cache.userID << QStringLiteral("stale");
    cache.count = 9;
    DBHelper::loadUser(cache);
    QCOMPARE(cache.count, 0);
    QVERIFY(cache.userID.isEmpty() && cache.userFinger.isEmpty());

    DBHelper::addUser(QStringLiteral("1"), QStringLiteral("甲"), QStringLiteral("p1"), QStringLiteral("a1"),
                      QStringLiteral("d1"), QStringLiteral("f1"));
    DBHelper::addUser(QStringLiteral("2"), QStringLiteral("乙"), QStringLiteral("p2"), QStringLiteral("a2"),
                      QStringLiteral("d2"), QStringLiteral("f2"));
    DBHelper::loadUser(cache);
    DBHelper::loadUser(cache); // twice: no duplicates
    QCOMPARE(cache.count, 2);
    QCOMPARE(cache.userID, QStringList({"1", "2"}));
    QCOMPARE(cache.userName, QStringList({"甲", "乙"}));
    QCOMPARE(cache.userPwd, QStringList({"p1", "p2"}));
    QCOMPARE(cache.userAdmin, QStringList({"a1", "a2"}));
    QCOMPARE(cache.userDoor, QStringList({"d1", "d2"}));
    QCOMPARE(cache.userFinger, QStringList({"f1", "f2"}));
}

void tst_DBHelper::exportImportRoundTrip()
{
    const QStringList rows = {QStringLiteral("1;张三;O'Brien"), QStringLiteral("2;李四;a b")};
    const QString file = temp->filePath(QStringLiteral("errors.txt"));
    answerFileDialog(file);
    QString chosen;
    QVERIFY(DbFileDialog::saveData(QStringLiteral("errors.txt"), QStringLiteral("*.txt"), rows, chosen));
    QCOMPARE(chosen, file);

    QSqlQuery().exec(QStringLiteral("create table Sample(A,B,C)"));
    QSqlQuery().exec(QStringLiteral("insert into Sample values('old','old','old')"));
    QString opened;
    QVERIFY(DbFileDialog::inputData(3, QStringLiteral("*.txt"), QStringLiteral("Sample"), opened));
    QCOMPARE(opened, file);
    QCOMPARE(column(QStringLiteral("select A||';'||B||';'||C from Sample order by rowid")), rows);
}

void tst_DBHelper::outputDataFormat()
{
    QString file = temp->filePath(QStringLiteral("out.txt"));
    QVERIFY(DbFileDialog::outputData(file, {QStringLiteral("a;b;c"), QStringLiteral("中;;文")}));
    QCOMPARE(TestSupport::readFile(file), QByteArray("a  b  c\n中    文\n"));

    QString none;
    QVERIFY(DbFileDialog::outputData(none, {QStringLiteral("a")})); // no name: nothing written
}

void tst_DBHelper::outputDataEmptyRows()
{
    QString file = temp->filePath(QStringLiteral("out.txt"));
    QVERIFY(!DbFileDialog::outputData(file, QStringList()));
    QVERIFY(file.isEmpty());
    QVERIFY(!QFile::exists(temp->filePath(QStringLiteral("out.txt"))));
    // The framework's shared box tells, without blocking.
    ZemiMessageBox *box = ZemiMessageBox::instance();
    QVERIFY(box->isVisible());
    QVERIFY(!box->isModal());
    QCOMPARE(box->findChild<QLabel *>(QStringLiteral("labInfo"))->text(), QStringLiteral("没有要导出的数据!"));
    QCOMPARE(box->findChild<QLabel *>(QStringLiteral("labTitle"))->text(), QStringLiteral("错误"));
    box->hide();
}

void tst_DBHelper::inputDataEmptyNameChangesNothing()
{
    DBHelper::addError(QStringLiteral("t"), QStringLiteral("c"));
    answerFileDialog(QString());
    QString opened = QStringLiteral("x");
    QVERIFY(DbFileDialog::inputData(2, QStringLiteral("*.txt"), QStringLiteral("ErrorInfo"), opened));
    QVERIFY(opened.isEmpty());
    QCOMPARE(count(QStringLiteral("select count(*) from ErrorInfo")), 1);
}

void tst_DBHelper::inputDataUnreadableFileKeepsTable()
{
    DBHelper::addError(QStringLiteral("t"), QStringLiteral("c"));
    answerFileDialog(temp->filePath(QStringLiteral("missing.txt")));
    QString opened;
    QVERIFY(!DbFileDialog::inputData(2, QStringLiteral("*.txt"), QStringLiteral("ErrorInfo"), opened));
    QCOMPARE(count(QStringLiteral("select count(*) from ErrorInfo")), 1);
}

void tst_DBHelper::inputDataSkipsWrongFieldCount()
{
    DBHelper::addError(QStringLiteral("t"), QStringLiteral("c"));
    const QString file = temp->filePath(QStringLiteral("in.txt"));
    QVERIFY(writeFile(file, "one\r\nthree  fields  here\r\ngood  line\r\n\r\n门  锁"));
    QVERIFY(DBHelper::importFile(2, QStringLiteral("ErrorInfo"), file));
    QCOMPARE(column(QStringLiteral("select ErrorType||'|'||ErrorContent from ErrorInfo order by rowid")),
             QStringList({"good|line", "门|锁"}));

    QVERIFY(writeFile(file, "only one field\n"));
    QVERIFY(DBHelper::importFile(2, QStringLiteral("ErrorInfo"), file));
    QCOMPARE(count(QStringLiteral("select count(*) from ErrorInfo")), 0);
}

void tst_DBHelper::inputDataFailureRollsBack()
{
    DBHelper::addError(QStringLiteral("t"), QStringLiteral("c"));
    const QString file = temp->filePath(QStringLiteral("in.txt"));
    QVERIFY(writeFile(file, "a  b\n"));
    // A table that does not exist: nothing is committed, the real table stays.
    QVERIFY(!DBHelper::importFile(2, QStringLiteral("NoSuchTable"), file));
    QCOMPARE(count(QStringLiteral("select count(*) from ErrorInfo")), 1);
    // The connection is usable afterwards (no transaction left open).
    QVERIFY(DBHelper::importFile(2, QStringLiteral("ErrorInfo"), file));
    QCOMPARE(count(QStringLiteral("select count(*) from ErrorInfo")), 1);
}

void tst_DBHelper::writeWaitsForAnotherConnectionsLock()
{
    closeConnection();
    DbConn::setSqliteBusyTimeout(5000);
    QVERIFY(DbConn::addSqlite(QLatin1String(QSqlDatabase::defaultConnection), dbFile).open());
    // Another connection holds the write lock for a while and writes a row of
    // its own; the screen's write waits instead of failing.
    // (Whether the lock was had shows in its row; it may be over by now.)
    SqliteLock holder(dbFile, 800, QStringLiteral("insert into LogInfo values('a','b','c','held')"));
    DBHelper::addManageLog(QStringLiteral("after the lock"));
    holder.release();
    QCOMPARE(column(QStringLiteral("select LogContent from LogInfo order by rowid")),
             QStringList({"held", "after the lock"}));
}

void tst_DBHelper::failuresAreNotMissingRows_data()
{
    QTest::addColumn<bool>("damaged");
    QTest::newRow("locked by another connection") << false;
    QTest::newRow("not a database") << true;
}

void tst_DBHelper::failuresAreNotMissingRows()
{
    QFETCH(bool, damaged);
    DBHelper::addUser(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("p"), QString(), QString(),
                      QStringLiteral("/////////"));
    DbUserCache cache;
    QVERIFY(DBHelper::loadUser(cache));
    std::unique_ptr<SqliteLock> lock;
    if (damaged) {
        closeConnection();
        QVERIFY(writeFile(dbFile, QByteArray(4096, 'x')));
        QVERIFY(DbConn::addSqlite(QLatin1String(QSqlDatabase::defaultConnection), dbFile).open());
    } else {
        lock = std::make_unique<SqliteLock>(dbFile);
        QVERIFY(lock->isHeld());
    }

    // Every read says it failed, and changes nothing it was handed.
    QCOMPARE(DBHelper::existUser(QStringLiteral("1")), DbRead::Failed);
    QCOMPARE(DBHelper::existUser(QStringLiteral("2")), DbRead::Failed);
    QString name = QStringLiteral("n"), pwd, admin, door, finger = QStringLiteral("f");
    QCOMPARE(DBHelper::getUserInfo(QStringLiteral("1"), name, pwd, admin, door, finger), DbRead::Failed);
    QCOMPARE(DBHelper::getUserFinger(QStringLiteral("1"), finger), DbRead::Failed);
    QCOMPARE(name, QStringLiteral("n"));
    QCOMPARE(finger, QStringLiteral("f"));
    QVERIFY(!DBHelper::loadUser(cache));
    QCOMPARE(cache.userID, QStringList{"1"}); // the users known so far stay known

    // Every write says it failed.
    QVERIFY(!DBHelper::addManageLog(QStringLiteral("x")));
    QVERIFY(!DBHelper::addUser(QStringLiteral("2"), QStringLiteral("b"), QString(), QString(), QString(), QString()));
    QVERIFY(!DBHelper::updateUserDetails(QStringLiteral("1"), QStringLiteral("b"), QString(), QString(), QString()));
    QVERIFY(!DBHelper::updateUserFinger(QStringLiteral("1"), QStringLiteral("t/////////")));
    QVERIFY(!DBHelper::deleteUser(QStringLiteral("1")));
    QVERIFY(!DBHelper::addGoods(QStringLiteral("g"), QString(), QString(), QString()));
    QVERIFY(!DBHelper::addError(QStringLiteral("e"), QString()));

    if (!damaged) {
        lock.reset();
        QCOMPARE(column(QStringLiteral("select UserID||UserName||UserFinger from UserInfo")),
                 QStringList{"1a/////////"});
        QCOMPARE(count(QStringLiteral("select count(*) from LogInfo")), 0);
    }
}

void tst_DBHelper::writesOfMissingRowsFail()
{
    QVERIFY(!DBHelper::updateUserDetails(QStringLiteral("404"), QStringLiteral("b"), QString(), QString(), QString()));
    QVERIFY(!DBHelper::updateUserFinger(QStringLiteral("404"), QStringLiteral("/////////")));
    QVERIFY(!DBHelper::deleteUser(QStringLiteral("404")));
    QVERIFY(DBHelper::addUser(QStringLiteral("1"), QStringLiteral("a"), QString(), QString(), QString(),
                              QStringLiteral("t/////////")));
    QVERIFY(DBHelper::updateUserDetails(QStringLiteral("1"), QStringLiteral("b"), QStringLiteral("p"),
                                        QStringLiteral("开柜"), QStringLiteral("外门")));
    // Details never touch the finger record.
    QCOMPARE(column(QStringLiteral("select UserName||UserPwd||UserAdmin||UserDoor||UserFinger from UserInfo")),
             QStringList{"bp开柜外门t/////////"});
    QVERIFY(DBHelper::deleteUser(QStringLiteral("1")));
}

void tst_DBHelper::writeTransactionIsTakenAtItsStart()
{
    {
        SqliteLock lock(dbFile);
        DbWriteTransaction write;
        QVERIFY(!write.isActive());
        QVERIFY(!write.commit());
    }
    {
        DbWriteTransaction write;
        QVERIFY(write.isActive());
        QVERIFY(DBHelper::addManageLog(QStringLiteral("kept")));
        // Nobody else can write now, not even start to.
        QSqlDatabase other = DbConn::addSqlite(QStringLiteral("other"), dbFile);
        QVERIFY(other.open());
        QSqlQuery query(other);
        QVERIFY(!query.exec(QStringLiteral("BEGIN IMMEDIATE")));
        query.finish();
        QVERIFY(write.commit());
        QVERIFY(query.exec(QStringLiteral("BEGIN IMMEDIATE")));
        query.exec(QStringLiteral("ROLLBACK"));
    }
    closeConnection(QStringLiteral("other"));
    {
        DbWriteTransaction write;
        DBHelper::addManageLog(QStringLiteral("dropped"));
    } // not committed: rolled back
    QCOMPARE(column(QStringLiteral("select LogContent from LogInfo")), QStringList{"kept"});
}

void tst_DBHelper::storageChecks_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<bool>("writable");
    QTest::newRow("sound") << "sound" << true << true;
    QTest::newRow("locked: a wait, not a fault") << "locked" << true << true;
    QTest::newRow("not a database") << "damaged" << false << false;
}

void tst_DBHelper::storageChecks()
{
    QFETCH(QString, state);
    QFETCH(bool, readable);
    QFETCH(bool, writable);
    std::unique_ptr<SqliteLock> lock;
    if (state == QLatin1String("damaged")) {
        closeConnection();
        QVERIFY(writeFile(dbFile, QByteArray(2048, '\x5a')));
        QVERIFY(DbConn::addSqlite(QLatin1String(QSqlDatabase::defaultConnection), dbFile).open());
    } else if (state == QLatin1String("locked")) {
        lock = std::make_unique<SqliteLock>(dbFile);
    }
    const QByteArray before = readFile(dbFile);
    QCOMPARE(DBHelper::isReadable(), readable);
    QCOMPARE(DBHelper::isWritable(), writable);
    lock.reset();
    QCOMPARE(readFile(dbFile), before); // looking changes nothing
}

QTEST_MAIN(tst_DBHelper)
#include "tst_dbhelper.moc"
