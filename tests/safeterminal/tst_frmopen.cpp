#include "terminalfixture.h"

#include "appconfig.h"
#include "frmopen.h"
#include "frmselectdoor.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>
#include <memory>

class tst_frmOpen : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TerminalFixture> fixture;
    std::unique_ptr<frmOpen> screen;

    QStackedWidget *stack() const { return screen->findChild<QStackedWidget *>(QStringLiteral("stackedWidget")); }
    QString text(const QString &label) const { return screen->findChild<QLabel *>(label)->text(); }
    QString doorText() const { return screen->findChild<QPushButton *>(QStringLiteral("btnDoor"))->text(); }

    void showWithMode(int mode)
    {
        AppConfig::OpenMode = mode;
        screen->hide();
        screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
    }

    void press(const QString &name)
    {
        auto *button = screen->findChild<QPushButton *>(name);
        QVERIFY2(button && button->isVisible(), qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }

private slots:
    void init();
    void cleanup();

    void modeFlow_data();
    void modeFlow();
    void stepLabelsFollowTheMode();
    void unknownModeKeepsThePage();
    void doorSteppingStopsAtBothEnds();
    void outerDoorLeadsToRemoteApproval();
    void innerDoorLeadsToVerifyChoice();
    void countdownReachesZeroAndStays();
    void returnButtonSignals();
    void doorOpeningsAreRecorded_data();
    void doorOpeningsAreRecorded();
    void unknownModeIsRecordedAsSuch();
    void approvalWithdrawnWhenLeft();
};

void tst_frmOpen::init()
{
    fixture.reset(new TerminalFixture);
    QVERIFY(fixture->isValid());
    screen.reset(new frmOpen);
    screen->resize(804, 544);
}

void tst_frmOpen::cleanup()
{
    screen.reset();
    fixture.reset();
}

void tst_frmOpen::modeFlow_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("firstPage");
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<QList<int>>("pagesAfter");

    QTest::newRow("0 none") << 0 << int(frmOpen::PageDoor) << QStringList() << QList<int>();
    QTest::newRow("1 one person") << 1 << int(frmOpen::PageOne) << QStringList{"btnFinger"}
                                  << QList<int>{frmOpen::PageDoor};
    QTest::newRow("2 two persons") << 2 << int(frmOpen::PagePerson1) << QStringList{"btnFinger1", "btnFinger2"}
                                   << QList<int>{frmOpen::PagePerson2, frmOpen::PageDoor};
    QTest::newRow("3 three persons") << 3 << int(frmOpen::PagePerson1)
                                     << QStringList{"btnFinger1", "btnFinger2", "btnFinger3"}
                                     << QList<int>{frmOpen::PagePerson2, frmOpen::PagePerson3, frmOpen::PageDoor};
    QTest::newRow("4 remote review") << 4 << int(frmOpen::PageVerify) << QStringList() << QList<int>();
}

void tst_frmOpen::modeFlow()
{
    QFETCH(int, mode);
    QFETCH(int, firstPage);
    QFETCH(QStringList, presses);
    QFETCH(QList<int>, pagesAfter);

    showWithMode(mode);
    QCOMPARE(stack()->currentIndex(), firstPage);
    for (int i = 0; i < presses.size(); ++i) {
        press(presses.at(i));
        QCOMPARE(stack()->currentIndex(), pagesAfter.at(i));
    }
    // Showing the screen again starts the flow over.
    showWithMode(mode);
    QCOMPARE(stack()->currentIndex(), firstPage);
}

void tst_frmOpen::stepLabelsFollowTheMode()
{
    QCOMPARE(text(QStringLiteral("labNav")), QStringLiteral("第 1 步 / 共 1 步"));
    // The remote-approval page has a labInfo of its own.
    QCOMPARE(stack()->widget(frmOpen::PageOne)->findChild<QLabel *>(QStringLiteral("labInfo"))->text(),
             QStringLiteral("请验证指纹"));
    QCOMPARE(text(QStringLiteral("labInfo1")), QStringLiteral("请 用户1 输入指纹"));
    QCOMPARE(text(QStringLiteral("labNav3")), QStringLiteral("第 3 步 / 共 3 步"));

    showWithMode(2);
    QCOMPARE(text(QStringLiteral("labNav1")), QStringLiteral("第 1 步 / 共 2 步"));
    QCOMPARE(text(QStringLiteral("labNav2")), QStringLiteral("第 2 步 / 共 2 步"));
    showWithMode(3);
    QCOMPARE(text(QStringLiteral("labNav1")), QStringLiteral("第 1 步 / 共 3 步"));
    QCOMPARE(text(QStringLiteral("labNav2")), QStringLiteral("第 2 步 / 共 3 步"));
    showWithMode(2);
    QCOMPARE(text(QStringLiteral("labNav1")), QStringLiteral("第 1 步 / 共 2 步"));
    QCOMPARE(text(QStringLiteral("labNav2")), QStringLiteral("第 2 步 / 共 2 步"));
    QCOMPARE(text(QStringLiteral("labNav3")), QStringLiteral("第 3 步 / 共 3 步"));
}

