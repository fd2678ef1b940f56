#ifndef TERMINALFIXTURE_H
#define TERMINALFIXTURE_H

#include <QString>
#include <QTemporaryDir>

// A terminal with its configuration and database in a temporary folder:
// built-in settings, the template schema, the default connection open.
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

private:
    QTemporaryDir temp;
    bool valid = false;
};

#endif // TERMINALFIXTURE_H
