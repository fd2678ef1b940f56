#include "terminalfixture.h"
#include "widgettest.h"

#include "appconfig.h"
#include "appinit.h"
#include "terminalstart.h"
#include "frmconfig.h"
#include "frmconfigswitch.h"
#include "frmmain.h"
#include "switchbutton.h"
#include "tumbler.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QStackedWidget>
#include <QStyleOptionFrame>
#include <QTableView>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

QVariant stored(const QString &key)
{
    QSettings settings(AppConfig::ConfigFile, QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    return settings.value(key);
}

QString image(int number)
{
    return QStringLiteral(":/bg/main%1.jpg").arg(number, 2, 10, QLatin1Char('0'));
}

void pressRow(QTableView *table, int row)
{
    const QRect rect = table->visualRect(table->model()->index(row, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

} // namespace

// The settings container and the business settings on their own, sized as
// the main window's page area, and the background change inside the real
// main window.
class tst_frmConfig : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TerminalFixture> fixture;
    std::unique_ptr<frmConfig> config;
    std::unique_ptr<frmMain> window;

    QWidget *root() const { return window ? static_cast<QWidget *>(window.get()) : config.get(); }
    frmConfig *container() const { return window ? window->findChild<frmConfig *>() : config.get(); }

    template <typename T> T *child(const QString &name) const { return WidgetTest::child<T>(root(), name); }

    QStackedWidget *mainStack() const { return window->findChild<QStackedWidget *>(QStringLiteral("stackedWidget")); }
    QStackedWidget *configStack() const
    {
        return container()->findChild<QStackedWidget *>(QStringLiteral("stackedWidget"), Qt::FindDirectChildrenOnly);
    }
    frmConfigSwitch *business() const { return container()->findChild<frmConfigSwitch *>(); }

    // A widget of the settings page on show (names such as btnSave recur on every page).
    template <typename T> T *onPage(const QString &name) const
    {
        T *w = configStack()->currentWidget()->findChild<T *>(name);
        if (!w) {
            qWarning() << "missing" << name;
        }
        return w;
    }

    void press(const QString &name)
    {
        const bool onSettings = !window || mainStack()->currentIndex() == 4;
        auto *button = onSettings ? configStack()->currentWidget()->findChild<QAbstractButton *>(name) : nullptr;
        if (!button) {
            button = child<QAbstractButton>(name);
        }
        QVERIFY2(button && button->isVisible(), qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // The settings area as the main window shows it: its style, the size of
    // the page area (1024 x 600: 804 x 544; 800 x 480: 610 x 434), active so
    // that fields can hold the focus.
    void openSettings()
    {
        qApp->setStyleSheet(frmMain::styleSheetText());
        config.reset(new frmConfig);
        config->setFixedSize(AppConfig::smallScreen() ? QSize(610, 434) : QSize(804, 544));
        config->show();
        QVERIFY(QTest::qWaitForWindowExposed(config.get()));
        config->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(config.get()));
    }

    void openMainWindow()
    {
        window.reset(new frmMain);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        press(QStringLiteral("btnConfig"));
        QCOMPARE(mainStack()->currentIndex(), 4);
    }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void leftBarShowsItsPage_data();
    void leftBarShowsItsPage();
    void leftBarFollowsScreenSize_data();
    void leftBarFollowsScreenSize();
    void everyPageReturnsToNavigation();
    void pagesFitTheScreen_data();
    void pagesFitTheScreen();

    void choosingAModeStoresItsIndex_data();
    void choosingAModeStoresItsIndex();
    void pressingAFieldSelectsItsMode();
    void listPressWithoutFocusedFieldChangesNothing();
    void switchesAreSaved_data();
    void switchesAreSaved();
    void showingShowsStoredValues();
    void unknownStoredModeIsKept();

    void backgroundSteps_data();
    void backgroundSteps();
    void backgroundChangesTheMainWindowAtOnce();
};

void tst_frmConfig::initTestCase()
{
    // The fonts the terminal really runs with.
    AppInit::Instance();
    qApp->setFont(TerminalStart::applicationFont());
}

void tst_frmConfig::init()
{
    fixture.reset(new TerminalFixture);
    QVERIFY(fixture->isValid());
}

void tst_frmConfig::cleanup()
{
    window.reset();
    config.reset();
    fixture.reset();
}

void tst_frmConfig::leftBarShowsItsPage_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("screen");

    QTest::newRow("business") << "btnConfigSwitch" << 0 << "frmConfigSwitch";
    QTest::newRow("alarm") << "btnConfigAlarm" << 1 << "frmConfigAlarm";
    QTest::newRow("system") << "btnConfigSystem" << 2 << "frmConfigSystem";
    QTest::newRow("network") << "btnConfigNet" << 3 << "frmConfigNet";
}

void tst_frmConfig::leftBarShowsItsPage()
{
    QFETCH(QString, button);
    QFETCH(int, page);
    QFETCH(QString, screen);
    openSettings();
    // The business settings come first.
    QCOMPARE(configStack()->currentIndex(), 0);
    QVERIFY(child<QPushButton>("btnConfigSwitch")->isChecked());

    const QStringList buttons = {"btnConfigSwitch", "btnConfigAlarm", "btnConfigSystem", "btnConfigNet"};
    for (int round = 0; round < 2; ++round) { // a second press keeps the page and the mark
        press(button);
        QCOMPARE(configStack()->currentIndex(), page);
        QCOMPARE(QString::fromLatin1(configStack()->currentWidget()->metaObject()->className()), screen);
        for (const QString &other : buttons) {
            QCOMPARE(child<QPushButton>(other)->isChecked(), other == button);
        }
    }
}

void tst_frmConfig::leftBarFollowsScreenSize_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("barWidth");
    QTest::newRow("1024x600") << 1024 << 600 << 120;
    QTest::newRow("800x480") << 800 << 480 << 90;
}

void tst_frmConfig::leftBarFollowsScreenSize()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, barWidth);
    AppConfig::MainWidth = width;
    AppConfig::MainHeight = height;
    openSettings();
    QWidget *bar = container()->findChild<QWidget *>(QStringLiteral("widgetLeft"));
    QCOMPARE(bar->width(), barWidth);
    QCOMPARE(bar->property("flag").toString(), QStringLiteral("navleft"));
    QCOMPARE(child<QPushButton>("btnConfigSwitch")->text(), QStringLiteral("业务\n设置"));
    QCOMPARE(child<QPushButton>("btnConfigNet")->text(), QStringLiteral("网络\n设置"));
}

