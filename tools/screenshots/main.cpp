// Renders every screen of safeterminal at 1024x600 and 800x480 into PNG files.
//   screenshots <output folder>
#include "appconfig.h"
#include "appinit.h"
#include "dbhelper.h"
#include "fingerreader.h"
#include "fingersteps.h"
#include "frmexportprogress.h"
#include "frmmain.h"
#include "terminalstart.h"
#include "virtualfinger.h"
#include "zemihelper.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QSqlQuery>
#include <QTableView>
#include <QSqlDatabase>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QtDebug>
#include <functional>

namespace {

struct Shot {
    QString name;
    int openMode;
    std::function<void(frmMain &)> steps;
    // Shots of something passing (an export under way) are taken at once.
    bool settle = true;
    std::function<void()> after = nullptr;
};

// Presses the visible button of that name (screens reuse names such as btnReturn).
void click(QWidget &root, const char *name)
{
    for (QAbstractButton *button : root.findChildren<QAbstractButton *>(QLatin1String(name))) {
        if (button->isVisible()) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    qWarning() << "no visible button" << name;
}

// Presses the visible label of that name, as a finger on the hand pictures.
void pressLabel(QWidget &root, const char *name)
{
    for (QLabel *label : root.findChildren<QLabel *>(QLatin1String(name))) {
        if (label->isVisible()) {
            QTest::mousePress(label, Qt::LeftButton);
            return;
        }
    }
    qWarning() << "no visible label" << name;
}

// Selects a row of the visible table of that name.
void selectRow(QWidget &root, const char *name, int row)
{
    for (QTableView *table : root.findChildren<QTableView *>(QLatin1String(name))) {
        if (table->isVisible()) {
            table->setCurrentIndex(table->model()->index(row, 0));
            return;
        }
    }
    qWarning() << "no visible table" << name;
}

// Enough rows for several pages of every list.
void addSampleData()
{
    const QStringList names = {"张伟", "王芳", "李娜", "刘洋", "陈静", "杨磊", "赵敏", "黄强", "周杰", "吴霞", "徐涛", "孙丽"};
    const QStringList admins = {"开柜/设置/日志/用户", "开柜", "开柜/日志", "", "设置/日志", "开柜"};
    const QStringList doors = {"外门/内门1/内门2", "外门", "内门3/内门4", "外门/小门", "", "备用"};
    QSqlDatabase::database().transaction();
    for (int i = 0; i < names.size(); ++i) {
        QString fingers = QStringLiteral("/////////");
        if (i == 2) {
            fingers = QStringLiteral("/2026-12-01 09:12:40/2026-12-01 09:13:05////2026-12-01 09:14:11///");
        }
        DBHelper::addUser(QStringLiteral("10%1").arg(i + 1, 2, 10, QLatin1Char('0')), names.at(i),
                          QStringLiteral("123456"), admins.at(i % admins.size()), doors.at(i % doors.size()), fingers);
    }
    const QStringList types = {"管理日志", "开柜日志", "报警日志", "物资管理日志"};
    const QStringList texts = {"进入用户管理界面", "用户开柜成功", "温度报警", "物资入柜登记"};
    for (int t = 0; t < types.size(); ++t) {
        for (int i = 0; i < 45; ++i) {
            const QDateTime when = QDateTime(QDate(2026, 12, 1), QTime(8, 0)).addSecs(i * 1870 + t * 97);
            DBHelper::addLog(types.at(t), when.toString(QStringLiteral("yyyy-MM-dd")),
                             when.toString(QStringLiteral("HH:mm:ss")), texts.at(t));
        }
    }
    const QStringList goodsTypes = {"贵重物品", "机要文件", "印章", "钥匙"};
    const QStringList faults = {"非法开门", "温度报警", "金属误入插入", "市电掉电", "震动报警"};
    for (int i = 0; i < 30; ++i) {
        DBHelper::addGoods(QStringLiteral("WP%1").arg(i, 3, 10, QLatin1Char('0')),
                           QStringLiteral("EPC%1").arg(i, 3, 10, QLatin1Char('0')), goodsTypes.at(i % 4),
                           i % 7 == 3 ? QStringLiteral("已取出") : QStringLiteral("在柜"));
        DBHelper::addError(faults.at(i % 5), QStringLiteral("故障排查信息"));
    }
    QSqlDatabase::database().commit();
}

void settle(int ms = 50)
{
    QTest::qWait(ms);
}

// A full log of older management rows, so that an export runs long enough to show its progress.
void addFullLog()
{
    QSqlDatabase::database().transaction();
    QSqlQuery insert;
    insert.prepare(QStringLiteral("insert into LogInfo values('管理日志',?,?,'归档记录')"));
    for (int i = 0; i < 500000; ++i) {
        insert.addBindValue(QStringLiteral("2026-%1-%2").arg(1 + i / 50000 % 10, 2, 10, QLatin1Char('0'))
                                .arg(1 + i / 2000 % 28, 2, 10, QLatin1Char('0')));
        insert.addBindValue(QStringLiteral("08:00:00"));
        insert.exec();
    }
    QSqlDatabase::database().commit();
}

void removeFullLog()
{
    QSqlQuery(QStringLiteral("delete from LogInfo where LogContent='归档记录'")).exec();
}

// The terminal's reader on libfprint's virtual reader at that socket.
bool startVirtualReader(const QString &socket)
{
    qputenv("FP_VIRTUAL_DEVICE_STORAGE", socket.toLocal8Bit());
    FingerReader::reset();
    FingerReader::instance()->start();
    return QTest::qWaitFor([] { return FingerReader::instance()->state() == FingerReader::State::Ready; }, 10000);
}

// Enrols a user's finger as an operator does: the user's row, 重录指纹, the
// finger on the hands, then five presses on the reader.
void enrolThroughScreens(const QString &socket, int row, const char *fingerLabel, const QString &finger)
{
    frmMain w;
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) {
        qWarning() << "window not exposed";
    }
    settle(100);
    click(w, "btnUser");
    selectRow(w, "tableMain", row);
    click(w, "btnUpdate");
    click(w, "btnFinger");
    pressLabel(w, fingerLabel);
    for (int i = 0; i < 5; ++i) {
        VirtualFinger::send(socket, QStringLiteral("SCAN ") + finger);
    }
    settle(300);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setFont(TerminalStart::applicationFont());
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
    QDir().mkpath(outDir);

    TerminalStart::initResources();
    QTemporaryDir temp;
    AppConfig::ConfigFile = temp.filePath(QStringLiteral("safeterminal.ini"));
    const QString dbFile = temp.filePath(QStringLiteral("safeterminal.db"));
    TerminalStart::prepareDatabase(dbFile);
    TerminalStart::openDatabase(dbFile);
    AppInit::Instance()->start();
    addSampleData();
    const QString exportFile = temp.filePath(QStringLiteral("export.csv"));
    ZemiHelper::setFileDialogHook([exportFile](const QString &, const QString &, const QString &) {
        return QStringList{exportFile};
    });

    const QList<Shot> shots = {
        {QStringLiteral("main"), 0, [](frmMain &) {}},
        {QStringLiteral("open-one-person"), 1, [](frmMain &w) { click(w, "btnOpen"); }},
        {QStringLiteral("open-two-persons-step2"), 2,
         [](frmMain &w) {
             click(w, "btnOpen");
             click(w, "btnFinger1");
         }},
        {QStringLiteral("open-three-persons-step3"), 3,
         [](frmMain &w) {
             click(w, "btnOpen");
             click(w, "btnFinger1");
             click(w, "btnFinger2");
         }},
        {QStringLiteral("open-door-choice"), 0,
         [](frmMain &w) {
             click(w, "btnOpen");
             click(w, "btnDown");
             click(w, "btnDown");
         }},
        {QStringLiteral("open-remote-approval-pending"), 0,
         [](frmMain &w) {
             click(w, "btnOpen");
             click(w, "btnDoor");
         }},
        {QStringLiteral("open-remote-approval-ok"), 0,
         [](frmMain &w) {
             click(w, "btnOpen");
             click(w, "btnDoor");
             settle(1200);
         }},
        {QStringLiteral("open-verify-choice"), 4, [](frmMain &w) { click(w, "btnOpen"); }},
        {QStringLiteral("user-list"), 0, [](frmMain &w) { click(w, "btnUser"); }},
        {QStringLiteral("user-edit"), 0,
         [](frmMain &w) {
             click(w, "btnUser");
             selectRow(w, "tableMain", 2);
             click(w, "btnUpdate");
         }},
        {QStringLiteral("user-fingers"), 0,
         [](frmMain &w) {
             click(w, "btnUser");
             selectRow(w, "tableMain", 2);
             click(w, "btnUpdate");
             click(w, "btnFinger");
         }},
        {QStringLiteral("user-enrol"), 0,
         [](frmMain &w) {
             click(w, "btnUser");
             selectRow(w, "tableMain", 2);
             click(w, "btnUpdate");
             click(w, "btnFinger");
             pressLabel(w, "labHandRight2");
         }},
        {QStringLiteral("log-management"), 0, [](frmMain &w) { click(w, "btnLog"); }},
        {QStringLiteral("log-opening"), 0,
         [](frmMain &w) {
             click(w, "btnLog");
             click(w, "btnLog2");
             settle(200);
             click(w, "btnNext");
         }},
        {QStringLiteral("log-export-progress"), 0,
         [](frmMain &w) {
             addFullLog();
             click(w, "btnLog");
             settle(200);
             click(w, "btnExport");
             frmExportProgress *cover = w.findChild<frmExportProgress *>();
             QProgressBar *bar = cover ? cover->findChild<QProgressBar *>() : nullptr;
             for (int i = 0; cover && i < 500 && !(cover->isRevealed() && bar->value() >= 150); ++i) {
                 settle(10);
             }
             if (!cover || !cover->isRevealed()) {
                 qWarning() << "the export ended before its progress showed";
             }
         },
         false, removeFullLog},
        {QStringLiteral("log-alarm"), 0,
         [](frmMain &w) {
             click(w, "btnLog");
             click(w, "btnLog3");
         }},
        {QStringLiteral("log-goods"), 0,
         [](frmMain &w) {
             click(w, "btnLog");
             click(w, "btnLog4");
         }},
        {QStringLiteral("status-basic"), 0, [](frmMain &w) { click(w, "btnStatus"); }},
        {QStringLiteral("screen-saver"), 0,
         [](frmMain &w) {
             click(w, "btnStatus");
             click(w, "btnDormant");
         }},
        {QStringLiteral("status-goods"), 0,
         [](frmMain &w) {
             click(w, "btnStatus");
             click(w, "btnStatus1");
         }},
        {QStringLiteral("status-faults"), 0,
         [](frmMain &w) {
             click(w, "btnStatus");
             click(w, "btnStatus2");
         }},
        {QStringLiteral("config-switch"), 0,
         [](frmMain &w) {
             AppConfig::OpenMode = 2;
             AppConfig::LogMode = 1;
             AppConfig::OpenAuthor = true;
             AppConfig::Admin = true;
             click(w, "btnConfig");
         }},
        {QStringLiteral("config-alarm"), 0,
         [](frmMain &w) {
             click(w, "btnConfig");
             click(w, "btnConfigAlarm");
         }},
        {QStringLiteral("config-system"), 0,
         [](frmMain &w) {
             click(w, "btnConfig");
             click(w, "btnConfigSystem");
         }},
        {QStringLiteral("config-net"), 0,
         [](frmMain &w) {
             click(w, "btnConfig");
             click(w, "btnConfigNet");
         }},
    };

    // With a reader (libfprint's virtual one): the finger steps as they run.
    const QString socket = temp.filePath(QStringLiteral("reader.sock"));
    const auto scan = [socket](const char *finger, int times = 1) {
        for (int i = 0; i < times; ++i) {
            VirtualFinger::send(socket, QStringLiteral("SCAN ") + QLatin1String(finger));
            settle(60);
        }
    };
    const QList<Shot> readerShots = {
        {QStringLiteral("reader-enrol-progress"), 0,
         [scan](frmMain &w) {
             click(w, "btnUser");
             selectRow(w, "tableMain", 4);
             click(w, "btnUpdate");
             click(w, "btnFinger");
             pressLabel(w, "labHandLeft2");
             scan("fe", 2);
         }},
        {QStringLiteral("reader-step-accepted"), 2,
         [scan](frmMain &w) {
             click(w, "btnOpen");
             scan("fa");
         },
         false},
        {QStringLiteral("reader-step-refused"), 1,
         [scan](frmMain &w) {
             click(w, "btnOpen");
             scan("fz");
         }},
        {QStringLiteral("reader-locked"), 1,
         [scan](frmMain &w) {
             click(w, "btnOpen");
             scan("fz", FingerSteps::FailuresBeforeLock);
         }},
    };

    for (const QSize size : {QSize(1024, 600), QSize(800, 480)}) {
      for (const bool withReader : {false, true}) {
        if (!withReader) {
            // No reader at start: taps stand in for fingers.
            qunsetenv("FP_VIRTUAL_DEVICE_STORAGE");
            FingerReader::reset();
        } else {
            AppConfig::resetDefaults();
            AppConfig::MainWidth = size.width();
            AppConfig::MainHeight = size.height();
            QSqlQuery(QStringLiteral("delete from FingerPrint")).exec();
            if (!startVirtualReader(socket)) {
                qWarning() << "the virtual reader did not open";
                return 1;
            }
            enrolThroughScreens(socket, 0, "labHandLeft4", QStringLiteral("fa"));
            enrolThroughScreens(socket, 2, "labHandRight2", QStringLiteral("fb"));
        }
        for (const Shot &shot : withReader ? readerShots : shots) {
            FingerSteps::reset();
            AppConfig::resetDefaults();
            AppConfig::MainWidth = size.width();
            AppConfig::MainHeight = size.height();
            AppConfig::OpenMode = shot.openMode;
            frmMain w;
            w.setWindowTitle(TerminalStart::windowTitle());
            w.show();
            if (!QTest::qWaitForWindowExposed(&w)) {
                qWarning() << "window not exposed";
                return 1;
            }
            shot.steps(w);
            if (shot.settle) {
                settle(300); // background counts and timers
            }
            const QString file = QStringLiteral("%1/%2-%3x%4.png")
                                     .arg(outDir, shot.name)
                                     .arg(size.width())
                                     .arg(size.height());
            if (!w.grab().save(file)) {
                qWarning() << "cannot write" << file;
                return 1;
            }
            if (shot.after) {
                shot.after();
            }
        }
      }
    }
    return 0;
}
