#include "terminalfixture.h"
#include "testsupport.h"
#include "widgettest.h"

#include "appconfig.h"
#include "appinit.h"
#include "terminalstart.h"
#include "frmconfigsystem.h"
#include "frmmessagebox.h"
#include "switchbutton.h"
#include "tumbler.h"
#include "zemiclock.h"
#include "zemihelper.h"

#include <QLabel>
#include <QPainter>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QTimer>
#include <QtTest>
#include <memory>

class tst_frmConfigSystem : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TerminalFixture> fixture;
    std::unique_ptr<frmConfigSystem> screen;

    // What the clock function was given, call by call, and what it answers.
    QList<QStringList> clockCalls;
    QList<QVariant> iniAtClockCall;
    bool clockAnswer = true;

    // The moment the terminal's clock shows in every test, inside the year list.
    const QDateTime testNow{QDate(2027, 5, 6), QTime(14, 23, 45)};

    template <typename T> T *child(const QString &name) const { return WidgetTest::child<T>(screen.get(), name); }

    void showScreen()
    {
        screen->hide();
        screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
    }

    // Until the page has looked at the clock once more.
    bool waitForClockTick() const
    {
        QSignalSpy tick(screen->findChild<QTimer *>(QStringLiteral("clockTimer")), &QTimer::timeout);
        return tick.wait(5000);
    }

    QString value(const char *tumbler) const { return child<Tumbler>(QLatin1String(tumbler))->getCurrentValue(); }

    static QVariant stored(const QString &key)
    {
        QSettings settings(AppConfig::ConfigFile, QSettings::IniFormat);
        settings.setIniCodec("UTF-8");
        return settings.value(key);
    }

    static QLabel *messageText() { return frmMessageBox::Instance()->findChild<QLabel *>(QStringLiteral("labInfo")); }

    void setTumblers(const QStringList &values)
    {
        const QStringList names = {"widgetYear", "widgetMonth", "widgetDay", "widgetHour", "widgetMin", "widgetSec"};
        for (int i = 0; i < names.size(); ++i) {
            Tumbler *t = child<Tumbler>(names.at(i));
            t->setCurrentValue(values.at(i));
            QCOMPARE(t->getCurrentValue(), values.at(i));
        }
    }

private slots:
    void init();
    void cleanup();

    void slidersShowTheirValueAndTakeFocus_data();
    void slidersShowTheirValueAndTakeFocus();
    void showingShowsStoredValues();
    void unsavedEditsAreDroppedOnShowing();
    void tumblerLists_data();
    void tumblerLists();
    void tumblersStartAtTheCurrentTime();
    void saveWritesSettingsThenSetsClock_data();
    void saveWritesSettingsThenSetsClock();
    void refusedClockIsReported();
    void clockLeftAloneUnlessTurned();
    void tumblersFollowTheClockUntilTurned();
    void unwritableFileIsNeverSaved_data();
    void unwritableFileIsNeverSaved();
    void degreeSignIsDrawn();
    void returnSignals();
};

void tst_frmConfigSystem::init()
{
    fixture.reset(new TerminalFixture);
    QVERIFY(fixture->isValid());
    // Never the machine's clock, neither read nor set.
    ZemiClock::setNow(testNow);
    ZemiHelper::setClockSetter([this](const QString &year, const QString &month, const QString &day,
                                      const QString &hour, const QString &minute, const QString &second) {
        clockCalls << QStringList{year, month, day, hour, minute, second};
        iniAtClockCall << stored(QStringLiteral("SystemConfig/Temp"));
        return clockAnswer;
    });
    clockCalls.clear();
    iniAtClockCall.clear();
    clockAnswer = true;
    frmMessageBox::Instance()->hide();
    screen.reset(new frmConfigSystem);
    screen->resize(684, 544);
}

void tst_frmConfigSystem::cleanup()
{
    screen.reset();
    frmMessageBox::Instance()->hide();
    fixture.reset();
}

