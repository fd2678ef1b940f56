#include "dbhelper.h"
#include "dblog.h"
#include "zemiclock.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <QVariant>
#include <QtDebug>

namespace {

// Runs one statement on the default connection with its values bound in order.
bool execBound(const QString &sql, const QVariantList &values, QSqlQuery *result = nullptr)
{
    QSqlQuery query;
    if (!query.prepare(sql)) {
        qCWarning(lcDb) << "prepare failed:" << sql << query.lastError().text();
        return false;
    }
    for (const QVariant &value : values) {
        // An empty text is stored as '' like any other text, never as NULL.
        if (value.type() == QVariant::String && value.toString().isNull()) {
            query.addBindValue(QStringLiteral(""));
        } else {
            query.addBindValue(value);
        }
    }
    const bool ok = query.exec();
    if (!ok) {
        qCWarning(lcDb) << "exec failed:" << sql << query.lastError().text();
    }
    if (result) {
        *result = query;
    }
    return ok;
}

// SQLITE_BUSY: another connection held its lock past the busy timeout. The
// file itself may be perfectly sound.
bool lockedByAnother(const QSqlQuery &query)
{
    return query.lastError().nativeErrorCode() == QLatin1String("5");
}

// After next() returned false: whether the rows ran out or stepping failed.
bool rowsFailed(const QSqlQuery &query)
{
    return query.lastError().isValid();
}

QString placeholders(int count)
{
    QStringList marks;
    for (int i = 0; i < count; ++i) {
        marks << QStringLiteral("?");
    }
    return marks.join(QLatin1Char(','));
}

} // namespace

void DbUserCache::clear()
{
    count = 0;
    userID.clear();
    userName.clear();
    userPwd.clear();
    userAdmin.clear();
    userDoor.clear();
    userFinger.clear();
}

DbWriteTransaction::DbWriteTransaction()
{
    QSqlQuery query;
    active = query.exec(QStringLiteral("BEGIN IMMEDIATE"));
    if (!active) {
        qCWarning(lcDb) << "write transaction refused:" << query.lastError().text();
    }
}

DbWriteTransaction::~DbWriteTransaction()
{
    rollback();
}

bool DbWriteTransaction::commit()
{
    if (!active) {
        return false;
    }
    QSqlQuery query;
    if (!query.exec(QStringLiteral("COMMIT"))) {
        qCWarning(lcDb) << "commit failed:" << query.lastError().text();
        rollback();
        return false;
    }
    active = false;
    return true;
}

void DbWriteTransaction::rollback()
{
    if (active) {
        QSqlQuery query;
        query.exec(QStringLiteral("ROLLBACK"));
        active = false;
    }
}

bool DBHelper::addLog(const QString &logType, const QString &logDate, const QString &logTime,
                      const QString &logContent)
{
    return execBound(QStringLiteral("insert into LogInfo(LogType,LogDate,LogTime,LogContent) values(?,?,?,?)"),
                     {logType, logDate, logTime, logContent});
}

bool DBHelper::addLog(const QString &logType, const QString &logContent)
{
    const QDateTime now = ZemiClock::now();
    return addLog(logType, now.toString(QStringLiteral("yyyy-MM-dd")), now.toString(QStringLiteral("HH:mm:ss")),
                  logContent);
}

bool DBHelper::addManageLog(const QString &logContent)
{
    return addLog(QStringLiteral("管理日志"), logContent);
}

bool DBHelper::addUser(const QString &userID, const QString &userName, const QString &userPwd,
                       const QString &userAdmin, const QString &userDoor, const QString &userFinger)
{
    return execBound(QStringLiteral("insert into UserInfo(UserID,UserName,UserPwd,UserAdmin,UserDoor,UserFinger) "
                                    "values(?,?,?,?,?,?)"),
                     {userID, userName, userPwd, userAdmin, userDoor, userFinger});
}

bool DBHelper::updateUser(const QString &userID, const QString &userName, const QString &userPwd,
                          const QString &userAdmin, const QString &userDoor, const QString &userFinger)
{
    return execBound(QStringLiteral("update UserInfo set UserName=?,UserPwd=?,UserAdmin=?,UserDoor=?,UserFinger=? "
                                    "where UserID=?"),
                     {userName, userPwd, userAdmin, userDoor, userFinger, userID});
}

bool DBHelper::updateUserDetails(const QString &userID, const QString &userName, const QString &userPwd,
                                 const QString &userAdmin, const QString &userDoor)
{
    QSqlQuery query;
    return execBound(QStringLiteral("update UserInfo set UserName=?,UserPwd=?,UserAdmin=?,UserDoor=? where UserID=?"),
                     {userName, userPwd, userAdmin, userDoor, userID}, &query)
        && query.numRowsAffected() > 0;
}

bool DBHelper::updateUserFinger(const QString &userID, const QString &userFinger)
{
    QSqlQuery query;
    return execBound(QStringLiteral("update UserInfo set UserFinger=? where UserID=?"), {userFinger, userID}, &query)
        && query.numRowsAffected() > 0;
}

bool DBHelper::deleteUser(const QString &userID)
{
    QSqlQuery query;
    return execBound(QStringLiteral("delete from UserInfo where UserID=?"), {userID}, &query)
        && query.numRowsAffected() > 0;
}

DbRead DBHelper::existUser(const QString &userID)
{
    QSqlQuery query;
    if (!execBound(QStringLiteral("select count(*) from UserInfo where UserID=?"), {userID}, &query)
        || !query.next()) {
        return DbRead::Failed;
    }
    return query.value(0).toInt() != 0 ? DbRead::Found : DbRead::Missing;
}

