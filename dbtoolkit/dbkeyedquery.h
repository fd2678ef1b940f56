#ifndef DBKEYEDQUERY_H
#define DBKEYEDQUERY_H

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

// The statements that read a query a page at a time by key: the rows of one
// table under a where clause, in the order of columns that order them
// uniquely. A page is read from either end of the table, or after or before
// the key of a row shown, so it is one index seek however deep it lies. The
// key columns follow the page's own columns (as dbpage_key0, dbpage_key1, ...)
// for the next read to go on from. Also the query's count, whole or in slices
// along the keys.
//
// A value: the texts are worked out when it is made; asking for them only
// adds the number of rows. Column, table and where clause are taken as SQL
// text from the code and put in as they are.
class DbKeyedQuery
{
public:
    struct Key {
        QString column;
        bool descending = false;
    };

    // Which rows a page holds: the first or the last ones, or those right
    // after or right before a given key.
    enum class Page { First, After, Before, Last };

    // The statements of a count in slices, as DbCountThread::setSlices() takes them.
    struct Slices {
        QString firstEndSql;
        QString nextEndSql;
        QString restSql;
    };

    // Reads "name", "name asc" or "name desc" each. False, keys left as
    // they were, for another form or for columns in more than one direction
    // (a row-value comparison follows one direction only).
    static bool parseKeys(const QStringList &entries, QList<Key> &keys);

    DbKeyedQuery() = default;
    // columns is the select list of a page ("*" for every column of the
    // table); driverName that of the connection ("QSQLITE", "QMYSQL").
    DbKeyedQuery(const QList<Key> &keys, const QString &tableName, const QString &whereSql, const QString &columns,
                 const QString &driverName);

    // Key columns given, all in one direction, and a where clause that is
    // empty or starts with "where". Otherwise no statement below but
    // countSql() is there (they are empty).
    bool pagesByKey() const { return byKey; }
    // Counted in slices: paged by key on SQLite, where one long count would
    // hold off every writer to the file until it ended.
    bool countsInSlices() const { return byKey && sqlite; }
    int keyCount() const { return keys.count(); }

    // At most rows rows of the page, in the order of the keys. After and
    // Before take the key values in bindOrder(); the last page and the one
    // before a key are read backwards from their end and put in order again.
    QString pageSql(Page page, int rows) const;
    // One row when any lies after (forward) or before the given key.
    QString beyondSql(bool forward) const;
    // The count of the query's rows: count(countName) under the where clause as given.
    QString countSql(const QString &countName) const;
    // A count in slices of sliceRows rows: the keys of the last row of the
    // first slice, those of the last row of the slice after a key, and the
    // count of the rows after a key (the last two take bindOrder()).
    Slices countSlices(int sliceRows) const;

    // Which key value each placeholder takes, as indexes into a key.
    QList<int> bindOrder() const { return order; }
    // A key's values in bindOrder(); none for an empty key.
    QVariantList bindValues(const QVariantList &key) const;

private:
    QList<Key> keys;
    QString tableName;
    QString whereSql;
    QString condition; // the where clause without its "where"
    bool byKey = false;
    bool sqlite = false;
    // SQLite seeks a row-value comparison on its first column only and walks
    // the rows that share it: there each key column is a part of its own.
    bool seeksPerKey = false;
    QList<int> order;
    // The page statements up to their row limit, and the order a page read
    // backwards is put back in.
    QString heads[4];
    QString screenOrder;
    QString beyond[2];

    QString keyOrder(bool reversed, bool byAlias) const;
    QString endWhere() const;
    QString keyWhere(Page page) const;
    QStringList keyParts(Page page, const QString &columns) const;
    QString keyColumns() const;
};

#endif // DBKEYEDQUERY_H