void tst_frmConfigSystem::slidersShowTheirValueAndTakeFocus_data()
{
    QTest::addColumn<QString>("slider");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("alarm time 120") << "sliderTimeAlarm" << "txtTimeAlarm" << 120 << "120 秒";
    QTest::newRow("alarm time top of range") << "sliderTimeAlarm" << "txtTimeAlarm" << 5000 << "3600 秒";
    QTest::newRow("fan temperature") << "sliderTemp" << "txtTemp" << 35 << "35 ℃";
    QTest::newRow("fan temperature zero") << "sliderTemp" << "txtTemp" << 0 << "0 ℃";
    QTest::newRow("volume") << "sliderVolumn" << "txtVolumn" << 80 << "80 分贝";
    QTest::newRow("volume starts at 1") << "sliderVolumn" << "txtVolumn" << 0 << "1 分贝";
    QTest::newRow("screen saver") << "sliderTimeClose" << "txtTimeClose" << 100 << "100 分钟";
}

void tst_frmConfigSystem::slidersShowTheirValueAndTakeFocus()
{
    QFETCH(QString, slider);
    QFETCH(QString, field);
    QFETCH(int, value);
    QFETCH(QString, text);
    AppConfig::TimeAlarm = 40;
    AppConfig::Temp = 50;
    AppConfig::Volumn = 6;
    AppConfig::TimeClose = 15;
    showScreen();
    screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(screen.get()));
    QLineEdit *edit = child<QLineEdit>(field);
    QVERIFY(!edit->hasFocus());

    child<QSlider>(slider)->setValue(value);
    QCOMPARE(edit->text(), text);
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->property("noinput").toBool(), true);
}

void tst_frmConfigSystem::showingShowsStoredValues()
{
    AppConfig::VolumnTip = false;
    AppConfig::LinkSnap = true;
    AppConfig::OSD = QStringLiteral("金库一号");
    // 0 is where a fresh slider already stands: its field must not stay empty.
    AppConfig::TimeAlarm = 0;
    AppConfig::Temp = 77;
    AppConfig::Volumn = 1;
    AppConfig::TimeClose = 99;
    showScreen();
    QCOMPARE(child<SwitchButton>("btnVolumnTip")->getChecked(), false);
    QCOMPARE(child<SwitchButton>("btnLinkSnap")->getChecked(), true);
    QCOMPARE(child<QLineEdit>("txtOSD")->text(), QStringLiteral("金库一号"));
    QCOMPARE(child<QSlider>("sliderTimeAlarm")->value(), 0);
    QCOMPARE(child<QLineEdit>("txtTimeAlarm")->text(), QStringLiteral("0 秒"));
    QCOMPARE(child<QLineEdit>("txtTemp")->text(), QStringLiteral("77 ℃"));
    QCOMPARE(child<QLineEdit>("txtVolumn")->text(), QStringLiteral("1 分贝"));
    QCOMPARE(child<QLineEdit>("txtTimeClose")->text(), QStringLiteral("99 分钟"));
}

void tst_frmConfigSystem::unsavedEditsAreDroppedOnShowing()
{
    showScreen();
    QTest::mouseClick(child<SwitchButton>("btnLinkSnap"), Qt::LeftButton);
    child<QSlider>("sliderTemp")->setValue(12);
    child<QLineEdit>("txtOSD")->setText(QStringLiteral("改了"));
    QTest::mouseClick(child<QPushButton>("btnReturn"), Qt::LeftButton);
    showScreen();
    QCOMPARE(child<SwitchButton>("btnLinkSnap")->getChecked(), false);
    QCOMPARE(child<QSlider>("sliderTemp")->value(), 50);
    QCOMPARE(child<QLineEdit>("txtTemp")->text(), QStringLiteral("50 ℃"));
    QCOMPARE(child<QLineEdit>("txtOSD")->text(), QStringLiteral("Ostrilla"));
    QCOMPARE(stored(QStringLiteral("SystemConfig/Temp")).toInt(), 50);
    QVERIFY(clockCalls.isEmpty());
}

