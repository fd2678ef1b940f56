#include "readerfixture.h"
#include "terminalfixture.h"
#include "testsupport.h"

#include "appconfig.h"
#include "dbcountthread.h"
#include "frmmain.h"
#include "frmmessagebox.h"
#include "frmscreensaver.h"
#include "frmuser.h"
#include "zemiclock.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QtTest>
#include <memory>

using namespace TestSupport;

namespace {
constexpr int MinuteMs = 200; // TimeClose counts minutes of this length here
}

class tst_ScreenSaver : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TerminalFixture> fixture;
    std::unique_ptr<frmMain> window;

    // The window with the saver off while it builds (that takes a while under
    // the sanitizers), then idle time counted from a press with timeClose.
    void build(int timeClose = 3)
    {
        AppConfig::TimeClose = 0;
        window.reset(new frmMain);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        // The screens are built right after the first paint.
        QTRY_VERIFY(window->findChild<frmUser *>());
        AppConfig::TimeClose = timeClose;
        touch();
    }

    void touch() { QTest::mouseClick(window->findChild<QLabel *>(QStringLiteral("labTime")), Qt::LeftButton); }

    frmScreenSaver *saver() const { return window->findChild<frmScreenSaver *>(); }
    QStackedWidget *stack() const { return window->findChild<QStackedWidget *>(QStringLiteral("stackedWidget")); }

    void enter(const char *nav)
    {
        QTest::mouseClick(window->findChild<QToolButton *>(QLatin1String(nav)), Qt::LeftButton);
    }

    static int logCount() { return count(QStringLiteral("select count(*) from LogInfo")); }

private slots:
    void init();
    void cleanup();

    void appearsAfterIdleOnEveryScreen();
    void activityKeepsItAway();
    void fingerOnTheReaderKeepsItAway();
    void wakingPressActsOnNothingUnderneath();
    void formsAreLeftUnsavedAndBoxesClosed();
    void rightPressOnTheSaverDoesNotEndTheProgram();
    void dormantButtonStartsItAtOnce();
    void newTimeCloseAppliesFromTheNextIdlePeriod();
    void zeroTurnsItOff();
    void clockKeepsTicking();
};

void tst_ScreenSaver::init()
{
    fixture.reset(new TerminalFixture);
    QVERIFY(fixture->isValid());
    frmScreenSaver::setMinuteMs(MinuteMs);
    frmMessageBox::Instance()->hide();
}

void tst_ScreenSaver::cleanup()
{
    frmMessageBox::Instance()->hide();
    window.reset();
    fixture.reset();
}

void tst_ScreenSaver::appearsAfterIdleOnEveryScreen()
{
    build(0);
    // One window for every screen: each wait ends on the saver, each wake on the navigation page.
    for (const char *nav : {"", "btnUser", "btnOpen", "btnLog", "btnConfig", "btnStatus"}) {
        if (*nav) {
            enter(nav);
            QVERIFY2(stack()->currentIndex() > 0, nav);
        }
        AppConfig::TimeClose = 3;
        touch();
        QVERIFY(!saver()->isActive());
        QTRY_VERIFY2_WITH_TIMEOUT(saver()->isActive(), nav, 5000);
        // It covers the whole window, above every screen.
        QCOMPARE(saver()->geometry(), window->rect());
        QWidget *top = window->childAt(window->rect().center());
        QVERIFY2(top == saver() || saver()->isAncestorOf(top), nav);
        QCOMPARE(saver()->findChild<QLabel *>(QStringLiteral("labTitle"))->text(), QStringLiteral("智能保险柜管理系统"));
        QCOMPARE(saver()->findChild<QLabel *>(QStringLiteral("labTip"))->text(), QStringLiteral("轻触屏幕返回"));
        AppConfig::TimeClose = 0;
        QTest::mouseClick(saver(), Qt::LeftButton);
        QVERIFY(!saver()->isActive());
        QCOMPARE(stack()->currentIndex(), 0);
    }
}

void tst_ScreenSaver::activityKeepsItAway()
{
    build(10);
    // Presses every 100 ms for well past one idle period: never idle long enough.
    // A machine that stalls the test for a whole period between a press and its
    // check proves nothing either way; the idle timer may also fire a little
    // early, so only a check well within the period counts.
    const int period = 10 * MinuteMs;
    int checked = 0;
    QElapsedTimer sincePress;
    for (int attempt = 0; attempt < 100 && checked < 30; ++attempt) {
        touch();
        sincePress.start();
        QTest::qWait(100);
        if (sincePress.elapsed() < period * 9 / 10) {
            QVERIFY2(!saver()->isActive(), qPrintable(QStringLiteral("after %1 ms").arg(sincePress.elapsed())));
            ++checked;
        }
    }
    QCOMPARE(checked, 30);
    QTRY_VERIFY_WITH_TIMEOUT(saver()->isActive(), 3000);
}