DbRead DBHelper::getUserFinger(const QString &userID, QString &userFinger)
{
    QSqlQuery query;
    if (!execBound(QStringLiteral("select UserFinger from UserInfo where UserID=?"), {userID}, &query)) {
        return DbRead::Failed;
    }
    if (!query.next()) {
        return rowsFailed(query) ? DbRead::Failed : DbRead::Missing;
    }
    userFinger = query.value(0).toString();
    return DbRead::Found;
}

DbRead DBHelper::getUserInfo(const QString &userID, QString &userName, QString &userPwd, QString &userAdmin,
                             QString &userDoor, QString &userFinger)
{
    QSqlQuery query;
    if (!execBound(QStringLiteral("select UserName,UserPwd,UserAdmin,UserDoor,UserFinger from UserInfo "
                                  "where UserID=?"),
                   {userID}, &query)) {
        return DbRead::Failed;
    }
    if (!query.next()) {
        return rowsFailed(query) ? DbRead::Failed : DbRead::Missing;
    }
    userName = query.value(0).toString();
    userPwd = query.value(1).toString();
    userAdmin = query.value(2).toString();
    userDoor = query.value(3).toString();
    userFinger = query.value(4).toString();
    return DbRead::Found;
}

bool DBHelper::addGoods(const QString &goodsID, const QString &goodsEPC, const QString &goodsType,
                        const QString &goodsContent)
{
    return execBound(QStringLiteral("insert into GoodsInfo(GoodsID,GoodsEPC,GoodsType,GoodsContent) values(?,?,?,?)"),
                     {goodsID, goodsEPC, goodsType, goodsContent});
}

bool DBHelper::addError(const QString &errorType, const QString &errorContent)
{
    return execBound(QStringLiteral("insert into ErrorInfo(ErrorType,ErrorContent) values(?,?)"),
                     {errorType, errorContent});
}

bool DBHelper::loadUser(DbUserCache &cache)
{
    QSqlQuery query;
    if (!query.exec(QStringLiteral("select UserID,UserName,UserPwd,UserAdmin,UserDoor,UserFinger from UserInfo"))) {
        qCWarning(lcDb) << "loading users failed:" << query.lastError().text();
        return false;
    }
    DbUserCache users;
    while (query.next()) {
        users.count++;
        users.userID << query.value(0).toString();
        users.userName << query.value(1).toString();
        users.userPwd << query.value(2).toString();
        users.userAdmin << query.value(3).toString();
        users.userDoor << query.value(4).toString();
        users.userFinger << query.value(5).toString();
    }
    if (rowsFailed(query)) {
        qCWarning(lcDb) << "loading users failed:" << query.lastError().text();
        return false;
    }
    cache = users;
    return true;
}

bool DBHelper::isReadable()
{
    QSqlQuery query;
    if (!query.exec(QStringLiteral("select count(*) from sqlite_master")) || !query.next()) {
        qCWarning(lcDb) << "database unreadable:" << query.lastError().text();
        return lockedByAnother(query);
    }
    return true;
}

bool DBHelper::isWritable()
{
    QSqlQuery query;
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        qCWarning(lcDb) << "database not writable:" << query.lastError().text();
        return lockedByAnother(query);
    }
    // Writing the header back unchanged opens the journal, which a read-only
    // folder refuses even when the lock was granted.
    int version = 0;
    if (query.exec(QStringLiteral("PRAGMA user_version")) && query.next()) {
        version = query.value(0).toInt();
    }
    const bool ok = query.exec(QStringLiteral("PRAGMA user_version = %1").arg(version));
    if (!ok) {
        qCWarning(lcDb) << "database not writable:" << query.lastError().text();
    }
    query.exec(QStringLiteral("ROLLBACK"));
    return ok;
}

bool DBHelper::importFile(int columnCount, const QString &tableName, const QString &fileName)
{
    // The whole file is read before the table is touched: an unreadable file
    // leaves the table as it was.
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcDb) << "import: cannot open" << fileName << file.errorString();
        return false;
    }
    QList<QStringList> records;
    while (!file.atEnd()) {
        QString line = QString::fromUtf8(file.readLine());
        line.remove(QLatin1Char('\r'));
        line.remove(QLatin1Char('\n'));
        const QStringList parts = line.split(QStringLiteral("  "));
        if (parts.count() == columnCount) {
            records << parts;
        }
    }
    if (file.error() != QFileDevice::NoError) {
        return false;
    }

    QSqlDatabase db = QSqlDatabase::database();
    if (!db.transaction()) {
        return false;
    }
    QSqlQuery query;
    bool ok = query.exec(QStringLiteral("delete from %1").arg(tableName));
    if (ok) {
        ok = query.prepare(QStringLiteral("insert into %1 values(%2)").arg(tableName, placeholders(columnCount)));
    }
    for (int i = 0; ok && i < records.count(); ++i) {
        for (const QString &part : records.at(i)) {
            query.addBindValue(part);
        }
        ok = query.exec();
    }
    if (!ok) {
        qCWarning(lcDb) << "import failed:" << tableName << query.lastError().text();
    }
    query.finish();
    if (ok && db.commit()) {
        return true;
    }
    db.rollback();
    return false;
}

bool DBHelper::writeTextFile(const QString &fileName, const QStringList &rows)
{
    if (rows.isEmpty()) {
        return false;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        qCWarning(lcDb) << "export: cannot write" << fileName << file.errorString();
        return false;
    }
    QTextStream out(&file);
    out.setCodec("UTF-8");
    for (const QString &row : rows) {
        out << row.split(QLatin1Char(';')).join(QStringLiteral("  ")) << "\n";
    }
    out.flush();
    return file.commit();
}
