#include "dbpage.h"
#include "dblog.h"
#include "dbcountthread.h"
#include "sqlquerymodel.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtDebug>
#include <QTableView>

namespace {

// Rows a count slice covers: short enough that a writer waiting for the
// count's read lock hardly notices it.
const int countSliceRows = 4096;

// Key values of the first and last rows of a page, read from its last columns.
void readEdgeKeys(QSqlQuery &query, int keyCount, QVariantList &first, QVariantList &last)
{
    first.clear();
    last.clear();
    const int offset = query.record().count() - keyCount;
    if (!query.first()) {
        return;
    }
    for (int i = 0; i < keyCount; ++i) {
        first << query.value(offset + i);
    }
    query.last();
    for (int i = 0; i < keyCount; ++i) {
        last << query.value(offset + i);
    }
}

} // namespace

DbPage::DbPage(QObject *parent) : QObject(parent), queryModel(new SqlQueryModel)
{
}

DbPage::~DbPage()
{
    // A count still running belongs to this page: it must end before the
    // page (its parent) deletes it.
    stopCounts();
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
    rebuildStatements();

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

void DbPage::rebuildStatements()
{
    statements.clear();
    keyed = DbKeyedQuery(keys, tableName, whereSql, selectColumn,
                         QSqlDatabase::database(connName, false).driverName());
}

bool DbPage::pagesByKey() const
{
    return keyed.pagesByKey();
}

void DbPage::showPage()
{
    pageSql = QStringLiteral("%1 limit %2,%3;")
                  .arg(selectSql, QString::number(startIndex), QString::number(resultCurrent));
    pageValues.clear();
    bindData(pageSql);
}

void DbPage::first()
{
    if (pageCount > 1) {
        if (pagesByKey()) {
            DbRead read = DbRead::Failed;
            QSqlQuery query = readKeyed(View::First, {}, resultCurrent, read);
            if (read == DbRead::Failed) {
                return;
            }
            pageCurrent = 1;
            showKeyed(View::First, {}, query);
            // Every row gone: the page count is out of date.
            recountPending = read == DbRead::Missing;
        } else {
            startIndex = 0;
            pageCurrent = 1;
            showPage();
        }
        setButtons(btnLast, btnNext, true);
    }
    setButtons(btnFirst, btnPre, false);
    finishStep();
}

void DbPage::previous()
{
    if (pageCurrent > 1) {
        if (pagesByKey()) {
            if (!stepKeyed(false)) {
                return;
            }
        } else {
            pageCurrent--;
            startIndex -= resultCurrent;
            showPage();
        }
        setButtons(btnLast, btnNext, true);
    }
    if (pageCurrent == 1) {
        setButtons(btnFirst, btnPre, false);
    }
    finishStep();
}

void DbPage::next()
{
    if (pageCurrent < pageCount) {
        if (pagesByKey()) {
            if (!stepKeyed(true)) {
                return;
            }
        } else {
            pageCurrent++;
            startIndex += resultCurrent;
            showPage();
        }
        setButtons(btnFirst, btnPre, true);
    }
    if (pageCurrent == pageCount) {
        setButtons(btnLast, btnNext, false);
    }
    finishStep();
}

void DbPage::last()
{
    if (pageCount != 0) {
        if (pagesByKey()) {
            if (!showEnd(true)) {
                return;
            }
            recountPending = view != View::Last;
        } else {
            pageCurrent = pageCount;
            startIndex = resultCurrent * int(pageCount - 1);
            showPage();
        }
        setButtons(btnFirst, btnPre, true);
    }
    setButtons(btnLast, btnNext, false);
    finishStep();
}

void DbPage::finishStep()
{
    // Counted only now, so that a count that arrives at once (in-memory
    // databases) finds the flip complete.
    if (recountPending) {
        recountPending = false;
        startCount(true);
    }
}

void DbPage::bindData(const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(connName));
    if (!query.exec(sql)) {
        qCWarning(lcDb) << "page query failed:" << sql << query.lastError().text();
    }
    showQuery(query, 0);
}

void DbPage::showQuery(QSqlQuery &query, int hiddenColumns)
{
    ++shownId;
    queryModel->setPageQuery(query, hiddenColumns);
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
    showLabels();
}

