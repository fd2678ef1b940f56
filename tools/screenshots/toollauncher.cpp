// Renders the tools launcher with its first two backgrounds at 800x480 and 1024x600.
//   screenshots_toollauncher <output folder>
#include "frmmain.h"
#include "launcherstart.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QToolButton>
#include <QtDebug>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        qWarning("usage: screenshots_toollauncher <output folder>");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath(QStringLiteral("."));
    LauncherStart::startApplication(app);

    bool ok = true;
    for (const QSize size : {QSize(800, 480), QSize(1024, 600)}) {
        frmMain w;
        w.resize(size);
        w.show();
        if (!QTest::qWaitForWindowExposed(&w)) {
            qWarning("the window was not shown");
            return 1;
        }
        for (int shot = 0; shot < 2; ++shot) {
            if (shot > 0) {
                QTest::mouseClick(w.findChild<QToolButton *>(QStringLiteral("btnCOMTool")), Qt::LeftButton);
            }
            QApplication::processEvents();
            const QString file = out.filePath(QStringLiteral("toollauncher-%1-%2x%3.png")
                                                  .arg(QFileInfo(w.currentBackground()).baseName())
                                                  .arg(size.width())
                                                  .arg(size.height()));
            if (!w.grab().save(file)) {
                qWarning() << "cannot write" << file;
                ok = false;
            }
        }
    }
    return ok ? 0 : 1;
}
