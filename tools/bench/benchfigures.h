#ifndef BENCHFIGURES_H
#define BENCHFIGURES_H

#include <QString>
#include <QVector>

// What every benchmark measures the same way.
namespace BenchFigures {

// The process's peak resident memory so far (VmHWM), in KiB; -1 when unknown.
qint64 peakRssKiB();
double median(QVector<double> values);
// Prints what decides start-up and paging figures besides the code, so that
// two runs can be compared: the build (type, sanitizers), the platform plug-in,
// whether fontconfig's caches are there, the processor's frequency governor
// and the load of the machine when the run began.
void printEnvironment(const QString &platform);

} // namespace BenchFigures

#endif // BENCHFIGURES_H
