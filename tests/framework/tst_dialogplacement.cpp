#include "zemidialog.h"
#include "zemihelper.h"
#include "zemiinputbox.h"
#include "zemimessagebox.h"
#include "zemistyle.h"
#include "zemitipbox.h"

#include <QApplication>
#include <QScreen>
#include <QtTest>

#include <memory>

// Where the dialogs appear when nothing else places them: on the suite's bare
// X server when there is one (no window manager, as on a kiosk), else offscreen.
class tst_DialogPlacement : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> mainWindow;

    static QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    static QString where(const QWidget *box, const QPoint &centre)
    {
        return QStringLiteral("box centre %1,%2, expected %3,%4")
            .arg(box->frameGeometry().center().x())
            .arg(box->frameGeometry().center().y())
            .arg(centre.x())
            .arg(centre.y());
    }

    void showMainWindow(const QRect &geometry)
    {
        mainWindow.reset(new QWidget);
        mainWindow->setWindowTitle(QStringLiteral("主界面"));
        mainWindow->setGeometry(geometry);
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow.get()));
    }

private slots:
    void initTestCase();
    void cleanup();
    void centredOverTheOwner_data();
    void centredOverTheOwner();
    void keptOnTheScreen();
    void tipBoxInTheCorner();
};

void tst_DialogPlacement::initTestCase()
{
    ZemiStyle::initResources();
    ZemiHelper::applyStyle(Style_LightBlue);
    qInfo("platform %s, screen %dx%d", qPrintable(QGuiApplication::platformName()), available().width(),
          available().height());
}

void tst_DialogPlacement::cleanup()
{
    ZemiMessageBox::instance()->hide();
    ZemiTipBox::instance()->QWidget::hide();
    mainWindow.reset();
}

void tst_DialogPlacement::centredOverTheOwner_data()
{
    QTest::addColumn<QString>("owner"); // "parent", "main window" or "screen"
    QTest::newRow("over its parent") << "parent";
    QTest::newRow("over the main window") << "main window";
    QTest::newRow("on the screen") << "screen";
}

void tst_DialogPlacement::centredOverTheOwner()
{
    QFETCH(QString, owner);
    QPoint centre = available().center();
    QWidget other;
    if (owner != QLatin1String("screen")) {
        showMainWindow(QRect(120, 90, 640, 420));
        centre = mainWindow->frameGeometry().center();
    }
    std::unique_ptr<ZemiInputBox> box;
    if (owner == QLatin1String("parent")) {
        // A smaller window of its own, away from the main window.
        other.setGeometry(420, 200, 360, 300);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        centre = other.frameGeometry().center();
        box.reset(new ZemiInputBox(&other));
    } else {
        box.reset(new ZemiInputBox);
    }
    box->setParameter(QStringLiteral("请输入"));
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    QTRY_VERIFY2((box->frameGeometry().center() - centre).manhattanLength() <= 2, qPrintable(where(box.get(), centre)));

    // The shared message box too, shown the usual way.
    if (owner != QLatin1String("parent")) {
        ZemiHelper::showMessageBoxInfo(QStringLiteral("已保存"));
        ZemiMessageBox *message = ZemiMessageBox::instance();
        QVERIFY(QTest::qWaitForWindowExposed(message));
        QTRY_VERIFY2((message->frameGeometry().center() - centre).manhattanLength() <= 2,
                     qPrintable(where(message, centre)));
    }
}

void tst_DialogPlacement::keptOnTheScreen()
{
    // A main window hanging off the top left corner: the box stays whole on the screen.
    showMainWindow(QRect(available().x() - 200, available().y() - 150, 300, 200));
    ZemiHelper::showMessageBoxInfo(QStringLiteral("屏幕内"));
    ZemiMessageBox *message = ZemiMessageBox::instance();
    QVERIFY(QTest::qWaitForWindowExposed(message));
    QTRY_COMPARE(message->pos(), available().topLeft());
}

void tst_DialogPlacement::tipBoxInTheCorner()
{
    showMainWindow(QRect(120, 90, 640, 420));
    ZemiHelper::showTipBox(QStringLiteral("通知"), QStringLiteral("柜门已关闭"));
    ZemiTipBox *tip = ZemiTipBox::instance();
    QVERIFY(QTest::qWaitForWindowExposed(tip));
    const QRect area = available();
    QTRY_COMPARE(tip->frameGeometry().bottomRight(), QPoint(area.x() + area.width() - 1, area.y() + area.height() - 1));
}

int main(int argc, char *argv[])
{
    // The suite's X server when there is one.
    const QByteArray display = qgetenv("SECSUITE_XVFB_DISPLAY");
    if (!display.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("DISPLAY", display);
    }
    QApplication app(argc, argv);
    tst_DialogPlacement test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_dialogplacement.moc"
