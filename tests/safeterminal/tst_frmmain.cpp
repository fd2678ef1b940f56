#include "terminalfixture.h"
#include "testsupport.h"
#include "widgettest.h"
#include "zemiclock.h"

#include "appconfig.h"
#include "appinit.h"
#include "dbhelper.h"
#include "fingerrecord.h"
#include "frmmain.h"
#include "terminalstart.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>
#include <QtTest>
#include <memory>

namespace {

using WidgetTest::contrast;
using WidgetTest::luminance;

// The first visible widget of that name: screens reuse names such as btnReturn or labTitle.
template <typename T = QWidget>
T *visibleChild(QWidget *root, const QString &name)
{
    for (T *w : root->findChildren<T *>(name)) {
        if (w->isVisible()) {
            return w;
        }
    }
    return nullptr;
}

// Brings up a screen as a finger would: presses the named buttons in turn;
// "row" presses the first row of the visible user list. False when a step is not on show.
bool playSteps(QWidget *root, const QStringList &steps)
{
    for (const QString &step : steps) {
        if (step == QLatin1String("row")) {
            auto *table = visibleChild<QTableView>(root, QStringLiteral("tableMain"));
            if (!table || table->model()->rowCount() == 0) {
                return false;
            }
            const QRect cell = table->visualRect(table->model()->index(0, 0));
            QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
            continue;
        }
        auto *button = visibleChild<QAbstractButton>(root, step);
        if (!button) {
            return false;
        }
        QTest::mouseClick(button, Qt::LeftButton);
    }
    return true;
}

// The colour that covers most of the picture: its background.
QRgb commonest(const QImage &image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ++counts[image.pixel(x, y) | 0xff000000u];
        }
    }
    QRgb best = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            best = it.key();
            most = it.value();
        }
    }
    return best;
}

// The colour that stands out most from the background: the ink of text or lines.
QRgb strongest(const QImage &image, QRgb background)
{
    QRgb best = background;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y) | 0xff000000u;
            if (contrast(pixel, background) > contrast(best, background)) {
                best = pixel;
            }
        }
    }
    return best;
}

QString colourName(QRgb rgb)
{
    return QColor(rgb).name();
}

} // namespace

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
        // The five screens and the guard follow the first paint by themselves.
        QTRY_COMPARE(stack()->count(), 7);
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
    void initTestCase();
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
    void rightPressEndsTheProgramOnlyOnTheNavigationBackground_data();
    void rightPressEndsTheProgramOnlyOnTheNavigationBackground();
    void lineEditMenuIsReadable_data();
    void lineEditMenuIsReadable();
    void disabledButtonsLookDimmed_data();
    void disabledButtonsLookDimmed();
    void everyListedRowIsFullyVisible_data();
    void everyListedRowIsFullyVisible();
};

void tst_frmMain::initTestCase()
{
    // The fonts the terminal really runs with: they decide what fits.
    AppInit::Instance();
    qApp->setFont(TerminalStart::applicationFont());
}

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
    const QDateTime at(QDate(2026, 12, 10), QTime(8, 5, 9)); // a Thursday
    ZemiClock::setNow(at);
    build();
    const QString time = window->findChild<QLabel *>(QStringLiteral("labTime"))->text();
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(time).hasMatch(), qPrintable(time));
    const QString date = window->findChild<QLabel *>(QStringLiteral("labDate"))->text();
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}-\\d{1,2}-\\d{1,2} 星期[一二三四五六日]$")).match(date).hasMatch(),
             qPrintable(date));
    QCOMPARE(time, QStringLiteral("08:05:09"));
    QCOMPARE(date, QStringLiteral("2026-12-10 星期四"));
    // The clock ticks by itself.
    ZemiClock::setNow(at.addSecs(1));
    QTRY_VERIFY_WITH_TIMEOUT(window->findChild<QLabel *>(QStringLiteral("labTime"))->text() != time, 3000);
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("labTime"))->text(), QStringLiteral("08:05:10"));
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

