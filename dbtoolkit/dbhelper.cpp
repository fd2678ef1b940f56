#include "dbhelper.h"
#include "zemihelper.h"

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
        qDebug() << "prepare failed:" << sql << query.lastError().text();
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
        qDebug() << "exec failed:" << sql << query.lastError().text();
    }
    if (result) {
        *result = query;
    }
    return ok;
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

void DBHelper::addLog(const QString &logType, const QString &logDate, const QString &logTime,
                      const QString &logContent)
{
    execBound(QStringLiteral("insert into LogInfo(LogType,LogDate,LogTime,LogContent) values(?,?,?,?)"),
              {logType, logDate, logTime, logContent});
}

void DBHelper::addLog(const QString &logType, const QString &logContent)
{
    const QDateTime now = QDateTime::currentDateTime();
    addLog(logType, now.toString(QStringLiteral("yyyy-MM-dd")), now.toString(QStringLiteral("HH:mm:ss")),
           logContent);
}

void DBHelper::addManageLog(const QString &logContent)
{
    addLog(QStringLiteral("管理日志"), logContent);
}

void DBHelper::addUser(const QString &userID, const QString &userName, const QString &userPwd,
                       const QString &userAdmin, const QString &userDoor, const QString &userFinger)
{
    execBound(QStringLiteral("insert into UserInfo(UserID,UserName,UserPwd,UserAdmin,UserDoor,UserFinger) "
                             "values(?,?,?,?,?,?)"),
              {userID, userName, userPwd, userAdmin, userDoor, userFinger});
}

void DBHelper::updateUser(const QString &userID, const QString &userName, const QString &userPwd,
                          const QString &userAdmin, const QString &userDoor, const QString &userFinger)
{
    execBound(QStringLiteral("update UserInfo set UserName=?,UserPwd=?,UserAdmin=?,UserDoor=?,UserFinger=? "
                             "where UserID=?"),
              {userName, userPwd, userAdmin, userDoor, userFinger, userID});
}

void DBHelper::updateUserFinger(const QString &userID, const QString &userFinger)
{
    execBound(QStringLiteral("update UserInfo set UserFinger=? where UserID=?"), {userFinger, userID});
}

void DBHelper::deleteUser(const QString &userID)
{
    execBound(QStringLiteral("delete from UserInfo where UserID=?"), {userID});
}

bool DBHelper::existUser(const QString &userID)
{
    QSqlQuery query;
    if (!execBound(QStringLiteral("select count(*) from UserInfo where UserID=?"), {userID}, &query)) {
        return false;
    }
    return query.next() && query.value(0).toInt() != 0;
}

bool DBHelper::getUserFinger(const QString &userID, QString &userFinger)
{
    QSqlQuery query;
    if (!execBound(QStringLiteral("select UserFinger from UserInfo where UserID=?"), {userID}, &query)
        || !query.next()) {
        return false;
    }
    userFinger = query.value(0).toString();
    return true;
}

bool DBHelper::getUserInfo(const QString &userID, QString &userName, QString &userPwd, QString &userAdmin,
                           QString &userDoor, QString &userFinger)
{
    QSqlQuery query;
    if (!execBound(QStringLiteral("select UserName,UserPwd,UserAdmin,UserDoor,UserFinger from UserInfo "
                                  "where UserID=?"),
                   {userID}, &query)
        || !query.next()) {
        return false;
    }
    userName = query.value(0).toString();
    userPwd = query.value(1).toString();
    userAdmin = query.value(2).toString();
    userDoor = query.value(3).toString();
    userFinger = query.value(4).toString();
    return true;
}

void DBHelper::addGoods(const QString &goodsID, const QString &goodsEPC, const QString &goodsType,
                        const QString &goodsContent)
{
    execBound(QStringLiteral("insert into GoodsInfo(GoodsID,GoodsEPC,GoodsType,GoodsContent) values(?,?,?,?)"),
              {goodsID, goodsEPC, goodsType, goodsContent});
}

void DBHelper::addError(const QString &errorType, const QString &errorContent)
{
    execBound(QStringLiteral("insert into ErrorInfo(ErrorType,ErrorContent) values(?,?)"),
              {errorType, errorContent});
}

void DBHelper::loadUser(DbUserCache &cache)
{
    cache.clear();
    QSqlQuery query;
    if (!query.exec(QStringLiteral("select UserID,UserName,UserPwd,UserAdmin,UserDoor,UserFinger from UserInfo"))) {
        return;
    }
    while (query.next()) {
        cache.count++;
        cache.userID << query.value(0).toString();
        cache.userName << query.value(1).toString();
        cache.userPwd << query.value(2).toString();
        cache.userAdmin << query.value(3).toString();
        cache.userDoor << query.value(4).toString();
        cache.userFinger << query.value(5).toString();
    }
}

bool DBHelper::inputData(int columnCount, const QString &filter, const QString &tableName, QString &fileName,
                         const QString &defaultDir)
{
    fileName = ZemiHelper::openFileDialog(filter, defaultDir);
    if (fileName.isEmpty()) {
        return true;
    }
    return importFile(columnCount, tableName, fileName);
}

bool DBHelper::importFile(int columnCount, const QString &tableName, const QString &fileName)
{
    // The whole file is read before the table is touched: an unreadable file
    // leaves the table as it was.
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        qDebug() << "import: cannot open" << fileName << file.errorString();
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
        qDebug() << "import failed:" << tableName << query.lastError().text();
    }
    query.finish();
    if (ok && db.commit()) {
        return true;
    }
    db.rollback();
    return false;
}

bool DBHelper::outputData(QString &fileName, const QStringList &rows)
{
    if (fileName.isEmpty()) {
        return true;
    }
    if (rows.isEmpty()) {
        ZemiHelper::showMessageBoxError(QStringLiteral("没有要导出的数据!"), 3, false);
        fileName.clear();
        return false;
    }

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        qDebug() << "export: cannot write" << fileName << file.errorString();
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

bool DBHelper::saveData(const QString &defaultName, const QString &filter, const QStringList &rows,
                        QString &fileName, const QString &defaultDir)
{
    const QString suggestion = QStringLiteral("%1/%2").arg(defaultDir, defaultName);
    fileName = ZemiHelper::saveFileDialog(filter, suggestion);
    outputData(fileName, rows);
    return true;
}
