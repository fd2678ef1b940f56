#include "dbconn.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

class tst_DbConn : public QObject
{
    Q_OBJECT

private slots:
    void unknownTypeRegistersNothing_data();
    void unknownTypeRegistersNothing();
    void sqliteConnectionIsRegistered();
    void privateDatabase_data();
    void privateDatabase();
    void mysqlGetsTimeouts_data();
    void mysqlGetsTimeouts();
};

void tst_DbConn::unknownTypeRegistersNothing_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("7") << 7;
    QTest::newRow("2") << 2;
    QTest::newRow("-1") << -1;
}

void tst_DbConn::unknownTypeRegistersNothing()
{
    QFETCH(int, type);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString file = temp.filePath(QStringLiteral("x.db"));
    {
        QSqlDatabase db = DbConn::add(DbType(type), QStringLiteral("unknown"), QStringLiteral("127.0.0.1"), 3306,
                                      file, QStringLiteral("root"), QStringLiteral("kelp"));
        QVERIFY(!db.isValid());
        QVERIFY(!db.open());
    }
    QVERIFY(!QSqlDatabase::contains(QStringLiteral("unknown")));
    QVERIFY(!QFileInfo::exists(file));
}

void tst_DbConn::sqliteConnectionIsRegistered()
{
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString file = temp.filePath(QStringLiteral("x.db"));
    {
        QSqlDatabase db = DbConn::add(DbType_Sqlite, QStringLiteral("known"), QString(), 0, file, QString(), QString());
        QVERIFY(db.isValid());
        QVERIFY(db.open());
        db.close();
    }
    QVERIFY(QFileInfo::exists(file));
    QSqlDatabase::removeDatabase(QStringLiteral("known"));
}

void tst_DbConn::privateDatabase_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QString>("databaseName");
    QTest::addColumn<QString>("options");
    QTest::addColumn<bool>("isPrivate");

    QTest::newRow(":memory:") << "QSQLITE" << ":memory:" << "" << true;
    QTest::newRow("no name: a temporary file") << "QSQLITE" << "" << "" << true;
    QTest::newRow("memory URI") << "QSQLITE" << "file:x?mode=memory&cache=shared" << "QSQLITE_OPEN_URI" << true;
    QTest::newRow("memory URI, more options") << "QSQLITE" << "file:x?cache=shared&mode=memory"
                                              << "QSQLITE_BUSY_TIMEOUT=100; QSQLITE_OPEN_URI" << true;
    QTest::newRow("file::memory:") << "QSQLITE" << "file::memory:?cache=shared" << "QSQLITE_OPEN_URI" << true;
    QTest::newRow("file") << "QSQLITE" << "/tmp/safe.db" << "" << false;
    QTest::newRow("file URI") << "QSQLITE" << "file:/tmp/safe.db?mode=rwc" << "QSQLITE_OPEN_URI" << false;
    QTest::newRow("read-only file URI") << "QSQLITE" << "file:/tmp/safe.db?mode=ro" << "QSQLITE_OPEN_URI" << false;
    QTest::newRow("MySQL named :memory:") << "QMYSQL" << ":memory:" << "" << false;
}

void tst_DbConn::privateDatabase()
{
    QFETCH(QString, driver);
    QFETCH(QString, databaseName);
    QFETCH(QString, options);
    QFETCH(bool, isPrivate);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, QStringLiteral("probe"));
        db.setDatabaseName(databaseName);
        db.setConnectOptions(options);
        QCOMPARE(DbConn::isPrivateDatabase(db), isPrivate);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("probe"));
}

void tst_DbConn::mysqlGetsTimeouts_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("options");
    QTest::newRow("none given") << QString()
                                << "MYSQL_OPT_CONNECT_TIMEOUT=5;MYSQL_OPT_READ_TIMEOUT=5;MYSQL_OPT_WRITE_TIMEOUT=5";
    QTest::newRow("others given") << "MYSQL_OPT_RECONNECT=1"
                                  << "MYSQL_OPT_RECONNECT=1;MYSQL_OPT_CONNECT_TIMEOUT=5;MYSQL_OPT_READ_TIMEOUT=5;"
                                     "MYSQL_OPT_WRITE_TIMEOUT=5";
    QTest::newRow("one given") << "MYSQL_OPT_READ_TIMEOUT=1"
                               << "MYSQL_OPT_READ_TIMEOUT=1;MYSQL_OPT_CONNECT_TIMEOUT=5;MYSQL_OPT_WRITE_TIMEOUT=5";
    QTest::newRow("all given") << DbConn::mysqlTimeoutOptions(2)
                               << "MYSQL_OPT_CONNECT_TIMEOUT=2;MYSQL_OPT_READ_TIMEOUT=2;MYSQL_OPT_WRITE_TIMEOUT=2";
}

void tst_DbConn::mysqlGetsTimeouts()
{
    QFETCH(QString, given);
    QFETCH(QString, options);
    {
        const QSqlDatabase db = DbConn::add(DbType_MySql, QStringLiteral("timeouts"), QStringLiteral("127.0.0.1"),
                                            3306, QStringLiteral("x"), QStringLiteral("u"), QStringLiteral("p"), given);
        QCOMPARE(db.connectOptions(), options);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("timeouts"));
}

QTEST_MAIN(tst_DbConn)
#include "tst_dbconn.moc"
