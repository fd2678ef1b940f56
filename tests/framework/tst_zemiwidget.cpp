#include "widgettest.h"
#include "zemidateselect.h"
#include "zemihelper.h"
#include "zemiinputbox.h"
#include "zemimessagebox.h"
#include "zemistyle.h"
#include "zemiwidget.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

using WidgetTest::child;

void sendMouse(QWidget *target, QEvent::Type type, const QPoint &global, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, target->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// A left-button drag on the widget by offset.
void drag(QWidget *target, const QPoint &offset)
{
    const QPoint from = target->mapToGlobal(target->rect().center());
    sendMouse(target, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    sendMouse(target, QEvent::MouseMove, from + offset, Qt::NoButton, Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonRelease, from + offset, Qt::LeftButton, Qt::NoButton);
}

} // namespace

class tst_ZemiWidget : public QObject
{
    Q_OBJECT

    std::unique_ptr<ZemiWidget> window;

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void titleBarTree();
    void secondMainWidgetKeepsTheFirst();
    void dragByTheTitle_data();
    void dragByTheTitle();
    void maximiseAndRestore();
    void maximisedStateIsShared();
    void doubleClickOnTheTitle_data();
    void doubleClickOnTheTitle();
    void setVisibleAddresses_data();
    void setVisibleAddresses();
    void styleMenu_data();
    void styleMenu();
    void closeButton_data();
    void closeButton();
    void minimiseButton();
    void titleAndIcons();
};

void tst_ZemiWidget::initTestCase()
{
    ZemiStyle::initResources();
}

void tst_ZemiWidget::init()
{
    // The maximised flag belongs to the process: every test starts normal.
    ZemiWidget::resetMaximizedState();
    window.reset(new ZemiWidget);
    window->setGeometry(60, 50, 400, 300);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void tst_ZemiWidget::cleanup()
{
    window.reset();
    ZemiWidget::resetMaximizedState();
}

void tst_ZemiWidget::titleBarTree()
{
    QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(window->windowTitle(), QStringLiteral("Zemi Demo"));
    QCOMPARE(window->property("canMove").toBool(), true);
    auto *title = child<QWidget>(window.get(), "widgetTitle");
    QCOMPARE(title->property("form").toString(), QStringLiteral("title"));
    QCOMPARE(title->parentWidget()->objectName(), QStringLiteral("widgetMainZemi"));
    for (const char *name : {"labIco", "labTitle", "widgetMenu"}) {
        QVERIFY2(child<QWidget>(title, name), name);
    }
    auto *menu = child<QWidget>(title, "widgetMenu");
    for (const char *name : {"btnMenu", "btnMenu_Min", "btnMenu_Max", "btnMenu_Close"}) {
        QVERIFY2(child<QAbstractButton>(menu, name), name);
    }
    QCOMPARE(child<QLabel>(window.get(), "labIco")->text(), QString(QChar(ZemiHelper::iconMain)));
    QCOMPARE(child<QAbstractButton>(window.get(), "btnMenu_Max")->text(), QString(QChar(0xF2D0)));
}

void tst_ZemiWidget::secondMainWidgetKeepsTheFirst()
{
    auto *first = new QLabel(QStringLiteral("第一个"));
    first->resize(300, 200);
    QLabel second(QStringLiteral("第二个"));
    second.resize(500, 400);
    window->setMainWidget(first);
    window->setMainWidget(&second);
    QCOMPARE(window->mainWidget(), first);
    QCOMPARE(first->parentWidget(), child<QWidget>(window.get(), "widget"));
    QVERIFY(!second.parentWidget());
    const int titleHeight = child<QWidget>(window.get(), "widgetTitle")->height();
    QCOMPARE(window->size(), QSize(302, titleHeight + 200 + 2));
}

void tst_ZemiWidget::dragByTheTitle_data()
{
    QTest::addColumn<bool>("maximised");
    QTest::newRow("normal: moves") << false;
    QTest::newRow("maximised: stays") << true;
}

void tst_ZemiWidget::dragByTheTitle()
{
    QFETCH(bool, maximised);
    if (maximised) {
        QTest::mouseClick(child<QPushButton>(window.get(), "btnMenu_Max"), Qt::LeftButton);
        QCOMPARE(window->property("canMove").toBool(), false);
    }
    const QPoint before = window->pos();
    drag(child<QWidget>(window.get(), "widgetTitle"), QPoint(35, 20));
    QCOMPARE(window->pos(), maximised ? before : before + QPoint(35, 20));
}

void tst_ZemiWidget::maximiseAndRestore()
{
    const QRect normal = window->geometry();
    auto *max = child<QPushButton>(window.get(), "btnMenu_Max");
    QTest::mouseClick(max, Qt::LeftButton);
    QVERIFY(ZemiWidget::isMaximizedState());
    QCOMPARE(window->geometry(), window->screen()->availableGeometry());
    QCOMPARE(max->text(), QString(QChar(0xF2D2)));
    QCOMPARE(window->property("canMove").toBool(), false);

    QTest::mouseClick(max, Qt::LeftButton);
    QVERIFY(!ZemiWidget::isMaximizedState());
    QCOMPARE(window->geometry(), normal);
    QCOMPARE(max->text(), QString(QChar(0xF2D0)));
    QCOMPARE(window->property("canMove").toBool(), true);
}

void tst_ZemiWidget::maximisedStateIsShared()
{
    const QRect normal = window->geometry();
    QTest::mouseClick(child<QPushButton>(window.get(), "btnMenu_Max"), Qt::LeftButton);

    // A second window of the process finds the state maximised: its button restores,
    // and to the rectangle the first window saved.
    ZemiWidget other;
    other.setGeometry(10, 10, 200, 150);
    other.show();
    QCOMPARE(child<QPushButton>(&other, "btnMenu_Max")->text(), QString(QChar(0xF2D2)));
    QTest::mouseClick(child<QPushButton>(&other, "btnMenu_Max"), Qt::LeftButton);
    QVERIFY(!ZemiWidget::isMaximizedState());
    QCOMPARE(other.geometry(), normal);
}

void tst_ZemiWidget::doubleClickOnTheTitle_data()
{
    QTest::addColumn<bool>("maxButtonShown");
    QTest::newRow("maximise button shown") << true;
    QTest::newRow("maximise button hidden") << false;
}

void tst_ZemiWidget::doubleClickOnTheTitle()
{
    QFETCH(bool, maxButtonShown);
    window->setVisible(ZemiWidget::WidgetMaxButton, maxButtonShown);
    QTest::mouseDClick(child<QWidget>(window.get(), "widgetTitle"), Qt::LeftButton);
    QCOMPARE(ZemiWidget::isMaximizedState(), maxButtonShown);
}

void tst_ZemiWidget::setVisibleAddresses_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("hidden");
    QTest::newRow("0 icon") << 0 << "labIco";
    QTest::newRow("1 menu button") << 1 << "btnMenu";
    QTest::newRow("2 minimise") << 2 << "btnMenu_Min";
    QTest::newRow("3 maximise") << 3 << "btnMenu_Max";
    QTest::newRow("4 nothing") << 4 << "";
    QTest::newRow("5 close") << 5 << "btnMenu_Close";
}

void tst_ZemiWidget::setVisibleAddresses()
{
    QFETCH(int, value);
    QFETCH(QString, hidden);
    const QStringList names = {"labIco", "labTitle", "btnMenu", "btnMenu_Min", "btnMenu_Max", "btnMenu_Close"};
    window->setVisible(ZemiWidget::Widget(value), false);
    for (const QString &name : names) {
        QCOMPARE(window->findChild<QWidget *>(name)->isHidden(), name == hidden);
    }
    QVERIFY(window->isVisible());
    window->setVisible(ZemiWidget::Widget(value), true);
    for (const QString &name : names) {
        QVERIFY(!window->findChild<QWidget *>(name)->isHidden());
    }
}

void tst_ZemiWidget::styleMenu_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::newRow("深蓝色") << "深蓝色" << ":/qss/darkblue.css";
    QTest::newRow("PS黑色") << "PS黑色" << ":/qss/psblack.css";
    QTest::newRow("白色扁平") << "白色扁平" << ":/qss/flatwhite.css";
}

