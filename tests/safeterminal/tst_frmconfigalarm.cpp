#include "terminalfixture.h"

#include "appconfig.h"
#include "frmconfigalarm.h"
#include "switchbutton.h"

#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QtTest>
#include <memory>

namespace {

QVariant stored(const QString &key)
{
    QSettings settings(AppConfig::ConfigFile, QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    return settings.value(key);
}

} // namespace

class tst_frmConfigAlarm : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TerminalFixture> fixture;
    std::unique_ptr<frmConfigAlarm> screen;

    QTableView *inputs() const { return screen->findChild<QTableView *>(QStringLiteral("tableMain1")); }
    QTableView *levels() const { return screen->findChild<QTableView *>(QStringLiteral("tableMain2")); }
    SwitchButton *link() const { return screen->findChild<SwitchButton *>(QStringLiteral("btnAlarmLink")); }
    SwitchButton *up() const { return screen->findChild<SwitchButton *>(QStringLiteral("btnAlarmUp")); }

    void showScreen()
    {
        screen->hide();
        screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
    }

    static void pressRow(QTableView *table, int row)
    {
        const QRect rect = table->visualRect(table->model()->index(row, 0));
        QVERIFY(table->viewport()->rect().contains(rect));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    }

    static int selectedRow(QTableView *table)
    {
        const QModelIndexList rows = table->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.first().row() : -1;
    }

    void press(const QString &name)
    {
        QTest::mouseClick(screen->findChild<QAbstractButton *>(name), Qt::LeftButton);
    }

private slots:
    void init();
    void cleanup();

    void listsHoldInputsAndLevels();
    void showingSelectsTheFirstInput();
    void levelIsSavedForItsInput_data();
    void levelIsSavedForItsInput();
    void unsavedLevelIsDroppedOnShowing();
    void switchesArePerInput_data();
    void switchesArePerInput();
    void inputShowsItsOwnValues();
    void switchSlidOffStillCounts();
    void unknownStoredLevelIsKept();
    void returnSignals();
};

void tst_frmConfigAlarm::init()
{
    fixture.reset(new TerminalFixture);
    QVERIFY(fixture->isValid());
    screen.reset(new frmConfigAlarm);
    screen->resize(684, 544);
}

void tst_frmConfigAlarm::cleanup()
{
    screen.reset();
    fixture.reset();
}

void tst_frmConfigAlarm::listsHoldInputsAndLevels()
{
    showScreen();
    const QStringList expectedInputs = {"震动报警", "市电掉电", "金属误入插入", "温度报警",
                                        "非法开门", "开门时间过久", "尝试次数过多", "故障报警"};
    const QStringList expectedLevels = {"不报警", "普通报警", "严重报警", "最严重报警"};
    QCOMPARE(inputs()->model()->rowCount(), expectedInputs.size());
    for (int i = 0; i < expectedInputs.size(); ++i) {
        QCOMPARE(inputs()->model()->index(i, 0).data().toString(), expectedInputs.at(i));
        QCOMPARE(inputs()->rowHeight(i), 50);
    }
    QCOMPARE(levels()->model()->rowCount(), expectedLevels.size());
    for (int i = 0; i < expectedLevels.size(); ++i) {
        QCOMPARE(levels()->model()->index(i, 0).data().toString(), expectedLevels.at(i));
    }
    QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("labAlarmMode"))->text(), QStringLiteral("报警级别"));
    QCOMPARE(link()->size(), QSize(120, 50));
}

void tst_frmConfigAlarm::showingSelectsTheFirstInput()
{
    AppConfig::AlarmMode[0] = 2;
    AppConfig::AlarmLink[0] = false;
    AppConfig::AlarmUp[0] = true;
    showScreen();
    QCOMPARE(inputs()->currentIndex().row(), 0);
    QCOMPARE(selectedRow(inputs()), 0);
    QCOMPARE(selectedRow(levels()), 2);
    QCOMPARE(link()->getChecked(), false);
    QCOMPARE(up()->getChecked(), true);
}

void tst_frmConfigAlarm::levelIsSavedForItsInput_data()
{
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("level");

    QTest::newRow("temperature, most severe") << 3 << 3;
    QTest::newRow("temperature, none") << 3 << 0;
    QTest::newRow("vibration, severe") << 0 << 2;
    QTest::newRow("fault, none") << 7 << 0;
    QTest::newRow("too many tries, most severe") << 6 << 3;
}

void tst_frmConfigAlarm::levelIsSavedForItsInput()
{
    QFETCH(int, input);
    QFETCH(int, level);
    showScreen();
    pressRow(inputs(), input);
    QCOMPARE(selectedRow(levels()), 1); // the built-in level
    pressRow(levels(), level);
    press(QStringLiteral("btnSave"));
    for (int i = 0; i < AppConfig::AlarmCount; ++i) {
        const int expected = i == input ? level : 1;
        QCOMPARE(AppConfig::AlarmMode[i], expected);
        QCOMPARE(stored(QStringLiteral("AlarmConfig/AlarmMode%1").arg(i + 1)).toInt(), expected);
    }
}

