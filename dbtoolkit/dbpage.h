#ifndef DBPAGE_H
#define DBPAGE_H

#include "dbtype.h"

#include <QObject>
#include <QPointer>
#include <QTableView>
#include <QStringList>

class QAbstractButton;
class QComboBox;
class QLabel;
class SqlQueryModel;

// Shows one query in a table view a page at a time, with page buttons and
// page labels. The total row count comes from a background thread: the first
// page is shown at once and the page count follows.
class DbPage : public QObject
{
    Q_OBJECT
public:
    explicit DbPage(QObject *parent = nullptr);
    ~DbPage() override;

    SqlQueryModel *model() const { return queryModel; }
    QString currentPageSql() const { return pageSql; }

    static void loadComboBox(const QString &columnName, const QString &orderColumn, const QString &tableName,
                             QComboBox *comboBox, const QString &connName = QStringLiteral("qt_sql_default_connection"));
    static void loadStringList(const QString &columnName, const QString &orderColumn, const QString &tableName,
                               QStringList &list, const QString &connName = QStringLiteral("qt_sql_default_connection"));

private:
    int startIndex = 0;
    QString selectSql;
    QString pageSql;
    SqlQueryModel *queryModel;
    quint64 selectId = 0; // counts select() calls, so a stale count is recognised

    QLabel *labPageCount = nullptr;
    QLabel *labPageCurrent = nullptr;
    QLabel *labResultCount = nullptr;
    QLabel *labResultCurrent = nullptr;
    QLabel *labResult = nullptr;
    QLabel *labInfo = nullptr;
    QPointer<QTableView> tableView; // the view may go before the page when their screen closes
    QAbstractButton *btnFirst = nullptr;
    QAbstractButton *btnPre = nullptr;
    QAbstractButton *btnNext = nullptr;
    QAbstractButton *btnLast = nullptr;

    QString countName = QStringLiteral("*");
    QString connName = QStringLiteral("qt_sql_default_connection");
    DbType dbType = DbType_Sqlite;

    quint32 pageCurrent = 0;
    quint32 pageCount = 0;
    quint32 resultCount = 0;
    int resultCurrent = 30;

    QString tableName;
    QString selectColumn = QStringLiteral("*");
    QString orderSql;
    QString whereSql;
    QStringList columnNames;
    QList<int> columnWidths;

    int insertColumnIndex = -1;
    QString insertColumnName;
    int insertColumnWidth = 50;

    void setButtons(QAbstractButton *a, QAbstractButton *b, bool enabled);
    void showPage();

Q_SIGNALS:
    void receivePage(uint pageCurrent, uint pageCount, uint resultCount, uint resultCurrent);
    void receiveCount(uint count, double msec);

public Q_SLOTS:
    void first();
    void previous();
    void next();
    void last();
    void bindData(const QString &sql);
    void slot_receiveCount(uint count, double msec);

    void setControl(QTableView *tableView, QLabel *labPageCount, QLabel *labPageCurrent, QLabel *labResultCount,
                    QLabel *labResultCurrent, QLabel *labResult, QLabel *labInfo, QAbstractButton *btnFirst,
                    QAbstractButton *btnPre, QAbstractButton *btnNext, QAbstractButton *btnLast,
                    const QString &countName, const QString &connName);
    void setControl(QTableView *tableView, QLabel *labPageCount, QLabel *labPageCurrent, QLabel *labResultCount,
                    QLabel *labResultCurrent, QLabel *labResult, QLabel *labInfo, QAbstractButton *btnFirst,
                    QAbstractButton *btnPre, QAbstractButton *btnNext, QAbstractButton *btnLast,
                    const QString &countName);
    void setConnName(const QString &connName);
    void setDbType(DbType dbType);
    void setTableName(const QString &tableName);
    void setSelectColumn(const QString &selectColumn);
    void setOrderSql(const QString &orderSql);
    void setWhereSql(const QString &whereSql);
    void setResultCurrent(int resultCurrent);
    void setColumnNames(const QList<QString> &columnNames);
    void setColumnWidths(const QList<int> &columnWidths);
    void setAllCenter(bool allCenter);
    void setAlignCenterColumn(const QList<int> &alignCenterColumn);
    void setAlignRightColumn(const QList<int> &alignRightColumn);
    void setInsertColumnIndex(int insertColumnIndex);
    void setInsertColumnName(const QString &insertColumnName);
    void setInsertColumnWidth(int insertColumnWidth);
    void select();
};

#endif // DBPAGE_H
