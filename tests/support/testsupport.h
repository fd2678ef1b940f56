#ifndef TESTSUPPORT_H
#define TESTSUPPORT_H

#include <QProcessEnvironment>
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

// The environment of a program a test starts: this one's, on the offscreen
// platform. Full stacks at every allocation make each child start four times
// slower under the leak checker; the fast ones still match its suppressions.
QProcessEnvironment childEnvironment();

} // namespace TestSupport

#endif // TESTSUPPORT_H
