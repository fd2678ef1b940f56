#include "platformstart.h"
#include "platformstyle.h"
#include "appinit.h"
#include "zemihelper.h"
#include "zemistyle.h"

#include <QApplication>
#include <QFont>

namespace {
QString pictureFolder;
}

void PlatformStart::initResources()
{
    ZemiStyle::initResources();
}

void PlatformStart::startApplication(QApplication &app)
{
    Q_UNUSED(app)
    AppInit *appInit = AppInit::Instance();
    appInit->setStartStep(&PlatformStart::start);
    appInit->setDragFilterEnabled(false);
    appInit->start();
    ZemiHelper::applyProgramStyle(defaultStyle());
}

void PlatformStart::start(AppInit *appInit)
{
    initResources();
    appInit->setStyleRules(&PlatformStyle::screenRules);
    ZemiHelper::iconMain = 0xF108;
    ZemiHelper::fontSize = 12;

    QFont font(ZemiHelper::fontName);
    font.setPixelSize(ZemiHelper::fontSize);
    qApp->setFont(font);

    ZemiHelper::setUtf8Codec();
    // The platform carries no catalogue of its own: this load fails quietly.
    ZemiHelper::installTranslator(QStringLiteral(":/image/qt_zh_CN.qm"));
    ZemiHelper::seedRandom();
}

QString PlatformStart::pictureDirectory()
{
    return pictureFolder.isEmpty() ? ZemiHelper::applicationDirectory() : pictureFolder;
}

void PlatformStart::setPictureDirectory(const QString &path)
{
    pictureFolder = path;
}
