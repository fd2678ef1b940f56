#ifndef TERMINALFIXTURE_H
#define TERMINALFIXTURE_H

#include "testseams.h"

#include <QString>
#include <QTemporaryDir>

// A terminal with its configuration and database in a temporary folder:
// built-in settings, the template schema, the default connection open; the
// seams of the libraries and of the terminal (the screen saver's minute, the
// finger lock, the reader search, the log export's medium and chunks) put
// back when it goes.
class TerminalFixture
{
public:
    TerminalFixture();
    ~TerminalFixture();

    bool isValid() const { return valid; }
    QString dbFile() const { return temp.filePath(QStringLiteral("safeterminal.db")); }
    QString path(const QString &name) const { return temp.filePath(name); }

    // Rows of LogInfo as "type|content", oldest first.
    static QStringList logRows();

    TestSeams &seams() { return testSeams; }

private:
    // First made, last gone: everything else is undone before the seams are put back.
    TestSeams testSeams;
    QTemporaryDir temp;
    bool valid = false;
};

#endif // TERMINALFIXTURE_H