void tst_frmConfigSystem::tumblerLists_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");

    QTest::newRow("year") << "widgetYear" << 15 << "2016 年" << "2030 年";
    QTest::newRow("month") << "widgetMonth" << 12 << "1 月" << "12 月";
    QTest::newRow("day") << "widgetDay" << 31 << "1 日" << "31 日";
    QTest::newRow("hour") << "widgetHour" << 24 << "0 时" << "23 时";
    QTest::newRow("minute") << "widgetMin" << 60 << "0 分" << "59 分";
    QTest::newRow("second") << "widgetSec" << 60 << "0 秒" << "59 秒";
}

void tst_frmConfigSystem::tumblerLists()
{
    QFETCH(QString, name);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, last);
    const QStringList list = child<Tumbler>(name)->getListValue();
    QCOMPARE(list.size(), count);
    QCOMPARE(list.first(), first);
    QCOMPARE(list.last(), last);
    QVERIFY(child<Tumbler>(name)->parentWidget()->objectName() == QStringLiteral("widgetDateTime"));
}

void tst_frmConfigSystem::tumblersStartAtTheCurrentTime()
{
    // Start the tumblers somewhere else, then show.
    setTumblers({"2016 年", "1 月", "1 日", "0 时", "0 分", "0 秒"});
    showScreen();
    auto number = [this](const char *name) { return child<Tumbler>(QLatin1String(name))->getCurrentValue().split(' ').first().toInt(); };
    const QDateTime shown(QDate(number("widgetYear"), number("widgetMonth"), number("widgetDay")),
                          QTime(number("widgetHour"), number("widgetMin"), number("widgetSec")));
    QVERIFY2(shown.isValid(), qPrintable(shown.toString()));
    QCOMPARE(shown, testNow);
}

void tst_frmConfigSystem::saveWritesSettingsThenSetsClock_data()
{
    QTest::addColumn<QStringList>("tumblers");
    QTest::addColumn<QStringList>("clock"); // empty: the clock is not called

    QTest::newRow("ordinary") << QStringList{"2024 年", "3 月", "7 日", "9 时", "5 分", "0 秒"}
                              << QStringList{"2024", "03", "07", "09", "05", "00"};
    QTest::newRow("first of every list") << QStringList{"2016 年", "1 月", "1 日", "0 时", "0 分", "0 秒"}
                                         << QStringList{"2016", "01", "01", "00", "00", "00"};
    QTest::newRow("last of every list") << QStringList{"2030 年", "12 月", "31 日", "23 时", "59 分", "59 秒"}
                                        << QStringList{"2030", "12", "31", "23", "59", "59"};
    QTest::newRow("leap day") << QStringList{"2024 年", "2 月", "29 日", "12 时", "30 分", "15 秒"}
                              << QStringList{"2024", "02", "29", "12", "30", "15"};
    QTest::newRow("no 29 February in 2023") << QStringList{"2023 年", "2 月", "29 日", "12 时", "30 分", "15 秒"}
                                            << QStringList();
    QTest::newRow("no 31 April") << QStringList{"2025 年", "4 月", "31 日", "8 时", "0 分", "0 秒"} << QStringList();
}

