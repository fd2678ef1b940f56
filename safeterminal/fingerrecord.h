#ifndef FINGERRECORD_H
#define FINGERRECORD_H

#include <QString>
#include <QStringList>

// A user's finger record: ten fields joined by "/", field i-1 holding the
// enrolment time of finger i or nothing.
namespace FingerRecord {

constexpr int FingerCount = 10;

// "/////////": a user without fingers.
QString empty();

// The ten fields, or an empty list when the record does not have ten.
QStringList fields(const QString &record);

// The record with finger (1 to 10) enrolled at the given time. A record of
// another shape is first brought to ten fields, keeping the fields it had.
QString enrol(const QString &record, int finger, const QString &time);

} // namespace FingerRecord

#endif // FINGERRECORD_H
