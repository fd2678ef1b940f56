#ifndef BENCHFIGURES_H
#define BENCHFIGURES_H

#include <QVector>

// What every benchmark measures the same way.
namespace BenchFigures {

// The process's peak resident memory so far (VmHWM), in KiB; -1 when unknown.
qint64 peakRssKiB();
double median(QVector<double> values);

} // namespace BenchFigures

#endif // BENCHFIGURES_H
