// Start-up time and memory of the terminal beside a minimal Qt Widgets window.
// Each figure comes from a fresh process: the time runs from just before the
// process is started to the first paint of its main window.
//   bench_startup [runs]
#include "frmmain.h"
#include "terminalstart.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
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

qint64 peakRssKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').first().toLongLong();
        }
    }
    return -1;
}

// Notes the first paint of a window.
class FirstPaint : public QObject
{
public:
    qint64 at = 0;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && at == 0) {
            at = monotonicNs();
            QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
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
    std::printf("SHOWN %lld %lld\n", static_cast<long long>(paint.at), static_cast<long long>(peakRssKiB()));
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

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
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

    // First start creates the configuration and the database; it is not measured.
    Sample warm{};
    if (!runChild(exe, QStringLiteral("--terminal"), warm) || !runChild(exe, QStringLiteral("--minimal"), warm)) {
        std::fprintf(stderr, "a child did not show its window\n");
        return 1;
    }

    QVector<double> terminalMs, minimalMs, consoleMs, lanesMs, launcherMs;
    qint64 terminalRss = 0, minimalRss = 0;
    for (int i = 0; i < runs; ++i) {
        Sample t{}, m{};
        if (!runChild(exe, QStringLiteral("--terminal"), t) || !runChild(exe, QStringLiteral("--minimal"), m)) {
            std::fprintf(stderr, "a child did not show its window\n");
            return 1;
        }
        Sample c{}, l{};
        if (!runChild(QStringLiteral(BENCH_TOLLCONSOLE), QString(), c) ||
            !runChild(QStringLiteral(BENCH_TOOLLAUNCHER), QString(), l)) {
            std::fprintf(stderr, "the console or the launcher did not show its window\n");
            return 1;
        }
        consoleMs << c.ms;
        lanesMs << c.laterMs;
        launcherMs << l.ms;
        terminalMs << t.ms;
        minimalMs << m.ms;
        terminalRss = qMax(terminalRss, t.rssKiB);
        minimalRss = qMax(minimalRss, m.rssKiB);
    }

    const double tMed = median(terminalMs), mMed = median(minimalMs);
    std::printf("start-up to first paint of the main window, %d runs each (%s platform)\n", runs,
                qPrintable(qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("offscreen"))));
    std::printf("  %-22s median %7.1f ms  min %7.1f ms  peak RSS %6.1f MiB\n", "minimal Qt window", mMed,
                *std::min_element(minimalMs.begin(), minimalMs.end()), minimalRss / 1024.0);
    std::printf("  %-22s median %7.1f ms  min %7.1f ms  peak RSS %6.1f MiB\n", "safeterminal", tMed,
                *std::min_element(terminalMs.begin(), terminalMs.end()), terminalRss / 1024.0);
    std::printf("  ratio (median): %.2f\n", mMed > 0 ? tMed / mMed : 0.0);
    const double cMed = median(consoleMs), lMed = median(lanesMs), uMed = median(launcherMs);
    std::printf("  %-22s median %7.1f ms  ratio %.2f\n", "tollconsole", cMed, mMed > 0 ? cMed / mMed : 0.0);
    std::printf("  %-22s median %7.1f ms  (lanes laid out and painted)\n", "tollconsole lanes", lMed);
    std::printf("  %-22s median %7.1f ms  ratio %.2f\n", "toollauncher", uMed, mMed > 0 ? uMed / mMed : 0.0);
    return 0;
}
