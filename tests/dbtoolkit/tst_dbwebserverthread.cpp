#include "dbwebserverthread.h"
#include "httptestserver.h"
#include "mysqltest.h"
#include "signallog.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {

const QString received = QStringLiteral("远程实时获取数据(共 ");
const QString readError = QStringLiteral("读取数据出错 原因: ");

const QByteArray twoDevices = QStringLiteral("1|7|门禁A|10|一楼|20|50|1|2026-12-10 08:00:00|0|0|运行记录;"
                                             "2|8|O'Brien\\柜|11|二楼 东|20|50|1|2026-12-10 08:00:01|3|1|运行记录")
                                  .toUtf8();

} // namespace

class tst_DbWebServerThread : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rows_data();
    void rows();
    void failedFetch_data();
    void failedFetch();
    void stopDoesNotWaitForSilentServer();
    void getDataKeepsEmptyParts_data();
    void getDataKeepsEmptyParts();
};

void tst_DbWebServerThread::rows_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("keyName");
    QTest::addColumn<QStringList>("columnName"); // set after the keys; none: the thread's own
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("rows");

    const QStringList defaultKeys{QStringLiteral("DeviceName"), QStringLiteral("GroupName")};
    const QStringList twoRows = QString::fromUtf8(twoDevices).split(QLatin1Char(';'));
    QTest::newRow("two rows") << twoDevices << defaultKeys << QStringList()
                              << QStringList{QStringLiteral("门禁A|一楼"), QStringLiteral("O'Brien\\柜|二楼 东")}
                              << twoRows;
    QTest::newRow("key name not among the columns")
        << twoDevices << QStringList{QStringLiteral("DeviceName"), QStringLiteral("Missing")} << QStringList()
        << QStringList{QStringLiteral("门禁A|"), QStringLiteral("O'Brien\\柜|")} << twoRows;
    // The keys are found by name in the columns set last.
    QTest::newRow("columns set after the keys")
        << twoDevices << defaultKeys
        << QStringList{QStringLiteral("DeviceLogID"), QStringLiteral("DeviceID"),     QStringLiteral("GroupName"),
                       QStringLiteral("DeviceAddr"),  QStringLiteral("DeviceName"),   QStringLiteral("TempValue"),
                       QStringLiteral("DampValue"),   QStringLiteral("PowerValue"),   QStringLiteral("SaveTime"),
                       QStringLiteral("LogCountAll"), QStringLiteral("LogCountNoRead"), QStringLiteral("Type")}
        << QStringList{QStringLiteral("一楼|门禁A"), QStringLiteral("二楼 东|O'Brien\\柜")} << twoRows;
    QTest::newRow("empty rows between and after") << QByteArray("a|b|c|d|e;;f|g|h|i|j;") << defaultKeys << QStringList()
                                                  << QStringList{QStringLiteral("c|e"), QStringLiteral("h|j")}
                                                  << QStringList{QStringLiteral("a|b|c|d|e"), QStringLiteral("f|g|h|i|j")};
    QTest::newRow("row shorter than a key position") << QByteArray("1|2|name") << defaultKeys << QStringList()
                                                     << QStringList{QStringLiteral("name|")}
                                                     << QStringList{QStringLiteral("1|2|name")};
    QTest::newRow("empty body") << QByteArray() << defaultKeys << QStringList() << QStringList() << QStringList();
}

void tst_DbWebServerThread::rows()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, keyName);
    QFETCH(QStringList, columnName);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, rows);

    HttpTestServer server;
    QVERIFY(server.start());
    server.setBody(body);

    MessageLog messages;
    DataLog data;
    DbWebServerThread thread;
    messages.watch(&thread, &DbWebServerThread::debug);
    data.watch(&thread, &DbWebServerThread::dataReceive);
    thread.setWebUrl(server.url(QStringLiteral("/getdevicelog.php")));
    thread.setReadInterval(50);
    thread.setKeyName(keyName);
    if (!columnName.isEmpty()) {
        thread.setColumnName(columnName);
    }
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(messages.count(received) >= 1, 10000);
    thread.stop();
    QVERIFY(thread.wait(5000));

    QVERIFY(data.count() >= 1);
    QCOMPARE(data.entries().first().keys, keys);
    QCOMPARE(data.entries().first().rows, rows);
    QVERIFY2(messages.texts().first().startsWith(received + QString::number(rows.size()) + QStringLiteral(" 条/用时 ")),
             qPrintable(messages.texts().first()));
    QCOMPARE(messages.count(readError), 0);
}

