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

// What a read found: a row, no row, or nothing known because the statement
// failed (a lock held too long, a damaged file). A failed read is never "no row".
enum class DbRead { Found, Missing, Failed };

// One write transaction on the default connection, taken at its start
// (BEGIN IMMEDIATE), so that a check and the write that depends on it see the
// same table. Rolled back unless committed.
class DbWriteTransaction
{
public:
    DbWriteTransaction();
    ~DbWriteTransaction();
    DbWriteTransaction(const DbWriteTransaction &) = delete;
    DbWriteTransaction &operator=(const DbWriteTransaction &) = delete;

    bool isActive() const { return active; }
    bool commit();
    void rollback();

private:
    bool active = false;
};

// Static operations on the local database, always on the default connection
// and the GUI thread. Every value is bound as a parameter, so quotes and any
// other characters are stored exactly as given. Writes return whether their
// statement ran; reads say what they found.
class DBHelper
{
public:
    static bool addLog(const QString &logType, const QString &logDate, const QString &logTime,
                       const QString &logContent);
    static bool addLog(const QString &logType, const QString &logContent);
    static bool addManageLog(const QString &logContent);

    static bool addUser(const QString &userID, const QString &userName, const QString &userPwd,
                        const QString &userAdmin, const QString &userDoor, const QString &userFinger);
    static bool updateUser(const QString &userID, const QString &userName, const QString &userPwd,
                           const QString &userAdmin, const QString &userDoor, const QString &userFinger);
    // Everything but the finger record, which only enrolment writes. False
    // also when no row has that ID.
    static bool updateUserDetails(const QString &userID, const QString &userName, const QString &userPwd,
                                  const QString &userAdmin, const QString &userDoor);
    static bool updateUserFinger(const QString &userID, const QString &userFinger);
    // False when the statement failed or no row had that ID.
    static bool deleteUser(const QString &userID);
    static DbRead existUser(const QString &userID);
    static DbRead getUserFinger(const QString &userID, QString &userFinger);
    static DbRead getUserInfo(const QString &userID, QString &userName, QString &userPwd,
                              QString &userAdmin, QString &userDoor, QString &userFinger);

    static bool addGoods(const QString &goodsID, const QString &goodsEPC, const QString &goodsType,
                         const QString &goodsContent);
    static bool addError(const QString &errorType, const QString &errorContent);

    // Refills the cache; a failed read leaves it as it was and returns false.
    static bool loadUser(DbUserCache &cache);

    // Whether the default connection holds a readable database, and whether
    // it can take a write (a write lock is taken and given back at once). A
    // lock that another connection holds past the busy timeout counts as
    // writable: that is a wait, not a fault of the file.
    static bool isReadable();
    static bool isWritable();

    // Text files: one record a line, fields separated by two spaces. The whole
    // file is read before the table is touched, and the import is one
    // transaction. writeTextFile() writes the rows (their fields separated by
    // ";") through a temporary file; no rows write nothing and fail.
    static bool importFile(int columnCount, const QString &tableName, const QString &fileName);
    static bool writeTextFile(const QString &fileName, const QStringList &rows);
};

#endif // DBHELPER_H