void tst_frmConfig::everyPageReturnsToNavigation()
{
    openMainWindow();
    const QStringList buttons = {"btnConfigSwitch", "btnConfigAlarm", "btnConfigSystem", "btnConfigNet"};
    for (int page = 0; page < buttons.size(); ++page) {
        press(buttons.at(page));
        QCOMPARE(configStack()->currentIndex(), page);
        QSignalSpy spy(container(), &frmConfig::returnMain);
        auto *ret = configStack()->currentWidget()->findChild<QPushButton *>(QStringLiteral("btnReturn"));
        QVERIFY(ret && ret->isVisible());
        QCOMPARE(ret->parentWidget()->property("flag").toString(), QStringLiteral("return"));
        QTest::mouseClick(ret, Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(mainStack()->currentIndex(), 0);
        press(QStringLiteral("btnConfig"));
        QCOMPARE(mainStack()->currentIndex(), 4);
    }
}

void tst_frmConfig::pagesFitTheScreen_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("button");
    for (const QSize size : {QSize(1024, 600), QSize(800, 480)}) {
        for (const char *button : {"btnConfigSwitch", "btnConfigAlarm", "btnConfigSystem", "btnConfigNet"}) {
            QTest::addRow("%dx%d %s", size.width(), size.height(), button) << size.width() << size.height()
                                                                         << QString::fromLatin1(button);
        }
    }
}

