#include "sqlitelock.h"
#include "terminalfixture.h"
#include "testseams.h"
#include "testsupport.h"

#include "appconfig.h"
#include "dbcountthread.h"
#include "dbhelper.h"
#include "dbconn.h"
#include "fingerrecord.h"
#include "frmhandleft.h"
#include "frmhandright.h"
#include "frmmessagebox.h"
#include "frmuser.h"
#include "frmuseradd.h"
#include "frmuserfingerin.h"
#include "zemiclock.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QtTest>
#include <memory>
#include <optional>

using namespace TestSupport;

namespace {
constexpr int BusyMs = 200;
// Held a little past one busy timeout: a writer that waits twice gets through.
constexpr int ShortLockMs = BusyMs * 3 / 2 + 100;
}

class tst_frmUser : public QObject
{
    Q_OBJECT

private:
    // Made before the fixture: its connection opens with the short busy timeout.
    std::optional<TestSeams> seams;
    std::unique_ptr<TerminalFixture> fixture;
    std::unique_ptr<frmUser> screen;

    void build()
    {
        screen.reset(new frmUser);
        screen->resize(AppConfig::smallScreen() ? 610 : 804, AppConfig::smallScreen() ? 434 : 544);
        screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
        waitForTable();
    }

    // The list's count comes from a thread that deletes itself once its count is delivered.
    void waitForTable()
    {
        QTRY_VERIFY(screen->findChildren<DbCountThread *>().isEmpty());
    }

    QStackedWidget *stack() const { return screen->findChild<QStackedWidget *>(QStringLiteral("stackedWidget")); }
    int page() const { return stack()->currentIndex(); }
    // Several pages share object names: look on the page on show.
    QWidget *current() const { return stack()->currentWidget(); }
    QLabel *label(const char *name) const { return current()->findChild<QLabel *>(QLatin1String(name)); }
    QLineEdit *field(const char *name) const { return current()->findChild<QLineEdit *>(QLatin1String(name)); }
    QPushButton *button(const QString &name) const { return current()->findChild<QPushButton *>(name); }
    QTableView *table() const { return screen->findChild<QTableView *>(QStringLiteral("tableMain")); }

    void press(const QString &name)
    {
        QPushButton *b = button(name);
        QVERIFY2(b && b->isVisible(), qPrintable(name));
        QTest::mouseClick(b, Qt::LeftButton);
    }

    void fill(const QString &id, const QString &name, const QString &pwd, const QString &pwdX)
    {
        const QList<QPair<const char *, QString>> values = {
            {"txtUserID", id}, {"txtUserName", name}, {"txtUserPwd", pwd}, {"txtUserPwdX", pwdX}};
        for (const auto &pair : values) {
            QLineEdit *edit = field(pair.first);
            if (!edit->isReadOnly()) {
                edit->setText(pair.second); // keyClicks types Latin-1 only
            }
        }
    }

    static QString message() { return frmMessageBox::Instance()->findChild<QLabel *>(QStringLiteral("labInfo"))->text(); }
    static bool messageShown() { return frmMessageBox::Instance()->isVisible(); }
    static void answer(bool ok)
    {
        auto *box = frmMessageBox::Instance();
        QTest::mouseClick(box->findChild<QPushButton *>(ok ? QStringLiteral("btnOk") : QStringLiteral("btnCancel")),
                          Qt::LeftButton);
    }

    void selectRow(int row)
    {
        table()->setCurrentIndex(table()->model()->index(row, 0));
    }

    static QString userRow(const QString &id)
    {
        QSqlQuery query;
        query.prepare(QStringLiteral("select UserID||'|'||UserName||'|'||UserPwd||'|'||UserAdmin||'|'||UserDoor||'|'||"
                                     "UserFinger from UserInfo where UserID=?"));
        query.addBindValue(id);
        return query.exec() && query.next() ? query.value(0).toString() : QString();
    }