void tst_ScreenSaver::fingerOnTheReaderKeepsItAway()
{
    ReaderFixture reader;
    QVERIFY(reader.isReady());
    // Someone to identify, so that the door page waits on the reader.
    QVERIFY(ReaderFixture::addUser(QStringLiteral("1001"), QStringLiteral("张伟"), QStringLiteral("开柜"), QString()));
    QVERIFY(!reader.enrol(QStringLiteral("1001"), 2, QStringLiteral("finger-a")).isEmpty());
    AppConfig::OpenMode = 1;
    build(10);
    enter("btnOpen");
    // A finger the reader asks to place again: seen, but no failed match.
    for (int i = 0; i < 15; ++i) {
        QVERIFY(reader.device().send(QStringLiteral("RETRY 0")));
        QTest::qWait(200);
        QVERIFY(!saver()->isActive());
    }
    QTRY_VERIFY_WITH_TIMEOUT(saver()->isActive(), 3000);
}

void tst_ScreenSaver::wakingPressActsOnNothingUnderneath()
{
    build();
    QTRY_VERIFY_WITH_TIMEOUT(saver()->isActive(), 3000);
    const int rows = logCount();
    // Right where the user button lies under the saver.
    auto *user = window->findChild<QToolButton *>(QStringLiteral("btnUser"));
    const QPoint at = user->mapTo(window.get(), user->rect().center());
    QTest::mouseClick(saver(), Qt::LeftButton, {}, at);
    QVERIFY(!saver()->isActive());
    QCOMPARE(stack()->currentIndex(), 0);
    QCOMPARE(logCount(), rows); // the navigation press never happened
}

void tst_ScreenSaver::formsAreLeftUnsavedAndBoxesClosed()
{
    build(0);
    enter("btnUser");
    auto *users = window->findChild<frmUser *>();
    QTest::mouseClick(users->findChild<QPushButton *>(QStringLiteral("btnAdd")), Qt::LeftButton);
    users->findChild<QLineEdit *>(QStringLiteral("txtUserID"))->setText(QStringLiteral("77"));
    users->findChild<QLineEdit *>(QStringLiteral("txtUserName"))->setText(QStringLiteral("未保存"));
    frmMessageBox::Instance()->showQuestion(QStringLiteral("确定要删除用户吗?\n删除后不能恢复!"));
    frmMessageBox::Instance()->show();
    QSignalSpy answers(frmMessageBox::Instance(), &frmMessageBox::result);
    AppConfig::TimeClose = 3;
    touch();

    QTRY_VERIFY_WITH_TIMEOUT(saver()->isActive(), 3000);
    QVERIFY(!frmMessageBox::Instance()->isVisible());
    QCOMPARE(answers.count(), 1);
    QCOMPARE(answers.at(0).at(0).toBool(), false); // 取消

    QTest::mouseClick(saver(), Qt::LeftButton);
    QCOMPARE(stack()->currentIndex(), 0);
    QCOMPARE(count(QStringLiteral("select count(*) from UserInfo")), 0);
    // Back in user management: the list, not the abandoned form.
    enter("btnUser");
    QCOMPARE(users->findChild<QStackedWidget *>(QStringLiteral("stackedWidget"))->currentIndex(), 0);
}

void tst_ScreenSaver::rightPressOnTheSaverDoesNotEndTheProgram()
{
    build(0);
    saver()->start();
    // QCoreApplication::exit() would end this loop with 0 at once.
    QEventLoop loop;
    QTimer::singleShot(0, this, [this] {
        const QPoint bare = saver()->rect().topLeft() + QPoint(5, saver()->height() / 2);
        QTest::mouseClick(saver(), Qt::RightButton, {}, bare);
    });
    QTimer::singleShot(400, &loop, [&loop] { loop.exit(7); });
    QCOMPARE(loop.exec(), 7);
}

void tst_ScreenSaver::dormantButtonStartsItAtOnce()
{
    build(0); // even with the timed saver off
    enter("btnStatus");
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("btnDormant")), Qt::LeftButton);
    QVERIFY(saver()->isActive());
}

void tst_ScreenSaver::newTimeCloseAppliesFromTheNextIdlePeriod()
{
    build(2);
    QElapsedTimer timer;
    AppConfig::TimeClose = 12; // saved on the system page meanwhile
    touch();
    timer.start();
    QTest::qWait(4 * MinuteMs); // past the old two minutes
    QVERIFY(!saver()->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(saver()->isActive(), 12 * MinuteMs + 3000);
    QVERIFY(timer.elapsed() >= 12 * MinuteMs - 50);
}

void tst_ScreenSaver::zeroTurnsItOff()
{
    build(0);
    QTest::qWait(8 * MinuteMs);
    QVERIFY(!saver()->isActive());
}

void tst_ScreenSaver::clockKeepsTicking()
{
    const QDateTime at(QDate(2026, 12, 10), QTime(23, 59, 59)); // a Thursday
    ZemiClock::setNow(at);
    build(0);
    saver()->start();
    auto *time = saver()->findChild<QLabel *>(QStringLiteral("labTime"));
    auto *date = saver()->findChild<QLabel *>(QStringLiteral("labDate"));
    const QString first = time->text();
    QVERIFY(!first.isEmpty());
    QCOMPARE(first, QStringLiteral("23:59:59"));
    QCOMPARE(date->text(), QStringLiteral("2026-12-10 星期四"));
    ZemiClock::setNow(at.addSecs(1));
    QTRY_VERIFY_WITH_TIMEOUT(time->text() != first, 2500);
    QCOMPARE(time->text(), QStringLiteral("00:00:00"));
    QCOMPARE(date->text(), QStringLiteral("2026-12-11 星期五"));
}

QTEST_MAIN(tst_ScreenSaver)
#include "tst_screensaver.moc"