void tst_ZemiWidget::styleMenu()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    const QList<QAction *> actions = child<QToolButton>(window.get(), "btnMenu")->actions();
    QCOMPARE(actions.size(), ZemiStyle::styleCount);
    QCOMPARE(actions.first()->text(), QStringLiteral("银色"));
    QCOMPARE(actions.last()->text(), QStringLiteral("视频黑"));
    QAction *chosen = nullptr;
    for (QAction *action : actions) {
        if (action->text() == name) {
            chosen = action;
        }
    }
    QVERIFY(chosen);
    QSignalSpy spy(window.get(), qOverload<const QString &>(&ZemiWidget::changeStyle));
    chosen->trigger();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().first().toString(), file);
    QFile sheet(file);
    QVERIFY(sheet.open(QIODevice::ReadOnly));
    QCOMPARE(qApp->styleSheet(), QString::fromLatin1(sheet.readAll()));
    qApp->setStyleSheet(QString());
}

void tst_ZemiWidget::closeButton_data()
{
    QTest::addColumn<bool>("exitAll");
    QTest::newRow("exit all: the window closes too") << true;
    QTest::newRow("content only") << false;
}

void tst_ZemiWidget::closeButton()
{
    QFETCH(bool, exitAll);
    auto *content = new QLabel(QStringLiteral("内容"));
    window->setMainWidget(content);
    window->setExitAll(exitAll);
    QSignalSpy closing(window.get(), &ZemiWidget::closing);
    QTest::mouseClick(child<QPushButton>(window.get(), "btnMenu_Close"), Qt::LeftButton);
    QCOMPARE(closing.count(), 1);
    QVERIFY(content->isHidden());
    QCOMPARE(window->isVisible(), !exitAll);
}

