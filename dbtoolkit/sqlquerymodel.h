#ifndef SQLQUERYMODEL_H
#define SQLQUERYMODEL_H

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

    void setAllCenter(bool allCenter);
    void setAlignCenterColumn(const QList<int> &columns);
    void setAlignRightColumn(const QList<int> &columns);

private:
    bool allCenter = false;
    QList<int> alignCenterColumn;
    QList<int> alignRightColumn;
};

#endif // SQLQUERYMODEL_H
