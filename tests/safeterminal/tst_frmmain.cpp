#include "terminalfixture.h"
#include "testsupport.h"

#include "appconfig.h"
#include "appinit.h"
#include "frmmain.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QtTest>
#include <memory>

class tst_frmMain : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TerminalFixture> fixture;
    std::unique_ptr<frmMain> window;

    void build()
    {
        window.reset(new frmMain);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        // The five screens follow the first paint by themselves.
        QTRY_COMPARE(stack()->count(), 6);
    }

    QStackedWidget *stack() const { return window->findChild<QStackedWidget *>(QStringLiteral("stackedWidget")); }

    // A button of the navigation page (screens have buttons of the same names).
    void press(const QString &name)
    {
        auto *button = window->findChild<QWidget *>(QStringLiteral("pageNav"))->findChild<QAbstractButton *>(name);
        QVERIFY2(button, qPrintable(name));
        QVERIFY2(button->isVisible(), qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // The visible return button of the page on show.
    void pressReturn()
    {
        QWidget *page = stack()->currentWidget();
        for (QPushButton *button : page->findChildren<QPushButton *>(QStringLiteral("btnReturn"))) {
            if (button->isVisible()) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
        QFAIL("no visible return button");
    }

    static QImage iconImage(QAbstractButton *button)
    {
        return button->icon().pixmap(38, 38).toImage();
    }

private slots:
    void init();
    void cleanup();

    void navigationWritesOneLogRowPerPress_data();
    void navigationWritesOneLogRowPerPress();
    void windowSizeFollowsTheSettings_data();
    void windowSizeFollowsTheSettings();
    void backgroundChangesAtOnce();
    void clockShowsTimeAndChineseDate();
    void statusSlotsSwitchIcons_data();
    void statusSlotsSwitchIcons();
    void everyPictureIsThere();
    void rightButtonEndsTheProcess();
};

void tst_frmMain::init()
{
    fixture.reset(new TerminalFixture);
    QVERIFY(fixture->isValid());
}

void tst_frmMain::cleanup()
{
    window.reset();
    fixture.reset();
}

void tst_frmMain::navigationWritesOneLogRowPerPress_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("log");
    QTest::addColumn<int>("page");

    QTest::newRow("user") << "btnUser" << "进入用户管理界面" << 1;
    QTest::newRow("open") << "btnOpen" << "进入开柜界面" << 2;
    QTest::newRow("log") << "btnLog" << "进入日志管理界面" << 3;
    QTest::newRow("config") << "btnConfig" << "进入系统设置界面" << 4;
    QTest::newRow("status") << "btnStatus" << "进入系统状态界面" << 5;
}

void tst_frmMain::navigationWritesOneLogRowPerPress()
{
    QFETCH(QString, button);
    QFETCH(QString, log);
    QFETCH(int, page);
    build();
    QCOMPARE(stack()->currentIndex(), 0);

    // The log screen adds its sample rows when it is built: count from here on.
    const QStringList before = TerminalFixture::logRows();
    const auto added = [&before] { return TerminalFixture::logRows().mid(before.size()); };
    const QString row = QStringLiteral("管理日志|") + log;
    press(button);
    QCOMPARE(stack()->currentIndex(), page);
    QCOMPARE(added(), QStringList{row});

    pressReturn();
    QCOMPARE(stack()->currentIndex(), 0);
    QCOMPARE(added(), QStringList{row}); // returning writes nothing

    press(button); // the same page again: another row
    QCOMPARE(stack()->currentIndex(), page);
    QCOMPARE(added(), QStringList({row, row}));
}

void tst_frmMain::windowSizeFollowsTheSettings_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("navIcon");
    QTest::addColumn<int>("leftWidth");

    QTest::newRow("1024x600") << 1024 << 600 << 128 << 220;
    QTest::newRow("800x480") << 800 << 480 << 96 << 190;
    QTest::newRow("1280x800") << 1280 << 800 << 128 << 220;
    QTest::newRow("640x480 is small") << 640 << 480 << 96 << 190;
}

void tst_frmMain::windowSizeFollowsTheSettings()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, navIcon);
    QFETCH(int, leftWidth);
    AppConfig::MainWidth = width;
    AppConfig::MainHeight = height;
    build();
    QCOMPARE(window->size(), QSize(width, height));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(window->property("canMove").toBool(), true);
    QCOMPARE(window->findChild<QToolButton *>(QStringLiteral("btnUser"))->iconSize(), QSize(navIcon, navIcon));
    QCOMPARE(window->findChild<QWidget *>(QStringLiteral("widgetLeft"))->width(), leftWidth);

    // Nothing of the navigation page sticks out of the window.
    const QRect inside = window->rect();
    for (const char *name : {"btnUser", "btnOpen", "btnLog", "btnConfig", "btnStatus", "labTime", "labDate", "btnPower"}) {
        auto *w = window->findChild<QWidget *>(QLatin1String(name));
        const QRect r(w->mapTo(window.get(), QPoint(0, 0)), w->size());
        QVERIFY2(inside.contains(r), name);
    }
    auto *labTime = window->findChild<QLabel *>(QStringLiteral("labTime"));
    QVERIFY2(labTime->fontMetrics().horizontalAdvance(labTime->text()) <= labTime->width(), "clock is clipped");
    auto *labDate = window->findChild<QLabel *>(QStringLiteral("labDate"));
    QVERIFY2(labDate->fontMetrics().horizontalAdvance(labDate->text()) <= labDate->width(), "date is clipped");
}

