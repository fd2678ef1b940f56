#include "platformfixture.h"

#include "frmconfig.h"
#include "frmdata.h"
#include "frmmain.h"
#include "frmview.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>
#include <memory>

// The three pages on their own: small enough for the offscreen platform.
class tst_PlatformPages : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PlatformFixture> fixture;

    static QString panelText(QWidget *page)
    {
        auto *stack = page->findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
        auto *label = qobject_cast<QLabel *>(stack->currentWidget());
        return label ? label->text() : QString();
    }
    static std::unique_ptr<QWidget> makePage(const QString &name)
    {
        if (name == QLatin1String("frmData")) {
            return std::make_unique<frmData>();
        }
        return std::make_unique<frmConfig>();
    }

private slots:
    void init();
    void cleanup();
    void viewFollowsSetIndex_data();
    void viewFollowsSetIndex();
    void pageButtonSelectsPanel_data();
    void pageButtonSelectsPanel();
    void restoredGeometryStaysOnScreen_data();
    void restoredGeometryStaysOnScreen();
};

void tst_PlatformPages::init()
{
    fixture.reset(new PlatformFixture);
    QVERIFY(fixture->isValid());
}

void tst_PlatformPages::cleanup()
{
    fixture.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_PlatformPages::viewFollowsSetIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("panel");
    QTest::newRow("device") << 0 << "设备监控";
    QTest::newRow("map") << 1 << "地图监控";
    QTest::newRow("data") << 2 << "数据监控";
}

void tst_PlatformPages::viewFollowsSetIndex()
{
    QFETCH(int, index);
    QFETCH(QString, panel);
    frmView view;
    view.setIndex(2 - index);
    view.setIndex(index);
    QCOMPARE(panelText(&view), panel);
}

void tst_PlatformPages::pageButtonSelectsPanel_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QStringList>("buttons");

    const QStringList data{"btnDataNode", "btnDataAlarm", "btnDataUser"};
    const QStringList config{"btnConfigSystem", "btnConfigPort",     "btnConfigDevice", "btnConfigNode",
                             "btnConfigMap",    "btnConfigPosition", "btnConfigUser",   "btnConfigDebug"};
    QTest::newRow("run log") << "frmData" << "btnDataNode" << "运 行 记 录" << data;
    QTest::newRow("operation log") << "frmData" << "btnDataUser" << "操 作 记 录" << data;
    QTest::newRow("basic settings") << "frmConfig" << "btnConfigSystem" << "基 本 设 置" << config;
    QTest::newRow("detectors") << "frmConfig" << "btnConfigNode" << "探测器管理" << config;
    QTest::newRow("debugging") << "frmConfig" << "btnConfigDebug" << "设 备 调 试" << config;
}

void tst_PlatformPages::pageButtonSelectsPanel()
{
    QFETCH(QString, page);
    QFETCH(QString, button);
    QFETCH(QString, panel);
    QFETCH(QStringList, buttons);

    std::unique_ptr<QWidget> widget = makePage(page);
    auto *target = widget->findChild<QPushButton *>(button);
    QVERIFY(target);
    QCOMPARE(target->text(), panel + QStringLiteral("  "));
    QVERIFY(!target->isChecked());

    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
    QTest::mouseClick(target, Qt::LeftButton);
    QCOMPARE(panelText(widget.get()), panel);
    for (const QString &name : buttons) {
        QCOMPARE(widget->findChild<QPushButton *>(name)->isChecked(), name == button);
    }
    QCOMPARE(widget->findChild<QWidget *>(QStringLiteral("widgetLeft"))->width(), 150);
}

QTEST_MAIN(tst_PlatformPages)
void tst_PlatformPages::restoredGeometryStaysOnScreen_data()
{
    QTest::addColumn<QRect>("saved");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("restored");
    // The centred 1000 x 720 of a 1920 x 1080 desktop.
    const QRect centred(460, 180, 1000, 720);
    QTest::newRow("fits: unchanged") << centred << QRect(0, 0, 1920, 1080) << centred;
    QTest::newRow("smaller screen: moved in") << centred << QRect(0, 0, 1280, 800) << QRect(280, 80, 1000, 720);
    QTest::newRow("too small: shrunk to the area") << centred << QRect(0, 0, 800, 600) << QRect(0, 0, 800, 600);
    QTest::newRow("area below a top panel") << QRect(100, 0, 1000, 720) << QRect(0, 40, 1280, 760)
                                            << QRect(100, 40, 1000, 720);
    QTest::newRow("off to the left and above") << QRect(-300, -50, 1000, 720) << QRect(0, 0, 1280, 800)
                                               << QRect(0, 0, 1000, 720);
    QTest::newRow("second screen's origin") << QRect(0, 0, 1000, 720) << QRect(1920, 0, 1280, 800)
                                            << QRect(1920, 0, 1000, 720);
}

void tst_PlatformPages::restoredGeometryStaysOnScreen()
{
    QFETCH(QRect, saved);
    QFETCH(QRect, area);
    QFETCH(QRect, restored);
    QCOMPARE(frmMain::clampedInto(saved, area), restored);
    QVERIFY(area.contains(restored)); // the header is always within reach
}

#include "tst_platformpages.moc"
