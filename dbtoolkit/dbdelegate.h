#ifndef DBDELEGATE_H
#define DBDELEGATE_H

#include <QItemDelegate>
#include <QPushButton>
#include <QStringList>

// Edits the cells of a table of database rows with the editor its type names,
// draws a password column as dots, and draws a status icon in one column
// chosen by comparing the text of another column of the row with a value.
class DbDelegate : public QItemDelegate
{
    Q_OBJECT
public:
    explicit DbDelegate(QObject *parent = nullptr);

    // The comparison of a check column: text against value by type.
    static bool checkMatches(const QString &type, const QString &text, const QString &value);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

private:
    QString delegateType = QStringLiteral("QLineEdit");
    bool delegateEdit = false;
    bool delegatePwd = false;
    QStringList delegateValue = QStringList{QString()};
    int pwdColumn = -1;
    QPushButton button; // handed to the style when the icon is drawn: no border, no background
    int checkColumn = -1;
    int checkTarget = -1;
    QString checkType = QStringLiteral("contains");
    QString checkValue = QStringLiteral("告警");
    QString checkOkImage = QStringLiteral(":/image/msg_error.png");
    QString checkNoImage = QStringLiteral(":/image/msg_info.png");
    int checkImageWidth = 15;
    int checkImageHeight = 15;

Q_SIGNALS:
    void valueChange(const QString &text);

public Q_SLOTS:
    void setDelegateType(const QString &delegateType);
    void setDelegateEdit(bool edit);
    void setDelegatePwd(bool pwd);
    void setDelegateValue(const QStringList &delegateValue);
    void setPwdColumn(int pwdColumn);
    void setCheckColumn(int checkColumn);
    void setCheckTarget(int checkTarget);
    void setCheckType(const QString &checkType);
    void setCheckValue(const QString &checkValue);
    void setCheckOkImage(const QString &checkOkImage);
    void setCheckNoImage(const QString &checkNoImage);
    void setCheckImageWidth(int checkImageWidth);
    void setCheckImageHeight(int checkImageHeight);
};

#endif // DBDELEGATE_H