void tst_frmMain::backgroundChangesAtOnce()
{
    AppConfig::BgImage = QStringLiteral(":/bg/main10.jpg");
    build();
    auto *widgetMain = window->findChild<QWidget *>(QStringLiteral("widgetMain"));
    const QImage before = widgetMain->grab().toImage();
    QVERIFY(qApp->styleSheet().contains(QStringLiteral("border-image:url(:/bg/main10.jpg);")));

    AppConfig::BgImage = QStringLiteral(":/bg/main03.jpg");
    window->changeStyle();
    QVERIFY(qApp->styleSheet().contains(QStringLiteral("border-image:url(:/bg/main03.jpg);")));
    const QImage after = widgetMain->grab().toImage();
    QVERIFY(before != after);
}

void tst_frmMain::clockShowsTimeAndChineseDate()
{
    build();
    const QString time = window->findChild<QLabel *>(QStringLiteral("labTime"))->text();
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(time).hasMatch(), qPrintable(time));
    const QString date = window->findChild<QLabel *>(QStringLiteral("labDate"))->text();
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}-\\d{1,2}-\\d{1,2} 星期[一二三四五六日]$")).match(date).hasMatch(),
             qPrintable(date));
    // The clock ticks by itself.
    QTRY_VERIFY_WITH_TIMEOUT(window->findChild<QLabel *>(QStringLiteral("labTime"))->text() != time, 3000);
}

void tst_frmMain::statusSlotsSwitchIcons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("slot");
    QTest::newRow("net") << "btnNet" << "setNet";
    QTest::newRow("ac220") << "btnAc220" << "setAc220";
    QTest::newRow("power") << "btnPower" << "setPower";
}

void tst_frmMain::statusSlotsSwitchIcons()
{
    QFETCH(QString, button);
    QFETCH(QString, slot);
    build();
    auto *btn = window->findChild<QPushButton *>(button);
    QCOMPARE(btn->iconSize(), QSize(38, 38));
    const QImage ok = iconImage(btn);
    QVERIFY(!ok.isNull());
    QVERIFY(QMetaObject::invokeMethod(window.get(), slot.toLatin1().constData(), Q_ARG(bool, false)));
    const QImage error = iconImage(btn);
    QVERIFY(!error.isNull());
    QVERIFY(ok != error);
    QVERIFY(QMetaObject::invokeMethod(window.get(), slot.toLatin1().constData(), Q_ARG(bool, true)));
    QCOMPARE(iconImage(btn), ok);
}

void tst_frmMain::everyPictureIsThere()
{
    // Every picture named in the style sheet and by the screens exists.
    QStringList names = {":/image/topbg1.png", ":/image/navlabel.png", ":/image/btn_check_off1.png",
                         ":/image/btn_check_on1.png", ":/image/btn_check_off2.png", ":/image/btn_check_on2.png",
                         ":/image/btnbgtop.png", ":/image/btnbgleft.png", ":/image/btn_check_on.png",
                         ":/image/btn_check_off.png", ":/image/handin.png", ":/image/authoring.png",
                         ":/image/authorok.png"};
    for (const char *n : {"main_user", "main_open", "main_log", "main_config", "main_status", "netok", "neterror",
                          "ac220ok", "ac220error", "powerok", "powererror"}) {
        names << QStringLiteral(":/image/%1.png").arg(QLatin1String(n));
    }
    for (int i = 0; i <= 12; ++i) {
        names << QStringLiteral(":/bg/main%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
    }
    for (const QString &name : qAsConst(names)) {
        QVERIFY2(!QImage(name).isNull(), qPrintable(name));
    }
    QCOMPARE(QImage(QStringLiteral(":/bg/main00.jpg")).size(), QSize(1024, 600));
}

void tst_frmMain::rightButtonEndsTheProcess()
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--right-click-child"),
                                                           fixture->path(QStringLiteral("child"))});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(TestSupport::readFile(fixture->path(QStringLiteral("child/stage"))), QByteArray("pressed"));
}

// Run as a child process: a real main window, a right-button press on it, and the
// event loop's return value as the exit status.
static int rightClickChild(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString dir = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(dir);
    TerminalFixture fixture;
    AppInit::Instance()->start();
    frmMain w;
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) {
        return 3;
    }
    QTimer::singleShot(0, &w, [&w, dir] {
        TestSupport::writeFile(dir + QStringLiteral("/stage"), "pressed");
        QTest::mouseClick(&w, Qt::RightButton, Qt::NoModifier, QPoint(w.width() - 5, w.height() - 5));
    });
    QTimer::singleShot(10000, &app, [] { QCoreApplication::exit(4); }); // not quit: a failure
    return app.exec();
}

int main(int argc, char *argv[])
{
    if (argc > 2 && qstrcmp(argv[1], "--right-click-child") == 0) {
        return rightClickChild(argc, argv);
    }
    QApplication app(argc, argv);
    tst_frmMain test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_frmmain.moc"
