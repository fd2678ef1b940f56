#include "dbcsvexportthread.h"
#include "dblog.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QtDebug>

#include <QSqlDriver>

#include <cerrno>
#include <cstring>
#include <sqlite3.h>
#include <vector>

namespace {

// A spreadsheet runs a cell that starts with one of these as a formula.
bool looksLikeFormula(const QString &field)
{
    if (field.isEmpty()) {
        return false;
    }
    const QChar c = field.at(0);
    return c == QLatin1Char('=') || c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('@');
}

bool needsQuotes(const QString &field)
{
    for (const QChar c : field) {
        if (c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            return true;
        }
    }
    return false;
}

void appendField(QByteArray &out, const QString &field)
{
    const bool formula = looksLikeFormula(field);
    if (!needsQuotes(field)) {
        if (formula) {
            out += '\'';
        }
        out += field.toUtf8();
        return;
    }
    QString quoted = field;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    out += '"';
    if (formula) {
        out += '\'';
    }
    out += quoted.toUtf8();
    out += '"';
}

// The same rules on UTF-8 text straight from SQLite.
void appendField(QByteArray &out, const char *text, int length)
{
    const bool formula = length > 0 && (text[0] == '=' || text[0] == '+' || text[0] == '-' || text[0] == '@');
    bool quotes = false;
    for (int i = 0; i < length && !quotes; ++i) {
        const char c = text[i];
        quotes = c == ',' || c == '"' || c == '\r' || c == '\n';
    }
    if (quotes) {
        out += '"';
    }
    if (formula) {
        out += '\'';
    }
    if (!quotes) {
        out.append(text, length);
        return;
    }
    int start = 0;
    for (int i = 0; i < length; ++i) {
        if (text[i] == '"') {
            out.append(text + start, i - start + 1);
            out += '"';
            start = i + 1;
        }
    }
    out.append(text + start, length - start);
    out += '"';
}

// A key column's value in the current row, kept in place from row to row.
struct RawValue {
    int type = SQLITE_NULL;
    qint64 integer = 0;
    double real = 0;
    QByteArray text;

    void read(sqlite3_stmt *statement, int column)
    {
        type = sqlite3_column_type(statement, column);
        if (type == SQLITE_INTEGER) {
            integer = sqlite3_column_int64(statement, column);
        } else if (type == SQLITE_FLOAT) {
            real = sqlite3_column_double(statement, column);
        } else if (type != SQLITE_NULL) {
            const auto *data = static_cast<const char *>(sqlite3_column_blob(statement, column));
            text.resize(sqlite3_column_bytes(statement, column));
            if (!text.isEmpty()) {
                std::memcpy(text.data(), data, static_cast<size_t>(text.size()));
            }
        }
    }

    QVariant value() const
    {
        switch (type) {
        case SQLITE_INTEGER:
            return integer;
        case SQLITE_FLOAT:
            return real;
        case SQLITE_NULL:
            return QVariant();
        default:
            return QString::fromUtf8(text);
        }
    }
};

bool bindValue(sqlite3_stmt *statement, int index, const QVariant &value)
{
    if (value.isNull()) {
        return sqlite3_bind_null(statement, index) == SQLITE_OK;
    }
    switch (value.userType()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return sqlite3_bind_int64(statement, index, value.toLongLong()) == SQLITE_OK;
    case QMetaType::Double:
        return sqlite3_bind_double(statement, index, value.toDouble()) == SQLITE_OK;
    default: {
        const QByteArray text = value.toString().toUtf8();
        return sqlite3_bind_text(statement, index, text.constData(), text.size(), SQLITE_TRANSIENT) == SQLITE_OK;
    }
    }
}

bool noSpaceLeft(int err, const QString &fileName)
{
    if (err == ENOSPC || err == EDQUOT) {
        return true;
    }
    // The temporary file still holds its blocks here, so a full disk shows.
    const QStorageInfo storage(QFileInfo(fileName).absolutePath());
    return storage.isValid() && storage.bytesAvailable() < 64 * 1024;
}

} // namespace