    HandWidget *hand(int finger) const
    {
        if (finger <= 5) {
            return screen->findChild<frmHandLeft *>(QStringLiteral("widgetHandLeft"));
        }
        return screen->findChild<frmHandRight *>(QStringLiteral("widgetHandRight"));
    }
    QList<bool> enrolledFingers() const
    {
        QList<bool> fingers;
        for (int i = 1; i <= 10; ++i) {
            fingers << hand(i)->isEnrolled(i <= 5 ? i : i - 5);
        }
        return fingers;
    }
    QLabel *fingerLabel(int finger) const
    {
        const QString name = finger <= 5 ? QStringLiteral("labHandLeft%1").arg(finger)
                                         : QStringLiteral("labHandRight%1").arg(finger - 5);
        return screen->findChild<QLabel *>(name);
    }

    // From the list to the enrolment hands of the user in the given row.
    void openHands(int row)
    {
        selectRow(row);
        press(QStringLiteral("btnUpdate"));
        QCOMPARE(page(), 1);
        press(QStringLiteral("btnFinger"));
        QCOMPARE(page(), 2);
    }

private slots:
    void init();
    void cleanup();

    void addUser();
    void duplicateIdRefused();
    void validation_data();
    void validation();
    void nameWithQuoteAndChineseRoundTrips();
    void editKeepsIdAndFingers();
    void deleteAsksAndOnlyOkDeletes();
    void otherQuestionsDeleteNothing();
    void selectionNeededForEditAndDelete();
    void enrolOnUnsavedUserRefused();
    void rowsPerPage_data();
    void rowsPerPage();

    void newUserHasNoFingers();
    void enrolFingerSeven();
    void rightButtonOnFingerDoesNothing();
    void checkThenUncheckStoresOnce();
    void fewerFingersAfterMore();
    void malformedRecordIsRepaired();
    void enrolmentRecord_data();
    void enrolmentRecord();

    // With another program holding the database past the busy timeout.
    void duplicateIdNeverStoredUnderLock();
    void editUnderLockKeepsFingersAndForm();
    void enrolUnderLockWritesNothing();
    void deleteUnderLockIsTold();
    void editOfUnreadableUserRefused();
    void deleteQuestionIsModalAndKeepsItsUser();
    void spareDoorsKeepTheirOwnState_data();
    void spareDoorsKeepTheirOwnState();
};

void tst_frmUser::init()
{
    seams.emplace();
    // Lock tests wait out the busy timeout: keep it short.
    DbConn::setSqliteBusyTimeout(BusyMs);
    fixture.reset(new TerminalFixture);
    QVERIFY(fixture->isValid());
    frmMessageBox::Instance()->hide();
}

void tst_frmUser::cleanup()
{
    screen.reset();
    fixture.reset();
    frmMessageBox::Instance()->hide();
    seams.reset();
}

void tst_frmUser::addUser()
{
    build();
    QCOMPARE(AppConfig::Users.count, 0);
    press(QStringLiteral("btnAdd"));
    QCOMPARE(page(), 1);
    QCOMPARE(button(QStringLiteral("btnFinger"))->text(), QStringLiteral("录入指纹"));
    fill(QStringLiteral("1001"), QStringLiteral("张三"), QStringLiteral("123"), QStringLiteral("123"));
    press(QStringLiteral("btnUserAdmin1"));
    press(QStringLiteral("btnUserAdmin3"));
    press(QStringLiteral("btnUserDoor1"));
    press(QStringLiteral("btnUserDoor8"));
    press(QStringLiteral("btnSave"));
    QVERIFY(!messageShown());
    QCOMPARE(page(), 0);
    QCOMPARE(userRow(QStringLiteral("1001")), QStringLiteral("1001|张三|123|开柜/日志|外门/备用|/////////"));
    QCOMPARE(AppConfig::Users.userID, QStringList{"1001"});
    QCOMPARE(AppConfig::Users.userAdmin, QStringList{"开柜/日志"});
    waitForTable();
    QCOMPARE(label("labInfo")->text(), QStringLiteral("第 1 页    共 1 页    共 1 个用户"));

    // A user with no permission at all keeps empty fields.
    press(QStringLiteral("btnAdd"));
    QVERIFY(!button(QStringLiteral("btnUserAdmin1"))->isChecked()); // the form starts empty
    fill(QStringLiteral("1002"), QStringLiteral("李四"), QStringLiteral("9"), QStringLiteral("9"));
    press(QStringLiteral("btnSave"));
    QCOMPARE(userRow(QStringLiteral("1002")), QStringLiteral("1002|李四|9|||/////////"));
    QCOMPARE(AppConfig::Users.count, 2);
}

