// Restyling the gallery window: ZemiHelper::applyStyle beside a bare
// qApp->setStyleSheet of the same text on the same window, for a light and a
// dark style, with the peak memory.
//   bench_styles [repeats]          (default 20)
#include "gallerywindow.h"
#include "zemihelper.h"
#include "zemistyle.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QVector>

#include <algorithm>
#include <cstdio>

namespace {

qint64 rssKiB(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key)) {
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toLongLong();
        }
    }
    return -1;
}

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

QString sheetOf(Style style)
{
    QFile file(ZemiStyle::styleFile(style));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

// One restyle: from a neutral sheet to the style, and the window painted once,
// so the figure holds the polish and the first paint the user waits for.
template <typename Apply>
double timeOnce(GalleryWindow &window, Apply apply)
{
    qApp->setStyleSheet(QStringLiteral("QWidget{}"));
    window.grab();
    QElapsedTimer timer;
    timer.start();
    apply();
    window.grab();
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ZemiStyle::initResources();
    const int repeats = argc > 1 ? qMax(1, atoi(argv[1])) : 20;

    GalleryWindow window;
    window.show();
    QApplication::processEvents();

    std::printf("restyling the gallery window, median of %d runs (polish + one paint)\n", repeats);
    std::printf("%-10s %14s %18s %8s\n", "style", "applyStyle ms", "setStyleSheet ms", "ratio");
    for (Style style : {Style_LightBlue, Style_DarkBlack}) {
        const QString sheet = sheetOf(style);
        QVector<double> framework, bare;
        for (int i = 0; i < repeats; ++i) {
            // Alternating keeps drift from favouring either side.
            framework << timeOnce(window, [style] { ZemiHelper::applyStyle(style); });
            bare << timeOnce(window, [&sheet] { qApp->setStyleSheet(sheet); });
        }
        const double f = median(framework), b = median(bare);
        std::printf("%-10s %14.2f %18.2f %8.2f\n", qPrintable(ZemiStyle::styleName(style)), f, b, b > 0 ? f / b : 0);
    }
    std::printf("peak memory: %lld KiB\n", static_cast<long long>(rssKiB("VmHWM:")));
    return 0;
}
