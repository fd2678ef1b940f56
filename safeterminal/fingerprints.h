#ifndef FINGERPRINTS_H
#define FINGERPRINTS_H

#include "dbhelper.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// The readers' prints of the enrolled fingers, one row per user and finger,
// in the table FingerPrint beside UserInfo (whose finger record keeps the
// enrolment times). Default connection, GUI thread, bound values.
namespace FingerPrints {

struct Print {
    QString userID;
    int finger = 0;
    QByteArray data;
};

// The prints' data, in order.
QVector<QByteArray> data(const QVector<Print> &prints);

// Adds the table to a database made before prints were kept.
bool ensureTable();

DbRead all(QVector<Print> &prints);
DbRead ofUser(const QString &userID, QVector<Print> &prints);
// Replaces the finger's print.
bool store(const QString &userID, int finger, const QByteArray &data);
bool removeUser(const QString &userID);

} // namespace FingerPrints

#endif // FINGERPRINTS_H