void tst_frmUser::duplicateIdRefused()
{
    DBHelper::addUser(QStringLiteral("1001"), QStringLiteral("a"), QStringLiteral("p"), QString(), QString(),
                      FingerRecord::empty());
    build();
    press(QStringLiteral("btnAdd"));
    fill(QStringLiteral(" 1001 "), QStringLiteral("b"), QStringLiteral("p"), QStringLiteral("p"));
    press(QStringLiteral("btnSave"));
    QVERIFY(messageShown());
    QCOMPARE(message(), QStringLiteral("用户编号已经存在!"));
    QCOMPARE(page(), 1);
    QCOMPARE(screen->focusWidget(), field("txtUserID"));
    QCOMPARE(count(QStringLiteral("select count(*) from UserInfo")), 1);
}

void tst_frmUser::validation_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pwd");
    QTest::addColumn<QString>("pwdX");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("focus");

    QTest::newRow("no id") << "" << "n" << "p" << "p" << "用户编号不能为空!" << "txtUserID";
    QTest::newRow("blank id") << "   " << "n" << "p" << "p" << "用户编号不能为空!" << "txtUserID";
    QTest::newRow("no name") << "7" << " " << "p" << "p" << "用户名称不能为空!" << "txtUserName";
    QTest::newRow("no password") << "7" << "n" << "" << "p" << "用户密码不能为空!" << "txtUserPwd";
    QTest::newRow("no repeat") << "7" << "n" << "p" << "" << "确认密码不能为空!" << "txtUserPwdX";
    QTest::newRow("repeat differs") << "7" << "n" << "p" << "q" << "用户密码和确认密码不一致!" << "txtUserPwdX";
}

void tst_frmUser::validation()
{
    QFETCH(QString, id);
    QFETCH(QString, name);
    QFETCH(QString, pwd);
    QFETCH(QString, pwdX);
    QFETCH(QString, text);
    QFETCH(QString, focus);
    build();
    press(QStringLiteral("btnAdd"));
    fill(id, name, pwd, pwdX);
    field("txtUserName")->setFocus(); // somewhere else than where it must end up
    if (focus == QLatin1String("txtUserName")) {
        field("txtUserID")->setFocus();
    }
    press(QStringLiteral("btnSave"));
    QVERIFY(messageShown());
    QCOMPARE(message(), text);
    QCOMPARE(screen->focusWidget(), field(focus.toLatin1().constData()));
    QCOMPARE(page(), 1);
    QCOMPARE(count(QStringLiteral("select count(*) from UserInfo")), 0);
    answer(true); // acknowledging information emits nothing and deletes nothing
    QVERIFY(!messageShown());
}

void tst_frmUser::nameWithQuoteAndChineseRoundTrips()
{
    build();
    press(QStringLiteral("btnAdd"));
    const QString name = QStringLiteral("O'Brien 王");
    fill(QStringLiteral("a'1"), name, QStringLiteral("p'w"), QStringLiteral("p'w"));
    press(QStringLiteral("btnSave"));
    QCOMPARE(userRow(QStringLiteral("a'1")), QStringLiteral("a'1|O'Brien 王|p'w|||/////////"));
    waitForTable();
    selectRow(0);
    press(QStringLiteral("btnUpdate"));
    QCOMPARE(field("txtUserName")->text(), name);
    QCOMPARE(field("txtUserID")->text(), QStringLiteral("a'1"));
}