// Nothing sticks out of the page, no two controls overlap, no text is cut off
// and every control is large enough for a finger.
void tst_frmConfig::pagesFitTheScreen()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, button);
    AppConfig::MainWidth = width;
    AppConfig::MainHeight = height;
    // The longest addresses there are.
    AppConfig::IPClient = QStringLiteral("192.168.100.100");
    AppConfig::MaskClient = QStringLiteral("255.255.255.255");
    AppConfig::GatewayClient = QStringLiteral("192.168.100.254");
    AppConfig::IPServer = QStringLiteral("192.168.200.200");
    AppConfig::IPServer2 = QStringLiteral("192.168.100.100");
    AppConfig::PortServer = QStringLiteral("65535");
    openSettings();
    press(button);
    QWidget *page = configStack()->currentWidget();
    const QRect inside = page->rect();
    auto rectOf = [page](QWidget *w) { return QRect(w->mapTo(page, QPoint(0, 0)), w->size()); };

    QList<QWidget *> controls;
    for (QWidget *w : page->findChildren<QWidget *>()) {
        if (!w->isVisible()) {
            continue;
        }
        const QString name = w->objectName();
        QVERIFY2(inside.contains(rectOf(w)), qPrintable(name));
        if (qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w) || qobject_cast<QSlider *>(w)
            || qobject_cast<Tumbler *>(w) || qobject_cast<QTableView *>(w)) {
            controls << w;
            QVERIFY2(w->height() >= 40, qPrintable(QStringLiteral("%1 is %2 high").arg(name).arg(w->height())));
        }
        if (auto *label = qobject_cast<QLabel *>(w)) {
            if (!label->text().isEmpty()) {
                const QRect text = label->fontMetrics().boundingRect(label->contentsRect(), label->alignment(),
                                                                     label->text());
                QVERIFY2(text.width() <= label->contentsRect().width() && text.height() <= label->contentsRect().height(),
                         qPrintable(name));
            }
        }
        if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            // The text area as the line edit itself lays it out: inside border and
            // padding, less its fixed margin of two pixels on either side.
            QStyleOptionFrame option;
            option.initFrom(edit);
            option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
            const int room = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit).width() - 4;
            QVERIFY2(edit->fontMetrics().horizontalAdvance(edit->text()) <= room, qPrintable(name));
        }
    }
    for (int i = 0; i < controls.size(); ++i) {
        for (int j = i + 1; j < controls.size(); ++j) {
            if (controls.at(i)->isAncestorOf(controls.at(j)) || controls.at(j)->isAncestorOf(controls.at(i))) {
                continue;
            }
            QVERIFY2(!rectOf(controls.at(i)).intersects(rectOf(controls.at(j))),
                     qPrintable(controls.at(i)->objectName() + QLatin1Char('/') + controls.at(j)->objectName()));
        }
    }
    // Table rows are whole and finger-sized.
    for (QTableView *table : page->findChildren<QTableView *>()) {
        QCOMPARE(table->verticalHeader()->defaultSectionSize(), 50);
        const int rows = table->model()->rowCount();
        QVERIFY2(table->viewport()->height() >= rows * 50, qPrintable(table->objectName()));
    }
}

void tst_frmConfig::choosingAModeStoresItsIndex_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("key");

    QTest::newRow("open, two persons") << "txtOpenMode" << 2 << "SwitchConfig/OpenMode";
    QTest::newRow("open, remote review") << "txtOpenMode" << 4 << "SwitchConfig/OpenMode";
    QTest::newRow("log, one person") << "txtLogMode" << 1 << "SwitchConfig/LogMode";
    QTest::newRow("settings, three persons") << "txtConfigMode" << 3 << "SwitchConfig/ConfigMode";
    QTest::newRow("settings, back to none") << "txtConfigMode" << 0 << "SwitchConfig/ConfigMode";
}

void tst_frmConfig::choosingAModeStoresItsIndex()
{
    QFETCH(QString, field);
    QFETCH(int, row);
    QFETCH(QString, key);
    AppConfig::ConfigMode = 2;
    openSettings();
    auto *edit = onPage<QLineEdit>(field);
    auto *table = onPage<QTableView>("tableMain");
    QVERIFY(edit->isReadOnly());
    QCOMPARE(edit->property("noinput").toBool(), true);

    QTest::mouseClick(edit, Qt::LeftButton);
    QVERIFY(edit->hasFocus());
    pressRow(table, row);
    QCOMPARE(edit->text(), AppConfig::VerifyMode.at(row));
    QVERIFY(edit->hasFocus()); // the list does not take the focus away

    press(QStringLiteral("btnSave"));
    QCOMPARE(stored(key).toInt(), row);
    const QStringList keys = {"SwitchConfig/OpenMode", "SwitchConfig/LogMode", "SwitchConfig/ConfigMode"};
    const QList<int> before = {0, 0, 2};
    for (int i = 0; i < keys.size(); ++i) {
        if (keys.at(i) != key) {
            QCOMPARE(stored(keys.at(i)).toInt(), before.at(i));
        }
    }
}

