#ifndef SQLQUERYMODEL_H
#define SQLQUERYMODEL_H

#include <QSqlQuery>
#include <QSqlQueryModel>

// A query model with column alignment, a coloured hover row and the masking
// of characters in one column. The hover and masking settings are read from
// dynamic properties: "hoverRow", "hoverBgColor", "hoverTextColor",
// "hideColumn", "hideLetter", "hideStart", "hideEnd".
class SqlQueryModel : public QSqlQueryModel
{
    Q_OBJECT
public:
    explicit SqlQueryModel(QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;

    // Shows query, whose last hiddenColumns columns stay out of view: a pager
    // reads its keys from them. record(row) still holds them.
    void setPageQuery(const QSqlQuery &query, int hiddenColumns);

    void setAllCenter(bool allCenter);
    void setAlignCenterColumn(const QList<int> &columns);
    void setAlignRightColumn(const QList<int> &columns);

private:
    bool allCenter = false;
    QList<int> alignCenterColumn;
    QList<int> alignRightColumn;
    int hiddenColumns = 0;
};

#endif // SQLQUERYMODEL_H