void tst_frmUser::editKeepsIdAndFingers()
{
    const QString fingers = QStringLiteral("2026-01-01 10:00:00/////2026-01-02 11:00:00////");
    DBHelper::addUser(QStringLiteral("1001"), QStringLiteral("张三"), QStringLiteral("p"),
                      QStringLiteral("开柜/用户"), QStringLiteral("外门/备用"), fingers);
    build();
    selectRow(0);
    press(QStringLiteral("btnUpdate"));
    QCOMPARE(page(), 1);
    QCOMPARE(button(QStringLiteral("btnFinger"))->text(), QStringLiteral("重录指纹"));
    QCOMPARE(field("txtUserPwdX")->text(), QStringLiteral("p"));
    QVERIFY(button(QStringLiteral("btnUserAdmin1"))->isChecked());
    QVERIFY(!button(QStringLiteral("btnUserAdmin2"))->isChecked());
    QVERIFY(button(QStringLiteral("btnUserAdmin4"))->isChecked());
    QVERIFY(button(QStringLiteral("btnUserDoor1"))->isChecked());
    QVERIFY(button(QStringLiteral("btnUserDoor7"))->isChecked()); // one entry, one spare door
    QVERIFY(!button(QStringLiteral("btnUserDoor8"))->isChecked());
    QVERIFY(field("txtUserID")->isReadOnly());

    fill(QStringLiteral("9999"), QStringLiteral("张三丰"), QStringLiteral("p"), QStringLiteral("p"));
    press(QStringLiteral("btnUserAdmin4"));
    press(QStringLiteral("btnSave"));
    QVERIFY(!messageShown()); // its own ID is not a duplicate
    QCOMPARE(userRow(QStringLiteral("1001")),
             QStringLiteral("1001|张三丰|p|开柜|外门/备用|") + fingers);
    QCOMPARE(count(QStringLiteral("select count(*) from UserInfo")), 1);
    QCOMPARE(AppConfig::Users.userName, QStringList{"张三丰"});
}

void tst_frmUser::deleteAsksAndOnlyOkDeletes()
{
    DBHelper::addUser(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("p"), QString(), QString(),
                      FingerRecord::empty());
    DBHelper::addUser(QStringLiteral("2"), QStringLiteral("b"), QStringLiteral("p"), QString(), QString(),
                      FingerRecord::empty());
    AppConfig::loadUsers();
    build();
    selectRow(1);
    press(QStringLiteral("btnDelete"));
    QVERIFY(messageShown());
    QCOMPARE(message(), QStringLiteral("确定要删除用户吗?\n删除后不能恢复!"));
    answer(false);
    QVERIFY(!messageShown());
    QCOMPARE(count(QStringLiteral("select count(*) from UserInfo")), 2);

    selectRow(1);
    press(QStringLiteral("btnDelete"));
    answer(true);
    QCOMPARE(column(QStringLiteral("select UserID from UserInfo")), QStringList{"1"});
    QCOMPARE(AppConfig::Users.userID, QStringList{"1"});
    waitForTable();
    QCOMPARE(label("labInfo")->text(), QStringLiteral("第 1 页    共 1 页    共 1 个用户"));
}

void tst_frmUser::otherQuestionsDeleteNothing()
{
    DBHelper::addUser(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("p"), QString(), QString(),
                      FingerRecord::empty());
    build();
    selectRow(0);
    // Another screen's question, answered with OK, is not a delete order.
    frmMessageBox::Instance()->showQuestion(QStringLiteral("其它问题"));
    frmMessageBox::Instance()->show();
    answer(true);
    QCOMPARE(count(QStringLiteral("select count(*) from UserInfo")), 1);
}

