#include "screentable.h"

#include <QHeaderView>
#include <QTableView>

void setupScreenTable(QTableView *table)
{
    table->horizontalHeader()->setMinimumHeight(40);
    table->verticalHeader()->setDefaultSectionSize(39);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setAlternatingRowColors(true);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}
