// Renders every screen of safeterminal at 1024x600 and 800x480 into PNG files.
//   screenshots <output folder>
#include "appconfig.h"
#include "appinit.h"
#include "frmmain.h"
#include "terminalstart.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
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
};

void click(QWidget &root, const char *name)
{
    auto *button = root.findChild<QAbstractButton *>(QLatin1String(name));
    if (!button || !button->isVisible()) {
        qWarning() << "no visible button" << name;
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

void settle(int ms = 50)
{
    QTest::qWait(ms);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setFont(QFont(QStringLiteral("Microsoft Yahei"), 12));
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
    QDir().mkpath(outDir);

    TerminalStart::initResources();
    QTemporaryDir temp;
    AppConfig::ConfigFile = temp.filePath(QStringLiteral("safeterminal.ini"));
    const QString dbFile = temp.filePath(QStringLiteral("safeterminal.db"));
    TerminalStart::prepareDatabase(dbFile);
    TerminalStart::openDatabase(dbFile);
    AppInit::Instance()->start();

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
    };

    for (const QSize size : {QSize(1024, 600), QSize(800, 480)}) {
        for (const Shot &shot : shots) {
            AppConfig::resetDefaults();
            AppConfig::MainWidth = size.width();
            AppConfig::MainHeight = size.height();
            AppConfig::OpenMode = shot.openMode;
            frmMain w;
            w.setWindowTitle(QStringLiteral("智能保险柜"));
            w.show();
            if (!QTest::qWaitForWindowExposed(&w)) {
                qWarning() << "window not exposed";
                return 1;
            }
            shot.steps(w);
            settle();
            const QString file = QStringLiteral("%1/%2-%3x%4.png")
                                     .arg(outDir, shot.name)
                                     .arg(size.width())
                                     .arg(size.height());
            if (!w.grab().save(file)) {
                qWarning() << "cannot write" << file;
                return 1;
            }
        }
    }
    return 0;
}