void DbPage::showLabels()
{
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

QSqlQuery DbPage::statement(const QString &sql, bool &ok)
{
    // Prepared once per page kind; two each, so that the statement the model
    // shows is never run again under it: a read that fails then leaves the
    // page shown as it was.
    QList<QSqlQuery> &prepared = statements[sql];
    const QSqlResult *shown = queryModel->query().result();
    for (const QSqlQuery &query : qAsConst(prepared)) {
        if (query.result() != shown) {
            ok = true;
            return query;
        }
    }
    QSqlQuery query(QSqlDatabase::database(connName));
    ok = query.prepare(sql);
    if (ok) {
        prepared << query;
    }
    return query;
}

QSqlQuery DbPage::readKeyed(View view, const QVariantList &key, int rows, DbRead &read)
{
    const QString sql = keyed.pageSql(view, rows);
    bool ok = false;
    QSqlQuery query = statement(sql, ok);
    if (ok) {
        if (view == View::After || view == View::Before) {
            for (const QVariant &value : keyed.bindValues(key)) {
                query.addBindValue(value);
            }
        }
        ok = query.exec();
    }
    if (ok && query.first()) {
        read = DbRead::Found;
    } else if (!ok || query.lastError().isValid()) {
        qCWarning(lcDb) << "page query failed:" << sql << query.lastError().text();
        read = DbRead::Failed;
    } else {
        read = DbRead::Missing;
    }
    return query;
}

DbRead DbPage::rowsBeyond(bool forward, const QVariantList &key)
{
    const QString sql = keyed.beyondSql(forward);
    bool ok = false;
    QSqlQuery query = statement(sql, ok);
    if (ok) {
        for (const QVariant &value : keyed.bindValues(key)) {
            query.addBindValue(value);
        }
        ok = query.exec();
    }
    DbRead read = DbRead::Missing;
    if (ok && query.next()) {
        read = DbRead::Found;
    } else if (!ok || query.lastError().isValid()) {
        qCWarning(lcDb) << "page query failed:" << sql << query.lastError().text();
        read = DbRead::Failed;
    }
    // Done with it: no read lock kept.
    query.finish();
    return read;
}

void DbPage::showKeyed(View view, const QVariantList &key, QSqlQuery &query)
{
    this->view = view;
    viewKey = (view == View::After || view == View::Before) ? key : QVariantList();
    pageSql = query.lastQuery();
    pageValues = keyed.bindValues(viewKey);
    readEdgeKeys(query, keys.count(), firstKey, lastKey);
    showQuery(query, keys.count());
}

bool DbPage::stepKeyed(bool forward)
{
    const QVariantList from = forward ? lastKey : firstKey;
    if (from.isEmpty()) {
        // Nothing shown to go on from.
        const bool shown = showEnd(forward);
        recountPending = shown;
        return shown;
    }
    const View view = forward ? View::After : View::Before;
    DbRead read = DbRead::Failed;
    QSqlQuery query = readKeyed(view, from, resultCurrent, read);
    if (read == DbRead::Failed) {
        return false;
    }
    if (read == DbRead::Missing) {
        // The rows on that side were deleted: the nearest end that has rows
        // is shown, and a new count tells how many pages are left.
        const bool shown = showEnd(forward);
        recountPending = shown;
        return shown;
    }

    pageCurrent = forward ? pageCurrent + 1 : pageCurrent - 1;
    showKeyed(view, from, query);
    if (pageCurrent == (forward ? pageCount : 1u)) {
        // Whether rows were added beyond the end since the count is asked
        // right after the page is up: it only decides on a new count.
        const quint64 shown = shownId;
        QMetaObject::invokeMethod(this, [this, forward, shown] { checkBeyond(forward, shown); }, Qt::QueuedConnection);
    }
    return true;
}

void DbPage::checkBeyond(bool forward, quint64 shown)
{
    if (shown != shownId || rowsBeyond(forward, forward ? lastKey : firstKey) != DbRead::Found) {
        return;
    }
    // Page 1 is the one that holds the first row, so this one is not yet.
    if (!forward) {
        pageCurrent = 2;
        showLabels();
        setButtons(btnFirst, btnPre, true);
    }
    startCount(true);
}

bool DbPage::showEnd(bool last)
{
    DbRead read = DbRead::Failed;
    if (last) {
        QSqlQuery query = readKeyed(View::Last, {}, lastPageRows(), read);
        if (read == DbRead::Failed) {
            return false;
        }
        if (read == DbRead::Found) {
            pageCurrent = qMax(1u, pageCount);
            showKeyed(View::Last, {}, query);
            return true;
        }
    }
    // The first page, or an empty one when no row is left.
    QSqlQuery query = readKeyed(View::First, {}, resultCurrent, read);
    if (read == DbRead::Failed) {
        return false;
    }
    pageCurrent = 1;
    showKeyed(View::First, {}, query);
    return true;
}

int DbPage::lastPageRows() const
{
    // As many rows as the last page holds by the count, so that it shows the
    // same rows as paging by offset would.
    if (pageCount == 0) {
        return resultCurrent;
    }
    const qint64 rows = qint64(resultCount) - qint64(pageCount - 1) * resultCurrent;
    return int(qBound<qint64>(1, rows, resultCurrent));
}

void DbPage::refreshKeyed()
{
    const quint32 lastPage = qMax(1u, pageCount);
    DbRead read = DbRead::Missing;
    switch (view) {
    case View::Last:
        if (!showEnd(true)) {
            break;
        }
        return;
    case View::After:
    case View::Before: {
        QSqlQuery query = readKeyed(view, viewKey, resultCurrent, read);
        if (read == DbRead::Found) {
            pageCurrent = qMin(pageCurrent, lastPage);
            showKeyed(view, viewKey, query);
            return;
        }
        if (read == DbRead::Missing && showEnd(view == View::After)) {
            return;
        }
        break;
    }
    case View::First: {
        QSqlQuery query = readKeyed(View::First, {}, resultCurrent, read);
        if (read != DbRead::Failed) {
            pageCurrent = 1;
            showKeyed(View::First, {}, query);
            return;
        }
        break;
    }
    }
    // The page could not be read: an empty table, and no row to page from.
    queryModel->clear();
    firstKey.clear();
    lastKey.clear();
    pageCurrent = qMin(pageCurrent, lastPage);
    showLabels();
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
    if (pagesByKey()) {
        refreshKeyed();
    } else {
        showPage();
    }
}

void DbPage::select()
{
    // The where clause or the keys may have changed: prepare anew.
    rebuildStatements();
    startIndex = 0;
    pageCurrent = 1;
    view = View::First;
    viewKey.clear();
    recountPending = false;
    slot_receiveCount(uint(resultCurrent), 0);

    setButtons(btnFirst, btnLast, false);
    setButtons(btnNext, btnPre, false);
    for (QLabel *label : {labInfo, labPageCurrent, labPageCount, labResultCount, labResultCurrent, labResult}) {
        if (label) {
            label->setText(QStringLiteral("正在查询..."));
        }
    }
    startCount(false);
}

void DbPage::stopCounts()
{
    for (DbCountThread *thread : findChildren<DbCountThread *>(QString(), Qt::FindDirectChildrenOnly)) {
        thread->requestInterruption();
    }
}

void DbPage::startCount(bool afterFlip)
{
    // A count still running is out of date now: it stops at its next
    // slice instead of taking the processor from the new one.
    stopCounts();
    const quint64 id = ++selectId;
    const auto receive = [this, id, afterFlip](uint count, double msec) {
        // Only the latest count may set the pages.
        if (id != selectId) {
            return;
        }
        emit receiveCount(count, msec);
        slot_receiveCount(count, msec);
        if (afterFlip) {
            // Away from page 1 the buttons follow the page shown: a last
            // page never offers 下一页.
            setButtons(btnFirst, btnPre, pageCurrent > 1);
            setButtons(btnNext, btnLast, pageCurrent < pageCount);
        }
    };
    const QString countSql = keyed.countSql(countName);
    const QSqlDatabase db = QSqlDatabase::database(connName, false);
    if (DbConn::isPrivateDatabase(db)) {
        // A count thread's clone would count another, empty database: count here.
        QElapsedTimer timer;
        timer.start();
        uint count = 0;
        if (DbCountThread::count(QSqlDatabase::database(connName), countSql, count)) {
            receive(count, double(timer.nsecsElapsed()) / 1000000.0);
        }
        return;
    }

    auto *thread = new DbCountThread(this);
    connect(thread, &DbCountThread::receiveCount, this, receive);
    thread->setConnName(connName);
    thread->setSql(countSql);
    if (keyed.countsInSlices()) {
        // Counted along the keys in slices, each a short read of its own:
        // one long count would hold off every writer to the file (the
        // navigation log of the main screen among them) until it ended.
        const DbKeyedQuery::Slices slices = keyed.countSlices(countSliceRows);
        thread->setSlices(slices.firstEndSql, slices.nextEndSql, slices.restSql, countSliceRows, keyed.bindOrder());
    }
    thread->start();
}

void DbPage::setKeyColumns(const QStringList &keyColumns)
{
    if (!DbKeyedQuery::parseKeys(keyColumns, keys)) {
        qCDebug(lcDb) << "key columns not usable, paging by offset:" << keyColumns;
        keys.clear();
    }
    rebuildStatements();
}

void DbPage::setConnName(const QString &connName)
{
    this->connName = connName;
    rebuildStatements();
}

void DbPage::setTableName(const QString &tableName)
{
    this->tableName = tableName;
    rebuildStatements();
}

void DbPage::setSelectColumn(const QString &selectColumn)
{
    this->selectColumn = selectColumn;
    rebuildStatements();
}

void DbPage::setOrderSql(const QString &orderSql)
{
    this->orderSql = orderSql;
}

void DbPage::setWhereSql(const QString &whereSql)
{
    this->whereSql = whereSql;
    rebuildStatements();
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