void tst_frmConfigSystem::saveWritesSettingsThenSetsClock()
{
    QFETCH(QStringList, tumblers);
    QFETCH(QStringList, clock);
    showScreen();
    setTumblers(tumblers);
    // The tumblers were turned: the clock is set along with the settings.
    child<QSlider>("sliderTemp")->setValue(66);
    QTest::mouseClick(child<SwitchButton>("btnLinkSnap"), Qt::LeftButton);
    child<QLineEdit>("txtOSD")->setText(QStringLiteral("新水印"));

    QTest::mouseClick(child<QPushButton>("btnSave"), Qt::LeftButton);

    QCOMPARE(AppConfig::Temp, 66);
    QCOMPARE(stored(QStringLiteral("SystemConfig/Temp")).toInt(), 66);
    QCOMPARE(stored(QStringLiteral("SystemConfig/LinkSnap")).toBool(), true);
    QCOMPARE(stored(QStringLiteral("SystemConfig/OSD")).toString(), QStringLiteral("新水印"));
    QCOMPARE(stored(QStringLiteral("SystemConfig/TimeAlarm")).toInt(), 40);
    if (clock.isEmpty()) {
        QVERIFY(clockCalls.isEmpty());
        QVERIFY(frmMessageBox::Instance()->isVisible());
        QCOMPARE(messageText()->text(), frmConfigSystem::invalidDateText());
        return;
    }
    QCOMPARE(clockCalls.size(), 1);
    QCOMPARE(clockCalls.first(), clock);
    for (const QString &part : clockCalls.first()) {
        QVERIFY2(QRegularExpression(QStringLiteral("^[0-9]+$")).match(part).hasMatch(), qPrintable(part));
    }
    // The file was already written when the clock was set.
    QCOMPARE(iniAtClockCall.first().toInt(), 66);
    QVERIFY(!frmMessageBox::Instance()->isVisible());
}

void tst_frmConfigSystem::refusedClockIsReported()
{
    clockAnswer = false;
    showScreen();
    setTumblers({"2024 年", "3 月", "7 日", "9 时", "5 分", "0 秒"});
    child<QSlider>("sliderVolumn")->setValue(33);
    QTest::mouseClick(child<QPushButton>("btnSave"), Qt::LeftButton);

    QCOMPARE(clockCalls.size(), 1);
    // The operator is told, in the terminal's own box, and the settings are kept.
    QVERIFY(frmMessageBox::Instance()->isVisible());
    QCOMPARE(messageText()->text(), frmConfigSystem::clockRefusedText());
    QVERIFY(messageText()->text().contains(QStringLiteral("系统时间设置失败")));
    QVERIFY(!frmMessageBox::Instance()->findChild<QPushButton *>(QStringLiteral("btnCancel"))->isVisible());
    QCOMPARE(stored(QStringLiteral("SystemConfig/Volumn")).toInt(), 33);
}

void tst_frmConfigSystem::clockLeftAloneUnlessTurned()
{
    showScreen();
    child<QSlider>("sliderVolumn")->setValue(25);
    // The tumblers move with the clock meanwhile: still no operator turn.
    ZemiClock::setNow(testNow.addSecs(61));
    QVERIFY(waitForClockTick());
    QCOMPARE(value("widgetMin"), QStringLiteral("24 分"));
    QTest::mouseClick(child<QPushButton>("btnSave"), Qt::LeftButton);
    QCOMPARE(stored(QStringLiteral("SystemConfig/Volumn")).toInt(), 25);
    QVERIFY(clockCalls.isEmpty());
    QVERIFY(!frmMessageBox::Instance()->isVisible());

    // Turned and turned back still counts as the operator's choice.
    Tumbler *minutes = child<Tumbler>("widgetMin");
    const QString was = minutes->getCurrentValue();
    minutes->setCurrentIndex((minutes->getCurrentIndex() + 1) % 60);
    minutes->setCurrentValue(was);
    QTest::mouseClick(child<QPushButton>("btnSave"), Qt::LeftButton);
    QCOMPARE(clockCalls.size(), 1);
    QCOMPARE(clockCalls.first().at(4).toInt(), was.split(QLatin1Char(' ')).first().toInt());

    // Once set, the next save leaves the clock alone again.
    QTest::mouseClick(child<QPushButton>("btnSave"), Qt::LeftButton);
    QCOMPARE(clockCalls.size(), 1);
}

