#include "dbsync.h"
#include "mysqltest.h"
#include "sqlitelock.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

const QString sqlite = QStringLiteral("QSQLITE");
const QString mysql = QStringLiteral("QMYSQL");

} // namespace

class tst_DbSync : public QObject
{
    Q_OBJECT

private slots:
    void transient_data();
    void transient();
    void sqliteFailures_data();
    void sqliteFailures();
    void mysqlFailures();
};

void tst_DbSync::transient_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("transient");

    // Qt's SQLite driver reports a failed step as a connection error,
    // whatever its cause; other failures are errors of the statement.
    const int step = QSqlError::ConnectionError;
    const int statement = QSqlError::StatementError;

    // SQLite, primary codes.
    QTest::newRow("SQLite busy") << sqlite << step << "5" << true;
    QTest::newRow("SQLite locked") << sqlite << step << "6" << true;
    QTest::newRow("SQLite read-only") << sqlite << step << "8" << true;
    QTest::newRow("SQLite I/O error") << sqlite << step << "10" << true;
    QTest::newRow("SQLite full") << sqlite << step << "13" << true;
    QTest::newRow("SQLite cannot open") << sqlite << statement << "14" << true;
    QTest::newRow("SQLite lock protocol") << sqlite << step << "15" << true;
    QTest::newRow("SQLite error (syntax)") << sqlite << statement << "1" << false;
    QTest::newRow("SQLite corrupt") << sqlite << step << "11" << false;
    QTest::newRow("SQLite constraint") << sqlite << step << "19" << false;
    QTest::newRow("SQLite mismatch") << sqlite << step << "20" << false;
    QTest::newRow("SQLite not a database") << sqlite << statement << "26" << false;
    // SQLite, extended codes: the primary one in the low byte decides,
    // also above 1000, where MySQL's numbers lie.
    QTest::newRow("SQLITE_LOCKED_SHAREDCACHE") << sqlite << step << "262" << true;
    QTest::newRow("SQLITE_IOERR_READ") << sqlite << step << "266" << true;
    QTest::newRow("SQLITE_BUSY_SNAPSHOT") << sqlite << step << "517" << true;
    QTest::newRow("SQLITE_CANTOPEN_ISDIR") << sqlite << statement << "526" << true;
    QTest::newRow("SQLITE_BUSY_TIMEOUT") << sqlite << step << "773" << true;
    QTest::newRow("SQLITE_READONLY_DBMOVED") << sqlite << step << "1032" << true;
    QTest::newRow("SQLITE_IOERR_FSYNC") << sqlite << step << "1034" << true;
    QTest::newRow("SQLITE_READONLY_DIRECTORY") << sqlite << step << "1544" << true;
    QTest::newRow("SQLITE_CONSTRAINT_PRIMARYKEY") << sqlite << step << "1555" << false;
    QTest::newRow("SQLITE_CONSTRAINT_UNIQUE") << sqlite << step << "2067" << false;
    // MySQL's transient numbers mean nothing to SQLite, and the other way round.
    QTest::newRow("SQLite 1205") << sqlite << step << "1205" << false;
    QTest::newRow("SQLite 2006") << sqlite << step << "2006" << false;
    QTest::newRow("SQLite, no number") << sqlite << step << "" << true;

    // MySQL: connection lost or refused, server going down.
    QTest::newRow("MySQL cannot connect (socket)") << mysql << statement << "2002" << true;
    QTest::newRow("MySQL cannot connect") << mysql << statement << "2003" << true;
    QTest::newRow("MySQL server gone away") << mysql << statement << "2006" << true;
    QTest::newRow("MySQL lost connection") << mysql << statement << "2013" << true;
    QTest::newRow("MySQL lost connection reading") << mysql << statement << "2055" << true;
    QTest::newRow("MySQL shutdown in progress") << mysql << statement << "1053" << true;
    QTest::newRow("MySQL connection killed") << mysql << statement << "1927" << true;
    QTest::newRow("MySQL idle disconnect") << mysql << statement << "4031" << true;
    QTest::newRow("MySQL too many connections") << mysql << statement << "1040" << true;
    // Locks and resources.
    QTest::newRow("MySQL lock wait timeout") << mysql << statement << "1205" << true;
    QTest::newRow("MySQL deadlock") << mysql << statement << "1213" << true;
    QTest::newRow("MySQL disk full") << mysql << statement << "1021" << true;
    QTest::newRow("MySQL query interrupted") << mysql << statement << "1317" << true;
    // The statement's own fault, every time.
    QTest::newRow("MySQL syntax") << mysql << statement << "1064" << false;
    QTest::newRow("MySQL duplicate key") << mysql << statement << "1062" << false;
    QTest::newRow("MySQL no such table") << mysql << statement << "1146" << false;
    QTest::newRow("MySQL read-only server") << mysql << statement << "1290" << false;
    QTest::newRow("MySQL read-only transaction") << mysql << statement << "1792" << false;
    // SQLite's codes mean nothing to MySQL.
    QTest::newRow("MySQL 5") << mysql << statement << "5" << false;
    QTest::newRow("MySQL 1034") << mysql << statement << "1034" << false;
    // A connection error is worth another try whatever its number; so is
    // a failure without one.
    QTest::newRow("MySQL connection error") << mysql << step << "1064" << true;
    QTest::newRow("MySQL, no number") << mysql << statement << "" << true;
}