DbCsvExportThread::DbCsvExportThread(QObject *parent) : QThread(parent) {}

DbCsvExportThread::~DbCsvExportThread()
{
    stop();
    wait();
}

void DbCsvExportThread::setConnName(const QString &connName)
{
    this->connName = connName;
}

void DbCsvExportThread::setTableName(const QString &tableName)
{
    this->tableName = tableName;
}

void DbCsvExportThread::setColumns(const QStringList &columns, const QStringList &header)
{
    this->columns = columns;
    this->header = header;
}

void DbCsvExportThread::setWhere(const QString &condition, const QVariantList &values)
{
    this->condition = condition;
    conditionValues = values;
}

void DbCsvExportThread::setKeyColumns(const QStringList &keyColumns)
{
    keys.clear();
    for (const QString &entry : keyColumns) {
        const QStringList parts = entry.simplified().split(QLatin1Char(' '));
        const bool descending = parts.value(1).compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0;
        keys.append({parts.first(), descending});
    }
}

void DbCsvExportThread::setFileName(const QString &fileName)
{
    this->fileName = fileName;
}

void DbCsvExportThread::setChunkRows(int rows)
{
    chunkRows = qMax(1, rows);
}

void DbCsvExportThread::stop()
{
    stopping.storeRelaxed(1);
}

QByteArray DbCsvExportThread::csvRecord(const QStringList &fields)
{
    QByteArray out;
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        appendField(out, fields.at(i));
    }
    out += "\r\n";
    return out;
}