void tst_frmConfigSystem::tumblersFollowTheClockUntilTurned()
{
    showScreen();
    QCOMPARE(value("widgetSec"), QStringLiteral("45 秒"));
    // Every tick shows the clock's time, however long the page is open.
    for (int i = 1; i <= 3; ++i) {
        const QDateTime at = testNow.addSecs(i * 7);
        ZemiClock::setNow(at);
        QVERIFY(waitForClockTick());
        QCOMPARE(value("widgetMin"), QStringLiteral("%1 分").arg(at.time().minute()));
        QCOMPARE(value("widgetSec"), QStringLiteral("%1 秒").arg(at.time().second()));
    }

    child<Tumbler>("widgetSec")->setCurrentValue(QStringLiteral("30 秒"));
    ZemiClock::setNow(testNow.addSecs(120));
    QVERIFY(waitForClockTick());
    QCOMPARE(value("widgetSec"), QStringLiteral("30 秒")); // the operator's choice stays
    QCOMPARE(value("widgetMin"), QStringLiteral("24 分")); // and nothing else follows either
}

void tst_frmConfigSystem::unwritableFileIsNeverSaved_data()
{
    QTest::addColumn<bool>("turnClock");
    QTest::addColumn<bool>("clockSets");
    QTest::addColumn<QString>("text");
    QTest::newRow("settings only") << false << true << "参数保存失败：配置文件无法写入!";
    QTest::newRow("clock set") << true << true << "参数保存失败：配置文件无法写入!";
    QTest::newRow("clock refused") << true << false
                                   << "参数保存失败：配置文件无法写入!\n系统时间设置失败：\n系统拒绝修改时钟，权限不足。";
}

void tst_frmConfigSystem::unwritableFileIsNeverSaved()
{
    QFETCH(bool, turnClock);
    QFETCH(bool, clockSets);
    QFETCH(QString, text);
    clockAnswer = clockSets;
    // A folder that is a plain file: nobody, not even root, writes below it.
    QVERIFY(TestSupport::writeFile(fixture->path(QStringLiteral("plain")), "x"));
    AppConfig::ConfigFile = fixture->path(QStringLiteral("plain/safeterminal.ini"));
    showScreen();
    child<QSlider>("sliderTemp")->setValue(61);
    if (turnClock) {
        setTumblers({"2024 年", "3 月", "7 日", "9 时", "5 分", "0 秒"});
    }
    QTest::mouseClick(child<QPushButton>("btnSave"), Qt::LeftButton);
    QVERIFY(frmMessageBox::Instance()->isVisible());
    QCOMPARE(messageText()->text(), text);
    QVERIFY(!messageText()->text().contains(QStringLiteral("参数已保存")));
    QCOMPARE(clockCalls.size(), turnClock ? 1 : 0);
}

void tst_frmConfigSystem::degreeSignIsDrawn()
{
    // The terminal asks for its CJK font by name; whichever font stands in
    // for it, the temperature's unit must leave ink on the screen.
    AppInit::Instance();
    qApp->setFont(TerminalStart::applicationFont());
    screen.reset(new frmConfigSystem);
    AppConfig::Temp = 50;
    showScreen();
    QLineEdit *field = child<QLineEdit>("txtTemp");
    QCOMPARE(field->text(), QStringLiteral("50 ℃"));
    auto ink = [field](const QString &text) {
        QImage image(200, 60, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(field->font());
        painter.setPen(Qt::black);
        painter.drawText(image.rect(), Qt::AlignCenter, text);
        painter.end();
        int dark = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                dark += qGray(image.pixel(x, y)) < 128;
            }
        }
        return dark;
    };
    QVERIFY(ink(QStringLiteral("℃")) > 20);
}

void tst_frmConfigSystem::returnSignals()
{
    showScreen();
    QSignalSpy spy(screen.get(), &frmConfigSystem::returnMain);
    QTest::mouseClick(child<QPushButton>("btnReturn"), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QVERIFY(clockCalls.isEmpty());
}

QTEST_MAIN(tst_frmConfigSystem)
#include "tst_frmconfigsystem.moc"