void tst_frmUser::selectionNeededForEditAndDelete()
{
    DBHelper::addUser(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("p"), QString(), QString(),
                      FingerRecord::empty());
    build();
    table()->setCurrentIndex(QModelIndex());
    press(QStringLiteral("btnUpdate"));
    QCOMPARE(message(), QStringLiteral("请选择要修改的用户!"));
    QCOMPARE(page(), 0);
    press(QStringLiteral("btnDelete"));
    QCOMPARE(message(), QStringLiteral("请选择要删除的用户!"));
    QVERIFY(!frmMessageBox::Instance()->findChild<QPushButton *>(QStringLiteral("btnCancel"))->isVisible());
    answer(true);
    QCOMPARE(count(QStringLiteral("select count(*) from UserInfo")), 1);
}

void tst_frmUser::enrolOnUnsavedUserRefused()
{
    build();
    press(QStringLiteral("btnAdd"));
    fill(QStringLiteral("5"), QStringLiteral("n"), QStringLiteral("p"), QStringLiteral("p"));
    press(QStringLiteral("btnFinger"));
    QCOMPARE(message(), QStringLiteral("用户不存在,请先保存该用户!"));
    QCOMPARE(page(), 1);
}

void tst_frmUser::rowsPerPage_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("rows");
    QTest::newRow("600") << 600 << 11;
    QTest::newRow("480") << 480 << 8;
}

void tst_frmUser::rowsPerPage()
{
    QFETCH(int, height);
    QFETCH(int, rows);
    AppConfig::MainHeight = height;
    AppConfig::MainWidth = height == 480 ? 800 : 1024;
    for (int i = 1; i <= 20; ++i) {
        DBHelper::addUser(QString::number(i), QStringLiteral("用户%1").arg(i), QStringLiteral("p"), QString(),
                          QString(), FingerRecord::empty());
    }
    build();
    QCOMPARE(screen->rowsPerPage(), rows);
    QCOMPARE(table()->model()->rowCount(), rows);
    const int pages = (20 + rows - 1) / rows;
    QCOMPARE(label("labInfo")->text(), QStringLiteral("第 1 页    共 %1 页    共 20 个用户").arg(pages));
    // Every row of the page is visible without scrolling.
    const int lastRowBottom = table()->rowViewportPosition(rows - 1) + table()->rowHeight(rows - 1);
    QVERIFY2(lastRowBottom <= table()->viewport()->height(),
             qPrintable(QStringLiteral("%1 > %2").arg(lastRowBottom).arg(table()->viewport()->height())));
    press(QStringLiteral("btnNext"));
    QCOMPARE(table()->model()->rowCount(), qMin(rows, 20 - rows));
}

void tst_frmUser::newUserHasNoFingers()
{
    DBHelper::addUser(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("p"), QString(), QString(),
                      FingerRecord::empty());
    build();
    openHands(0);
    QCOMPARE(enrolledFingers(), QList<bool>({false, false, false, false, false, false, false, false, false, false}));
}

void tst_frmUser::enrolFingerSeven()
{
    DBHelper::addUser(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("p"), QString(), QString(),
                      FingerRecord::empty());
    build();
    openHands(0);
    QTest::mousePress(fingerLabel(7), Qt::LeftButton);
    QCOMPARE(page(), 3);
    auto *in = screen->findChild<frmUserFingerIn *>();
    QCOMPARE(in->findChild<QLabel *>(QStringLiteral("labInfo"))->text(), frmUserFingerIn::prompt());

    ZemiClock::setNow(QDateTime(QDate(2026, 12, 10), QTime(8, 5, 9)));
    press(QStringLiteral("btnFinger"));
    QCOMPARE(in->findChild<QLabel *>(QStringLiteral("labInfo"))->text(), QStringLiteral("手指录入: 录入指纹成功!"));
    const QString record = column(QStringLiteral("select UserFinger from UserInfo")).value(0);
    QVERIFY2(QRegularExpression(QStringLiteral("^//////\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d///$")).match(record).hasMatch(),
             qPrintable(record));
    QCOMPARE(record.mid(6, 19), QStringLiteral("2026-12-10 08:05:09"));
    QVERIFY(hand(7)->isEnrolled(2));

    QTRY_COMPARE_WITH_TIMEOUT(page(), 2, 3000); // back to the hands a second later
    QCOMPARE(enrolledFingers(), QList<bool>({false, false, false, false, false, false, true, false, false, false}));
    press(QStringLiteral("btnReturn"));
    QCOMPARE(page(), 1);
}

