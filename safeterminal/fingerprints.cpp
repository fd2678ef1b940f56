#include "fingerprints.h"
#include "terminallog.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QtDebug>

namespace FingerPrints {

namespace {

bool run(QSqlQuery &query, const QString &sql, const QVariantList &values)
{
    if (!query.prepare(sql)) {
        qCWarning(lcTerminal) << "prints:" << query.lastError().text();
        return false;
    }
    for (const QVariant &value : values) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        qCWarning(lcTerminal) << "prints:" << query.lastError().text();
        return false;
    }
    return true;
}

DbRead read(const QString &sql, const QVariantList &values, QVector<Print> &prints)
{
    prints.clear();
    QSqlQuery query;
    query.setForwardOnly(true);
    if (!run(query, sql, values)) {
        return DbRead::Failed;
    }
    while (query.next()) {
        prints.append({query.value(0).toString(), query.value(1).toInt(), query.value(2).toByteArray()});
    }
    // A read cut short by a lock ends like the last row: ask.
    if (query.lastError().isValid()) {
        prints.clear();
        return DbRead::Failed;
    }
    return prints.isEmpty() ? DbRead::Missing : DbRead::Found;
}

} // namespace

QVector<QByteArray> data(const QVector<Print> &prints)
{
    QVector<QByteArray> list;
    list.reserve(prints.size());
    for (const Print &print : prints) {
        list << print.data;
    }
    return list;
}

bool ensureTable()
{
    QSqlQuery query;
    return run(query, QStringLiteral("create table if not exists FingerPrint (UserID VARCHAR (10), "
                                     "Finger INTEGER, Print BLOB)"),
               {});
}

DbRead all(QVector<Print> &prints)
{
    return read(QStringLiteral("select UserID,Finger,Print from FingerPrint order by rowid"), {}, prints);
}

DbRead ofUser(const QString &userID, QVector<Print> &prints)
{
    return read(QStringLiteral("select UserID,Finger,Print from FingerPrint where UserID=? order by Finger"),
                {userID}, prints);
}

bool store(const QString &userID, int finger, const QByteArray &data)
{
    QSqlQuery query;
    return run(query, QStringLiteral("delete from FingerPrint where UserID=? and Finger=?"), {userID, finger})
        && run(query, QStringLiteral("insert into FingerPrint(UserID,Finger,Print) values(?,?,?)"),
               {userID, finger, data});
}

bool removeUser(const QString &userID)
{
    QSqlQuery query;
    return run(query, QStringLiteral("delete from FingerPrint where UserID=?"), {userID});
}

} // namespace FingerPrints
