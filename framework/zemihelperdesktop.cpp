// Application and desktop: screen geometry, the program's folder and name, codec,
// translator and waiting.

#include "zemihelper.h"
#include "zemilog.h"
#include "zemiclock.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QScreen>
#include <QTextCodec>
#include <QTimer>
#include <QTime>
#include <QTranslator>
#include <QWidget>
#include <QtDebug>

#include <cstdlib>

int ZemiHelper::desktopWidth()
{
    static int width = 0;
    if (width == 0) {
        const QScreen *screen = QGuiApplication::primaryScreen();
        if (screen) {
            width = screen->availableGeometry().width();
        }
    }
    return width;
}

int ZemiHelper::desktopHeight()
{
    static int height = 0;
    if (height == 0) {
        const QScreen *screen = QGuiApplication::primaryScreen();
        if (screen) {
            height = screen->availableGeometry().height();
        }
    }
    return height;
}

QString ZemiHelper::applicationDirectory()
{
    return QCoreApplication::applicationDirPath();
}

QString ZemiHelper::applicationBaseName()
{
    static QString name;
    if (name.isEmpty()) {
        const QString path = QCoreApplication::applicationFilePath();
        name = path.split(QLatin1Char('/')).last().split(QLatin1Char('.')).first();
    }
    return name;
}

void ZemiHelper::seedRandom()
{
    const QTime time = ZemiClock::currentTime();
    std::srand(uint(time.msec() + time.second() * 1000));
}

void ZemiHelper::ensureDirectory(const QString &path)
{
    QString dirName = path;
    if (!dirName.startsWith(QLatin1Char('/')) && !dirName.contains(QLatin1String(":/"))) {
        dirName = QStringLiteral("%1/%2").arg(applicationDirectory(), dirName);
    }
    QDir dir(dirName);
    if (!dir.exists()) {
        dir.mkpath(dirName);
    }
}

void ZemiHelper::centerWidget(QWidget *widget)
{
    const int x = desktopWidth() / 2 - widget->width() / 2;
    const int y = desktopHeight() / 2 - widget->height() / 2;
    widget->move(x, y);
}

void ZemiHelper::setUtf8Codec()
{
    QTextCodec *codec = QTextCodec::codecForName("utf-8");
    QTextCodec::setCodecForLocale(codec);
}

void ZemiHelper::installTranslator(const QString &qmFile)
{
    auto *translator = new QTranslator(qApp);
    // A catalogue that fails to load is installed all the same: it simply translates nothing.
    if (!translator->load(qmFile)) {
        qCDebug(lcFramework) << "translation not loaded:" << qmFile;
    }
    QCoreApplication::installTranslator(translator);
}

void ZemiHelper::sleepMs(int msec)
{
    // Events go on being handled meanwhile; the thread itself sleeps in the loop.
    if (msec <= 0) {
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(msec, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}