void tst_frmOpen::unknownModeKeepsThePage()
{
    showWithMode(1);
    QCOMPARE(stack()->currentIndex(), int(frmOpen::PageOne));
    showWithMode(7);
    QCOMPARE(stack()->currentIndex(), int(frmOpen::PageOne));
    showWithMode(-1);
    QCOMPARE(stack()->currentIndex(), int(frmOpen::PageOne));
}

void tst_frmOpen::doorSteppingStopsAtBothEnds()
{
    showWithMode(0);
    QCOMPARE(doorText(), QStringLiteral("外门"));
    QCOMPARE(text(QStringLiteral("labCount")), QStringLiteral("1 / 6"));
    press(QStringLiteral("btnUp"));
    QCOMPARE(doorText(), QStringLiteral("外门"));
    QCOMPARE(text(QStringLiteral("labCount")), QStringLiteral("1 / 6"));

    const QStringList inner = {"内门1", "内门2", "内门3", "内门4", "内门5"};
    for (int i = 0; i < inner.size(); ++i) {
        press(QStringLiteral("btnDown"));
        QCOMPARE(doorText(), inner.at(i));
        QCOMPARE(text(QStringLiteral("labCount")), QStringLiteral("%1 / 6").arg(i + 2));
    }
    press(QStringLiteral("btnDown"));
    QCOMPARE(doorText(), QStringLiteral("内门5"));
    QCOMPARE(text(QStringLiteral("labCount")), QStringLiteral("6 / 6"));
    press(QStringLiteral("btnUp"));
    QCOMPARE(doorText(), QStringLiteral("内门4"));

    // The chosen door survives leaving and coming back.
    showWithMode(0);
    QCOMPARE(doorText(), QStringLiteral("内门4"));
}

void tst_frmOpen::outerDoorLeadsToRemoteApproval()
{
    showWithMode(0);
    press(QStringLiteral("btnDoor"));
    QCOMPARE(stack()->currentIndex(), int(frmOpen::PageAuthor));
    auto *info = stack()->currentWidget()->findChild<QLabel *>(QStringLiteral("labInfo"));
    auto *result = stack()->currentWidget()->findChild<QLabel *>(QStringLiteral("labResult"));
    QCOMPARE(info->text(), QStringLiteral("远程审核中..."));
    const QImage pending = result->pixmap(Qt::ReturnByValue).toImage();
    QVERIFY(!pending.isNull());
    QTRY_COMPARE_WITH_TIMEOUT(info->text(), QStringLiteral("恭喜,审核成功"), 3000);
    QVERIFY(info->styleSheet().contains(QStringLiteral("rgb(0,243,15)")));
    QVERIFY(result->pixmap(Qt::ReturnByValue).toImage() != pending);
    QCOMPARE(stack()->currentIndex(), int(frmOpen::PageAuthor)); // stays until the operator leaves
}

void tst_frmOpen::innerDoorLeadsToVerifyChoice()
{
    showWithMode(0);
    press(QStringLiteral("btnDown"));
    press(QStringLiteral("btnDoor"));
    QCOMPARE(stack()->currentIndex(), int(frmOpen::PageVerify));
    QCOMPARE(screen->findChild<QPushButton *>(QStringLiteral("btnSingle"))->text(), QStringLiteral("双人验证"));
    QCOMPARE(screen->findChild<QPushButton *>(QStringLiteral("btnDouble"))->text(), QStringLiteral("单人验证+远程审核"));
}

