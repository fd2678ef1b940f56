#include "trayicon.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QtTest>

namespace {

QStringList &messages()
{
    static QStringList list;
    return list;
}

void keepMessage(QtMsgType, const QMessageLogContext &, const QString &text)
{
    messages() << text;
}

QAction *menuEntry(const QString &text)
{
    const QList<QAction *> actions = TrayIcon::instance()->menu()->actions();
    for (QAction *action : actions) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

} // namespace

// Runs without a notification area (offscreen, or a bare X server): the
// platform side stays quiet, the menu and the program's side still work.
class tst_TrayIcon : public QObject
{
    Q_OBJECT

private slots:
    void noNotificationAreaTellsOnce();
    void exitNotDirectOnlySignals();
    void mainEntryShowsTheWindow();
    void activation_data();
    void activation();
    void menuIsBuiltOnce();
    // Ends the event loop: last.
    void closeAllEndsThroughTheEventLoop();
};

void tst_TrayIcon::noNotificationAreaTellsOnce()
{
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        QSKIP("this desktop has a notification area");
    }
    messages().clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepMessage);
    TrayIcon *tray = TrayIcon::instance();
    tray->setIcon(QStringLiteral(":/image/msg_info.png"));
    tray->setToolTip(QStringLiteral("智能保险柜"));
    tray->setVisible(true);
    tray->showMessage(QStringLiteral("提示"), QStringLiteral("已最小化到托盘"));
    tray->setVisible(false);
    qInstallMessageHandler(previous);

    QVERIFY(!tray->available());
    QVERIFY(!tray->getVisible());
    QCOMPARE(messages().size(), 1);
    QVERIFY2(messages().first().contains(QStringLiteral("tray")), qPrintable(messages().first()));
}

void tst_TrayIcon::exitNotDirectOnlySignals()
{
    QWidget window;
    TrayIcon *tray = TrayIcon::instance();
    tray->setExitDirect(false);
    tray->setMainWidget(&window);
    QSignalSpy exitSpy(tray, &TrayIcon::trayIconExit);
    QAction *exit = menuEntry(QStringLiteral("退出"));
    QVERIFY(exit);

    // Chosen inside a running loop: the loop must not be told to end.
    QEventLoop loop;
    QTimer::singleShot(0, exit, &QAction::trigger);
    QTimer::singleShot(300, &loop, [&loop] { loop.exit(7); });
    QCOMPARE(loop.exec(), 7);
    QCOMPARE(exitSpy.count(), 1);
}

void tst_TrayIcon::mainEntryShowsTheWindow()
{
    QWidget window;
    TrayIcon::instance()->setMainWidget(&window);
    QAction *main = menuEntry(QStringLiteral("主界面"));
    QVERIFY(main);
    QVERIFY(window.isHidden());
    main->trigger();
    QVERIFY(window.isVisible());
}

void tst_TrayIcon::activation_data()
{
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("restores");
    QTest::newRow("click") << int(QSystemTrayIcon::Trigger) << true;
    QTest::newRow("double click") << int(QSystemTrayIcon::DoubleClick) << true;
    QTest::newRow("context menu") << int(QSystemTrayIcon::Context) << false;
    QTest::newRow("middle click") << int(QSystemTrayIcon::MiddleClick) << false;
    QTest::newRow("unknown") << int(QSystemTrayIcon::Unknown) << false;
}

void tst_TrayIcon::activation()
{
    QFETCH(int, reason);
    QFETCH(bool, restores);
    QWidget window;
    TrayIcon::instance()->setMainWidget(&window);
    TrayIcon::instance()->iconIsActived(QSystemTrayIcon::ActivationReason(reason));
    QCOMPARE(window.isVisible(), restores);
}

void tst_TrayIcon::menuIsBuiltOnce()
{
    QWidget window;
    TrayIcon::instance()->setMainWidget(&window);
    TrayIcon::instance()->setMainWidget(&window);
    QStringList texts;
    const QList<QAction *> actions = TrayIcon::instance()->menu()->actions();
    for (QAction *action : actions) {
        texts << action->text();
    }
    QCOMPARE(texts, (QStringList{"主界面", "退出"}));
}

void tst_TrayIcon::closeAllEndsThroughTheEventLoop()
{
    QWidget window;
    TrayIcon *tray = TrayIcon::instance();
    tray->setExitDirect(true);
    tray->setMainWidget(&window);
    QPointer<QSystemTrayIcon> icon = tray->findChild<QSystemTrayIcon *>();
    QVERIFY(icon);
    QSignalSpy exitSpy(tray, &TrayIcon::trayIconExit);

    QEventLoop loop;
    QTimer::singleShot(0, menuEntry(QStringLiteral("退出")), &QAction::trigger);
    QTimer::singleShot(5000, &loop, [&loop] { loop.exit(5); });
    // The loop ends with status 0 and this process goes on.
    QCOMPARE(loop.exec(), 0);
    QCOMPARE(exitSpy.count(), 0);
    QTRY_VERIFY(icon.isNull());
}

QTEST_MAIN(tst_TrayIcon)
#include "tst_trayicon.moc"
