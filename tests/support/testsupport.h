#ifndef TESTSUPPORT_H
#define TESTSUPPORT_H

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace TestSupport {

// Creates an SQLite file with the terminal's schema.
bool createTerminalDatabase(const QString &fileName);

// Opens fileName under connName (the default connection when empty), with a busy timeout.
QSqlDatabase openSqlite(const QString &fileName, const QString &connName = QString());
void closeConnection(const QString &connName = QString());

// First column of every row of a query, as text.
QStringList column(const QString &sql, const QString &connName = QString());
int count(const QString &sql, const QString &connName = QString());

QByteArray readFile(const QString &fileName);
bool writeFile(const QString &fileName, const QByteArray &data);

} // namespace TestSupport

#endif // TESTSUPPORT_H