void tst_frmUser::rightButtonOnFingerDoesNothing()
{
    DBHelper::addUser(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("p"), QString(), QString(),
                      FingerRecord::empty());
    build();
    openHands(0);
    QTest::mousePress(fingerLabel(3), Qt::RightButton);
    QTest::mouseRelease(fingerLabel(3), Qt::RightButton);
    QCOMPARE(page(), 2);
}

void tst_frmUser::checkThenUncheckStoresOnce()
{
    DBHelper::addUser(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("p"), QString(), QString(),
                      FingerRecord::empty());
    build();
    openHands(0);
    QTest::mousePress(fingerLabel(1), Qt::LeftButton);
    auto *in = screen->findChild<frmUserFingerIn *>();
    press(QStringLiteral("btnFinger"));
    const QString first = column(QStringLiteral("select UserFinger from UserInfo")).value(0);
    press(QStringLiteral("btnFinger"));
    QCOMPARE(column(QStringLiteral("select UserFinger from UserInfo")).value(0), first);
    QCOMPARE(in->findChild<QLabel *>(QStringLiteral("labInfo"))->text(), frmUserFingerIn::prompt());
    QCOMPARE(FingerRecord::fields(first).count(), 10);
    QVERIFY(!FingerRecord::fields(first).at(0).isEmpty());
}

void tst_frmUser::fewerFingersAfterMore()
{
    DBHelper::addUser(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("p"), QString(), QString(),
                      QStringLiteral("t/t/t//////t/t"));
    DBHelper::addUser(QStringLiteral("2"), QStringLiteral("b"), QStringLiteral("p"), QString(), QString(),
                      QStringLiteral("/t////////"));
    build();
    openHands(0);
    QCOMPARE(enrolledFingers(), QList<bool>({true, true, true, false, false, false, false, false, true, true}));
    press(QStringLiteral("btnReturn"));
    press(QStringLiteral("btnReturn"));
    QCOMPARE(page(), 0);
    openHands(1);
    QCOMPARE(enrolledFingers(), QList<bool>({false, true, false, false, false, false, false, false, false, false}));
}

void tst_frmUser::malformedRecordIsRepaired()
{
    DBHelper::addUser(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("p"), QString(), QString(),
                      QStringLiteral("x/y"));
    build();
    openHands(0);
    QCOMPARE(enrolledFingers(), QList<bool>({false, false, false, false, false, false, false, false, false, false}));
    QTest::mousePress(fingerLabel(4), Qt::LeftButton);
    press(QStringLiteral("btnFinger"));
    const QStringList fields = FingerRecord::fields(column(QStringLiteral("select UserFinger from UserInfo")).value(0));
    QCOMPARE(fields.size(), 10);
    QCOMPARE(fields.at(0), QStringLiteral("x"));
    QCOMPARE(fields.at(1), QStringLiteral("y"));
    QVERIFY(!fields.at(3).isEmpty());
}

void tst_frmUser::enrolmentRecord_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<int>("finger");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty record, finger 7") << "/////////" << 7 << "//////T///";
    QTest::newRow("overwrites the same finger") << "//////old///" << 7 << "//////T///";
    QTest::newRow("first finger") << "/////////" << 1 << "T/////////";
    QTest::newRow("last finger") << "/////////" << 10 << "/////////T";
    QTest::newRow("too short, padded") << "a" << 3 << "a//T///////";
    QTest::newRow("empty text") << "" << 2 << "/T////////";
    QTest::newRow("too long, cut") << "1/2/3/4/5/6/7/8/9/10/11" << 1 << "T/2/3/4/5/6/7/8/9/10";
}

