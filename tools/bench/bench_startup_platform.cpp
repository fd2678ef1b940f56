// The platform's start-up and restyling, each beside its floor, in one run.
// Start-up: from just before a fresh process is started to the first paint of
// its main window, beside a minimal Qt Widgets window of the same size, with
// peak memory. Restyling, on the platform's own window in the same run: from
// choosing a style in the right-click menu to the next paint, beside a bare
// qApp->setStyleSheet of the same final sheet text.
//   bench_startup_platform [runs]      (default 15; on $DISPLAY when set, else offscreen)
#include "frmmain.h"
#include "benchfigures.h"
#include "platformstart.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QVector>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

qint64 monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}



// Notes the paints of a window.
class PaintWatch : public QObject
{
public:
    qint64 first = 0;
    int count = 0;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            if (first == 0) {
                first = monotonicNs();
            }
            ++count;
        }
        return QObject::eventFilter(watched, event);
    }
    // Runs the event loop until the window has painted once more.
    bool waitForPaint()
    {
        const int before = count;
        QElapsedTimer guard;
        guard.start();
        while (count == before && guard.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return count > before;
    }
};

void waitForFirstPaint(QWidget &window, PaintWatch &watch)
{
    window.installEventFilter(&watch);
    window.show();
    while (watch.first == 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

// One restyle: from a neutral sheet (painted) to the style, until the next paint.
template <typename Apply>
double timeRestyle(PaintWatch &watch, Apply apply)
{
    qApp->setStyleSheet(QStringLiteral("QWidget{}"));
    watch.waitForPaint();
    QElapsedTimer timer;
    timer.start();
    apply();
    watch.waitForPaint();
    return double(timer.nsecsElapsed()) / 1e6;
}

int platform(int argc, char *argv[], int repeats)
{
    QApplication a(argc, argv);
    PlatformStart::startApplication(a);
    frmMain w;
    PaintWatch watch;
    waitForFirstPaint(w, watch);
    std::printf("SHOWN %lld %lld\n", static_cast<long long>(watch.first), static_cast<long long>(BenchFigures::peakRssKiB()));

    for (const char *name : {"蓝色扁平", "视频黑"}) {
        QAction *action = nullptr;
        for (QAction *candidate : w.actions()) {
            if (candidate->text() == QString::fromUtf8(name)) {
                action = candidate;
            }
        }
        if (!action) {
            return 1;
        }
        action->trigger();
        const QString sheet = qApp->styleSheet();
        QVector<double> menu, bare;
        for (int i = 0; i < repeats; ++i) {
            // Alternating keeps drift from favouring either side.
            menu << timeRestyle(watch, [action] { action->trigger(); });
            bare << timeRestyle(watch, [&sheet] { qApp->setStyleSheet(sheet); });
        }
        std::printf("STYLE %s %.3f %.3f\n", name, BenchFigures::median(menu), BenchFigures::median(bare));
    }
    std::printf("PEAK %lld\n", static_cast<long long>(BenchFigures::peakRssKiB()));
    std::fflush(stdout);
    return 0;
}

int minimal(int argc, char *argv[])
{
    QApplication a(argc, argv);
    QWidget w;
    w.resize(1000, 720);
    PaintWatch watch;
    waitForFirstPaint(w, watch);
    std::printf("SHOWN %lld %lld\n", static_cast<long long>(watch.first), static_cast<long long>(BenchFigures::peakRssKiB()));
    std::fflush(stdout);
    return 0;
}

struct Sample {
    double ms = 0;
    qint64 rssKiB = 0;
    QList<QByteArray> lines;
};

bool runChild(const QString &mode, int repeats, Sample &sample)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM"))) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"),
                   env.contains(QStringLiteral("DISPLAY")) ? QStringLiteral("xcb") : QStringLiteral("offscreen"));
    }
    p.setProcessEnvironment(env);
    const qint64 start = monotonicNs();
    p.start(QCoreApplication::applicationFilePath(), {mode, QString::number(repeats)});
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return false;
    }
    sample.lines = p.readAllStandardOutput().split('\n');
    for (const QByteArray &line : sample.lines) {
        if (line.startsWith("SHOWN ")) {
            const QList<QByteArray> parts = line.split(' ');
            sample.ms = double(parts.value(1).toLongLong() - start) / 1e6;
            sample.rssKiB = parts.value(2).toLongLong();
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 2 && qstrcmp(argv[1], "--secplatform") == 0) {
        return platform(argc, argv, qMax(1, atoi(argv[2])));
    }
    if (argc > 1 && qstrcmp(argv[1], "--minimal") == 0) {
        return minimal(argc, argv);
    }

    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 15;

    Sample warm;
    if (!runChild(QStringLiteral("--secplatform"), 1, warm) || !runChild(QStringLiteral("--minimal"), 1, warm)) {
        std::fprintf(stderr, "a child did not show its window\n");
        return 1;
    }
    QVector<double> platformMs, minimalMs;
    qint64 platformRss = 0, minimalRss = 0;
    for (int i = 0; i < runs; ++i) {
        Sample p, m;
        if (!runChild(QStringLiteral("--secplatform"), 1, p) || !runChild(QStringLiteral("--minimal"), 1, m)) {
            std::fprintf(stderr, "a child did not show its window\n");
            return 1;
        }
        platformMs << p.ms;
        minimalMs << m.ms;
        platformRss = qMax(platformRss, p.rssKiB);
        minimalRss = qMax(minimalRss, m.rssKiB);
    }
    // The restyling figures come from one more platform process, run longer.
    Sample styles;
    if (!runChild(QStringLiteral("--secplatform"), 20, styles)) {
        std::fprintf(stderr, "the platform did not show its window\n");
        return 1;
    }

    const QString qpa = qEnvironmentVariable("QT_QPA_PLATFORM",
                                             qEnvironmentVariableIsSet("DISPLAY") ? QStringLiteral("xcb")
                                                                                  : QStringLiteral("offscreen"));
    const double pMed = BenchFigures::median(platformMs), mMed = BenchFigures::median(minimalMs);
    BenchFigures::printEnvironment(qpa);
    std::printf("start-up to first paint of the main window, %d runs each (%s platform)\n", runs, qPrintable(qpa));
    std::printf("  %-22s median %7.1f ms  min %7.1f ms  peak RSS %6.1f MiB\n", "minimal Qt window", mMed,
                *std::min_element(minimalMs.begin(), minimalMs.end()), minimalRss / 1024.0);
    std::printf("  %-22s median %7.1f ms  min %7.1f ms  peak RSS %6.1f MiB\n", "secplatform", pMed,
                *std::min_element(platformMs.begin(), platformMs.end()), platformRss / 1024.0);
    std::printf("  ratio (median): %.2f  (target: within 2)\n", mMed > 0 ? pMed / mMed : 0.0);
    std::printf("style chosen in the menu to the next paint, median of 20 (same window)\n");
    std::printf("  %-10s %10s %18s %8s\n", "style", "menu ms", "setStyleSheet ms", "ratio");
    for (const QByteArray &line : styles.lines) {
        if (line.startsWith("STYLE ")) {
            const QList<QByteArray> parts = line.split(' ');
            const double menu = parts.value(2).toDouble(), bare = parts.value(3).toDouble();
            std::printf("  %-10s %10.2f %18.2f %8.2f  (target: within 1.3)\n",
                        qPrintable(QString::fromUtf8(parts.value(1))), menu, bare, bare > 0 ? menu / bare : 0.0);
        } else if (line.startsWith("PEAK ")) {
            std::printf("  peak RSS of that process %.1f MiB\n", line.mid(5).toLongLong() / 1024.0);
        }
    }
    return 0;
}
