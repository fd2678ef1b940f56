#include "platformfixture.h"
#include "widgettest.h"

#include "frmmain.h"
#include "zemihelper.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QtTest>
#include <memory>

// The platform's main window at full size on a real X server: it needs about
// 875 px across, more than the offscreen platform's fixed screen.
class tst_PlatformWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PlatformFixture> fixture;
    std::unique_ptr<frmMain> window;

    template <typename T> T *child(const QString &name) const { return WidgetTest::child<T>(window.get(), name); }
    QString currentPanelText(const char *page) const
    {
        auto *stack = window->findChild<QWidget *>(QLatin1String(page))->findChild<QStackedWidget *>(
            QStringLiteral("stackedWidget"));
        auto *label = qobject_cast<QLabel *>(stack->currentWidget());
        return label ? label->text() : QString();
    }
    QAction *styleAction(const QString &text) const
    {
        for (QAction *action : window->actions()) {
            if (action->text() == text) {
                return action;
            }
        }
        return nullptr;
    }
    void openWindow()
    {
        window.reset(new frmMain);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    static QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startsFillingTheScreenOnDataMonitoring();
    void navigationSelectsPageAndChecksOnlyItself_data();
    void navigationSelectsPageAndChecksOnlyItself();
    void styleMenuListsTheSeventeenStyles();
    void styleChoiceSetsFocusRule_data();
    void styleChoiceSetsFocusRule();
    void styleChangeRepaintsIconsInNewTextColour();
    void headerDoubleClickTogglesExactGeometry();
    void headerShowsPictureOrIconFontLogo_data();
    void headerShowsPictureOrIconFontLogo();
};

void tst_PlatformWindow::initTestCase()
{
    if (!PlatformFixture::onSuiteDisplay()) {
        QSKIP("no X server: scripts/test starts one and names it in SECSUITE_XVFB_DISPLAY");
    }
}

void tst_PlatformWindow::init()
{
    fixture.reset(new PlatformFixture);
    QVERIFY(fixture->isValid());
}

void tst_PlatformWindow::cleanup()
{
    window.reset();
    fixture.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_PlatformWindow::startsFillingTheScreenOnDataMonitoring()
{
    openWindow();
    QTRY_COMPARE(window->geometry(), available());
    QCOMPARE(window->windowTitle(), QStringLiteral("综合安全管理平台"));
    QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(child<QPushButton>(QStringLiteral("btnViewData"))->isChecked());
    auto *stack = child<QStackedWidget>(QStringLiteral("stackedWidget"));
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("frmView"));
    QCOMPARE(currentPanelText("frmView"), QStringLiteral("数据监控"));
    // The other pages have picked their start panel before they are ever shown.
    QCOMPARE(currentPanelText("frmData"), QStringLiteral("报 警 记 录"));
    QVERIFY(child<QPushButton>(QStringLiteral("btnDataAlarm"))->isChecked());
    QCOMPARE(currentPanelText("frmConfig"), QStringLiteral("控制器管理"));
    QVERIFY(child<QPushButton>(QStringLiteral("btnConfigDevice"))->isChecked());
    // Every navigation button fits the header.
    for (const char *name : {"btnViewDevice", "btnViewMap", "btnViewData", "btnData", "btnConfig"}) {
        auto *button = child<QPushButton>(QLatin1String(name));
        QVERIFY2(button->isVisible() && button->width() == 115, name);
        const QRect inWindow(button->mapTo(window.get(), QPoint(0, 0)), button->size());
        QVERIFY2(window->rect().contains(inWindow), name);
    }
}

void tst_PlatformWindow::navigationSelectsPageAndChecksOnlyItself_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("panel");

    QTest::newRow("device") << "btnViewDevice" << "frmView" << "设备监控";
    QTest::newRow("map") << "btnViewMap" << "frmView" << "地图监控";
    QTest::newRow("data monitoring") << "btnViewData" << "frmView" << "数据监控";
    QTest::newRow("data query") << "btnData" << "frmData" << "报 警 记 录";
    QTest::newRow("settings") << "btnConfig" << "frmConfig" << "控制器管理";
}

void tst_PlatformWindow::navigationSelectsPageAndChecksOnlyItself()
{
    QFETCH(QString, button);
    QFETCH(QString, page);
    QFETCH(QString, panel);

    openWindow();
    // Start somewhere else so that every row changes something.
    QTest::mouseClick(child<QPushButton>(button == QLatin1String("btnConfig") ? QStringLiteral("btnViewMap")
                                                                              : QStringLiteral("btnConfig")),
                      Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);

    auto *stack = child<QStackedWidget>(QStringLiteral("stackedWidget"));
    QCOMPARE(stack->currentWidget()->objectName(), page);
    QCOMPARE(currentPanelText(page.toLatin1().constData()), panel);
    for (const char *name : {"btnViewDevice", "btnViewMap", "btnViewData", "btnData", "btnConfig"}) {
        QCOMPARE(child<QPushButton>(QLatin1String(name))->isChecked(), button == QLatin1String(name));
    }
}

void tst_PlatformWindow::styleMenuListsTheSeventeenStyles()
{
    openWindow();
    QCOMPARE(window->contextMenuPolicy(), Qt::ActionsContextMenu);
    const QList<QAction *> actions = window->actions();
    QCOMPARE(actions.size(), 17);
    QCOMPARE(actions.first()->text(), QStringLiteral("银色"));
    QCOMPARE(actions.last()->text(), QStringLiteral("视频黑"));
}

