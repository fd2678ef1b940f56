// Child of bench_startup for one program (a program's core never shares a binary
// with another's): starts it as its main() does and prints the moment of the main
// window's first paint and, for the console, of its lanes' first paint.
//   bench_startup_<program>
#include "frmmain.h"
#include BENCH_START_HEADER

#include <QApplication>
#include <QEvent>

#include <cstdio>
#include <ctime>

namespace {

qint64 monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Notes the first paint of the window and of the widget named `last`, if any.
class Watch : public QObject
{
public:
    QWidget *window = nullptr;
    QString last;
    qint64 shown = 0;
    qint64 lastShown = 0;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            if (watched == window && shown == 0) {
                shown = monotonicNs();
            }
            if (!last.isEmpty() && lastShown == 0 && watched->objectName() == last) {
                lastShown = monotonicNs();
            }
            if (shown != 0 && (last.isEmpty() || lastShown != 0)) {
                QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);
    BENCH_START_CLASS::startApplication(a);
    frmMain w;
    Watch watch;
    watch.window = &w;
    watch.last = QStringLiteral(BENCH_LAST_WIDGET);
    a.installEventFilter(&watch);
    w.show();
    QApplication::exec();
    std::printf("SHOWN %lld %lld\n", static_cast<long long>(watch.shown), static_cast<long long>(watch.lastShown));
    std::fflush(stdout);
    return 0;
}
