#include "readerfixture.h"
#include "sqlitelock.h"
#include "terminalfixture.h"
#include "testseams.h"
#include "testsupport.h"

#include "appconfig.h"
#include "dbhelper.h"
#include "dbconn.h"
#include "fingerprints.h"
#include "fingerrecord.h"
#include "fingerreader.h"
#include "fingersteps.h"
#include "frmmain.h"
#include "frmmessagebox.h"
#include "frmopen.h"
#include "frmuser.h"
#include "frmuserfingerin.h"
#include "frmuserfingerselect.h"
#include "handwidget.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>
#include <QtTest>
#include <memory>
#include <optional>

using TestSupport::column;

// The finger steps of the terminal's screens on libfprint's virtual reader:
// enrolment, door opening, the guards of the other screens and the lock.
class tst_FingerSteps : public QObject
{
    Q_OBJECT

    // Made before the fixture: its connection opens with the short busy timeout.
    std::optional<TestSeams> seams;
    std::unique_ptr<TerminalFixture> fixture;

    static QString message() { return frmMessageBox::Instance()->findChild<QLabel *>(QStringLiteral("labInfo"))->text(); }

    static QString info(QWidget *screen)
    {
        auto *stack = screen->findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
        const QStringList names = {QStringLiteral("labInfo"), QStringLiteral("labInfo1"), QStringLiteral("labInfo2"),
                                   QStringLiteral("labInfo3")};
        const int page = stack ? stack->currentIndex() : 0;
        // The page's own: the approval page has a labInfo too.
        auto *label = stack ? stack->currentWidget()->findChild<QLabel *>(names.value(page))
                            : screen->findChild<QLabel *>(names.value(page));
        return label ? label->text() : QString();
    }
    static int page(QWidget *screen)
    {
        return screen->findChild<QStackedWidget *>(QStringLiteral("stackedWidget"))->currentIndex();
    }
    static void press(QWidget *root, const QString &name)
    {
        for (auto *button : root->findChildren<QAbstractButton *>(name)) {
            if (button->isVisible()) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
        QFAIL(qPrintable(name + " not on show"));
    }
    static QStringList logs(const QString &type)
    {
        return column(QStringLiteral("select LogContent from LogInfo where LogType='%1' order by rowid").arg(type));
    }

    // Three users with every right and door but 内门5 (no button names it),
    // one without the 开柜 right and with the outer door only.
    static void addStaff(const ReaderFixture &reader)
    {
        const QString all = QStringLiteral("开柜/设置/日志/用户");
        const QString doors = QStringLiteral("外门/内门1/内门2/内门3/内门4/小门/备用/备用");
        QVERIFY(ReaderFixture::addUser(QStringLiteral("1001"), QStringLiteral("张伟"), all, doors));
        QVERIFY(ReaderFixture::addUser(QStringLiteral("1003"), QStringLiteral("李娜"), all, doors));
        QVERIFY(ReaderFixture::addUser(QStringLiteral("1005"), QStringLiteral("王芳"), all, doors));
        QVERIFY(ReaderFixture::addUser(QStringLiteral("1007"), QStringLiteral("赵强"), QStringLiteral("日志"),
                                       QStringLiteral("外门")));
        QVERIFY(!reader.enrol(QStringLiteral("1001"), 2, QStringLiteral("fa")).isEmpty());
        QVERIFY(!reader.enrol(QStringLiteral("1003"), 7, QStringLiteral("fb")).isEmpty());
        QVERIFY(!reader.enrol(QStringLiteral("1005"), 1, QStringLiteral("fc")).isEmpty());
        QVERIFY(!reader.enrol(QStringLiteral("1007"), 6, QStringLiteral("fd")).isEmpty());
    }

    // The enrolment page of a user's finger, shown (the enrolment starts with
    // it); its message line.
    static QLabel *showEnrolment(frmUserFingerIn &page, const QString &userId, int finger)
    {
        page.userFinger(userId);
        page.userHand(finger);
        page.show();
        return page.findChild<QLabel *>(QStringLiteral("labInfo"));
    }

    // The door page shown in a mode, the reader ready.
    static std::unique_ptr<frmOpen> openScreen(int mode)
    {
        AppConfig::OpenMode = mode;
        auto screen = std::make_unique<frmOpen>();
        screen->resize(804, 544);
        screen->show();
        return screen;
    }

private Q_SLOTS:
    void init()
    {
        seams.emplace();
        // Lock tests wait out the busy timeout: keep it short.
        DbConn::setSqliteBusyTimeout(200);
        fixture = std::make_unique<TerminalFixture>();
        QVERIFY(fixture->isValid());
        AppConfig::Admin = true;
        AppConfig::SampleData = false;
    }

    void cleanup()
    {
        frmMessageBox::Instance()->dismiss();
        FingerReader::reset();
        FingerSteps::reset();
        VirtualReader::unset();
        fixture.reset();
        seams.reset();
    }

    void enrolmentShowsProgressAndStoresThePrint()
    {
        ReaderFixture reader;
        QVERIFY(reader.isReady());
        QVERIFY(ReaderFixture::addUser(QStringLiteral("1001"), QStringLiteral("张伟"), QString(), QString()));
        frmUserFingerIn page;
        QSignalSpy done(&page, &frmUserFingerIn::fingerFinsh);
        auto *label = showEnrolment(page, QStringLiteral("1001"), 7);
        QCOMPARE(page.findChild<QLabel *>(QStringLiteral("labReader"))->text(), QStringLiteral("指纹仪工作中"));
        for (int i = 1; i <= 4; ++i) {
            QVERIFY(reader.scan(QStringLiteral("fa")));
            QTRY_COMPARE(label->text(), QStringLiteral("请再次按压手指 (%1/5)").arg(i));
        }
        QVERIFY(column(QStringLiteral("select count(*) from FingerPrint")).value(0) == QLatin1String("0"));
        QVERIFY(reader.scan(QStringLiteral("fa")));
        QTRY_COMPARE(done.count(), 1);
        QCOMPARE(label->text(), QStringLiteral("手指录入: 录入指纹成功!"));
        QCOMPARE(column(QStringLiteral("select UserID||'/'||Finger from FingerPrint")), QStringList({"1001/7"}));
        QCOMPARE(FingerRecord::fields(column(QStringLiteral("select UserFinger from UserInfo")).value(0))
                     .at(6).length(), 19);

        // The hands show it, by its usable print.
        frmUserFingerSelect hands;
        hands.userFinger(QStringLiteral("1001"));
        QVERIFY(hands.findChild<HandWidget *>(QStringLiteral("widgetHandRight"))->isEnrolled(2));
        QVERIFY(!hands.findChild<HandWidget *>(QStringLiteral("widgetHandRight"))->isEnrolled(1));
    }

    void fingerOfAnotherUserIsRefused()
    {
        ReaderFixture reader;
        QVERIFY(reader.isReady());
        QVERIFY(ReaderFixture::addUser(QStringLiteral("1001"), QStringLiteral("张伟"), QString(), QString()));
        QVERIFY(ReaderFixture::addUser(QStringLiteral("1003"), QStringLiteral("李娜"), QString(), QString()));
        QVERIFY(!reader.enrol(QStringLiteral("1001"), 2, QStringLiteral("fa")).isEmpty());

        frmUserFingerIn page;
        QSignalSpy done(&page, &frmUserFingerIn::fingerFinsh);
        auto *label = showEnrolment(page, QStringLiteral("1003"), 3);
        // The reader refuses the finger it keeps (at the first scan or the
        // last, as its make does), but does not say whose it is: one more press finds out.
        for (int i = 0; i < 5 && label->text() != frmUserFingerIn::duplicateAgainText(); ++i) {
            QVERIFY(reader.scan(QStringLiteral("fa")));
            QTest::qWait(100);
        }
        QTRY_COMPARE(label->text(), frmUserFingerIn::duplicateAgainText());
        QVERIFY(reader.scan(QStringLiteral("fa")));
        QTRY_COMPARE(label->text(), QStringLiteral("该指纹已被用户张伟(1001)录入"));
        QCOMPARE(done.count(), 0);
        QCOMPARE(column(QStringLiteral("select UserID from FingerPrint")), QStringList({"1001"}));
        QCOMPARE(column(QStringLiteral("select UserFinger from UserInfo where UserID='1003'")),
                 QStringList({FingerRecord::empty()}));
    }

    void unplugDuringEnrolmentStoresNothingAndResumes()
    {
        ReaderFixture reader;
        QVERIFY(reader.isReady());
        QVERIFY(ReaderFixture::addUser(QStringLiteral("1001"), QStringLiteral("张伟"), QString(), QString()));
        frmUserFingerIn page;
        auto *label = showEnrolment(page, QStringLiteral("1001"), 1);
        QVERIFY(reader.scan(QStringLiteral("fa")));
        QVERIFY(reader.scan(QStringLiteral("fa")));
        QTRY_COMPARE(label->text(), QStringLiteral("请再次按压手指 (2/5)"));
        QVERIFY(reader.device().send(QStringLiteral("UNPLUG")));
        QTRY_COMPARE(label->text(), QStringLiteral("指纹仪未连接，录入未完成"));
        QCOMPARE(page.findChild<QLabel *>(QStringLiteral("labReader"))->text(), QStringLiteral("指纹仪未连接"));
        QCOMPARE(column(QStringLiteral("select count(*) from FingerPrint")), QStringList({"0"}));
        QCOMPARE(column(QStringLiteral("select UserFinger from UserInfo")), QStringList({FingerRecord::empty()}));

        // Found again with a new context: the enrolment starts over by itself.
        QTRY_COMPARE_WITH_TIMEOUT(label->text(), frmUserFingerIn::prompt(), 10000);
        QSignalSpy done(&page, &frmUserFingerIn::fingerFinsh);
        for (int i = 0; i < 5; ++i) {
            QVERIFY(reader.scan(QStringLiteral("fa")));
        }
        QTRY_COMPARE(done.count(), 1);
        QCOMPARE(column(QStringLiteral("select count(*) from FingerPrint")), QStringList({"1"}));
    }

    void leavingTheEnrolmentCancelsIt()
    {
        ReaderFixture reader;
        QVERIFY(reader.isReady());
        QVERIFY(ReaderFixture::addUser(QStringLiteral("1001"), QStringLiteral("张伟"), QString(), QString()));
        frmUserFingerIn page;
        showEnrolment(page, QStringLiteral("1001"), 1);
        QVERIFY(reader.scan(QStringLiteral("fa")));
        page.hide();
        // The reader is free for the next page at once.
        QTRY_COMPARE(FingerReader::instance()->state(), FingerReader::State::Ready);
        QVERIFY(!reader.enrol(QStringLiteral("1001"), 2, QStringLiteral("fb")).isEmpty());
        QCOMPARE(column(QStringLiteral("select Finger from FingerPrint")), QStringList({"2"}));
    }

    void twoPersonsOpenADoorAndAreNamed()
    {
        ReaderFixture reader;
        QVERIFY(reader.isReady());
        addStaff(reader);
        auto screen = openScreen(2);
        QCOMPARE(page(screen.get()), int(frmOpen::PagePerson1));
        QVERIFY(reader.scan(QStringLiteral("fb")));
        QTRY_COMPARE(info(screen.get()), QStringLiteral("李娜 验证通过"));
        QTRY_COMPARE(page(screen.get()), int(frmOpen::PagePerson2));
        QVERIFY(reader.scan(QStringLiteral("fa")));
        QTRY_COMPARE(info(screen.get()), QStringLiteral("张伟 验证通过"));
        QTRY_COMPARE(page(screen.get()), int(frmOpen::PageDoor));
        press(screen.get(), QStringLiteral("btnDown"));
        press(screen.get(), QStringLiteral("btnDown"));
        press(screen.get(), QStringLiteral("btnDoor"));
        QCOMPARE(logs(QStringLiteral("开柜日志")), QStringList({"开启内门2(双人验证:李娜(1003),张伟(1001))"}));
    }

    void refusedSteps_data()
    {
        QTest::addColumn<bool>("admin");
        QTest::addColumn<QStringList>("scans");
        QTest::addColumn<QString>("told");
        QTest::addColumn<int>("pageAfter");

        QTest::newRow("unknown finger") << true << QStringList{"fz"} << "指纹不匹配，请重试"
                                        << int(frmOpen::PagePerson1);
        QTest::newRow("same person twice") << true << QStringList{"fa", "fa"} << "同一用户不能重复验证"
                                           << int(frmOpen::PagePerson2);
        QTest::newRow("no open right") << true << QStringList{"fd"} << "无权执行此操作" << int(frmOpen::PagePerson1);
        QTest::newRow("rights not enforced") << false << QStringList{"fd"} << "赵强 验证通过"
                                             << int(frmOpen::PagePerson2);
    }
    void refusedSteps()
    {
        QFETCH(bool, admin);
        QFETCH(QStringList, scans);
        QFETCH(QString, told);
        QFETCH(int, pageAfter);
        AppConfig::Admin = admin;
        ReaderFixture reader;
        QVERIFY(reader.isReady());
        addStaff(reader);
        auto screen = openScreen(2);
        for (const QString &scan : scans) {
            const int before = page(screen.get());
            QVERIFY(reader.scan(scan));
            if (scan != scans.constLast()) {
                QTRY_COMPARE(page(screen.get()), before + 1);
            }
        }
        QTRY_COMPARE(info(screen.get()), told);
        QTRY_COMPARE(page(screen.get()), pageAfter);
        QVERIFY(logs(QStringLiteral("开柜日志")).isEmpty());
    }

    void doorsAreChecked_data()
    {
        QTest::addColumn<bool>("admin");
        QTest::addColumn<int>("downs");
        QTest::addColumn<QString>("record");
        QTest::newRow("door held") << true << 0 << "开启外门(单人验证:赵强(1007))";
        QTest::newRow("door not held") << true << 1 << "";
        QTest::newRow("rights not enforced") << false << 1 << "开启内门1(单人验证:赵强(1007))";
    }
    void doorsAreChecked()
    {
        QFETCH(bool, admin);
        QFETCH(int, downs);
        QFETCH(QString, record);
        AppConfig::Admin = admin;
        ReaderFixture reader;
        QVERIFY(reader.isReady());
        QVERIFY(ReaderFixture::addUser(QStringLiteral("1007"), QStringLiteral("赵强"), QStringLiteral("开柜"),
                                       QStringLiteral("外门")));
        QVERIFY(!reader.enrol(QStringLiteral("1007"), 6, QStringLiteral("fd")).isEmpty());
        auto screen = openScreen(1);
        QVERIFY(reader.scan(QStringLiteral("fd")));
        QTRY_COMPARE(page(screen.get()), int(frmOpen::PageDoor));
        for (int i = 0; i < downs; ++i) {
            press(screen.get(), QStringLiteral("btnDown"));
        }
        press(screen.get(), QStringLiteral("btnDoor"));
        if (record.isEmpty()) {
            QCOMPARE(message(), QStringLiteral("无权打开此门"));
            QCOMPARE(page(screen.get()), int(frmOpen::PageDoor));
            QVERIFY(logs(QStringLiteral("开柜日志")).isEmpty());
        } else {
            QCOMPARE(logs(QStringLiteral("开柜日志")), QStringList({record}));
        }
    }

    void innerDoorFiveIsClosedWhileRightsAreEnforced()
    {
        ReaderFixture reader;
        QVERIFY(reader.isReady());
        addStaff(reader);
        auto screen = openScreen(1);
        QVERIFY(reader.scan(QStringLiteral("fa")));
        QTRY_COMPARE(page(screen.get()), int(frmOpen::PageDoor));
        for (int i = 0; i < 5; ++i) {
            press(screen.get(), QStringLiteral("btnDown"));
        }
        QCOMPARE(screen->findChild<QPushButton *>(QStringLiteral("btnDoor"))->text(), QStringLiteral("内门5"));
        press(screen.get(), QStringLiteral("btnDoor"));
        QCOMPARE(message(), QStringLiteral("无权打开此门"));
        QVERIFY(logs(QStringLiteral("开柜日志")).isEmpty());
    }

    void fiveFailuresLockEveryStep()
    {
        FingerSteps::setLockMs(1500);
        ReaderFixture reader;
        QVERIFY(reader.isReady());
        addStaff(reader);
        auto screen = openScreen(1);
        // A scan the reader asks to retry is no failure.
        QVERIFY(reader.device().send(QStringLiteral("RETRY 0")));
        for (int i = 0; i < 4; ++i) {
            QVERIFY(reader.scan(QStringLiteral("fz")));
            QTRY_COMPARE(info(screen.get()), QStringLiteral("指纹不匹配，请重试"));
            screen->findChild<QLabel *>(QStringLiteral("labInfo"))->clear();
        }
        QVERIFY(logs(QStringLiteral("报警日志")).isEmpty());
        QVERIFY(reader.scan(QStringLiteral("fz")));
        QTRY_VERIFY(info(screen.get()).startsWith(QStringLiteral("验证失败次数过多，请")));
        QCOMPARE(logs(QStringLiteral("报警日志")), QStringList({"尝试次数过多"}));
        // Taps do not get round it, and a good finger waits for the end.
        press(screen.get(), QStringLiteral("btnFinger"));
        QCOMPARE(page(screen.get()), int(frmOpen::PageOne));
        QTRY_COMPARE_WITH_TIMEOUT(info(screen.get()), QStringLiteral("请验证指纹"), 5000);
        QVERIFY(reader.scan(QStringLiteral("fa")));
        QTRY_COMPARE(page(screen.get()), int(frmOpen::PageDoor));
        QCOMPARE(logs(QStringLiteral("报警日志")).size(), 1);
    }

    void unplugDuringVerificationIsTold()
    {
        ReaderFixture reader;
        QVERIFY(reader.isReady());
        addStaff(reader);
        auto screen = openScreen(1);
        QVERIFY(reader.device().send(QStringLiteral("UNPLUG")));
        QTRY_COMPARE(info(screen.get()), QStringLiteral("指纹仪未连接"));
        press(screen.get(), QStringLiteral("btnFinger"));
        QCOMPARE(page(screen.get()), int(frmOpen::PageOne));
        // Back with a new context: the step listens again.
        QTRY_COMPARE_WITH_TIMEOUT(info(screen.get()), QStringLiteral("请验证指纹"), 10000);
        QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("labReader"))->text(), QStringLiteral("指纹仪工作中"));
    }

    void readerSetting_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<bool>("withReader");
        QTest::addColumn<bool>("tapPasses");
        QTest::addColumn<QString>("note");
        QTest::newRow("auto, none") << "auto" << false << true << "未检测到指纹仪，轻触代替指纹";
        QTest::newRow("auto, reader") << "auto" << true << false << "指纹仪就绪";
        QTest::newRow("required, none") << "required" << false << false << "指纹仪未连接";
        QTest::newRow("required, reader") << "required" << true << false << "指纹仪就绪";
    }
    void readerSetting()
    {
        QFETCH(QString, setting);
        QFETCH(bool, withReader);
        QFETCH(bool, tapPasses);
        QFETCH(QString, note);
        AppConfig::FingerReader = setting;
        std::unique_ptr<ReaderFixture> reader;
        if (withReader) {
            reader = std::make_unique<ReaderFixture>();
            QVERIFY(reader->isReady());
        } else {
            ReaderFixture::startWithoutReader();
        }
        auto screen = openScreen(1);
        QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("labReader"))->text(), note);
        press(screen.get(), QStringLiteral("btnFinger"));
        QCOMPARE(page(screen.get()) == frmOpen::PageDoor, tapPasses);
        if (!tapPasses) {
            QCOMPARE(info(screen.get()), withReader ? QStringLiteral("请把手指放在指纹仪上") : QStringLiteral("指纹仪未连接"));
        }
    }

    void nobodyEnrolledIsSaid()
    {
        ReaderFixture reader;
        QVERIFY(reader.isReady());
        QVERIFY(ReaderFixture::addUser(QStringLiteral("1001"), QStringLiteral("张伟"), QStringLiteral("开柜"), QString()));
        auto screen = openScreen(1);
        QCOMPARE(info(screen.get()), FingerCheck::noPrintsText());
        QCOMPARE(FingerReader::instance()->state(), FingerReader::State::Ready); // not waiting on the reader
    }

    // Another program holding the database: the enrolment stores nothing and
    // says so, a step cannot read the prints and says so, and a guard whose
    // candidates cannot be counted stays a guard.
    void enrolmentUnderLockStoresNothing()
    {
        ReaderFixture reader;
        QVERIFY(reader.isReady());
        QVERIFY(ReaderFixture::addUser(QStringLiteral("1001"), QStringLiteral("张伟"), QString(), QString()));
        frmUserFingerIn page;
        auto *label = showEnrolment(page, QStringLiteral("1001"), 4);
        for (int i = 1; i <= 4; ++i) {
            QVERIFY(reader.scan(QStringLiteral("fa")));
            QTRY_COMPARE(label->text(), QStringLiteral("请再次按压手指 (%1/5)").arg(i));
        }
        {
            SqliteLock lock(fixture->dbFile());
            QVERIFY(lock.isHeld());
            QVERIFY(reader.scan(QStringLiteral("fa")));
            QTRY_VERIFY(frmMessageBox::Instance()->isVisible());
            QCOMPARE(message(), frmUserFingerIn::saveFailedText());
        }
        QCOMPARE(label->text(), frmUserFingerIn::prompt());
        QCOMPARE(column(QStringLiteral("select count(*) from FingerPrint")), QStringList({"0"}));
        QCOMPARE(column(QStringLiteral("select UserFinger from UserInfo")), QStringList({FingerRecord::empty()}));
    }

    void stepUnderLockSaysItCannotRead()
    {
        ReaderFixture reader;
        QVERIFY(reader.isReady());
        addStaff(reader);
        SqliteLock lock(fixture->dbFile());
        QVERIFY(lock.isHeld());
        auto screen = openScreen(1);
        QCOMPARE(info(screen.get()), QStringLiteral("读取用户信息失败，请稍后重试!"));
        QCOMPARE(FingerReader::instance()->state(), FingerReader::State::Ready); // nothing asked of the reader
    }

    void guardUnderLockDoesNotStepAside()
    {
        AppConfig::LogMode = 2;
        ReaderFixture reader;
        QVERIFY(reader.isReady());
        QVERIFY(ReaderFixture::addUser(QStringLiteral("1001"), QStringLiteral("张伟"), QStringLiteral("日志"), QString()));
        QVERIFY(!reader.enrol(QStringLiteral("1001"), 2, QStringLiteral("fa")).isEmpty());
        frmMain window;
        window.show();
        auto *stack = window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
        QTRY_COMPARE(stack->count(), 7);
        SqliteLock lock(fixture->dbFile());
        QVERIFY(lock.isHeld());
        QTest::mouseClick(window.findChild<QToolButton *>(QStringLiteral("btnLog")), Qt::LeftButton);
        // Too few could pass, but that is not known: the screen stays guarded.
        QCOMPARE(stack->currentWidget(), window.findChild<frmOpen *>(QStringLiteral("guardPage")));
        QVERIFY(!frmMessageBox::Instance()->isVisible());
    }

    void verifyOnlyReaderLeavesTheTaps()
    {
        ReaderFixture reader(VirtualReader::VerifyOnly);
        QVERIFY(!reader.isReady());
        auto screen = openScreen(1);
        QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("labReader"))->text(),
                 QStringLiteral("未检测到指纹仪，轻触代替指纹"));
        press(screen.get(), QStringLiteral("btnFinger"));
        QCOMPARE(page(screen.get()), int(frmOpen::PageDoor));
    }

    void deletingAUserDeletesItsPrints()
    {
        ReaderFixture reader;
        QVERIFY(reader.isReady());
        addStaff(reader);
        frmUser screen;
        screen.resize(1024, 544);
        screen.show();
        auto *table = screen.findChild<QTableView *>(QStringLiteral("tableMain"));
        QTRY_VERIFY(table->model()->rowCount() > 0);
        table->setCurrentIndex(table->model()->index(0, 0));
        press(&screen, QStringLiteral("btnDelete"));
        QTest::mouseClick(frmMessageBox::Instance()->findChild<QPushButton *>(QStringLiteral("btnOk")), Qt::LeftButton);
        QCOMPARE(column(QStringLiteral("select UserID from UserInfo order by rowid")), QStringList({"1003", "1005", "1007"}));
        QCOMPARE(column(QStringLiteral("select UserID from FingerPrint order by rowid")), QStringList({"1003", "1005", "1007"}));
        // Gone from the reader as well: the finger matches nobody now.
        QTRY_COMPARE(FingerReader::instance()->state(), FingerReader::State::Ready);
        auto door = openScreen(1);
        QVERIFY(reader.scan(QStringLiteral("fa")));
        QTRY_COMPARE(info(door.get()), QStringLiteral("指纹不匹配，请重试"));
    }

    void guardedScreens_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("admin");
        QTest::addColumn<QStringList>("scans");
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("entry");

        const QStringList none;
        QTest::newRow("log, mode 0") << "btnLog" << 0 << true << none << 3 << "进入日志管理界面";
        QTest::newRow("log, mode 1") << "btnLog" << 1 << true << QStringList{"fd"} << 3 << "进入日志管理界面";
        QTest::newRow("log, mode 2") << "btnLog" << 2 << true << QStringList{"fa", "fd"} << 3 << "进入日志管理界面";
        QTest::newRow("log, mode 3") << "btnLog" << 3 << false << QStringList{"fa", "fb", "fd"} << 3
                                     << "进入日志管理界面";
        QTest::newRow("log, mode 4") << "btnLog" << 4 << true << QStringList{"fb"} << 3 << "进入日志管理界面";
        QTest::newRow("settings, mode 1") << "btnConfig" << 1 << true << QStringList{"fa"} << 4 << "进入系统设置界面";
        QTest::newRow("settings, no right") << "btnConfig" << 1 << true << QStringList{"fd"} << -1 << "";
        QTest::newRow("settings, rights off") << "btnConfig" << 1 << false << QStringList{"fd"} << 4
                                              << "进入系统设置界面";
        QTest::newRow("users, mode 2") << "btnUser" << 2 << true << QStringList{"fc", "fb"} << 1 << "进入用户管理界面";
        QTest::newRow("users, mode 0") << "btnUser" << 0 << true << none << 1 << "进入用户管理界面";
    }
    void guardedScreens()
    {
        QFETCH(QString, button);
        QFETCH(int, mode);
        QFETCH(bool, admin);
        QFETCH(QStringList, scans);
        QFETCH(int, screen);
        QFETCH(QString, entry);
        AppConfig::LogMode = mode;
        AppConfig::ConfigMode = mode;
        AppConfig::Admin = admin;
        ReaderFixture reader;
        QVERIFY(reader.isReady());
        addStaff(reader);
        frmMain window;
        window.show();
        auto *stack = window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
        QTRY_COMPARE(stack->count(), 7);
        auto *nav = window.findChild<QToolButton *>(button);
        QTest::mouseClick(nav, Qt::LeftButton);
        auto *guard = window.findChild<frmOpen *>(QStringLiteral("guardPage"));
        if (mode > 0) {
            QCOMPARE(stack->currentWidget(), guard);
            QVERIFY(column(QStringLiteral("select count(*) from LogInfo where LogContent like '进入%'")) == QStringList({"0"}));
        }
        for (int i = 0; i < scans.size(); ++i) {
            const int before = page(guard);
            QVERIFY(reader.scan(scans.at(i)));
            if (screen < 0) {
                QTRY_COMPARE(info(guard), QStringLiteral("无权执行此操作"));
                QCOMPARE(stack->currentWidget(), guard);
                QCOMPARE(column(QStringLiteral("select count(*) from LogInfo where LogContent like '进入%'")),
                         QStringList({"0"}));
                return;
            }
            if (i + 1 < scans.size()) {
                QTRY_COMPARE(page(guard), before + 1);
            }
        }
        QTRY_COMPARE(stack->currentIndex(), screen);
        QCOMPARE(column(QStringLiteral("select LogContent from LogInfo where LogContent like '进入%'")), QStringList({entry}));
    }

    void guardStepsAsideWhenTooFewCanPass()
    {
        AppConfig::LogMode = 2;
        ReaderFixture reader;
        QVERIFY(reader.isReady());
        QVERIFY(ReaderFixture::addUser(QStringLiteral("1001"), QStringLiteral("张伟"), QStringLiteral("日志"), QString()));
        QVERIFY(ReaderFixture::addUser(QStringLiteral("1003"), QStringLiteral("李娜"), QStringLiteral("开柜"), QString()));
        QVERIFY(!reader.enrol(QStringLiteral("1001"), 2, QStringLiteral("fa")).isEmpty());
        QVERIFY(!reader.enrol(QStringLiteral("1003"), 2, QStringLiteral("fb")).isEmpty());
        frmMain window;
        window.show();
        auto *stack = window.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
        QTRY_COMPARE(stack->count(), 7);
        QTest::mouseClick(window.findChild<QToolButton *>(QStringLiteral("btnLog")), Qt::LeftButton);
        QCOMPARE(stack->currentIndex(), 3);
        QCOMPARE(message(), QStringLiteral("授权用户不足，已跳过验证"));
        QCOMPARE(column(QStringLiteral("select LogContent from LogInfo where LogContent like '进入%'")),
                 QStringList({"进入日志管理界面"}));
    }
};

QTEST_MAIN(tst_FingerSteps)
#include "tst_fingersteps.moc"
