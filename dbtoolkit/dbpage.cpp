#include "dbpage.h"
#include "dbcountthread.h"
#include "sqlquerymodel.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QSqlQuery>
#include <QTableView>

DbPage::DbPage(QObject *parent) : QObject(parent), queryModel(new SqlQueryModel)
{
}

DbPage::~DbPage()
{
    // A count still running belongs to this page: it must end before the
    // page (its parent) deletes it.
    for (DbCountThread *thread : findChildren<DbCountThread *>(QString(), Qt::FindDirectChildrenOnly)) {
        thread->wait();
    }
    if (tableView && tableView->model() == queryModel) {
        tableView->setModel(nullptr);
    }
    delete queryModel;
}

void DbPage::setControl(QTableView *tableView, QLabel *labPageCount, QLabel *labPageCurrent,
                        QLabel *labResultCount, QLabel *labResultCurrent, QLabel *labResult, QLabel *labInfo,
                        QAbstractButton *btnFirst, QAbstractButton *btnPre, QAbstractButton *btnNext,
                        QAbstractButton *btnLast, const QString &countName, const QString &connName)
{
    this->tableView = tableView;
    this->labPageCount = labPageCount;
    this->labPageCurrent = labPageCurrent;
    this->labResultCount = labResultCount;
    this->labResultCurrent = labResultCurrent;
    this->labResult = labResult;
    this->labInfo = labInfo;
    this->btnFirst = btnFirst;
    this->btnPre = btnPre;
    this->btnNext = btnNext;
    this->btnLast = btnLast;
    this->countName = countName;
    this->connName = connName;

    if (tableView) {
        tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    }
    if (btnFirst) {
        connect(btnFirst, &QAbstractButton::clicked, this, &DbPage::first);
    }
    if (btnPre) {
        connect(btnPre, &QAbstractButton::clicked, this, &DbPage::previous);
    }
    if (btnNext) {
        connect(btnNext, &QAbstractButton::clicked, this, &DbPage::next);
    }
    if (btnLast) {
        connect(btnLast, &QAbstractButton::clicked, this, &DbPage::last);
    }
}

void DbPage::setControl(QTableView *tableView, QLabel *labPageCount, QLabel *labPageCurrent,
                        QLabel *labResultCount, QLabel *labResultCurrent, QLabel *labResult, QLabel *labInfo,
                        QAbstractButton *btnFirst, QAbstractButton *btnPre, QAbstractButton *btnNext,
                        QAbstractButton *btnLast, const QString &countName)
{
    setControl(tableView, labPageCount, labPageCurrent, labResultCount, labResultCurrent, labResult, labInfo,
               btnFirst, btnPre, btnNext, btnLast, countName, QStringLiteral("qt_sql_default_connection"));
}

void DbPage::setButtons(QAbstractButton *a, QAbstractButton *b, bool enabled)
{
    if (a) {
        a->setEnabled(enabled);
    }
    if (b) {
        b->setEnabled(enabled);
    }
}

void DbPage::showPage()
{
    pageSql = QStringLiteral("%1 limit %2,%3;").arg(selectSql).arg(startIndex).arg(resultCurrent);
    bindData(pageSql);
}

void DbPage::first()
{
    if (pageCount > 1) {
        startIndex = 0;
        pageCurrent = 1;
        showPage();
        setButtons(btnLast, btnNext, true);
    }
    setButtons(btnFirst, btnPre, false);
}

void DbPage::previous()
{
    if (pageCurrent > 1) {
        pageCurrent--;
        startIndex -= resultCurrent;
        showPage();
        setButtons(btnLast, btnNext, true);
    }
    if (pageCurrent == 1) {
        setButtons(btnFirst, btnPre, false);
    }
}

void DbPage::next()
{
    if (pageCurrent < pageCount) {
        pageCurrent++;
        startIndex += resultCurrent;
        showPage();
        setButtons(btnFirst, btnPre, true);
    }
    if (pageCurrent == pageCount) {
        setButtons(btnLast, btnNext, false);
    }
}

void DbPage::last()
{
    if (pageCount != 0) {
        pageCurrent = pageCount;
        startIndex = resultCurrent * int(pageCount - 1);
        showPage();
        setButtons(btnFirst, btnPre, true);
    }
    setButtons(btnLast, btnNext, false);
}

void DbPage::bindData(const QString &sql)
{
    queryModel->setQuery(sql, QSqlDatabase::database(connName));
    if (tableView) {
        tableView->setModel(queryModel);
    }

    int n = qMin(columnNames.count(), queryModel->columnCount());
    QStringList names = columnNames;
    QList<int> widths = columnWidths;
    if (insertColumnIndex >= 0) {
        n++;
        names.insert(insertColumnIndex, insertColumnName);
        widths.insert(insertColumnIndex, insertColumnWidth);
        queryModel->insertColumn(insertColumnIndex);
    }
    for (int i = 0; i < n; ++i) {
        queryModel->setHeaderData(i, Qt::Horizontal, names.value(i), Qt::EditRole);
        if (tableView && i < widths.count()) {
            tableView->setColumnWidth(i, widths.at(i));
        }
    }

    if (labPageCurrent) {
        labPageCurrent->setText(QStringLiteral("第 %1 页").arg(pageCurrent));
    }
    if (labPageCount) {
        labPageCount->setText(QStringLiteral("共 %1 页").arg(pageCount));
    }
    if (labResultCount) {
        labResultCount->setText(QStringLiteral("共 %1 条").arg(resultCount));
    }
    if (labResultCurrent) {
        labResultCurrent->setText(QStringLiteral("每页 %1 条").arg(resultCurrent));
    }
    if (labInfo) {
        labInfo->setText(QStringLiteral("共 %1 条  每页 %2 条  共 %3 页  第 %4 页")
                             .arg(resultCount)
                             .arg(resultCurrent)
                             .arg(pageCount)
                             .arg(pageCurrent));
    }
    emit receivePage(pageCurrent, pageCount, resultCount, uint(resultCurrent));
}