void tst_ZemiWidget::minimiseButton()
{
    window->setMinHide(true);
    QTest::mouseClick(child<QPushButton>(window.get(), "btnMenu_Min"), Qt::LeftButton);
    QVERIFY(window->isHidden());
}

void tst_ZemiWidget::titleAndIcons()
{
    window->setTitle(QStringLiteral("综合管理"));
    QCOMPARE(child<QLabel>(window.get(), "labTitle")->text(), QStringLiteral("综合管理"));
    QCOMPARE(window->windowTitle(), QStringLiteral("综合管理"));
    window->setAlignment(Qt::AlignCenter);
    QCOMPARE(child<QLabel>(window.get(), "labTitle")->alignment(), Qt::AlignCenter);

    // Glyphs are remembered for every window: a new one shows the new close glyph.
    window->setIcon(ZemiWidget::WidgetCloseButton, QChar(0xF011));
    ZemiWidget other;
    QCOMPARE(child<QPushButton>(&other, "btnMenu_Close")->text(), QString(QChar(0xF011)));
    window->setIcon(ZemiWidget::WidgetCloseButton, QChar(0xF00D));

    // The main icon goes to the shared dialogs as well.
    const int before = ZemiHelper::iconMain;
    window->setIconMain(QChar(0xF015));
    QCOMPARE(child<QLabel>(window.get(), "labIco")->text(), QString(QChar(0xF015)));
    for (QWidget *box : {static_cast<QWidget *>(ZemiMessageBox::instance()),
                         static_cast<QWidget *>(ZemiInputBox::instance()),
                         static_cast<QWidget *>(ZemiDateSelect::instance())}) {
        QCOMPARE(child<QLabel>(box, "labIco")->text(), QString(QChar(0xF015)));
    }
    window->setIconMain(QChar(before));

    window->setOnlyCloseBtn();
    for (const char *name : {"btnMenu", "btnMenu_Min", "btnMenu_Max"}) {
        QVERIFY2(child<QWidget>(window.get(), name)->isHidden(), name);
    }
    QVERIFY(!child<QWidget>(window.get(), "btnMenu_Close")->isHidden());

    window->setTitleHeight(40);
    QCOMPARE(child<QWidget>(window.get(), "widgetTitle")->height(), 40);
    window->setBtnWidth(44);
    QCOMPARE(child<QWidget>(window.get(), "btnMenu_Close")->width(), 44);
}

QTEST_MAIN(tst_ZemiWidget)
#include "tst_zemiwidget.moc"
