#include "consolestart.h"
#include "appinit.h"

#include <QApplication>
#include <QTextCodec>

// Resources of a static library must be registered by name.
static void registerResources()
{
    Q_INIT_RESOURCE(tollconsole);
}

void ConsoleStart::initResources()
{
    static const bool done = [] {
        registerResources();
        return true;
    }();
    Q_UNUSED(done)
}

void ConsoleStart::startApplication(QApplication &app)
{
    initResources();
    app.setFont(applicationFont());
    AppInit::Instance()->start();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
}

QFont ConsoleStart::applicationFont()
{
    return QFont(QStringLiteral("Microsoft Yahei"), 9);
}
