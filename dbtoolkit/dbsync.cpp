#include "dbsync.h"
#include "dblog.h"

#include <QSqlQuery>

#include <QtDebug>

namespace DbSync {

ConnInfo defaultConnInfo(const QString &connName)
{
    return ConnInfo{DbType_MySql,
                    connName,
                    QStringLiteral("127.0.0.1"),
                    3306,
                    QStringLiteral("varnox_mysql"),
                    QStringLiteral("root"),
                    QStringLiteral("kelp")};
}

bool isTransient(const QSqlError &error, const QString &driverName)
{
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    if (driverName == QLatin1String("QSQLITE")) {
        // Only the result code tells: Qt's driver calls every failed step a
        // connection error, a broken constraint too.
        if (!numeric) {
            // Nothing to tell it by: keeping the statement is the safe side.
            return true;
        }
        // An extended code carries its primary one in the low byte.
        switch (code & 0xff) {
        case 5:  // SQLITE_BUSY
        case 6:  // SQLITE_LOCKED
        case 8:  // SQLITE_READONLY
        case 10: // SQLITE_IOERR
        case 13: // SQLITE_FULL
        case 14: // SQLITE_CANTOPEN
        case 15: // SQLITE_PROTOCOL
            return true;
        default:
            return false;
        }
    }
    // Any other driver is MySQL's. A lost connection is worth another try,
    // and so, on the safe side, is a failure without a number.
    if (error.type() == QSqlError::ConnectionError || !numeric) {
        return true;
    }
    // MySQL / MariaDB server and client error numbers.
    switch (code) {
    case 1021: // disk full
    case 1037: // out of memory
    case 1038: // out of sort memory
    case 1040: // too many connections
    case 1053: // server shutdown in progress
    case 1158: // network read error
    case 1159: // network read timeout
    case 1160: // network write error
    case 1161: // network write timeout
    case 1180: // error during commit
    case 1205: // lock wait timeout
    case 1213: // deadlock
    case 1317: // query interrupted
    case 1615: // prepared statement needs re-preparing
    case 1637: // too many active concurrent transactions
    case 1927: // connection killed
    case 2002: // cannot connect through the socket
    case 2003: // cannot connect to the server
    case 2006: // server has gone away
    case 2013: // lost connection during query
    case 2014: // commands out of sync
    case 2055: // lost connection at a reading stage
    case 4031: // disconnected for inactivity
        return true;
    default:
        return false;
    }
}

QString seconds(double msec)
{
    return QString::number(msec / 1000.0, 'f', 3);
}

QList<int> keyIndexOf(const QStringList &columnName, const QStringList &keyName)
{
    QList<int> keyIndex;
    keyIndex.reserve(keyName.size());
    for (const QString &key : keyName) {
        keyIndex << columnName.indexOf(key);
    }
    return keyIndex;
}

QString keyOf(const QStringList &fields, const QList<int> &keyIndex)
{
    QStringList parts;
    parts.reserve(keyIndex.size());
    for (int index : keyIndex) {
        parts << ((index >= 0 && index < fields.size()) ? fields.at(index) : QString());
    }
    return parts.join(QLatin1Char('|'));
}

void warnDropped(const char *who, const QString &sql, const QSqlError &error)
{
    qCWarning(lcDb).noquote() << who << "statement failed and is dropped:" << sql << "-" << error.text();
}

bool runBatch(QSqlDatabase db, const QStringList &sqls,
              const std::function<void(int index, const QSqlError &error)> &dropped, QSqlError &failure)
{
    if (!db.transaction()) {
        failure = db.lastError();
        return false;
    }
    bool cut = false;
    {
        QSqlQuery query(db);
        for (int i = 0; i < sqls.size(); ++i) {
            if (query.exec(sqls.at(i))) {
                continue;
            }
            const QSqlError error = query.lastError();
            if (isTransient(error, db.driverName())) {
                failure = error;
                cut = true;
                break;
            }
            dropped(i, error);
        }
    }
    if (!cut && db.commit()) {
        return true;
    }
    if (!cut) {
        failure = db.lastError();
    }
    db.rollback();
    return false;
}

} // namespace DbSync
