#include "screentable.h"

#include <QHeaderView>
#include <QStandardItemModel>
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

void setupChoiceList(QTableView *table, const QStringList &rows)
{
    auto *model = new QStandardItemModel(table);
    for (const QString &text : rows) {
        auto *item = new QStandardItem(text);
        item->setTextAlignment(Qt::AlignCenter);
        item->setEditable(false);
        model->appendRow(item);
    }
    table->setModel(model);
    table->setColumnWidth(0, 100);
    table->horizontalHeader()->setVisible(false);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(50);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setFocusPolicy(Qt::NoFocus);
    table->setFixedHeight(50 * rows.size() + 2 * table->frameWidth());
}