void tst_DbWebServerThread::failedFetch_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<bool>("listening");

    QTest::newRow("HTTP 500") << 500 << false << true;
    QTest::newRow("no answer within the timeout") << 200 << true << true;
    QTest::newRow("refused port") << 200 << false << false;
}

void tst_DbWebServerThread::failedFetch()
{
    QFETCH(int, status);
    QFETCH(bool, silent);
    QFETCH(bool, listening);

    HttpTestServer server;
    QString url;
    if (listening) {
        QVERIFY(server.start());
        server.setStatus(status, status == 500 ? QByteArray("Internal Server Error") : QByteArray("OK"));
        server.setSilent(silent);
        server.setBody(twoDevices);
        url = server.url(QStringLiteral("/getdevicelog.php"));
    } else {
        const int port = MysqlTest::freePort();
        QVERIFY(port > 0);
        url = QStringLiteral("http://127.0.0.1:%1/getdevicelog.php").arg(port);
    }

    MessageLog messages;
    DataLog data;
    DbWebServerThread thread;
    messages.watch(&thread, &DbWebServerThread::debug);
    data.watch(&thread, &DbWebServerThread::dataReceive);
    thread.setWebUrl(url);
    thread.setReadInterval(100);
    thread.setTimeout(300);
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(messages.count(readError) >= 2, 10000);
    thread.stop();
    QVERIFY(thread.wait(5000));

    // The error and nothing else: no lists, no count message.
    QCOMPARE(data.count(), 0);
    QCOMPARE(messages.count(readError), messages.entries().size());
    QVERIFY2(messages.texts().first().size() > readError.size(), "the message carries a reason");
    if (listening) {
        QVERIFY(server.requestCount() >= 2);
    }
}

void tst_DbWebServerThread::stopDoesNotWaitForSilentServer()
{
    HttpTestServer server;
    QVERIFY(server.start());
    server.setSilent(true);

    MessageLog messages;
    DbWebServerThread thread;
    messages.watch(&thread, &DbWebServerThread::debug);
    thread.setWebUrl(server.url(QStringLiteral("/getdevicelog.php")));
    const int timeout = 3000;
    thread.setTimeout(timeout);
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(server.requestCount() >= 1, 10000);

    thread.stop();
    QVERIFY2(thread.wait(timeout + 1000), "stop() must not wait for a server that never answers");
    // Stopped, not failed.
    QCOMPARE(messages.count(readError), 0);
}

void tst_DbWebServerThread::getDataKeepsEmptyParts_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("parts");
    QTest::newRow("empty part between, separator after the last")
        << QByteArray("a|中;;b|😀;") << QStringList{QStringLiteral("a|中"), QString(), QStringLiteral("b|😀")};
    QTest::newRow("empty first part") << QByteArray(";1|门;;2|窗;")
                                      << QStringList{QString(), QStringLiteral("1|门"), QString(), QStringLiteral("2|窗")};
    QTest::newRow("no separator after the last") << QByteArray("1|门;;2|窗")
                                                 << QStringList{QStringLiteral("1|门"), QString(), QStringLiteral("2|窗")};
    QTest::newRow("only separators") << QByteArray(";;") << QStringList{QString(), QString()};
    QTest::newRow("one empty part") << QByteArray(";") << QStringList{QString()};
    QTest::newRow("empty body") << QByteArray() << QStringList();
}

void tst_DbWebServerThread::getDataKeepsEmptyParts()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, parts);

    HttpTestServer server;
    QVERIFY(server.start());
    server.setBody(body);

    DbWebServerThread thread;
    const QStringList rows = thread.getData(server.url(QStringLiteral("/getdevicelog.php")));
    QCOMPARE(rows, parts);
}

QTEST_GUILESS_MAIN(tst_DbWebServerThread)
#include "tst_dbwebserverthread.moc"