void tst_frmOpen::countdownReachesZeroAndStays()
{
    showWithMode(0);
    auto *door = screen->findChild<frmSelectDoor *>();
    QVERIFY(door);
    QCOMPARE(text(QStringLiteral("labSec")), QStringLiteral("剩余操作时间: 00:60"));
    door->changeTime();
    QCOMPARE(text(QStringLiteral("labSec")), QStringLiteral("剩余操作时间: 00:59"));
    for (int i = 2; i <= 60; ++i) {
        door->changeTime();
    }
    QCOMPARE(text(QStringLiteral("labSec")), QStringLiteral("剩余操作时间: 00:0"));
    door->changeTime();
    door->changeTime();
    QCOMPARE(text(QStringLiteral("labSec")), QStringLiteral("剩余操作时间: 00:0"));
    QCOMPARE(stack()->currentIndex(), int(frmOpen::PageDoor)); // not left automatically

    // Showing the door choice again restarts the count; the label waits for the first tick.
    showWithMode(0);
    QCOMPARE(text(QStringLiteral("labSec")), QStringLiteral("剩余操作时间: 00:0"));
    door->changeTime();
    QCOMPARE(text(QStringLiteral("labSec")), QStringLiteral("剩余操作时间: 00:59"));
}

void tst_frmOpen::returnButtonSignals()
{
    showWithMode(1);
    QSignalSpy spy(screen.get(), &frmOpen::returnMain);
    press(QStringLiteral("btnReturn"));
    QCOMPARE(spy.count(), 1);
}

void tst_frmOpen::doorOpeningsAreRecorded_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("fingers");
    QTest::addColumn<int>("downs");
    QTest::addColumn<QStringList>("rows");
    const QString approved = QStringLiteral("开柜日志|远程审核通过:外门");
    QTest::newRow("no check, outer door") << 0 << QStringList() << 0
                                         << QStringList{"开柜日志|开启外门(不需验证)", approved};
    QTest::newRow("one person, inner door 1") << 1 << QStringList{"btnFinger"} << 1
                                             << QStringList{"开柜日志|开启内门1(单人验证)"};
    QTest::newRow("two persons, inner door 2") << 2 << QStringList{"btnFinger1", "btnFinger2"} << 2
                                              << QStringList{"开柜日志|开启内门2(双人验证)"};
    QTest::newRow("three persons, inner door 5") << 3 << QStringList{"btnFinger1", "btnFinger2", "btnFinger3"} << 5
                                                << QStringList{"开柜日志|开启内门5(三人验证)"};
    QTest::newRow("three persons, outer door")
        << 3 << QStringList{"btnFinger1", "btnFinger2", "btnFinger3"} << 0
        << QStringList{"开柜日志|开启外门(三人验证)", approved};
    QTest::newRow("remote review: no door, no row") << 4 << QStringList() << -1 << QStringList();
}

void tst_frmOpen::doorOpeningsAreRecorded()
{
    QFETCH(int, mode);
    QFETCH(QStringList, fingers);
    QFETCH(int, downs);
    QFETCH(QStringList, rows);
    showWithMode(mode);
    for (const QString &finger : fingers) {
        press(finger);
    }
    if (downs >= 0) {
        QCOMPARE(stack()->currentIndex(), int(frmOpen::PageDoor));
        for (int i = 0; i < downs; ++i) {
            press(QStringLiteral("btnDown"));
        }
        press(QStringLiteral("btnDoor"));
    }
    QTRY_COMPARE_WITH_TIMEOUT(TerminalFixture::logRows(), rows, 3000);
    if (rows.size() == 2) {
        // The approval says so once, however long the page stays.
        QTest::qWait(1200);
        QCOMPARE(TerminalFixture::logRows(), rows);
    }
}

void tst_frmOpen::unknownModeIsRecordedAsSuch()
{
    showWithMode(1);
    press(QStringLiteral("btnFinger"));
    AppConfig::OpenMode = 9; // changed under the running flow
    press(QStringLiteral("btnDown"));
    press(QStringLiteral("btnDoor"));
    QCOMPARE(TerminalFixture::logRows(), QStringList{"开柜日志|开启内门1(未知模式)"});
}

void tst_frmOpen::approvalWithdrawnWhenLeft()
{
    showWithMode(0);
    press(QStringLiteral("btnDoor"));
    press(QStringLiteral("btnReturn"));
    screen->hide();
    QTest::qWait(1500); // past the approval's second
    QCOMPARE(TerminalFixture::logRows(), QStringList{"开柜日志|开启外门(不需验证)"});
}

QTEST_MAIN(tst_frmOpen)
#include "tst_frmopen.moc"