void tst_frmUser::enrolmentRecord()
{
    QFETCH(QString, record);
    QFETCH(int, finger);
    QFETCH(QString, expected);
    QCOMPARE(FingerRecord::enrol(record, finger, QStringLiteral("T")), expected);
}

void tst_frmUser::duplicateIdNeverStoredUnderLock()
{
    DBHelper::addUser(QStringLiteral("1001"), QStringLiteral("a"), QStringLiteral("p"), QString(), QString(),
                      FingerRecord::empty());
    build();
    press(QStringLiteral("btnAdd"));
    fill(QStringLiteral("1001"), QStringLiteral("b"), QStringLiteral("p"), QStringLiteral("p"));
    {
        SqliteLock lock(fixture->dbFile(), ShortLockMs);
        QVERIFY(lock.isHeld());
        press(QStringLiteral("btnSave"));
    }
    QVERIFY(messageShown());
    QVERIFY2(message() == frmUserAdd::saveFailedText() || message() == QStringLiteral("用户编号已经存在!"),
             qPrintable(message()));
    QCOMPARE(page(), 1); // the form keeps its input
    QCOMPARE(field("txtUserName")->text(), QStringLiteral("b"));
    QCOMPARE(count(QStringLiteral("select count(*) from UserInfo where UserID='1001'")), 1);

    // Once the lock has gone the same press is judged on the table.
    press(QStringLiteral("btnSave"));
    QCOMPARE(message(), QStringLiteral("用户编号已经存在!"));
    QCOMPARE(count(QStringLiteral("select count(*) from UserInfo where UserID='1001'")), 1);
}

void tst_frmUser::editUnderLockKeepsFingersAndForm()
{
    const QString fingers = QStringLiteral("//////2026-01-02 11:00:00///");
    DBHelper::addUser(QStringLiteral("1001"), QStringLiteral("张三"), QStringLiteral("p"), QString(), QString(),
                      fingers);
    build();
    selectRow(0);
    press(QStringLiteral("btnUpdate"));
    fill(QString(), QStringLiteral("张三丰"), QStringLiteral("p"), QStringLiteral("p"));
    {
        SqliteLock lock(fixture->dbFile(), ShortLockMs);
        press(QStringLiteral("btnSave"));
    }
    QVERIFY(messageShown());
    QCOMPARE(message(), frmUserAdd::saveFailedText());
    QCOMPARE(page(), 1);
    QCOMPARE(field("txtUserName")->text(), QStringLiteral("张三丰"));
    QCOMPARE(userRow(QStringLiteral("1001")), QStringLiteral("1001|张三|p|||") + fingers);

    press(QStringLiteral("btnSave"));
    QCOMPARE(page(), 0);
    QCOMPARE(userRow(QStringLiteral("1001")), QStringLiteral("1001|张三丰|p|||") + fingers);
}

void tst_frmUser::enrolUnderLockWritesNothing()
{
    const QString fingers = QStringLiteral("//////2026-01-02 11:00:00///");
    DBHelper::addUser(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("p"), QString(), QString(), fingers);
    build();
    openHands(0);
    QCOMPARE(enrolledFingers(), QList<bool>({false, false, false, false, false, false, true, false, false, false}));
    QTest::mousePress(fingerLabel(5), Qt::LeftButton);
    QCOMPARE(page(), 3);
    auto *in = screen->findChild<frmUserFingerIn *>();
    {
        SqliteLock lock(fixture->dbFile(), ShortLockMs);
        press(QStringLiteral("btnFinger"));
    }
    QVERIFY(messageShown());
    QCOMPARE(message(), frmUserFingerIn::saveFailedText());
    QVERIFY(!button(QStringLiteral("btnFinger"))->isChecked());
    QCOMPARE(in->findChild<QLabel *>(QStringLiteral("labInfo"))->text(), frmUserFingerIn::prompt());
    QCOMPARE(userRow(QStringLiteral("1")), QStringLiteral("1|a|p|||") + fingers);
    QCOMPARE(enrolledFingers(), QList<bool>({false, false, false, false, false, false, true, false, false, false}));

    // A second try without the lock keeps finger 7 beside the new one.
    press(QStringLiteral("btnFinger"));
    const QStringList fields = FingerRecord::fields(column(QStringLiteral("select UserFinger from UserInfo")).value(0));
    QCOMPARE(fields.size(), 10);
    QVERIFY(!fields.at(4).isEmpty());
    QCOMPARE(fields.at(6), QStringLiteral("2026-01-02 11:00:00"));
    QCOMPARE(enrolledFingers(), QList<bool>({false, false, false, false, true, false, true, false, false, false}));
}