void tst_frmMain::rightPressEndsTheProgramOnlyOnTheNavigationBackground_data()
{
    QTest::addColumn<QString>("steps");  // buttons pressed first, comma-separated
    QTest::addColumn<QString>("target");
    QTest::addColumn<QPoint>("point");   // on the target; (-1,-1) for its centre
    QTest::addColumn<int>("exitCode");   // 0: the program ended; 5: it carried on

    const QPoint centre(-1, -1);
    QTest::newRow("navigation background") << "" << "pageNav" << QPoint(5, 5) << 0;
    QTest::newRow("navigation row strip") << "" << "widgetNavTop" << QPoint(2, 2) << 0;
    for (const char *button : {"btnUser", "btnOpen", "btnLog", "btnConfig", "btnStatus"}) {
        QTest::newRow(button) << "" << button << centre << 5;
    }
    QTest::newRow("navigation caption") << "" << "labUser" << centre << 5;
    QTest::newRow("clock") << "" << "labTime" << centre << 5;
    QTest::newRow("title strip") << "" << "labLog" << centre << 5;
    QTest::newRow("status icon") << "" << "btnNet" << centre << 5;
    QTest::newRow("user screen title") << "btnUser" << "labTitle" << centre << 5;
    QTest::newRow("user screen button") << "btnUser" << "btnAdd" << centre << 5;
    QTest::newRow("user screen background") << "btnUser" << "pageTable" << QPoint(2, 2) << 5;
    QTest::newRow("finger of the hands") << "btnUser,row,btnUpdate,btnFinger" << "labHandRight2" << centre << 5;
}

void tst_frmMain::rightPressEndsTheProgramOnlyOnTheNavigationBackground()
{
    QFETCH(QString, steps);
    QFETCH(QString, target);
    QFETCH(QPoint, point);
    QFETCH(int, exitCode);
    // A request to quit is for good within a process, so every press gets a program of its own.
    QProcess child;
    child.setProcessEnvironment(TestSupport::childEnvironment());
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    const QString dir = fixture->path(QStringLiteral("child"));
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--right-press-child"), dir, steps, target,
                 QStringLiteral("%1,%2").arg(point.x()).arg(point.y())});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(TestSupport::readFile(dir + QStringLiteral("/stage")), QByteArray("pressed"));
    QCOMPARE(child.exitCode(), exitCode);
}

void tst_frmMain::lineEditMenuIsReadable_data()
{
    QTest::addColumn<QString>("entry");      // "enabled", "disabled" or "separator"
    QTest::addColumn<bool>("active");        // under the finger
    QTest::addColumn<double>("minContrast"); // of its ink against its background

    QTest::newRow("entry") << "enabled" << false << 4.5;
    QTest::newRow("selected entry") << "enabled" << true << 4.5;
    QTest::newRow("disabled entry") << "disabled" << false << 2.5;
    QTest::newRow("separator") << "separator" << false << 1.5;
}

void tst_frmMain::lineEditMenuIsReadable()
{
    QFETCH(QString, entry);
    QFETCH(bool, active);
    QFETCH(double, minContrast);
    build();
    QVERIFY(playSteps(window.get(), {QStringLiteral("btnUser"), QStringLiteral("btnAdd")}));
    auto *edit = visibleChild<QLineEdit>(window.get(), QStringLiteral("txtUserID"));
    QVERIFY(edit);
    edit->setText(QStringLiteral("1001")); // something to select, nothing to undo

    // The menu a long press or a right press on the field opens.
    const QPoint centre = edit->rect().center();
    QContextMenuEvent request(QContextMenuEvent::Mouse, centre, edit->mapToGlobal(centre));
    QApplication::sendEvent(edit, &request);
    QMenu *menu = nullptr;
    QTRY_VERIFY((menu = edit->findChild<QMenu *>()) && menu->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(menu));

    // "Select All" is the one entry on for a field with text and no selection.
    QAction *enabled = nullptr;
    QAction *disabled = nullptr;
    QAction *separator = nullptr;
    for (QAction *a : menu->actions()) {
        QAction *&slot = a->isSeparator() ? separator : a->isEnabled() ? enabled : disabled;
        if (!slot) {
            slot = a;
        }
    }
    QVERIFY(enabled && disabled && separator);
    QAction *part = entry == QLatin1String("enabled")    ? enabled
                    : entry == QLatin1String("disabled") ? disabled
                                                         : separator;
    menu->setActiveAction(active ? part : nullptr);

    const QImage shot = menu->grab().toImage();
    const QRgb menuBackground = commonest(shot);
    // The terminal's dark blue, not the desktop's white.
    QVERIFY2(luminance(menuBackground) < 0.08 && qBlue(menuBackground) > qRed(menuBackground),
             qPrintable(colourName(menuBackground)));

    const QImage image = shot.copy(menu->actionGeometry(part));
    const QRgb background = commonest(image);
    const QRgb ink = strongest(image, background);
    QVERIFY2(contrast(ink, background) >= minContrast,
             qPrintable(QStringLiteral("%1 on %2").arg(colourName(ink), colourName(background))));
    if (active) {
        QVERIFY2(contrast(background, menuBackground) >= 1.5, "the selected entry does not stand out");
    }
    if (part == disabled) {
        // Fainter than an entry that is on.
        const QImage on = shot.copy(menu->actionGeometry(enabled));
        const QRgb onBackground = commonest(on);
        QVERIFY(contrast(ink, background) < contrast(strongest(on, onBackground), onBackground));
    }
    menu->close();
}

