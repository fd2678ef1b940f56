#include "csvreader.h"
#include "sqlitelock.h"
#include "terminalfixture.h"
#include "testseams.h"
#include "testsupport.h"

#include "appconfig.h"
#include "dbhelper.h"
#include "dbconn.h"
#include "frmexportprogress.h"
#include "frmlog.h"
#include "frmmain.h"
#include "frmmessagebox.h"
#include "frmscreensaver.h"
#include "zemiclock.h"
#include "zemihelper.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlError>
#include <QStackedWidget>
#include <QToolButton>
#include <QtTest>
#include <memory>
#include <optional>

using namespace TestSupport;

// The log viewer's export: what is asked, what is written, what is told.
class tst_LogExport : public QObject
{
    Q_OBJECT

private:
    // Made before the fixture: its connection opens with this test's busy timeout.
    std::optional<TestSeams> seams;
    std::unique_ptr<TerminalFixture> fixture;
    std::unique_ptr<frmMain> window;
    QStringList dialogCalls;  // "mode|filter|suggestion" per save dialog
    QString dialogAnswer;     // the file the operator picks; empty cancels

    frmLog *logPage() const { return window->findChild<frmLog *>(); }
    QPushButton *button(const char *name) const { return logPage()->findChild<QPushButton *>(QLatin1String(name)); }
    static QString told() { return frmMessageBox::Instance()->findChild<QLabel *>(QStringLiteral("labInfo"))->text(); }
    static bool telling() { return frmMessageBox::Instance()->isVisible(); }

    void build(int width = 1024, int height = 600)
    {
        AppConfig::MainWidth = width;
        AppConfig::MainHeight = height;
        window.reset(new frmMain);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTRY_VERIFY(logPage());
        QTest::mouseClick(window->findChild<QToolButton *>(QStringLiteral("btnLog")), Qt::LeftButton);
        QVERIFY(logPage()->isVisible());
    }

    void showType(const char *typeButton) { QTest::mouseClick(button(typeButton), Qt::LeftButton); }

