#include "dbkeyedquery.h"

#include <QRegularExpression>

namespace {

QString keyAlias(int i)
{
    return QStringLiteral("dbpage_key%1").arg(i);
}

// The condition of a where clause ("where a=1" gives "a=1"), empty for an
// empty clause, null when the clause has some other form.
QString whereBody(const QString &whereSql)
{
    const QString where = whereSql.trimmed();
    if (where.isEmpty()) {
        return QLatin1String("");
    }
    static const QRegularExpression form(QStringLiteral("^where\\s+(.*\\S)$"),
                                         QRegularExpression::CaseInsensitiveOption
                                             | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = form.match(where);
    return match.hasMatch() ? match.captured(1) : QString();
}

bool oneDirection(const QList<DbKeyedQuery::Key> &keys)
{
    for (const DbKeyedQuery::Key &key : keys) {
        if (key.descending != keys.first().descending) {
            return false;
        }
    }
    return true;
}

// " clause", or nothing for an empty one.
QString spaced(const QString &clause)
{
    return clause.isEmpty() ? QString() : QLatin1Char(' ') + clause;
}

} // namespace

bool DbKeyedQuery::parseKeys(const QStringList &entries, QList<Key> &keys)
{
    QList<Key> parsed;
    for (const QString &entry : entries) {
        const QStringList parts = entry.simplified().split(QLatin1Char(' '));
        const QString direction = parts.value(1).toLower();
        if (parts.isEmpty() || parts.first().isEmpty() || parts.count() > 2
            || (parts.count() == 2 && direction != QLatin1String("asc") && direction != QLatin1String("desc"))) {
            return false;
        }
        parsed << Key{parts.first(), direction == QLatin1String("desc")};
    }
    if (!oneDirection(parsed)) {
        return false;
    }
    keys = parsed;
    return true;
}

DbKeyedQuery::DbKeyedQuery(const QList<Key> &keys, const QString &tableName, const QString &whereSql,
                           const QString &columns, const QString &driverName)
    : keys(keys),
      tableName(tableName),
      whereSql(whereSql.trimmed()),
      condition(whereBody(whereSql)),
      byKey(!keys.isEmpty() && oneDirection(keys) && !condition.isNull()),
      sqlite(driverName == QLatin1String("QSQLITE")),
      seeksPerKey(sqlite && keys.count() > 1)
{
    if (!byKey) {
        return;
    }
    if (!seeksPerKey) {
        for (int i = 0; i < keys.count(); ++i) {
            order << i;
        }
    } else {
        // The parts of keyParts(), nearest first: each compares the key
        // columns up to its own.
        for (int i = keys.count() - 1; i >= 0; --i) {
            for (int j = 0; j <= i; ++j) {
                order << j;
            }
        }
    }

    QStringList list;
    // A bare * may not be followed by more columns everywhere.
    list << (columns.trimmed() == QLatin1String("*") ? tableName + QStringLiteral(".*") : columns);
    list << keyColumns();
    const QString pageColumns = list.join(QLatin1Char(','));
    for (Page page : {Page::First, Page::After, Page::Before, Page::Last}) {
        const bool backwards = page == Page::Before || page == Page::Last;
        QString &head = heads[int(page)];
        if (page == Page::First || page == Page::Last) {
            head = QStringLiteral("select %1 from %2%3 order by %4")
                       .arg(pageColumns, tableName, spaced(endWhere()), keyOrder(backwards, false));
        } else {
            const QStringList parts = keyParts(page, pageColumns);
            // A compound orders by its result columns.
            head = parts.join(QLatin1String(" union all ")) + QStringLiteral(" order by ")
                + keyOrder(backwards, parts.count() > 1);
        }
    }
    screenOrder = keyOrder(false, true);
    for (bool forward : {true, false}) {
        beyond[forward ? 0 : 1] =
            keyParts(forward ? Page::After : Page::Before, QStringLiteral("1")).join(QLatin1String(" union all "))
            + QStringLiteral(" limit 1");
    }
}

QString DbKeyedQuery::pageSql(Page page, int rows) const
{
    if (!byKey) {
        return QString();
    }
    const QString sql = heads[int(page)] + QStringLiteral(" limit ") + QString::number(rows);
    if (page == Page::First || page == Page::After) {
        return sql;
    }
    return QStringLiteral("select * from (") + sql + QStringLiteral(") as dbpage order by ") + screenOrder;
}

QString DbKeyedQuery::beyondSql(bool forward) const
{
    return beyond[forward ? 0 : 1];
}

QString DbKeyedQuery::countSql(const QString &countName) const
{
    return QStringLiteral("select count(%1) from %2%3").arg(countName, tableName, spaced(whereSql));
}

DbKeyedQuery::Slices DbKeyedQuery::countSlices(int sliceRows) const
{
    if (!byKey) {
        return {};
    }
    const QString columns = keyColumns();
    const QString offset = QStringLiteral(" limit 1 offset ") + QString::number(sliceRows - 1);
    Slices slices;
    slices.firstEndSql = QStringLiteral("select %1 from %2%3 order by %4")
                             .arg(columns, tableName, spaced(endWhere()), keyOrder(false, false))
        + offset;
    const QStringList after = keyParts(Page::After, columns);
    slices.nextEndSql = after.join(QLatin1String(" union all ")) + QStringLiteral(" order by ")
        + keyOrder(false, after.count() > 1) + offset;
    slices.restSql = QStringLiteral("select count(*) from (%1)")
                         .arg(keyParts(Page::After, QStringLiteral("1")).join(QLatin1String(" union all ")));
    return slices;
}

QVariantList DbKeyedQuery::bindValues(const QVariantList &key) const
{
    QVariantList values;
    if (key.isEmpty()) {
        return values;
    }
    for (int i : order) {
        values << key.value(i);
    }
    return values;
}

QString DbKeyedQuery::keyColumns() const
{
    QStringList list;
    for (int i = 0; i < keys.count(); ++i) {
        list << QStringLiteral("%1 as %2").arg(keys.at(i).column, keyAlias(i));
    }
    return list.join(QLatin1Char(','));
}

QString DbKeyedQuery::keyOrder(bool reversed, bool byAlias) const
{
    QStringList terms;
    for (int i = 0; i < keys.count(); ++i) {
        const bool descending = keys.at(i).descending != reversed;
        terms << (byAlias ? keyAlias(i) : keys.at(i).column) + (descending ? QLatin1String(" desc") : QLatin1String(" asc"));
    }
    return terms.join(QLatin1Char(','));
}

QString DbKeyedQuery::endWhere() const
{
    return condition.isEmpty() ? QString() : QStringLiteral("where ") + condition;
}

QString DbKeyedQuery::keyWhere(Page page) const
{
    // The rows beyond a key as one row-value comparison.
    QStringList columns;
    QStringList marks;
    for (const Key &k : keys) {
        columns << k.column;
        marks << QStringLiteral("?");
    }
    const bool below = (page == Page::After) == keys.first().descending;
    const QString op = below ? QStringLiteral("<") : QStringLiteral(">");
    const QString comparison = keys.count() == 1
        ? QStringLiteral("%1 %2 ?").arg(columns.first(), op)
        : QStringLiteral("(%1) %2 (%3)").arg(columns.join(QLatin1Char(',')), op, marks.join(QLatin1Char(',')));
    return condition.isEmpty() ? QStringLiteral("where ") + comparison
                               : QStringLiteral("where (%1) and %2").arg(condition, comparison);
}

QStringList DbKeyedQuery::keyParts(Page page, const QString &columns) const
{
    if (!seeksPerKey) {
        return {QStringLiteral("select %1 from %2 %3").arg(columns, tableName, keyWhere(page))};
    }
    // The rows that share the first i key values and lie beyond on key i,
    // nearest part first; SQLite seeks each exactly and merges them in index order.
    const bool below = (page == Page::After) == keys.first().descending;
    QStringList parts;
    for (int i = keys.count() - 1; i >= 0; --i) {
        QStringList terms;
        if (!condition.isEmpty()) {
            terms << QStringLiteral("(%1)").arg(condition);
        }
        for (int j = 0; j < i; ++j) {
            terms << keys.at(j).column + QStringLiteral(" = ?");
        }
        terms << keys.at(i).column + (below ? QStringLiteral(" < ?") : QStringLiteral(" > ?"));
        parts << QStringLiteral("select %1 from %2 where %3").arg(columns, tableName, terms.join(QLatin1String(" and ")));
    }
    return parts;
}
