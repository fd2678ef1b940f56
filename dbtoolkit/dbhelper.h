#ifndef DBHELPER_H
#define DBHELPER_H

#include <QString>
#include <QStringList>

// The users of UserInfo as six parallel lists, one entry per row in table order.
struct DbUserCache {
    int count = 0;
    QStringList userID;
    QStringList userName;
    QStringList userPwd;
    QStringList userAdmin;
    QStringList userDoor;
    QStringList userFinger;

    void clear();
};

// Static operations on the local database, always on the default connection
// and the GUI thread. Every value is bound as a parameter, so quotes and any
// other characters are stored exactly as given.
class DBHelper
{
public:
    static void addLog(const QString &logType, const QString &logDate, const QString &logTime,
                       const QString &logContent);
    static void addLog(const QString &logType, const QString &logContent);
    static void addManageLog(const QString &logContent);

    static void addUser(const QString &userID, const QString &userName, const QString &userPwd,
                        const QString &userAdmin, const QString &userDoor, const QString &userFinger);
    static void updateUser(const QString &userID, const QString &userName, const QString &userPwd,
                           const QString &userAdmin, const QString &userDoor, const QString &userFinger);
    static void updateUserFinger(const QString &userID, const QString &userFinger);
    static void deleteUser(const QString &userID);
    static bool existUser(const QString &userID);
    static bool getUserFinger(const QString &userID, QString &userFinger);
    static bool getUserInfo(const QString &userID, QString &userName, QString &userPwd,
                            QString &userAdmin, QString &userDoor, QString &userFinger);

    static void addGoods(const QString &goodsID, const QString &goodsEPC, const QString &goodsType,
                         const QString &goodsContent);
    static void addError(const QString &errorType, const QString &errorContent);

    static void loadUser(DbUserCache &cache);

    // Text export and import: one record a line, fields separated by two spaces.
    static bool inputData(int columnCount, const QString &filter, const QString &tableName,
                          QString &fileName, const QString &defaultDir = QString());
    static bool importFile(int columnCount, const QString &tableName, const QString &fileName);
    static bool outputData(QString &fileName, const QStringList &rows);
    static bool saveData(const QString &defaultName, const QString &filter, const QStringList &rows,
                         QString &fileName, const QString &defaultDir = QString());
};

#endif // DBHELPER_H