void tst_frmMain::disabledButtonsLookDimmed_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("button");

    QTest::newRow("user list 上一页") << QStringList{"btnUser"} << "btnPre";
    QTest::newRow("log 第一页") << QStringList{"btnLog"} << "btnFirst";
    QTest::newRow("goods 末一页") << QStringList{"btnStatus", "btnStatus1"} << "btnLast1";
    QTest::newRow("faults 下一页") << QStringList{"btnStatus", "btnStatus2"} << "btnNext2";
    QTest::newRow("user form 录入指纹") << QStringList{"btnUser", "btnAdd"} << "btnFinger";
}

void tst_frmMain::disabledButtonsLookDimmed()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, button);
    build();
    QVERIFY(playSteps(window.get(), steps));
    auto *btn = visibleChild<QPushButton>(window.get(), button);
    QVERIFY2(btn, qPrintable(button));
    // The button as it shows on the window, background picture included.
    const auto look = [this, btn] {
        return window->grab(QRect(btn->mapTo(window.get(), QPoint(0, 0)), btn->size())).toImage();
    };
    btn->setEnabled(true);
    const QImage enabled = look();
    btn->setEnabled(false);
    const QImage disabled = look();

    const QRgb enabledFill = commonest(enabled);
    const QRgb disabledFill = commonest(disabled);
    const QRgb enabledInk = strongest(enabled, enabledFill);
    const QRgb disabledInk = strongest(disabled, disabledFill);
    const QString colours = QStringLiteral("enabled %1 on %2, disabled %3 on %4")
                                .arg(colourName(enabledInk), colourName(enabledFill), colourName(disabledInk),
                                     colourName(disabledFill));
    // Fainter text, yet still legible.
    QVERIFY2(contrast(disabledInk, disabledFill) < contrast(enabledInk, enabledFill) - 1.5, qPrintable(colours));
    QVERIFY2(contrast(disabledInk, disabledFill) >= 2.5, qPrintable(colours));
    // The frame goes out too.
    const QPoint edge(1, btn->height() / 2);
    const QRgb enabledEdge = enabled.pixel(edge);
    const QRgb disabledEdge = disabled.pixel(edge);
    QVERIFY2(luminance(disabledEdge) < luminance(enabledEdge) * 0.6,
             qPrintable(QStringLiteral("frame %1 / %2").arg(colourName(enabledEdge), colourName(disabledEdge))));
}

void tst_frmMain::everyListedRowIsFullyVisible_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("rows");

    for (const QSize size : {QSize(1024, 600), QSize(800, 480)}) {
        const bool small = size.height() == 480;
        const auto name = [size](const char *list) {
            return QStringLiteral("%1 %2x%3").arg(QLatin1String(list)).arg(size.width()).arg(size.height());
        };
        QTest::newRow(qPrintable(name("users"))) << size.width() << size.height() << QStringList{"btnUser"}
                                                 << "tableMain" << (small ? 8 : 11);
        QTest::newRow(qPrintable(name("log"))) << size.width() << size.height() << QStringList{"btnLog"}
                                               << "tableMain" << (small ? 7 : 10);
        QTest::newRow(qPrintable(name("goods"))) << size.width() << size.height()
                                                 << QStringList{"btnStatus", "btnStatus1"} << "tableMain1"
                                                 << (small ? 10 : 13);
        QTest::newRow(qPrintable(name("faults"))) << size.width() << size.height()
                                                  << QStringList{"btnStatus", "btnStatus2"} << "tableMain2"
                                                  << (small ? 10 : 13);
    }
}

