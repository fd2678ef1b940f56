#ifndef DEMOTABLE_H
#define DEMOTABLE_H

#include <QWidget>

class DbPage;
class QTableView;

// A paged table over a small SQLite table made in a temporary file, with one
// item delegate per kind of column: text, password, choice, date, time,
// date-time and a status icon.
class DemoTable : public QWidget
{
    Q_OBJECT
public:
    // databaseFile: where the sample table is written (the file is replaced).
    explicit DemoTable(const QString &databaseFile, QWidget *parent = nullptr);

    // Opens an editor in the first row of every editable column, to show them all at once.
    void openEditors();

private:
    QTableView *tableMain = nullptr;
    DbPage *dbPage = nullptr;
};

#endif // DEMOTABLE_H