void tst_frmConfig::pressingAFieldSelectsItsMode()
{
    AppConfig::OpenMode = 3;
    AppConfig::LogMode = 1;
    openSettings();
    auto *table = onPage<QTableView>("tableMain");
    QTest::mouseClick(onPage<QLineEdit>("txtOpenMode"), Qt::LeftButton);
    QCOMPARE(table->selectionModel()->selectedRows().value(0).row(), 3);
    QTest::mouseClick(onPage<QLineEdit>("txtLogMode"), Qt::LeftButton);
    QCOMPARE(table->selectionModel()->selectedRows().value(0).row(), 1);
}

void tst_frmConfig::listPressWithoutFocusedFieldChangesNothing()
{
    openSettings();
    auto *table = onPage<QTableView>("tableMain");
    const QStringList fields = {"txtOpenMode", "txtLogMode", "txtConfigMode"};

    // Nothing focused yet.
    for (const QString &f : fields) {
        QVERIFY(!onPage<QLineEdit>(f)->hasFocus());
    }
    pressRow(table, 3);
    for (const QString &f : fields) {
        QCOMPARE(onPage<QLineEdit>(f)->text(), AppConfig::VerifyMode.at(0));
    }

    // After a choice and a save the focus is on the save button: the list is idle again.
    QTest::mouseClick(onPage<QLineEdit>("txtLogMode"), Qt::LeftButton);
    pressRow(table, 2);
    press(QStringLiteral("btnSave"));
    pressRow(table, 4);
    QCOMPARE(onPage<QLineEdit>("txtLogMode")->text(), AppConfig::VerifyMode.at(2));
    QCOMPARE(onPage<QLineEdit>("txtOpenMode")->text(), AppConfig::VerifyMode.at(0));
    press(QStringLiteral("btnSave"));
    QCOMPARE(stored(QStringLiteral("SwitchConfig/LogMode")).toInt(), 2);
    QCOMPARE(stored(QStringLiteral("SwitchConfig/OpenMode")).toInt(), 0);
}

void tst_frmConfig::switchesAreSaved_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("key");
    QTest::newRow("open approval") << "btnOpenAuthor" << "SwitchConfig/OpenAuthor";
    QTest::newRow("log approval") << "btnLogAuthor" << "SwitchConfig/LogAuthor";
    QTest::newRow("settings approval") << "btnConfigAuthor" << "SwitchConfig/ConfigAuthor";
    QTest::newRow("user password") << "btnUserPwd" << "SwitchConfig/UserPwd";
    QTest::newRow("administrator") << "btnAdmin" << "SwitchConfig/Admin";
}

void tst_frmConfig::switchesAreSaved()
{
    QFETCH(QString, button);
    QFETCH(QString, key);
    openSettings();
    const QStringList keys = {"SwitchConfig/OpenAuthor", "SwitchConfig/LogAuthor", "SwitchConfig/ConfigAuthor",
                              "SwitchConfig/UserPwd", "SwitchConfig/Admin"};
    auto *sw = onPage<SwitchButton>(button);
    QCOMPARE(sw->size(), QSize(120, 50));
    press(button);
    QCOMPARE(sw->getChecked(), true);
    press(QStringLiteral("btnSave"));
    for (const QString &k : keys) {
        QCOMPARE(stored(k).toBool(), k == key);
    }
    press(button);
    press(QStringLiteral("btnSave"));
    for (const QString &k : keys) {
        QCOMPARE(stored(k).toBool(), false);
    }
}

void tst_frmConfig::showingShowsStoredValues()
{
    AppConfig::OpenMode = 4;
    AppConfig::LogMode = 2;
    AppConfig::ConfigMode = 1;
    AppConfig::OpenAuthor = true;
    AppConfig::UserPwd = true;
    openSettings();
    QCOMPARE(onPage<QLineEdit>("txtOpenMode")->text(), QStringLiteral("远程审核"));
    QCOMPARE(onPage<QLineEdit>("txtLogMode")->text(), QStringLiteral("双人验证"));
    QCOMPARE(onPage<QLineEdit>("txtConfigMode")->text(), QStringLiteral("单人验证"));
    QCOMPARE(onPage<SwitchButton>("btnOpenAuthor")->getChecked(), true);
    QCOMPARE(onPage<SwitchButton>("btnLogAuthor")->getChecked(), false);
    QCOMPARE(onPage<SwitchButton>("btnUserPwd")->getChecked(), true);

    // Edits that are not saved are gone when the screen comes back.
    QTest::mouseClick(onPage<QLineEdit>("txtOpenMode"), Qt::LeftButton);
    pressRow(onPage<QTableView>("tableMain"), 0);
    press(QStringLiteral("btnOpenAuthor"));
    press(QStringLiteral("btnReturn"));
    config->hide();
    config->show();
    QCOMPARE(onPage<QLineEdit>("txtOpenMode")->text(), QStringLiteral("远程审核"));
    QCOMPARE(onPage<SwitchButton>("btnOpenAuthor")->getChecked(), true);
}

