// The upload client's commit rate beside the mariadb command-line client, on a
// MariaDB server of the benchmark's own (started and stopped by scripts/mariadb).
//   bench_relay [runs]   (default 15)
// Figures: 1000 statements from begin to commit, timed inside DbTcpClientThread;
// the same 1000 statements in one transaction through `mariadb`, less the
// client's time for an empty transaction (its start-up and log-in); and, for
// information, the end-to-end time from the first append to the empty queue.
#include "dbtcpclientthread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutex>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <QWaitCondition>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int batch = 1000;

const QString user = QStringLiteral("secsuite");
const QString password = QStringLiteral("secsuite");
const QString benchDb = QStringLiteral("bench_relay");

bool script(const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QStringLiteral(SECSUITE_MARIADB_SCRIPT), arguments);
    return process.waitForFinished(180000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

int freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0.0 : values.at(values.size() / 2);
}

// On a machine shared with other work the best run is the one least disturbed.
double best(const QList<double> &values)
{
    return values.isEmpty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

QStringList statements(int firstKey)
{
    QStringList list;
    list.reserve(batch);
    for (int k = firstKey; k < firstKey + batch; ++k) {
        list << QStringLiteral("insert into B(K,V) values(%1,'row %1 记录')").arg(k);
    }
    return list;
}

// Milliseconds the mariadb client takes for the given input, start-up included.
double clientRun(int port, const QByteArray &input)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral("mariadb"),
                  {QStringLiteral("--no-defaults"), QStringLiteral("-h127.0.0.1"), QStringLiteral("-P%1").arg(port),
                   QStringLiteral("-u") + user, QStringLiteral("-p") + password,
                   QStringLiteral("--default-character-set=utf8mb4"), benchDb});
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        std::fprintf(stderr, "mariadb client failed\n");
        return -1;
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

// What the thread reports, as it reports it.
struct Commits {
    QMutex mutex;
    QWaitCondition changed;
    bool connected = false;
    QList<int> counts;
    QList<double> seconds;
    QList<qint64> at; // nanoseconds on the benchmark's clock
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 15;

    QTemporaryDir dir;
    const int port = freePort();
    std::printf("starting a private MariaDB server on 127.0.0.1:%d ...\n", port);
    std::fflush(stdout);
    if (!dir.isValid() || port == 0
        || !script({QStringLiteral("start"), dir.path(), QString::number(port),
                    QString::number(QCoreApplication::applicationPid())})) {
        std::fprintf(stderr, "cannot start the server\n");
        return 1;
    }

    int status = 0;
    {
        QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QStringLiteral("admin"));
        admin.setHostName(QStringLiteral("127.0.0.1"));
        admin.setPort(port);
        admin.setUserName(user);
        admin.setPassword(password);
        QSqlQuery query(admin);
        if (!admin.open() || !query.exec(QStringLiteral("CREATE DATABASE %1 CHARACTER SET utf8mb4").arg(benchDb))
            || !query.exec(QStringLiteral("CREATE TABLE %1.B (K INT PRIMARY KEY, V VARCHAR(64)) DEFAULT CHARSET=utf8mb4")
                               .arg(benchDb))) {
            std::fprintf(stderr, "cannot create the schema: %s\n", qPrintable(admin.lastError().text()));
            status = 1;
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("admin"));