    // Presses 导出 and waits until the export has told its result.
    void exportShown()
    {
        frmMessageBox::Instance()->hide();
        QTest::mouseClick(button("btnExport"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!logPage()->isExporting() && telling(), 60000);
    }

    QString target(const QString &name) const { return fixture->path(QStringLiteral("out/") + name); }
    QStringList outFiles() const
    {
        return QDir(fixture->path(QStringLiteral("out"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    static bool addRows(const QString &type, int rows, const std::function<QString(int)> &content,
                        const QString &date = QStringLiteral("2026-12-09"))
    {
        QSqlDatabase db = QSqlDatabase::database();
        db.transaction();
        QSqlQuery insert;
        insert.prepare(QStringLiteral("insert into LogInfo values(?,?,?,?)"));
        for (int i = 0; i < rows; ++i) {
            insert.addBindValue(type);
            insert.addBindValue(date);
            insert.addBindValue(QStringLiteral("08:%1:%2").arg(i / 60 % 60, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0')));
            insert.addBindValue(content(i));
            if (!insert.exec()) {
                qWarning() << insert.lastError().text();
                db.rollback();
                return false;
            }
        }
        return db.commit();
    }

private slots:
    void init();
    void cleanup();

    void buttonFitsAtBothSizes_data();
    void buttonFitsAtBothSizes();
    void emptyTypeSaysSoAndAsksForNoFile();
    void exportsEveryRowOfTheShownType();
    void suggestsTheFirstRemovableMedium_data();
    void suggestsTheFirstRemovableMedium();
    void cancelledDialogDoesNothing();
    void failureIsToldWithItsReason();
    void lockedDatabaseIsToldAsDatabaseError();
    void longExportShowsProgressAndCancelsWithoutFile();
};

void tst_LogExport::init()
{
    seams.emplace();
    DbConn::setSqliteBusyTimeout(300);
    fixture.reset(new TerminalFixture);
    QVERIFY(fixture->isValid());
    QVERIFY(QDir().mkpath(fixture->path(QStringLiteral("out"))));
    AppConfig::SampleData = false;
    AppConfig::TimeClose = 0;
    frmMessageBox::Instance()->hide();
    frmLog::setMediaRoot(fixture->path(QStringLiteral("media")));
    dialogCalls.clear();
    dialogAnswer.clear();
    ZemiHelper::setFileDialogHook([this](const QString &mode, const QString &filter, const QString &dirName) {
        dialogCalls << QStringList{mode, filter, dirName}.join(QLatin1Char('|'));
        return dialogAnswer.isEmpty() ? QStringList() : QStringList{dialogAnswer};
    });
}

void tst_LogExport::cleanup()
{
    frmMessageBox::Instance()->hide();
    window.reset();
    fixture.reset();
    seams.reset();
}

void tst_LogExport::buttonFitsAtBothSizes_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("1024x600") << QSize(1024, 600);
    QTest::newRow("800x480") << QSize(800, 480);
}

// With the longest page labels a full log gives, every button of the viewer
// is a finger wide and high, shows its whole text, and 导出 lies inside the window.
void tst_LogExport::buttonFitsAtBothSizes()
{
    QFETCH(QSize, size);
    build(size.width(), size.height());
    QPushButton *exportButton = button("btnExport");
    QVERIFY(exportButton && exportButton->isVisible());
    QCOMPARE(exportButton->text(), QStringLiteral("导出"));
    logPage()->findChild<QLabel *>(QStringLiteral("labPageCurrent"))->setText(QStringLiteral("第 71429 页"));
    logPage()->findChild<QLabel *>(QStringLiteral("labPageCount"))->setText(QStringLiteral("共 71429 页"));
    // The labels' new texts are laid out on the next pass of the event loop.
    QApplication::processEvents();
    QApplication::processEvents();
    for (QPushButton *btn : logPage()->findChildren<QPushButton *>()) {
        const QString name = btn->objectName();
        QVERIFY2(btn->width() >= 40 && btn->height() >= 40, qPrintable(name));
        QVERIFY2(btn->width() >= btn->sizeHint().width(), qPrintable(name));
        const QRect inWindow(btn->mapTo(window.get(), QPoint(0, 0)), btn->size());
        QVERIFY2(window->rect().contains(inWindow), qPrintable(name));
    }
    for (const char *label : {"labPageCurrent", "labPageCount"}) {
        auto *lab = logPage()->findChild<QLabel *>(QLatin1String(label));
        QVERIFY2(lab->width() >= lab->sizeHint().width(), label);
    }
}

void tst_LogExport::emptyTypeSaysSoAndAsksForNoFile()
{
    QVERIFY(addRows(QStringLiteral("管理日志"), 3, [](int i) { return QString::number(i); }));
    build();
    showType("btnLog3");
    dialogAnswer = target(QStringLiteral("alarm.csv"));
    exportShown();
    QCOMPARE(told(), QStringLiteral("没有要导出的数据!"));
    QVERIFY(dialogCalls.isEmpty());
    QVERIFY(outFiles().isEmpty());
    QCOMPARE(count(QStringLiteral("select count(*) from LogInfo where LogContent like '导出%'")), 0);
}

// 25 rows whose texts hold everything a CSV file must take care of, among
// rows of other types: all 25 come back field for field, in the screen's
// order, read with a strict parser.
void tst_LogExport::exportsEveryRowOfTheShownType()
{
    const QStringList tricky = {QStringLiteral("非法开门,后门"), QStringLiteral("温度\"过高\""),
                                QStringLiteral("第一行\n第二行"), QStringLiteral("=HYPERLINK(\"http://x\",\"点我\")"),
                                QStringLiteral("+86 13800000000"), QStringLiteral("-1"), QStringLiteral("@SUM(A1)"),
                                QStringLiteral("回车\r\n换行"), QStringLiteral("震动报警")};
    QVERIFY(addRows(QStringLiteral("管理日志"), 5, [](int i) { return QStringLiteral("管理%1").arg(i); }));
    QVERIFY(addRows(QStringLiteral("报警日志"), 15, [&](int i) { return tricky.at(i % tricky.size()); },
                    QStringLiteral("2026-12-08")));
    QVERIFY(addRows(QStringLiteral("报警日志"), 10, [&](int i) { return tricky.at((i + 4) % tricky.size()) + QString::number(i); },
                    QStringLiteral("2026-12-10")));
    QVERIFY(addRows(QStringLiteral("开柜日志"), 5, [](int i) { return QStringLiteral("开启内门%1(双人验证)").arg(i); }));
    QVERIFY(QDir().mkpath(fixture->path(QStringLiteral("media/usb-b"))));
    QVERIFY(QDir().mkpath(fixture->path(QStringLiteral("media/usb-a"))));
    build();
    showType("btnLog3");
    dialogAnswer = target(QStringLiteral("alarm.csv"));
    exportShown();
    QCOMPARE(told(), QStringLiteral("已导出 25 条记录"));

    QCOMPARE(dialogCalls.size(), 1);
    const QStringList call = dialogCalls.first().split(QLatin1Char('|'));
    QCOMPARE(call.value(0), QStringLiteral("save"));
    QVERIFY2(QRegularExpression(QStringLiteral("^%1/报警日志_\\d{8}_\\d{6}\\.csv$")
                                    .arg(QRegularExpression::escape(fixture->path(QStringLiteral("media/usb-a")))))
                 .match(call.value(2))
                 .hasMatch(),
             qPrintable(call.value(2)));

    const QByteArray data = readFile(dialogAnswer);
    QVERIFY(data.startsWith("\xEF\xBB\xBF"));
    bool ok = false;
    QString error;
    const QList<QStringList> records = CsvReader::parse(data, &ok, &error);
    QVERIFY2(ok, qPrintable(error));
    QCOMPARE(records.value(0), (QStringList{"日期", "时间", "类型", "事件"}));

    QSqlQuery query;
    QVERIFY(query.exec(QStringLiteral("select LogDate,LogTime,LogType,LogContent from LogInfo "
                                      "where LogType='报警日志' order by LogDate desc,rowid desc")));
    int row = 1;
    while (query.next()) {
        QStringList expected;
        for (int i = 0; i < 4; ++i) {
            QString value = query.value(i).toString();
            if (QStringLiteral("=+-@").contains(value.left(1)) && !value.isEmpty()) {
                value.prepend(QLatin1Char('\''));
            }
            expected << value;
        }
        QCOMPARE(records.value(row), expected);
        ++row;
    }
    QCOMPARE(row, 26);
    QCOMPARE(records.size(), 26);
    QCOMPARE(outFiles(), QStringList{QStringLiteral("alarm.csv")});

    // One management row says what was taken away.
    QCOMPARE(column(QStringLiteral("select LogContent from LogInfo where LogContent like '导出%'")),
             QStringList{QStringLiteral("导出报警日志 25 条")});
    QCOMPARE(column(QStringLiteral("select LogType from LogInfo where LogContent like '导出%'")),
             QStringList{QStringLiteral("管理日志")});
}

void tst_LogExport::suggestsTheFirstRemovableMedium_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("expected"); // under the media root; empty: the program's folder
    QTest::newRow("none mounted") << QStringList() << QString();
    QTest::newRow("one") << QStringList{"KINGSTON"} << QStringLiteral("KINGSTON");
    QTest::newRow("first by name") << QStringList{"usb2", "U盘", "usb1"} << QStringLiteral("usb1");
}

void tst_LogExport::suggestsTheFirstRemovableMedium()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, expected);
    for (const QString &folder : folders) {
        QVERIFY(QDir().mkpath(fixture->path(QStringLiteral("media/") + folder)));
    }
    // A file there is no medium.
    QVERIFY(QDir().mkpath(fixture->path(QStringLiteral("media"))));
    QVERIFY(writeFile(fixture->path(QStringLiteral("media/aaa.txt")), "x"));
    QCOMPARE(frmLog::exportFolder(), expected.isEmpty() ? ZemiHelper::applicationDirectory()
                                                        : fixture->path(QStringLiteral("media/") + expected));
}

void tst_LogExport::cancelledDialogDoesNothing()
{
    QVERIFY(addRows(QStringLiteral("管理日志"), 3, [](int i) { return QString::number(i); }));
    build();
    const int rows = count(QStringLiteral("select count(*) from LogInfo"));
    QTest::mouseClick(button("btnExport"), Qt::LeftButton);
    QCOMPARE(dialogCalls.size(), 1);
    QVERIFY(!logPage()->isExporting());
    QVERIFY(!telling());
    QVERIFY(!window->findChild<frmExportProgress *>() || !window->findChild<frmExportProgress *>()->isVisible());
    QCOMPARE(count(QStringLiteral("select count(*) from LogInfo")), rows);
}

// A folder that cannot take the file: the reason is told, nothing is left
// behind and nothing is logged as exported.
void tst_LogExport::failureIsToldWithItsReason()
{
    QVERIFY(addRows(QStringLiteral("管理日志"), 3, [](int i) { return QString::number(i); }));
    QVERIFY(writeFile(fixture->path(QStringLiteral("out/afile")), "x"));
    build();
    dialogAnswer = target(QStringLiteral("afile/log.csv"));
    exportShown();
    QCOMPARE(told(), QStringLiteral("导出失败：目标文件夹不可写"));
    QCOMPARE(outFiles(), QStringList{QStringLiteral("afile")});
    QCOMPARE(count(QStringLiteral("select count(*) from LogInfo where LogContent like '导出%'")), 0);
}

void tst_LogExport::lockedDatabaseIsToldAsDatabaseError()
{
    QVERIFY(addRows(QStringLiteral("管理日志"), 3, [](int i) { return QString::number(i); }));
    build();
    dialogAnswer = target(QStringLiteral("log.csv"));
    SqliteLock lock(fixture->dbFile());
    QVERIFY(lock.isHeld());
    exportShown();
    QCOMPARE(told(), QStringLiteral("导出失败：数据库错误"));
    QVERIFY(outFiles().isEmpty());
}

// A full log takes a while: the cover is there at once but shows only after
// half a second; under it nothing takes a press, the clock goes on, the saver
// stays away; cancelling leaves no file, and idle time counts again after.
void tst_LogExport::longExportShowsProgressAndCancelsWithoutFile()
{
    QVERIFY(addRows(QStringLiteral("管理日志"), 500000, [](int i) { return QStringLiteral("第%1条").arg(i); },
                    QStringLiteral("2020-01-01")));
    frmScreenSaver::setMinuteMs(100);
    // In rows of 4000 the whole log may be out in a second or two on a fast
    // machine, before the checks below are done; two rows at a time it takes
    // half a minute.
    frmLog::setExportChunkRows(2);
    build();
    AppConfig::TimeClose = 1; // 100 ms of idle time
    dialogAnswer = target(QStringLiteral("full.csv"));
    QTest::mouseClick(button("btnExport"), Qt::LeftButton);
    QVERIFY(logPage()->isExporting());
    auto *cover = window->findChild<frmExportProgress *>();
    QVERIFY(cover && cover->isVisible());
    QVERIFY(!cover->isRevealed());
    QVERIFY(!cover->findChild<QWidget *>(QStringLiteral("widgetPanel"))->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(cover->isRevealed(), 5000);
    QVERIFY(logPage()->isExporting());
    QVERIFY(cover->findChild<QWidget *>(QStringLiteral("widgetPanel"))->isVisible());
    QCOMPARE(cover->geometry(), window->rect());

    // A press on the return button under the cover does not leave the page.
    QPushButton *returnButton = button("btnReturn");
    const QPoint at = returnButton->mapTo(window.get(), returnButton->rect().center());
    QCOMPARE(window->childAt(at), cover);
    QTest::mouseClick(cover, Qt::LeftButton, {}, at);
    QVERIFY(logPage()->isVisible());

    auto *clock = window->findChild<QLabel *>(QStringLiteral("labTime"));
    const QString before = clock->text();
    ZemiClock::setNow(ZemiClock::now().addSecs(1));
    QTRY_VERIFY_WITH_TIMEOUT(clock->text() != before, 3000);
    QVERIFY(!window->findChild<frmScreenSaver *>()->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(cover->findChild<QProgressBar *>()->value() > 0, 30000);
    QVERIFY(logPage()->isExporting());

    QTest::mouseClick(cover->findChild<QPushButton *>(QStringLiteral("btnCancel")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!logPage()->isExporting() && telling(), 30000);
    QCOMPARE(told(), QStringLiteral("已取消导出"));
    QVERIFY(!cover->isVisible());
    QVERIFY(outFiles().isEmpty());
    QCOMPARE(count(QStringLiteral("select count(*) from LogInfo where LogContent like '导出%'")), 0);
    // With the export gone, idle time counts again.
    QTRY_VERIFY_WITH_TIMEOUT(window->findChild<frmScreenSaver *>()->isActive(), 5000);
}

QTEST_MAIN(tst_LogExport)
#include "tst_logexport.moc"
