#ifndef SCREENTABLE_H
#define SCREENTABLE_H

#include <QStringList>

class QTableView;

// The look every paged list of the terminal shares: a header at least 40
// pixels high, rows 39 pixels high, alternating colours, no row numbers and
// the last column stretched; rows are read, not edited.
void setupScreenTable(QTableView *table);

// A list of choices for the settings screens: one centred text a row, 50
// pixels high, no headers, no scrolling, never taking the focus (a press on
// it fills the focused field), and exactly as tall as its rows.
void setupChoiceList(QTableView *table, const QStringList &rows);

#endif // SCREENTABLE_H