    QList<double> threadMs;
    QList<double> endToEndMs;
    QList<double> clientFullMs;
    QList<double> clientEmptyMs;
    int splitRuns = 0;
    if (status == 0) {
        Commits commits;
        QElapsedTimer clock;
        clock.start();
        DbTcpClientThread thread;
        const QString prefix = QStringLiteral("远程实时更新数据(共 ");
        QObject::connect(
            &thread, &DbTcpClientThread::debug, &thread,
            [&](const QString &msg) {
                const qint64 now = clock.nsecsElapsed();
                QMutexLocker lock(&commits.mutex);
                if (msg == QStringLiteral("重连数据库成功")) {
                    commits.connected = true;
                } else if (msg.startsWith(prefix)) {
                    // "远程实时更新数据(共 N 条/用时 S 秒)"
                    const QStringList parts = msg.mid(prefix.size()).split(QLatin1Char(' '));
                    commits.counts << parts.value(0).toInt();
                    commits.seconds << parts.value(2).toDouble();
                    commits.at << now;
                }
                commits.changed.wakeAll();
            },
            Qt::DirectConnection);
        thread.setConnInfo(DbType_MySql, QStringLiteral("bench"), QStringLiteral("127.0.0.1"), port, benchDb, user,
                           password);
        thread.start();
        {
            QMutexLocker lock(&commits.mutex);
            while (!commits.connected) {
                if (!commits.changed.wait(&commits.mutex, 10000)) {
                    std::fprintf(stderr, "the thread does not connect\n");
                    return 1;
                }
            }
        }

        int nextKey = 1;
        // One unmeasured round of each first: caches, buffer pool, first log writes.
        for (int run = -1; run < runs; ++run) {
            // Thread: hand over 1000 statements and wait for the queue to drain.
            const QStringList sqls = statements(nextKey);
            nextKey += batch;
            int seen = 0;
            {
                QMutexLocker lock(&commits.mutex);
                seen = commits.counts.size();
            }
            const qint64 start = clock.nsecsElapsed();
            for (const QString &sql : sqls) {
                thread.append(sql);
            }
            QMutexLocker lock(&commits.mutex);
            const int first = seen;
            int done = 0;
            while (done < batch) {
                while (commits.counts.size() == seen) {
                    commits.changed.wait(&commits.mutex);
                }
                done += commits.counts.at(seen++);
            }
            const bool whole = seen - first == 1;
            if (run >= 0) {
                if (whole) {
                    threadMs << commits.seconds.last() * 1000.0;
                    endToEndMs << double(commits.at.last() - start) / 1e6;
                } else {
                    // A pass came while the statements were being handed over.
                    ++splitRuns;
                    --run;
                }
            }
            lock.unlock();

            // The command-line client: the same kind of statements, then an empty transaction.
            QByteArray input = "START TRANSACTION;\n";
            for (const QString &sql : statements(nextKey)) {
                input += sql.toUtf8() + ";\n";
            }
            nextKey += batch;
            input += "COMMIT;\n";
            const double full = clientRun(port, input);
            const double empty = clientRun(port, "START TRANSACTION;\nCOMMIT;\n");
            if (full < 0 || empty < 0) {
                status = 1;
                break;
            }
            if (run >= 0 && whole) {
                clientFullMs << full;
                clientEmptyMs << empty;
            }
        }
        thread.stop();
        thread.wait();
    }

    if (status == 0) {
        std::printf("\n%d statements per batch, %d runs (%d runs split by a pass and repeated)\n", batch,
                    int(threadMs.size()), splitRuns);
        std::printf("  %-50s %21s %21s\n", "", "median", "best");
        auto line = [](const char *what, double medianMs, double bestMs) {
            std::printf("  %-50s %7.1f ms %7.0f/s %7.1f ms %7.0f/s\n", what, medianMs, batch / (medianMs / 1000.0),
                        bestMs, batch / (bestMs / 1000.0));
        };
        const double clientMedian = median(clientFullMs) - median(clientEmptyMs);
        const double clientBest = best(clientFullMs) - best(clientEmptyMs);
        line("DbTcpClientThread, begin to commit (in the thread)", median(threadMs), best(threadMs));
        line("mariadb client, one transaction, start-up out", clientMedian, clientBest);
        std::printf("      (client runs %.1f / %.1f ms, empty transaction %.1f / %.1f ms)\n", median(clientFullMs),
                    best(clientFullMs), median(clientEmptyMs), best(clientEmptyMs));
        std::printf("  %-50s %10.2f %21.2f   (target at least 0.80)\n", "ratio of rates, thread / client",
                    clientMedian / median(threadMs), clientBest / best(threadMs));
        line("end to end, first append to empty queue (info)", median(endToEndMs), best(endToEndMs));
    }

    if (!script({QStringLiteral("stop"), dir.path()})) {
        std::fprintf(stderr, "cannot stop the server\n");
        status = 1;
    }
    return status;
}