void tst_frmUser::deleteUnderLockIsTold()
{
    DBHelper::addUser(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("p"), QString(), QString(),
                      FingerRecord::empty());
    build();
    selectRow(0);
    press(QStringLiteral("btnDelete"));
    {
        SqliteLock lock(fixture->dbFile());
        answer(true);
        // Told after the question has closed, and still up.
        QVERIFY(messageShown());
        QCOMPARE(message(), frmUser::deleteFailedText());
        QVERIFY(!frmMessageBox::Instance()->findChild<QPushButton *>(QStringLiteral("btnCancel"))->isVisibleTo(
            frmMessageBox::Instance()));
    }
    QCOMPARE(count(QStringLiteral("select count(*) from UserInfo")), 1);
}

void tst_frmUser::editOfUnreadableUserRefused()
{
    DBHelper::addUser(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("p"), QString(), QString(),
                      FingerRecord::empty());
    build();
    selectRow(0);
    {
        SqliteLock lock(fixture->dbFile());
        press(QStringLiteral("btnUpdate"));
    }
    QCOMPARE(message(), frmUserAdd::readFailedText());
    QCOMPARE(page(), 0); // no empty form for a stored user
}

void tst_frmUser::deleteQuestionIsModalAndKeepsItsUser()
{
    for (const char *id : {"A", "B"}) {
        DBHelper::addUser(QLatin1String(id), QStringLiteral("n"), QStringLiteral("p"), QString(), QString(),
                          FingerRecord::empty());
    }
    build();
    selectRow(0);
    press(QStringLiteral("btnDelete"));
    QCOMPARE(QApplication::activeModalWidget(), static_cast<QWidget *>(frmMessageBox::Instance()));
    selectRow(1); // whatever changes the selection meanwhile does not change the answer
    answer(true);
    QCOMPARE(column(QStringLiteral("select UserID from UserInfo")), QStringList{"B"});

    // Information stays out of the way.
    frmMessageBox::Instance()->tell(QStringLiteral("x"));
    QCOMPARE(frmMessageBox::Instance()->windowModality(), Qt::NonModal);
}

void tst_frmUser::spareDoorsKeepTheirOwnState_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("spare1");
    QTest::addColumn<bool>("spare2");
    QTest::newRow("one spare") << "外门/备用" << true << false;
    QTest::newRow("both spares") << "外门/备用/备用" << true << true;
    QTest::newRow("only spares") << "备用/备用" << true << true;
    QTest::newRow("no spare") << "内门1/小门" << false << false;
}

void tst_frmUser::spareDoorsKeepTheirOwnState()
{
    QFETCH(QString, stored);
    QFETCH(bool, spare1);
    QFETCH(bool, spare2);
    DBHelper::addUser(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("p"), QString(), stored,
                      FingerRecord::empty());
    build();
    selectRow(0);
    press(QStringLiteral("btnUpdate"));
    QCOMPARE(button(QStringLiteral("btnUserDoor7"))->isChecked(), spare1);
    QCOMPARE(button(QStringLiteral("btnUserDoor8"))->isChecked(), spare2);
    press(QStringLiteral("btnSave")); // unchanged
    QCOMPARE(userRow(QStringLiteral("1")), QStringLiteral("1|a|p||%1|/////////").arg(stored));
}

QTEST_MAIN(tst_frmUser)
#include "tst_frmuser.moc"
