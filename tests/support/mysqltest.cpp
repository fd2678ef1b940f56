#include "mysqltest.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>
#include <QtDebug>
#include <atomic>

namespace MysqlTest {

MysqlServer sharedServer()
{
    MysqlServer server;
    server.host = qEnvironmentVariable("SECSUITE_MYSQL_HOST");
    server.port = qEnvironmentVariableIntValue("SECSUITE_MYSQL_PORT");
    server.user = qEnvironmentVariable("SECSUITE_MYSQL_USER");
    server.password = qEnvironmentVariable("SECSUITE_MYSQL_PASSWORD");
    return server;
}

const char *missingServerMessage()
{
    return "no MySQL server: set SECSUITE_MYSQL_HOST, SECSUITE_MYSQL_PORT, SECSUITE_MYSQL_USER and "
           "SECSUITE_MYSQL_PASSWORD (scripts/test does, with a server from scripts/mariadb)";
}

QSqlDatabase open(const MysqlServer &server, const QString &connName, const QString &database)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), connName);
    db.setHostName(server.host);
    db.setPort(server.port);
    db.setUserName(server.user);
    db.setPassword(server.password);
    db.setDatabaseName(database);
    if (!db.open()) {
        qWarning() << "cannot connect to MySQL on port" << server.port << db.lastError().text();
        return db;
    }
    QSqlQuery(db).exec(QStringLiteral("SET NAMES utf8mb4"));
    return db;
}

bool exec(const QString &connName, const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(connName));
    if (!query.exec(sql)) {
        qWarning() << sql << query.lastError().text();
        return false;
    }
    return true;
}

QString uniqueDatabaseName(const QString &prefix)
{
    static std::atomic<int> serial{0};
    return QStringLiteral("%1_%2_%3").arg(prefix).arg(QCoreApplication::applicationPid()).arg(++serial);
}

int freePort()
{
    // Below the kernel's range for outgoing connections, so that no client
    // (of this test or a neighbour) takes the port as its own end meanwhile.
    int ephemeralStart = 32768;
    QFile range(QStringLiteral("/proc/sys/net/ipv4/ip_local_port_range"));
    if (range.open(QIODevice::ReadOnly)) {
        const int start = QString::fromLatin1(range.readAll()).simplified().section(QLatin1Char(' '), 0, 0).toInt();
        if (start > 11000) {
            ephemeralStart = start;
        }
    }
    QRandomGenerator *random = QRandomGenerator::global();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int port = 10000 + int(random->bounded(ephemeralStart - 10000));
        QTcpServer probe;
        if (probe.listen(QHostAddress::LocalHost, quint16(port))) {
            return port;
        }
    }
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

} // namespace MysqlTest

PrivateMariaDb::PrivateMariaDb() : serverPort(MysqlTest::freePort())
{
}

PrivateMariaDb::~PrivateMariaDb()
{
    stop();
}

bool PrivateMariaDb::start()
{
    // The helper stops the server by itself should this process die first.
    const QStringList arguments{QStringLiteral("start"), dir.path(), QString::number(serverPort),
                                QString::number(QCoreApplication::applicationPid())};
    running = script(arguments);
    if (!running) {
        // A machine busy with other servers and builds can fail one start; say why and try once more.
        qWarning().noquote() << error << "- trying once more";
        script({QStringLiteral("stop"), dir.path()});
        running = script(arguments);
    }
    return running;
}

bool PrivateMariaDb::stop()
{
    if (!running) {
        return true;
    }
    running = !script({QStringLiteral("stop"), dir.path()});
    return !running;
}

MysqlServer PrivateMariaDb::server() const
{
    MysqlServer server;
    server.host = QStringLiteral("127.0.0.1");
    server.port = serverPort;
    server.user = QStringLiteral("secsuite");
    server.password = QStringLiteral("secsuite");
    return server;
}

bool PrivateMariaDb::script(const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(SECSUITE_MARIADB_SCRIPT), arguments);
    if (!process.waitForFinished(120000)) {
        error = QStringLiteral("scripts/mariadb %1 did not finish").arg(arguments.join(QLatin1Char(' ')));
        process.kill();
        process.waitForFinished();
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        error = QStringLiteral("scripts/mariadb %1 failed (%2): %3")
                    .arg(arguments.join(QLatin1Char(' ')))
                    .arg(process.exitCode())
                    .arg(QString::fromUtf8(process.readAll()));
        return false;
    }
    return true;
}
