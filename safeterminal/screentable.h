#ifndef SCREENTABLE_H
#define SCREENTABLE_H

class QTableView;

// The look every paged list of the terminal shares: a header at least 40
// pixels high, rows 39 pixels high, alternating colours, no row numbers and
// the last column stretched; rows are read, not edited.
void setupScreenTable(QTableView *table);

#endif // SCREENTABLE_H
