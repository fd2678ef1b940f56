#ifndef DBPAGE_H
#define DBPAGE_H

#include "dbhelper.h"
#include "dbconn.h"
#include "dbkeyedquery.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSqlQuery>
#include <QStringList>
#include <QTableView>
#include <QVariantList>

class QAbstractButton;
class QComboBox;
class QLabel;
class SqlQueryModel;

// Shows one query in a table view a page at a time, with page buttons and
// page labels. The total row count comes from a background thread: the first
// page is shown at once and the page count follows.
//
// Told the columns that order its rows uniquely (setKeyColumns), it pages by
// key: the next and previous pages continue from the last or first row shown,
// so every page is one index seek however deep it lies, and rows added or
// removed between flips are neither shown twice nor skipped. Without key
// columns it pages by offset.
class DbPage : public QObject
{
    Q_OBJECT
public:
    explicit DbPage(QObject *parent = nullptr);
    ~DbPage() override;

    SqlQueryModel *model() const { return queryModel; }
    QString currentPageSql() const { return pageSql; }
    QVariantList currentPageValues() const { return pageValues; }
    // Whether the pages are read by key: key columns given, all in one
    // direction, and a where clause that is empty or starts with "where".
    bool pagesByKey() const;

    static void loadComboBox(const QString &columnName, const QString &orderColumn, const QString &tableName,
                             QComboBox *comboBox, const QString &connName = QStringLiteral("qt_sql_default_connection"));
    static void loadStringList(const QString &columnName, const QString &orderColumn, const QString &tableName,
                               QStringList &list, const QString &connName = QStringLiteral("qt_sql_default_connection"));

private:
    // How the page shown was read: from the start, after or before a row's
    // key, or from the end.
    using View = DbKeyedQuery::Page;

    int startIndex = 0;
    QString selectSql;
    QString pageSql;
    QVariantList pageValues;
    SqlQueryModel *queryModel;
    quint64 selectId = 0; // counts the counts started, so a stale one is recognised

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

    QList<DbKeyedQuery::Key> keys;
    View view = View::First;
    QVariantList viewKey;  // the row the page was read after or before
    QVariantList firstKey; // keys of the first and last rows shown
    QVariantList lastKey;
    // The keyed statements of the settings, made anew whenever one changes.
    DbKeyedQuery keyed;
    QHash<QString, QList<QSqlQuery>> statements; // prepared page statements by their text
    bool recountPending = false; // a flip found the page count out of date
    quint64 shownId = 0;         // counts the pages shown, so that a late look sees a change

    void setButtons(QAbstractButton *a, QAbstractButton *b, bool enabled);
    void showPage();
    void showQuery(QSqlQuery &query, int hiddenColumns);
    void showLabels();
    void startCount(bool afterFlip);
    void stopCounts();

    void rebuildStatements();
    QSqlQuery statement(const QString &sql, bool &ok);
    QSqlQuery readKeyed(View view, const QVariantList &key, int rows, DbRead &read);
    DbRead rowsBeyond(bool forward, const QVariantList &key);
    void showKeyed(View view, const QVariantList &key, QSqlQuery &query);
    bool stepKeyed(bool forward);
    bool showEnd(bool last);
    int lastPageRows() const;
    void refreshKeyed();
    void checkBeyond(bool forward, quint64 shown);
    void finishStep();

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
    // Columns that order the rows uniquely, each "name", "name asc" or
    // "name desc", all in one direction (for example "LogDate desc" and
    // "rowid desc"); they then give the order and orderSql is not used. They
    // must hold no NULL. Empty: pages by offset in the order of orderSql.
    void setKeyColumns(const QStringList &keyColumns);
    void select();
};

#endif // DBPAGE_H