void tst_PlatformWindow::styleChoiceSetsFocusRule_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("dark");

    QTest::newRow("视频黑") << "视频黑" << ":/qss/blackvideo.css" << true;
    QTest::newRow("蓝色") << "蓝色" << ":/qss/blue.css" << false;
    QTest::newRow("紫色") << "紫色" << ":/qss/purple.css" << true;
}

void tst_PlatformWindow::styleChoiceSetsFocusRule()
{
    QFETCH(QString, style);
    QFETCH(QString, file);
    QFETCH(bool, dark);

    openWindow();
    QSignalSpy changed(window.get(), SIGNAL(changeStyle()));
    QAction *action = styleAction(style);
    QVERIFY(action);
    action->trigger();
    QCOMPARE(changed.count(), 1);

    QFile sheet(file);
    QVERIFY(sheet.open(QFile::ReadOnly));
    const QString text = QString::fromLatin1(sheet.readAll());
    const QString applied = qApp->styleSheet();
    QVERIFY(applied.startsWith(text));
    const QString focus = QStringLiteral("QWidget#widgetVideo>QLabel:focus{border:2px solid %1;background:%2;}")
                              .arg(ZemiHelper::highColor,
                                   dark ? ZemiHelper::normalColorEnd : ZemiHelper::darkColorStart);
    QVERIFY2(applied.contains(focus), qPrintable(focus));
    // The two colours differ in every style we test, so the rule tells them apart.
    QVERIFY(ZemiHelper::normalColorEnd != ZemiHelper::darkColorStart);
    QCOMPARE(qApp->palette().color(QPalette::Button), QColor(ZemiHelper::panelColor));
}

void tst_PlatformWindow::styleChangeRepaintsIconsInNewTextColour()
{
    openWindow();
    const QColor before(ZemiHelper::textColor);
    styleAction(QStringLiteral("黑色"))->trigger();
    const QColor after(ZemiHelper::textColor);
    QVERIFY(before != after);

    const struct {
        const char *name;
        QSize size;
    } buttons[] = {{"btnViewDevice", {20, 20}}, {"btnConfig", {20, 20}}, {"btnDataNode", {30, 20}},
                   {"btnConfigSystem", {30, 20}}, {"btnConfigDebug", {30, 20}}};
    for (const auto &b : buttons) {
        const QColor color = PlatformFixture::glyphColor(child<QPushButton>(QLatin1String(b.name))->icon(), b.size);
        QCOMPARE(color.rgb(), after.rgb());
    }
}

void tst_PlatformWindow::headerDoubleClickTogglesExactGeometry()
{
    openWindow();
    auto *top = child<QWidget>(QStringLiteral("widgetTop"));
    const QRect full = available();
    QTRY_COMPARE(window->geometry(), full);

    QTest::mouseDClick(top, Qt::LeftButton, Qt::NoModifier, QPoint(400, 40));
    // Restored: 1000 x 720 centred, never bigger than the screen.
    const QSize normal = QSize(1000, 720).boundedTo(full.size());
    QTRY_COMPARE(window->geometry().size(), normal);
    QVERIFY(full.contains(window->geometry()));
    QCOMPARE(window->property("canMove").toBool(), true);

    // Moved by hand while normal, then maximised and restored again.
    const QRect moved = window->geometry().translated(-37, 21);
    window->setGeometry(moved);
    QTRY_COMPARE(window->geometry(), moved);
    QTest::mouseDClick(top, Qt::LeftButton, Qt::NoModifier, QPoint(400, 40));
    QTRY_COMPARE(window->geometry(), full);
    QCOMPARE(window->property("canMove").toBool(), false);
    QTest::mouseDClick(top, Qt::LeftButton, Qt::NoModifier, QPoint(400, 40));
    QTRY_COMPARE(window->geometry(), moved);
}

void tst_PlatformWindow::headerShowsPictureOrIconFontLogo_data()
{
    QTest::addColumn<bool>("picture");
    QTest::newRow("bg.png beside the program") << true;
    QTest::newRow("no bg.png") << false;
}

void tst_PlatformWindow::headerShowsPictureOrIconFontLogo()
{
    QFETCH(bool, picture);
    if (picture) {
        QImage image(300, 200, QImage::Format_ARGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(fixture->path(QStringLiteral("bg.png"))));
    }
    openWindow();
    auto *logo = child<QLabel>(QStringLiteral("labLogoBg"));
    if (picture) {
        QCOMPARE(logo->width(), 170);
        QCOMPARE(logo->pixmap(Qt::ReturnByValue).size(), QSize(150, 100));
        QVERIFY(logo->text().isEmpty());
    } else {
        QCOMPARE(logo->width(), 80);
        QCOMPARE(logo->text(), QString(QChar(0xE6F2)));
        QCOMPARE(logo->font().family(), QStringLiteral("iconfont"));
        QCOMPARE(logo->font().pixelSize(), 60);
    }
}

int main(int argc, char *argv[])
{
    PlatformFixture::useSuiteDisplay();
    QApplication app(argc, argv);
    tst_PlatformWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platformwindow.moc"