void DbPage::slot_receiveCount(uint count, double msec)
{
    if (labResult) {
        labResult->setText(QStringLiteral("查询用时 %1 秒").arg(msec / 1000, 0, 'f', 3));
    }
    resultCount = count;
    const uint perPage = uint(qMax(1, resultCurrent));
    pageCount = count / perPage + (count % perPage != 0 ? 1 : 0);

    const bool several = pageCount >= 2;
    setButtons(btnFirst, btnPre, several);
    setButtons(btnNext, btnLast, several);

    selectSql = QStringLiteral("select %1 from %2 %3 order by %4").arg(selectColumn, tableName, whereSql, orderSql);
    showPage();
}

void DbPage::select()
{
    const quint64 id = ++selectId;
    startIndex = 0;
    pageCurrent = 1;
    slot_receiveCount(uint(resultCurrent), 0);

    setButtons(btnFirst, btnLast, false);
    setButtons(btnNext, btnPre, false);
    for (QLabel *label : {labInfo, labPageCurrent, labPageCount, labResultCount, labResultCurrent, labResult}) {
        if (label) {
            label->setText(QStringLiteral("正在查询..."));
        }
    }

    const auto receive = [this, id](uint count, double msec) {
        // Only the count of the latest query may set the pages.
        if (id != selectId) {
            return;
        }
        emit receiveCount(count, msec);
        slot_receiveCount(count, msec);
    };
    const QString countSql = QStringLiteral("select count(%1) from %2 %3").arg(countName, tableName, whereSql);
    if (DbConn::isPrivateDatabase(QSqlDatabase::database(connName, false))) {
        // A count thread's clone would count another, empty database: count here.
        QElapsedTimer timer;
        timer.start();
        const uint count = DbCountThread::count(QSqlDatabase::database(connName), countSql);
        receive(count, double(timer.nsecsElapsed()) / 1000000.0);
        return;
    }

    auto *thread = new DbCountThread(this);
    connect(thread, &DbCountThread::receiveCount, this, receive);
    thread->setConnName(connName);
    thread->setSql(countSql);
    thread->start();
}

void DbPage::setConnName(const QString &connName)
{
    this->connName = connName;
}

void DbPage::setDbType(DbType dbType)
{
    this->dbType = dbType;
}

void DbPage::setTableName(const QString &tableName)
{
    this->tableName = tableName;
}

void DbPage::setSelectColumn(const QString &selectColumn)
{
    this->selectColumn = selectColumn;
}

void DbPage::setOrderSql(const QString &orderSql)
{
    this->orderSql = orderSql;
}

void DbPage::setWhereSql(const QString &whereSql)
{
    this->whereSql = whereSql;
}

void DbPage::setResultCurrent(int resultCurrent)
{
    this->resultCurrent = resultCurrent;
}

void DbPage::setColumnNames(const QList<QString> &columnNames)
{
    this->columnNames = columnNames;
}

void DbPage::setColumnWidths(const QList<int> &columnWidths)
{
    this->columnWidths = columnWidths;
}

void DbPage::setAllCenter(bool allCenter)
{
    queryModel->setAllCenter(allCenter);
}

void DbPage::setAlignCenterColumn(const QList<int> &alignCenterColumn)
{
    queryModel->setAlignCenterColumn(alignCenterColumn);
}

void DbPage::setAlignRightColumn(const QList<int> &alignRightColumn)
{
    queryModel->setAlignRightColumn(alignRightColumn);
}

void DbPage::setInsertColumnIndex(int insertColumnIndex)
{
    this->insertColumnIndex = insertColumnIndex;
}

void DbPage::setInsertColumnName(const QString &insertColumnName)
{
    this->insertColumnName = insertColumnName;
}

void DbPage::setInsertColumnWidth(int insertColumnWidth)
{
    this->insertColumnWidth = insertColumnWidth;
}

void DbPage::loadComboBox(const QString &columnName, const QString &orderColumn, const QString &tableName,
                          QComboBox *comboBox, const QString &connName)
{
    QStringList values;
    loadStringList(columnName, orderColumn, tableName, values, connName);
    comboBox->addItems(values);
}

void DbPage::loadStringList(const QString &columnName, const QString &orderColumn, const QString &tableName,
                            QStringList &list, const QString &connName)
{
    QSqlQuery query(QSqlDatabase::database(connName));
    if (!query.exec(QStringLiteral("select %1 from %2 order by %3 asc").arg(columnName, tableName, orderColumn))) {
        return;
    }
    while (query.next()) {
        list << query.value(0).toString();
    }
}
