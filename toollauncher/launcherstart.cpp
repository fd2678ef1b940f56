#include "launcherstart.h"
#include "appinit.h"
#include "frameworkresources.h"

#include <QApplication>
#include <QColor>
#include <QFile>
#include <QPalette>
#include <QTextCodec>

QString LauncherStart::stylePath = QStringLiteral(":/qss/psblack.css");

// Resources of a static library must be registered by name.
static void registerResources()
{
    FrameworkResources::init(); // the style sheet
    Q_INIT_RESOURCE(toollauncher);
}

void LauncherStart::initResources()
{
    static const bool done = [] {
        registerResources();
        return true;
    }();
    Q_UNUSED(done)
}

void LauncherStart::startApplication(QApplication &app)
{
    initResources();
    app.setFont(applicationFont());
    AppInit::Instance()->start();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    applyStyle(stylePath);
}

QFont LauncherStart::applicationFont()
{
    return QFont(QStringLiteral("Microsoft Yahei"), 9);
}

bool LauncherStart::applyStyle(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QFile::ReadOnly)) {
        return false;
    }
    QByteArray data = file.readAll();
    // Style files may carry padding after their text.
    const int end = data.indexOf('\0');
    if (end >= 0) {
        data.truncate(end);
    }
    const QString qss = QString::fromLatin1(data);
    const QString paletteColor = qss.mid(20, 7);
    qApp->setPalette(QPalette(QColor(paletteColor)));
    qApp->setStyleSheet(qss);
    file.close();
    return true;
}
