#include "platformfixture.h"

#include "frmconfig.h"
#include "frmdata.h"
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
#include "tst_platformpages.moc"