void DbCsvExportThread::run()
{
    stopping.storeRelaxed(0);
    written = 0;
    exportFailure = NoFailure;
    const QString ownName = QStringLiteral("DbCsvExportThread_%1").arg(quintptr(this), 0, 16);
    {
        QSqlDatabase db = QSqlDatabase::cloneDatabase(connName, ownName);
        if (!db.open()) {
            exportResult = fail(DatabaseFailed, db.lastError().text());
        } else {
            exportResult = exportTo(db);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(ownName);
    emit exportFinished(exportResult, written);
}

DbCsvExportThread::Result DbCsvExportThread::fail(Failure failure, const QString &detail)
{
    exportFailure = failure;
    emit debug(QStringLiteral("export to %1 failed: %2").arg(fileName, detail));
    qCWarning(lcDb) << "export failed:" << fileName << failure << detail;
    return Failed;
}

DbCsvExportThread::Result DbCsvExportThread::exportTo(QSqlDatabase &db)
{
    if (keys.isEmpty() || columns.isEmpty()) {
        return fail(DatabaseFailed, QStringLiteral("no columns or no key columns"));
    }
    qint64 total = 0;
    if (!countRows(db, total)) {
        return Failed;
    }
    if (total == 0) {
        return Empty;
    }

    QSaveFile file(fileName);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        const int err = errno;
        return fail(err == ENOSPC || err == EDQUOT ? DiskFull : FolderNotWritable, file.errorString());
    }
    const auto writeOut = [&](const QByteArray &data) {
        errno = 0;
        if (file.write(data) == data.size() && file.flush()) {
            return NoFailure;
        }
        const int err = errno;
        const Failure why = noSpaceLeft(err, fileName) ? DiskFull : WriteFailed;
        fail(why, file.errorString());
        return why;
    };

    QByteArray chunk = QByteArrayLiteral("\xEF\xBB\xBF") + csvRecord(header);
    QVariantList last;
    for (;;) {
        if (stopping.loadRelaxed()) {
            file.cancelWriting();
            return Cancelled;
        }
        int rows = 0;
        if (!readChunk(db, last, chunkRows, chunk, rows)) {
            file.cancelWriting();
            return Failed;
        }
        if (writeOut(chunk) != NoFailure) {
            file.cancelWriting();
            return Failed;
        }
        chunk.clear();
        written += rows;
        // Rows added since the count would carry the bar past its end.
        emit progress(written, qMax(total, written));
        if (rows < chunkRows) {
            break;
        }
    }
    if (stopping.loadRelaxed()) {
        file.cancelWriting();
        return Cancelled;
    }
    errno = 0;
    if (!file.commit()) {
        const int err = errno;
        return fail(noSpaceLeft(err, fileName) ? DiskFull : WriteFailed, file.errorString());
    }
    return Done;
}

bool DbCsvExportThread::countRows(QSqlDatabase &db, qint64 &total)
{
    QSqlQuery query(db);
    const QString where = condition.isEmpty() ? QString() : QStringLiteral(" where ") + condition;
    if (!query.prepare(QStringLiteral("select count(*) from %1%2").arg(tableName, where))) {
        fail(DatabaseFailed, query.lastError().text());
        return false;
    }
    for (const QVariant &value : conditionValues) {
        query.addBindValue(value);
    }
    if (!query.exec() || !query.next()) {
        fail(DatabaseFailed, query.lastError().text());
        return false;
    }
    total = query.value(0).toLongLong();
    return true;
}

// The rows after a key, in key order, are: those that share every key value
// but the last and lie beyond it on the last, then those that share all but
// the last two and lie beyond on the one before, and so on up to the first.
// Each part is one seek on an index over the keys; a row-value comparison
// would seek on the first key only and walk every row that shares it.
// NULL sorts lowest, so beyond a value in descending order also lie the
// NULLs of that key.
bool DbCsvExportThread::readChunk(QSqlDatabase &db, QVariantList &last, int limit, QByteArray &out, int &rows)
{
    rows = 0;
    if (last.isEmpty()) {
        return readPart(db, QString(), QVariantList(), limit, last, out, rows);
    }
    const QVariantList from = last;
    for (int i = keys.count() - 1; i >= 0 && rows < limit; --i) {
        QStringList same;
        QVariantList sameValues;
        for (int j = 0; j < i; ++j) {
            if (from.at(j).isNull()) {
                same << keys.at(j).column + QStringLiteral(" is null");
            } else {
                same << keys.at(j).column + QStringLiteral(" = ?");
                sameValues << from.at(j);
            }
        }
        const Key &key = keys.at(i);
        const QVariant &value = from.at(i);
        QStringList beyond;
        QList<QVariantList> beyondValues;
        if (value.isNull()) {
            if (!key.descending) {
                beyond << key.column + QStringLiteral(" is not null");
                beyondValues << QVariantList();
            }
        } else {
            beyond << key.column + (key.descending ? QStringLiteral(" < ?") : QStringLiteral(" > ?"));
            beyondValues << QVariantList{value};
            if (key.descending) {
                beyond << key.column + QStringLiteral(" is null");
                beyondValues << QVariantList();
            }
        }
        for (int b = 0; b < beyond.count() && rows < limit; ++b) {
            const QString part = (same + QStringList{beyond.at(b)}).join(QStringLiteral(" and "));
            if (!readPart(db, part, sameValues + beyondValues.at(b), limit - rows, last, out, rows)) {
                return false;
            }
        }
    }
    return true;
}

bool DbCsvExportThread::readPart(QSqlDatabase &db, const QString &extraCondition, const QVariantList &extraValues,
                                 int limit, QVariantList &last, QByteArray &out, int &rows)
{
    QStringList conditions;
    if (!condition.isEmpty()) {
        conditions << QStringLiteral("(%1)").arg(condition);
    }
    if (!extraCondition.isEmpty()) {
        conditions << extraCondition;
    }
    QStringList order;
    QStringList selected = columns;
    QVector<int> keyIndex; // where each key's value is in a row; a key that is a column is read once
    for (const Key &key : keys) {
        order << key.column + (key.descending ? QStringLiteral(" desc") : QStringLiteral(" asc"));
        int index = columns.indexOf(key.column);
        if (index < 0) {
            index = selected.size();
            selected << key.column;
        }
        keyIndex << index;
    }
    const QString sql = QStringLiteral("select %1 from %2%3 order by %4 limit ?")
                            .arg(selected.join(QLatin1Char(',')), tableName,
                                 conditions.isEmpty() ? QString()
                                                      : QStringLiteral(" where ") + conditions.join(QStringLiteral(" and ")),
                                 order.join(QLatin1Char(',')));
    const QVariantList values = conditionValues + extraValues + QVariantList{limit};
    if (db.driverName() == QLatin1String("QSQLITE")) {
        return readSqlite(db, sql, values, keyIndex, last, out, rows);
    }
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        fail(DatabaseFailed, query.lastError().text());
        return false;
    }
    for (const QVariant &value : values) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        fail(DatabaseFailed, query.lastError().text());
        return false;
    }
    const int fieldCount = columns.count();
    const int keyCount = keys.count();
    while (query.next()) {
        for (int i = 0; i < fieldCount; ++i) {
            if (i > 0) {
                out += ',';
            }
            appendField(out, query.value(i).toString());
        }
        out += "\r\n";
        ++rows;
        while (last.size() < keyCount) {
            last << QVariant();
        }
        for (int i = 0; i < keyCount; ++i) {
            last[i] = query.value(keyIndex.at(i));
        }
    }
    if (query.lastError().isValid()) {
        fail(DatabaseFailed, query.lastError().text());
        return false;
    }
    // Ends the statement, and with it the read lock, before the file is written.
    query.finish();
    return true;
}

