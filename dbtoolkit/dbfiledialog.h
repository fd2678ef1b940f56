#ifndef DBFILEDIALOG_H
#define DBFILEDIALOG_H

#include <QString>
#include <QStringList>

// The text import and export of DBHelper behind the framework's file dialogs:
// the file is asked for, then read into or written from the table. An empty
// choice (the dialog cancelled) changes nothing and succeeds.
class DbFileDialog
{
public:
    // Asks for a file and replaces the table's rows with its records of
    // columnCount fields; fileName is the file chosen.
    static bool inputData(int columnCount, const QString &filter, const QString &tableName,
                          QString &fileName, const QString &defaultDir = QString());
    // Writes the rows to fileName; no rows are told in a message box, and
    // fileName is cleared then.
    static bool outputData(QString &fileName, const QStringList &rows);
    // Asks where to save (defaultName in defaultDir suggested), then outputData().
    static bool saveData(const QString &defaultName, const QString &filter, const QStringList &rows,
                         QString &fileName, const QString &defaultDir = QString());
};

#endif // DBFILEDIALOG_H
