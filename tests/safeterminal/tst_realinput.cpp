#include "readerfixture.h"
#include "terminalfixture.h"
#include "testsupport.h"
#include "widgettest.h"

#include "appconfig.h"
#include "dbcountthread.h"
#include "dbhelper.h"
#include "fingerrecord.h"
#include "frmmain.h"
#include "frmmessagebox.h"
#include "frmopen.h"
#include "frmuser.h"

#include <QApplication>
#include <QStackedWidget>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>
#include <memory>

using namespace TestSupport;

// The terminal on a real X server without a window manager, as on a kiosk,
// driven by real pointer input through xdotool.
class tst_RealInput : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TerminalFixture> fixture;
    std::unique_ptr<frmMain> window;

    // A real press and release of the pointer over the widget.
    static bool click(QWidget *widget, QPoint at = QPoint(-1, -1))
    {
        if (at == QPoint(-1, -1)) {
            at = widget->rect().center();
        }
        const QPoint global = widget->mapToGlobal(at);
        const int status = QProcess::execute(QStringLiteral("xdotool"),
                                             {QStringLiteral("mousemove"), QStringLiteral("--sync"),
                                              QString::number(global.x()), QString::number(global.y()),
                                              QStringLiteral("click"), QStringLiteral("1")});
        return status == 0;
    }

    template <typename T> T *child(const char *name) const { return WidgetTest::child<T>(window.get(), QLatin1String(name)); }

    static bool settled(QWidget *w) { return w->findChildren<DbCountThread *>().isEmpty(); }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void messageBoxCentresOverTheWindow_data();
    void messageBoxCentresOverTheWindow();
    void deleteQuestionHoldsOffRealPresses();
    void guardedLogTakesAFingerNotAPress();
};

void tst_RealInput::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        QSKIP("no X server: scripts/test starts one and names it in SECSUITE_XVFB_DISPLAY");
    }
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
        QSKIP("xdotool is not installed");
    }
}

void tst_RealInput::init()
{
    fixture.reset(new TerminalFixture);
    QVERIFY(fixture->isValid());
    frmMessageBox::Instance()->hide();
}

void tst_RealInput::cleanup()
{
    frmMessageBox::Instance()->hide();
    window.reset();
    fixture.reset();
}

void tst_RealInput::messageBoxCentresOverTheWindow_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("1024x600") << 1024 << 600;
    QTest::newRow("800x480") << 800 << 480;
}

void tst_RealInput::messageBoxCentresOverTheWindow()
{
    QFETCH(int, width);
    QFETCH(int, height);
    AppConfig::MainWidth = width;
    AppConfig::MainHeight = height;
    window.reset(new frmMain);
    window->move(200, 120); // wherever the window is, the box follows it
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    frmMessageBox *box = frmMessageBox::Instance();
    box->tell(QStringLiteral("请选择要删除的用户!"));
    QVERIFY(QTest::qWaitForWindowExposed(box));
    QTRY_VERIFY2((box->frameGeometry().center() - window->frameGeometry().center()).manhattanLength() <= 4,
                 qPrintable(QStringLiteral("box at %1,%2, window centre %3,%4")
                                .arg(box->x()).arg(box->y())
                                .arg(window->frameGeometry().center().x())
                                .arg(window->frameGeometry().center().y())));
}

void tst_RealInput::deleteQuestionHoldsOffRealPresses()
{
    for (const char *id : {"A", "B"}) {
        QVERIFY(DBHelper::addUser(QLatin1String(id), QStringLiteral("用户") + QLatin1String(id), QStringLiteral("p"),
                                  QString(), QString(), FingerRecord::empty()));
    }
    window.reset(new frmMain);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QVERIFY(click(child<QToolButton>("btnUser")));
    frmUser *users = nullptr;
    QTRY_VERIFY((users = window->findChild<frmUser *>()) && users->isVisible() && settled(users));

    auto *table = users->findChild<QTableView *>(QStringLiteral("tableMain"));
    const auto rowAt = [table](int row) { return table->visualRect(table->model()->index(row, 1)).center(); };
    QVERIFY(click(table->viewport(), rowAt(0)));
    QTRY_COMPARE(table->currentIndex().row(), 0);
    QVERIFY(click(users->findChild<QPushButton *>(QStringLiteral("btnDelete"))));
    frmMessageBox *box = frmMessageBox::Instance();
    QTRY_VERIFY(box->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(box));

    // A press on the other user while the question is open changes nothing.
    QVERIFY(click(table->viewport(), rowAt(1)));
    QTest::qWait(300);
    QCOMPARE(table->currentIndex().row(), 0);

    QVERIFY(click(box->findChild<QPushButton *>(QStringLiteral("btnOk"))));
    QTRY_COMPARE(column(QStringLiteral("select UserID from UserInfo")), QStringList{"B"});
}

void tst_RealInput::guardedLogTakesAFingerNotAPress()
{
    AppConfig::LogMode = 1;
    AppConfig::Admin = true;
    AppConfig::SampleData = false;
    ReaderFixture reader;
    QVERIFY(reader.isReady());
    QVERIFY(ReaderFixture::addUser(QStringLiteral("1001"), QStringLiteral("张伟"), QStringLiteral("日志"), QString()));
    QVERIFY(!reader.enrol(QStringLiteral("1001"), 4, QStringLiteral("finger-a")).isEmpty());
    window.reset(new frmMain);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto *stack = child<QStackedWidget>("stackedWidget");
    QTRY_COMPARE(stack->count(), 7);

    QVERIFY(click(child<QToolButton>("btnLog")));
    auto *guard = child<frmOpen>("guardPage");
    QTRY_COMPARE(stack->currentWidget(), guard);
    // The step's own prompt (the approval page has a labInfo of its own).
    auto *info = guard->findChild<QStackedWidget *>(QStringLiteral("stackedWidget"))
                     ->currentWidget()->findChild<QLabel *>(QStringLiteral("labInfo"));
    QVERIFY(info);
    // With the reader in use a press on the picture is no finger.
    QVERIFY(click(guard->findChild<QPushButton *>(QStringLiteral("btnFinger"))));
    QTRY_COMPARE(info->text(), QStringLiteral("请把手指放在指纹仪上"));
    QCOMPARE(stack->currentWidget(), guard);

    QVERIFY(reader.scan(QStringLiteral("finger-a")));
    QTRY_COMPARE(info->text(), QStringLiteral("张伟 验证通过"));
    QTRY_COMPARE(stack->currentIndex(), 3);
    QCOMPARE(column(QStringLiteral("select LogContent from LogInfo where LogType='管理日志'")),
             QStringList{QStringLiteral("进入日志管理界面")});
}

int main(int argc, char *argv[])
{
    // The suite's X server when there is one; otherwise the tests skip.
    const QByteArray display = qgetenv("SECSUITE_XVFB_DISPLAY");
    if (!display.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("DISPLAY", display);
    }
    QApplication app(argc, argv);
    tst_RealInput test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_realinput.moc"