// On SQLite the rows are read through the connection's own handle: the text
// goes to the file as SQLite holds it, without a round trip through QString.
bool DbCsvExportThread::readSqlite(QSqlDatabase &db, const QString &sql, const QVariantList &values,
                                   const QVector<int> &keyIndex, QVariantList &last, QByteArray &out, int &rows)
{
    const QVariant handle = db.driver()->handle();
    sqlite3 *connection = handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
        ? *static_cast<sqlite3 *const *>(handle.data())
        : nullptr;
    if (!connection) {
        fail(DatabaseFailed, QStringLiteral("no SQLite handle"));
        return false;
    }
    sqlite3_stmt *statement = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(connection, text.constData(), text.size(), &statement, nullptr) != SQLITE_OK) {
        fail(DatabaseFailed, QString::fromUtf8(sqlite3_errmsg(connection)));
        return false;
    }
    for (int i = 0; i < values.size(); ++i) {
        if (!bindValue(statement, i + 1, values.at(i))) {
            fail(DatabaseFailed, QString::fromUtf8(sqlite3_errmsg(connection)));
            sqlite3_finalize(statement);
            return false;
        }
    }
    const int fieldCount = columns.count();
    std::vector<RawValue> keyValues(static_cast<size_t>(keyIndex.size()));
    int step = SQLITE_ROW;
    bool any = false;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        for (int i = 0; i < fieldCount; ++i) {
            if (i > 0) {
                out += ',';
            }
            const auto *field = reinterpret_cast<const char *>(sqlite3_column_text(statement, i));
            appendField(out, field, field ? sqlite3_column_bytes(statement, i) : 0);
        }
        out += "\r\n";
        ++rows;
        any = true;
        for (int i = 0; i < keyIndex.size(); ++i) {
            keyValues[static_cast<size_t>(i)].read(statement, keyIndex.at(i));
        }
    }
    const bool ok = step == SQLITE_DONE;
    if (!ok) {
        fail(DatabaseFailed, QString::fromUtf8(sqlite3_errmsg(connection)));
    }
    // Ends the statement, and with it the read lock, before the file is written.
    sqlite3_finalize(statement);
    if (ok && any) {
        last.clear();
        for (const RawValue &key : keyValues) {
            last << key.value();
        }
    }
    return ok;
}
