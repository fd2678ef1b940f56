#include "sqlquerymodel.h"

#include <QColor>

SqlQueryModel::SqlQueryModel(QObject *parent) : QSqlQueryModel(parent)
{
}

void SqlQueryModel::setAllCenter(bool allCenter)
{
    this->allCenter = allCenter;
}

void SqlQueryModel::setAlignCenterColumn(const QList<int> &columns)
{
    alignCenterColumn = columns;
}

void SqlQueryModel::setAlignRightColumn(const QList<int> &columns)
{
    alignRightColumn = columns;
}

int SqlQueryModel::columnCount(const QModelIndex &parent) const
{
    return qMax(0, QSqlQueryModel::columnCount(parent) - hiddenColumns);
}

void SqlQueryModel::setPageQuery(const QSqlQuery &query, int hiddenColumns)
{
    // One reset for both, so that no view sees the new count with the old columns.
    beginResetModel();
    this->hiddenColumns = hiddenColumns;
    setQuery(query);
    endResetModel();
}

QVariant SqlQueryModel::data(const QModelIndex &index, int role) const
{
    QVariant value = QSqlQueryModel::data(index, role);
    const int column = index.column();

    if (role == Qt::TextAlignmentRole) {
        if (allCenter) {
            value = int(Qt::AlignCenter);
        } else {
            if (alignCenterColumn.contains(column)) {
                value = int(Qt::AlignCenter);
            }
            if (alignRightColumn.contains(column)) {
                value = int(Qt::AlignRight | Qt::AlignVCenter);
            }
        }
    }

    const QVariant hoverRow = property("hoverRow");
    if (hoverRow.isValid() && hoverRow.toInt() == index.row()) {
        if (role == Qt::BackgroundRole) {
            value = QColor(property("hoverBgColor").toString());
        } else if (role == Qt::ForegroundRole) {
            value = QColor(property("hoverTextColor").toString());
        }
    }

    const QVariant hideColumn = property("hideColumn");
    if (role == Qt::DisplayRole && hideColumn.isValid() && hideColumn.toInt() == column) {
        const QString text = value.toString();
        const QString letter = property("hideLetter").toString();
        const int start = property("hideStart").toInt();
        const int end = property("hideEnd").toInt();
        QString masked;
        for (int i = 0; i < text.length(); ++i) {
            masked += (i >= start && i <= end) ? letter : QString(text.at(i));
        }
        value = masked;
    }
    return value;
}