void tst_frmConfigAlarm::unsavedLevelIsDroppedOnShowing()
{
    AppConfig::AlarmMode[3] = 2;
    showScreen();
    pressRow(inputs(), 3);
    pressRow(levels(), 0);
    // Away to another input and back: the working value is kept while on the screen.
    pressRow(inputs(), 1);
    pressRow(inputs(), 3);
    QCOMPARE(selectedRow(levels()), 0);

    QTest::mouseClick(screen->findChild<QPushButton *>(QStringLiteral("btnReturn")), Qt::LeftButton);
    showScreen();
    pressRow(inputs(), 3);
    QCOMPARE(selectedRow(levels()), 2);
    QCOMPARE(AppConfig::AlarmMode[3], 2);
    QCOMPARE(stored(QStringLiteral("AlarmConfig/AlarmMode4")).toInt(), 1); // never saved
}

void tst_frmConfigAlarm::switchesArePerInput_data()
{
    QTest::addColumn<int>("input");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("key");

    QTest::newRow("linkage of input 1") << 0 << "btnAlarmLink" << "AlarmLink";
    QTest::newRow("linkage of input 5") << 4 << "btnAlarmLink" << "AlarmLink";
    QTest::newRow("upload of input 4") << 3 << "btnAlarmUp" << "AlarmUp";
    QTest::newRow("upload of input 8") << 7 << "btnAlarmUp" << "AlarmUp";
}

void tst_frmConfigAlarm::switchesArePerInput()
{
    QFETCH(int, input);
    QFETCH(QString, button);
    QFETCH(QString, key);
    const bool builtIn = key == QStringLiteral("AlarmLink"); // linkage on, upload off
    showScreen();
    pressRow(inputs(), input);
    auto *sw = screen->findChild<SwitchButton *>(button);
    QCOMPARE(sw->getChecked(), builtIn);
    press(button);
    QCOMPARE(sw->getChecked(), !builtIn);

    // Another input shows its own, untouched state.
    const int other = (input + 1) % AppConfig::AlarmCount;
    pressRow(inputs(), other);
    QCOMPARE(sw->getChecked(), builtIn);
    pressRow(inputs(), input);
    QCOMPARE(sw->getChecked(), !builtIn);

    press(QStringLiteral("btnSave"));
    for (int i = 0; i < AppConfig::AlarmCount; ++i) {
        const bool expected = i == input ? !builtIn : builtIn;
        QCOMPARE(stored(QStringLiteral("AlarmConfig/%1%2").arg(key).arg(i + 1)).toBool(), expected);
    }
    // The other switch is untouched everywhere.
    const QString otherKey = builtIn ? QStringLiteral("AlarmUp") : QStringLiteral("AlarmLink");
    for (int i = 0; i < AppConfig::AlarmCount; ++i) {
        QCOMPARE(stored(QStringLiteral("AlarmConfig/%1%2").arg(otherKey).arg(i + 1)).toBool(), !builtIn);
    }
}

void tst_frmConfigAlarm::inputShowsItsOwnValues()
{
    AppConfig::AlarmMode[5] = 0;
    AppConfig::AlarmLink[5] = false;
    AppConfig::AlarmUp[5] = true;
    AppConfig::AlarmMode[6] = 3;
    showScreen();
    pressRow(inputs(), 5);
    QCOMPARE(selectedRow(levels()), 0);
    QCOMPARE(link()->getChecked(), false);
    QCOMPARE(up()->getChecked(), true);
    pressRow(inputs(), 6);
    QCOMPARE(selectedRow(levels()), 3);
    QCOMPARE(link()->getChecked(), true);
    QCOMPARE(up()->getChecked(), false);
}

void tst_frmConfigAlarm::switchSlidOffStillCounts()
{
    // A finger that presses the switch and slides off before lifting: the
    // switch has flipped, and what is saved must match what is shown.
    showScreen();
    pressRow(inputs(), 2);
    QTest::mousePress(up(), Qt::LeftButton);
    QTest::mouseRelease(up(), Qt::LeftButton, Qt::NoModifier, QPoint(-50, -50));
    QCOMPARE(up()->getChecked(), true);
    press(QStringLiteral("btnSave"));
    QCOMPARE(stored(QStringLiteral("AlarmConfig/AlarmUp3")).toBool(), true);
}

void tst_frmConfigAlarm::unknownStoredLevelIsKept()
{
    AppConfig::AlarmMode[1] = 9;
    showScreen();
    pressRow(inputs(), 1);
    QCOMPARE(selectedRow(levels()), -1);
    press(QStringLiteral("btnSave"));
    QCOMPARE(stored(QStringLiteral("AlarmConfig/AlarmMode2")).toInt(), 9);
}

void tst_frmConfigAlarm::returnSignals()
{
    showScreen();
    QSignalSpy spy(screen.get(), &frmConfigAlarm::returnMain);
    press(QStringLiteral("btnReturn"));
    QCOMPARE(spy.count(), 1);
}

QTEST_MAIN(tst_frmConfigAlarm)
#include "tst_frmconfigalarm.moc"