void tst_frmConfig::unknownStoredModeIsKept()
{
    // A mode outside the list (a hand-edited file) shows nothing and survives a save.
    AppConfig::LogMode = 7;
    openSettings();
    QCOMPARE(onPage<QLineEdit>("txtLogMode")->text(), QString());
    press(QStringLiteral("btnAdmin"));
    press(QStringLiteral("btnSave"));
    QCOMPARE(stored(QStringLiteral("SwitchConfig/LogMode")).toInt(), 7);
    QCOMPARE(stored(QStringLiteral("SwitchConfig/Admin")).toBool(), true);
}

void tst_frmConfig::backgroundSteps_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("expected"); // empty: nothing happens

    QTest::newRow("previous at 00") << image(0) << "btnPre" << QString();
    QTest::newRow("next at 12") << image(12) << "btnNext" << QString();
    QTest::newRow("next at 00") << image(0) << "btnNext" << image(1);
    QTest::newRow("previous at 12") << image(12) << "btnPre" << image(11);
    QTest::newRow("previous at 10") << image(10) << "btnPre" << image(9);
    QTest::newRow("next at 09") << image(9) << "btnNext" << image(10);
    QTest::newRow("next at 11") << image(11) << "btnNext" << image(12);
    QTest::newRow("unreadable number, next") << QStringLiteral("nonsense") << "btnNext" << image(1);
    QTest::newRow("unreadable number, previous") << QStringLiteral("nonsense") << "btnPre" << QString();
    QTest::newRow("number past the last, previous") << QStringLiteral(":/bg/main55.jpg") << "btnPre" << image(12);
    QTest::newRow("number past the last, next") << QStringLiteral(":/bg/main55.jpg") << "btnNext" << QString();
}

void tst_frmConfig::backgroundSteps()
{
    QFETCH(QString, start);
    QFETCH(QString, button);
    QFETCH(QString, expected);
    AppConfig::BgImage = start;
    AppConfig::save();
    openSettings();
    auto *labImage = onPage<QLabel>("labImage");
    const QImage before = labImage->grab().toImage();
    QSignalSpy style(business(), &frmConfigSwitch::changeStyle);
    // Something unsaved on the same screen stays unsaved: only the picture is stored at once.
    press(QStringLiteral("btnAdmin"));

    press(button);
    QCOMPARE(stored(QStringLiteral("SwitchConfig/Admin")).toBool(), false);
    if (expected.isEmpty()) {
        QCOMPARE(AppConfig::BgImage, start);
        QCOMPARE(stored(QStringLiteral("BaseConfig/BgImage")).toString(), start);
        QCOMPARE(style.count(), 0);
        return;
    }
    QCOMPARE(AppConfig::BgImage, expected);
    QCOMPARE(stored(QStringLiteral("BaseConfig/BgImage")).toString(), expected);
    QCOMPARE(style.count(), 1);
    // The preview shows the new picture, filling the frame.
    const QPixmap shown = labImage->pixmap(Qt::ReturnByValue);
    QCOMPARE(shown.size(), labImage->contentsRect().size());
    QVERIFY(labImage->grab().toImage() != before);
}

void tst_frmConfig::backgroundChangesTheMainWindowAtOnce()
{
    AppConfig::BgImage = image(3);
    openMainWindow();
    auto *widgetMain = child<QWidget>("widgetMain");
    const QImage before = widgetMain->grab().toImage();
    press(QStringLiteral("btnNext"));
    QVERIFY(qApp->styleSheet().contains(QStringLiteral("border-image:url(:/bg/main04.jpg);")));
    QVERIFY(!qApp->styleSheet().contains(QStringLiteral("main03.jpg")));
    QVERIFY(widgetMain->grab().toImage() != before);
    press(QStringLiteral("btnPre"));
    QVERIFY(qApp->styleSheet().contains(QStringLiteral("border-image:url(:/bg/main03.jpg);")));
    QCOMPARE(stored(QStringLiteral("BaseConfig/BgImage")).toString(), image(3));
}

QTEST_MAIN(tst_frmConfig)
#include "tst_frmconfig.moc"
