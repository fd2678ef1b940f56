#include "platformfixture.h"

#include "appinit.h"
#include "platformstart.h"
#include "zemihelper.h"

#include <QApplication>
#include <QIcon>
#include <QImage>

PlatformFixture::PlatformFixture()
{
    static const bool started = [] {
        PlatformStart::startApplication(*qobject_cast<QApplication *>(QCoreApplication::instance()));
        return true;
    }();
    Q_UNUSED(started)
    ZemiHelper::applyProgramStyle(PlatformStart::defaultStyle());
    testSeams.keep(&PlatformStart::pictureDirectory, &PlatformStart::setPictureDirectory);
    PlatformStart::setPictureDirectory(temp.path());
}

PlatformFixture::~PlatformFixture() = default;

QColor PlatformFixture::glyphColor(const QIcon &icon, const QSize &size)
{
    const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
    QColor best(Qt::transparent);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > best.alpha()) {
                best = c;
            }
        }
    }
    return best;
}

void PlatformFixture::useSuiteDisplay()
{
    const QByteArray display = qgetenv("SECSUITE_XVFB_DISPLAY");
    if (!display.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("DISPLAY", display);
    }
}

bool PlatformFixture::onSuiteDisplay()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}
