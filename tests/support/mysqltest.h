#ifndef MYSQLTEST_H
#define MYSQLTEST_H

#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>

// A MySQL server the tests can reach over TCP on loopback.
struct MysqlServer {
    QString host;
    int port = 0;
    QString user;
    QString password;

    bool isValid() const { return !host.isEmpty() && port > 0; }
};

namespace MysqlTest {

// The suite's shared server, from SECSUITE_MYSQL_HOST/PORT/USER/PASSWORD;
// invalid when they are unset.
MysqlServer sharedServer();
// Why a test skips without one.
const char *missingServerMessage();

// Opens a connection of the calling thread to database (none when empty),
// speaking utf8mb4.
QSqlDatabase open(const MysqlServer &server, const QString &connName, const QString &database = QString());
// Runs sql on the named connection; a failure is written out with the statement.
bool exec(const QString &connName, const QString &sql);
// A database name of its own for this test process.
QString uniqueDatabaseName(const QString &prefix);
// A loopback port nobody listens on right now, outside the range the kernel
// hands to outgoing connections.
int freePort();

} // namespace MysqlTest

// A MariaDB server of the test's own, for tests that stop and restart it:
// in a temporary data directory, on a free loopback port, started and stopped
// by scripts/mariadb and stopped at the latest when this object goes (or when
// the test process dies).
class PrivateMariaDb
{
public:
    PrivateMariaDb();
    ~PrivateMariaDb();
    PrivateMariaDb(const PrivateMariaDb &) = delete;
    PrivateMariaDb &operator=(const PrivateMariaDb &) = delete;

    // The first start creates the data directory, which takes some seconds;
    // a restart reuses it.
    bool start();
    bool stop();
    bool isRunning() const { return running; }

    int port() const { return serverPort; }
    MysqlServer server() const;
    // Output of the helper's last failure.
    QString lastError() const { return error; }

private:
    QTemporaryDir dir;
    int serverPort;
    bool running = false;
    QString error;

    bool script(const QStringList &arguments);
};

#endif // MYSQLTEST_H