void tst_DbSync::transient()
{
    QFETCH(QString, driver);
    QFETCH(int, type);
    QFETCH(QString, code);
    QFETCH(bool, transient);

    const QSqlError error(QStringLiteral("driver text"), QStringLiteral("database text"), QSqlError::ErrorType(type),
                          code);
    QCOMPARE(DbSync::isTransient(error, driver), transient);
}

void tst_DbSync::sqliteFailures_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<bool>("transient");

    QTest::newRow("duplicate key") << "insert into t values(1, 'a')" << false << false << false;
    QTest::newRow("not null") << "insert into t values(2, null)" << false << false << false;
    QTest::newRow("syntax") << "insert int t values(2, 'b')" << false << false << false;
    QTest::newRow("no such table") << "insert into nosuch values(2, 'b')" << false << false << false;
    QTest::newRow("read-only connection") << "insert into t values(2, 'b')" << true << false << true;
    QTest::newRow("file locked by another program") << "insert into t values(2, 'b')" << false << true << true;
}

void tst_DbSync::sqliteFailures()
{
    // The failures as Qt's driver reports them.
    QFETCH(QString, sql);
    QFETCH(bool, readOnly);
    QFETCH(bool, locked);
    QFETCH(bool, transient);

    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString file = temp.filePath(QStringLiteral("sync.db"));
    const QString name = QStringLiteral("sync");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(sqlite, name);
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral("create table t (id int primary key, txt text not null)")));
        QVERIFY(query.exec(QStringLiteral("insert into t values(1, 'a')")));
        db.close();
        // A lock is met at once, not after the default wait.
        db.setConnectOptions(readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY") : QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        QVERIFY(db.open());
    }
    {
        std::unique_ptr<SqliteLock> lock;
        if (locked) {
            lock.reset(new SqliteLock(file));
            QVERIFY(lock->isHeld());
        }
        QSqlDatabase db = QSqlDatabase::database(name);
        QSqlQuery query(db);
        QVERIFY(!query.exec(sql));
        QVERIFY2(DbSync::isTransient(query.lastError(), db.driverName()) == transient,
                 qPrintable(query.lastError().nativeErrorCode() + QLatin1Char(' ') + query.lastError().text()));
    }
    QSqlDatabase::database(name, false).close();
    QSqlDatabase::removeDatabase(name);
}

void tst_DbSync::mysqlFailures()
{
    // The failures as Qt's driver reports them.
    const MysqlServer server = MysqlTest::sharedServer();
    if (!server.isValid()) {
        QSKIP(MysqlTest::missingServerMessage());
    }
    const QString database = MysqlTest::uniqueDatabaseName(QStringLiteral("tst_sync"));
    const QString holder = QStringLiteral("holder");
    const QString waiter = QStringLiteral("waiter");
    {
        QSqlDatabase db = MysqlTest::open(server, holder);
        QVERIFY(db.isOpen());
        QVERIFY(MysqlTest::exec(holder, QStringLiteral("CREATE DATABASE %1").arg(database)));
        QVERIFY(MysqlTest::exec(holder, QStringLiteral("USE %1").arg(database)));
        QVERIFY(MysqlTest::exec(holder, QStringLiteral("CREATE TABLE t (id INT PRIMARY KEY, n INT) ENGINE=InnoDB")));
        QVERIFY(MysqlTest::exec(holder, QStringLiteral("insert into t values(1, 0)")));
        QVERIFY(MysqlTest::open(server, waiter, database).isOpen());

        QSqlDatabase other = QSqlDatabase::database(waiter);
        QSqlQuery query(other);
        QVERIFY(!query.exec(QStringLiteral("insert into t values(1, 1)")));
        QCOMPARE(query.lastError().nativeErrorCode(), QStringLiteral("1062"));
        QVERIFY(!DbSync::isTransient(query.lastError(), other.driverName()));
        QVERIFY(!query.exec(QStringLiteral("insert int t values(2, 1)")));
        QCOMPARE(query.lastError().nativeErrorCode(), QStringLiteral("1064"));
        QVERIFY(!DbSync::isTransient(query.lastError(), other.driverName()));

        // A row another connection holds: the wait for it gives up after a second.
        QVERIFY(db.transaction());
        QVERIFY(MysqlTest::exec(holder, QStringLiteral("select n from t where id=1 for update")));
        QVERIFY(MysqlTest::exec(waiter, QStringLiteral("SET SESSION innodb_lock_wait_timeout=1")));
        QVERIFY(!query.exec(QStringLiteral("update t set n=n+1 where id=1")));
        QCOMPARE(query.lastError().nativeErrorCode(), QStringLiteral("1205"));
        QVERIFY(DbSync::isTransient(query.lastError(), other.driverName()));
        QVERIFY(db.rollback());
        QVERIFY(MysqlTest::exec(holder, QStringLiteral("DROP DATABASE %1").arg(database)));
    }
    for (const QString &name : {holder, waiter}) {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
}

QTEST_GUILESS_MAIN(tst_DbSync)
#include "tst_dbsync.moc"
