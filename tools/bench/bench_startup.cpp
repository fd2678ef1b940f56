// Start-up time and memory of the terminal beside two floors: a bare Qt
// Widgets window, and a window that draws the same pixels as the terminal's
// first paint (its background picture, a line of Chinese text in its font,
// the five navigation icons). Each figure comes from a fresh process: the
// time runs from just before the process is started to the end of the first
// paint of its main window.
//   bench_startup [runs]
#include "frmmain.h"
#include "benchfigures.h"
#include "terminalstart.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
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


// Notes when the first paint of a window is done: the window and all its
// children painted. A zero timer started at the window's own paint event runs
// once that paint is over, and before any zero timer the window starts while
// painting (the terminal builds its screens on one).
class FirstPaint : public QObject
{
public:
    qint64 at = 0;
    qint64 rssKiB = 0;
    bool started = false;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !started) {
            started = true;
            QTimer::singleShot(0, this, [this] {
                at = monotonicNs();
                rssKiB = BenchFigures::peakRssKiB();
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }
};

int report(QWidget &window)
{
    FirstPaint paint;
    window.installEventFilter(&paint);
    window.show();
    QApplication::exec();
    std::printf("SHOWN %lld %lld\n", static_cast<long long>(paint.at), static_cast<long long>(paint.rssKiB));
    std::fflush(stdout);
    return 0;
}

// The terminal's main(), as it stands.
int terminal(int argc, char *argv[])
{
    QApplication a(argc, argv);
    TerminalStart::startApplication(a);
    frmMain w;
    w.setWindowTitle(TerminalStart::windowTitle());
    return report(w);
}

int minimal(int argc, char *argv[])
{
    QApplication a(argc, argv);
    QWidget w;
    w.resize(1024, 600);
    return report(w);
}

// The pixels of the terminal's first paint with nothing behind them: no
// configuration, database, style sheet or child widgets.
class SamePixels : public QWidget
{
public:
    SamePixels()
    {
        resize(1024, 600);
        background = QPixmap(QStringLiteral(":/bg/main10.jpg"));
        for (const char *name : {"main_user", "main_open", "main_log", "main_config", "main_status"}) {
            icons << QPixmap(QStringLiteral(":/image/%1.png").arg(QLatin1String(name)));
        }
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawPixmap(rect(), background);
        painter.setPen(Qt::white);
        painter.drawText(QRect(0, 0, width(), 60), Qt::AlignCenter, TerminalStart::windowTitle());
        for (int i = 0; i < icons.size(); ++i) {
            painter.drawPixmap(240 + i * 150, 240, icons.at(i));
        }
    }

private:
    QPixmap background;
    QList<QPixmap> icons;
};

int samePixels(int argc, char *argv[])
{
    QApplication a(argc, argv);
    TerminalStart::initResources();
    a.setFont(TerminalStart::applicationFont());
    SamePixels w;
    return report(w);
}

struct Sample {
    double ms;
    qint64 rssKiB;
    double laterMs = 0; // the console's lanes on screen
};

bool runChild(const QString &exe, const QString &mode, Sample &sample)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM"))) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    const qint64 start = monotonicNs();
    p.start(exe, mode.isEmpty() ? QStringList() : QStringList{mode});
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return false;
    }
    for (const QByteArray &line : p.readAllStandardOutput().split('\n')) {
        if (line.startsWith("SHOWN ")) {
            const QList<QByteArray> parts = line.split(' ');
            sample.ms = double(parts.value(1).toLongLong() - start) / 1e6;
            // The programs' own children report their second moment in place of the memory.
            if (mode.isEmpty()) {
                sample.laterMs = parts.value(2).toLongLong() > 0 ? double(parts.value(2).toLongLong() - start) / 1e6 : 0;
                sample.rssKiB = 0;
            } else {
                sample.rssKiB = parts.value(2).toLongLong();
            }
            return true;
        }
    }
    return false;
}


} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--terminal") == 0) {
        return terminal(argc, argv);
    }
    if (argc > 1 && qstrcmp(argv[1], "--minimal") == 0) {
        return minimal(argc, argv);
    }
    if (argc > 1 && qstrcmp(argv[1], "--same-pixels") == 0) {
        return samePixels(argc, argv);
    }

    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 15;

    // The terminal keeps its files beside the program: run a copy in a temporary folder.
    QTemporaryDir temp;
    const QString exe = temp.filePath(QStringLiteral("safeterminal"));
    if (!QFile::copy(QCoreApplication::applicationFilePath(), exe)) {
        std::fprintf(stderr, "cannot copy the program\n");
        return 1;
    }
    QFile::setPermissions(exe, QFile::permissions(exe) | QFile::ExeOwner);

    const QStringList modes = {QStringLiteral("--minimal"), QStringLiteral("--same-pixels"),
                               QStringLiteral("--terminal")};
    // First start creates the configuration and the database; it is not measured.
    for (const QString &mode : modes) {
        Sample warm{};
        if (!runChild(exe, mode, warm)) {
            std::fprintf(stderr, "a child did not show its window\n");
            return 1;
        }
    }

    // The modes take turns, so that a change of the machine's load falls on all of them.
    QVector<QVector<double>> ms(modes.size());
    QVector<qint64> rss(modes.size(), 0);
    QVector<double> consoleMs, lanesMs, launcherMs;
    for (int i = 0; i < runs; ++i) {
        for (int m = 0; m < modes.size(); ++m) {
            Sample sample{};
            if (!runChild(exe, modes.at(m), sample)) {
                std::fprintf(stderr, "a child did not show its window\n");
                return 1;
            }
            ms[m] << sample.ms;
            rss[m] = qMax(rss.at(m), sample.rssKiB);
        }
        // The console and the launcher, each from its own binary.
        Sample c{}, l{};
        if (!runChild(QStringLiteral(BENCH_TOLLCONSOLE), QString(), c) ||
            !runChild(QStringLiteral(BENCH_TOOLLAUNCHER), QString(), l)) {
            std::fprintf(stderr, "the console or the launcher did not show its window\n");
            return 1;
        }
        consoleMs << c.ms;
        lanesMs << c.laterMs;
        launcherMs << l.ms;
    }

    BenchFigures::printEnvironment(qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("offscreen")));
    std::printf("start-up to the end of the first paint of the main window, %d runs each (%s platform)\n", runs,
                qPrintable(qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("offscreen"))));
    const char *const names[] = {"minimal Qt window", "same pixels, no more", "safeterminal"};
    for (int m = 0; m < modes.size(); ++m) {
        std::printf("  %-22s median %7.1f ms  min %7.1f ms  peak RSS %6.1f MiB\n", names[m], BenchFigures::median(ms.at(m)),
                    *std::min_element(ms.at(m).begin(), ms.at(m).end()), rss.at(m) / 1024.0);
    }
    const double terminal = BenchFigures::median(ms.at(2));
    std::printf("  ratio (median) to the minimal window: %.2f, to the same pixels: %.2f\n",
                BenchFigures::median(ms.at(0)) > 0 ? terminal / BenchFigures::median(ms.at(0)) : 0.0,
                BenchFigures::median(ms.at(1)) > 0 ? terminal / BenchFigures::median(ms.at(1)) : 0.0);
    const double minimal = BenchFigures::median(ms.at(0));
    const double cMed = BenchFigures::median(consoleMs), lMed = BenchFigures::median(lanesMs), uMed = BenchFigures::median(launcherMs);
    std::printf("  %-22s median %7.1f ms  ratio %.2f\n", "tollconsole", cMed, minimal > 0 ? cMed / minimal : 0.0);
    std::printf("  %-22s median %7.1f ms  (lanes laid out and painted)\n", "tollconsole lanes", lMed);
    std::printf("  %-22s median %7.1f ms  ratio %.2f\n", "toollauncher", uMed, minimal > 0 ? uMed / minimal : 0.0);
    return 0;
}