void tst_frmMain::everyListedRowIsFullyVisible()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QStringList, steps);
    QFETCH(QString, table);
    QFETCH(int, rows);
    AppConfig::MainWidth = width;
    AppConfig::MainHeight = height;
    // More than a page of every list.
    QSqlDatabase::database().transaction();
    for (int i = 0; i < 30; ++i) {
        const QString n = QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
        DBHelper::addUser(QStringLiteral("1") + n, QStringLiteral("用户") + n, QStringLiteral("123456"),
                          QStringLiteral("开柜/设置/日志/用户"), QStringLiteral("外门/内门1/内门2"), FingerRecord::empty());
        DBHelper::addLog(QStringLiteral("管理日志"), QStringLiteral("进入用户管理界面"));
        DBHelper::addGoods(QStringLiteral("WP") + n, QStringLiteral("EPC") + n, QStringLiteral("贵重物品"),
                           QStringLiteral("金属误入插入"));
        DBHelper::addError(QStringLiteral("金属误入插入"), QStringLiteral("故障排查信息"));
    }
    QSqlDatabase::database().commit();
    build();
    QVERIFY(playSteps(window.get(), steps));
    auto *view = visibleChild<QTableView>(window.get(), table);
    QVERIFY(view);
    QTRY_COMPARE(view->model()->rowCount(), rows);

    QRect last;
    for (int column = 0; column < view->model()->columnCount(); ++column) {
        last |= view->visualRect(view->model()->index(rows - 1, column));
    }
    const QRect inside = view->viewport()->rect();
    QVERIFY2(inside.contains(last), qPrintable(QStringLiteral("row %1,%2 %3x%4 in a viewport of %5x%6")
                                                   .arg(last.x()).arg(last.y()).arg(last.width()).arg(last.height())
                                                   .arg(inside.width()).arg(inside.height())));
}

// Run as a child process: the real main window, the steps that bring up a screen,
// then one right press on the named widget. Exits with 0 when the press ended the
// program, 5 when it carried on, other codes when the scene could not be set.
static int rightPressChild(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString dir = QString::fromLocal8Bit(argv[2]);
    const QStringList steps = QString::fromLocal8Bit(argv[3]).split(QLatin1Char(','), Qt::SkipEmptyParts);
    const QString targetName = QString::fromLocal8Bit(argv[4]);
    const QStringList xy = QString::fromLocal8Bit(argv[5]).split(QLatin1Char(','));
    QDir().mkpath(dir);
    TerminalFixture fixture;
    AppInit::Instance()->start();
    DBHelper::addUser(QStringLiteral("1001"), QStringLiteral("张伟"), QStringLiteral("123456"), QStringLiteral("开柜"),
                      QStringLiteral("外门"), FingerRecord::empty());
    frmMain w;
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) {
        return 3;
    }
    auto *stack = w.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
    if (!QTest::qWaitFor([stack] { return stack->count() == 7; }) || !playSteps(&w, steps)) {
        return 6;
    }
    QWidget *target = visibleChild(&w, targetName);
    if (!target || xy.size() != 2) {
        return 6;
    }
    const QPoint point = xy.at(0).toInt() < 0 ? target->rect().center() : QPoint(xy.at(0).toInt(), xy.at(1).toInt());
    if (w.childAt(target->mapTo(&w, point)) != target) {
        return 7; // the press would land on something else
    }

    // QCoreApplication::exit() ends every running loop at once, so right after
    // the press this loop tells whether the program was asked to end.
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&loop, target, point, dir] {
        TestSupport::writeFile(dir + QStringLiteral("/stage"), "pressed");
        QTest::mouseClick(target, Qt::RightButton, Qt::NoModifier, point);
        if (loop.isRunning()) {
            loop.exit(5);
        }
    });
    QTimer::singleShot(30000, &loop, [&loop] { loop.exit(4); }); // stuck: a failure
    return loop.exec();
}

int main(int argc, char *argv[])
{
    if (argc > 5 && qstrcmp(argv[1], "--right-press-child") == 0) {
        return rightPressChild(argc, argv);
    }
    QApplication app(argc, argv);
    tst_frmMain test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_frmmain.moc"
