#include "terminalfixture.h"

#include "appconfig.h"
#include "frmconfignet.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QtTest>
#include <memory>

class tst_frmConfigNet : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TerminalFixture> fixture;
    std::unique_ptr<frmConfigNet> screen;

    QLineEdit *edit(const QString &name) const { return screen->findChild<QLineEdit *>(name); }

    void showScreen()
    {
        screen->hide();
        screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
    }

    static QString stored(const QString &key)
    {
        QSettings settings(AppConfig::ConfigFile, QSettings::IniFormat);
        settings.setIniCodec("UTF-8");
        return settings.value(key).toString();
    }

private slots:
    void init();
    void cleanup();

    void addressFillsMaskAndGateway_data();
    void addressFillsMaskAndGateway();
    void typingAnAddress();
    void showingShowsStoredValues();
    void saveStoresTrimmedTexts();
    void formAndSizes();
};

void tst_frmConfigNet::init()
{
    fixture.reset(new TerminalFixture);
    QVERIFY(fixture->isValid());
    screen.reset(new frmConfigNet);
    screen->resize(684, 544);
    showScreen();
}

void tst_frmConfigNet::cleanup()
{
    screen.reset();
    fixture.reset();
}

void tst_frmConfigNet::addressFillsMaskAndGateway_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("gateway");

    // The screen starts at mask 255.255.255.0 and gateway 192.168.1.1.
    QTest::newRow("class A") << "10.1.2.3" << "255.0.0.0" << "10.1.2.1";
    QTest::newRow("class B") << "172.16.5.9" << "255.255.0.0" << "172.16.5.1";
    QTest::newRow("class C") << "192.168.7.20" << "255.255.255.0" << "192.168.7.1";
    QTest::newRow("loopback keeps the mask") << "127.0.0.1" << "255.255.255.0" << "127.0.0.1";
    QTest::newRow("1 is class A") << "1.0.0.9" << "255.0.0.0" << "1.0.0.1";
    QTest::newRow("126 is class A") << "126.9.9.9" << "255.0.0.0" << "126.9.9.1";
    QTest::newRow("128 is class B") << "128.1.1.1" << "255.255.0.0" << "128.1.1.1";
    QTest::newRow("191 is class B") << "191.1.2.3" << "255.255.0.0" << "191.1.2.1";
    QTest::newRow("222 is class C") << "222.1.2.3" << "255.255.255.0" << "222.1.2.1";
    QTest::newRow("223 keeps the mask") << "223.1.2.3" << "255.255.255.0" << "223.1.2.1";
    QTest::newRow("0 keeps the mask") << "0.1.2.3" << "255.255.255.0" << "0.1.2.1";
    QTest::newRow("three parts: mask only") << "10.1.2" << "255.0.0.0" << "192.168.1.1";
    QTest::newRow("two parts: mask only") << "172.16" << "255.255.0.0" << "192.168.1.1";
    QTest::newRow("one part: mask only") << "10" << "255.0.0.0" << "192.168.1.1";
    QTest::newRow("five parts: mask only") << "10.1.2.3.4" << "255.0.0.0" << "192.168.1.1";
    QTest::newRow("empty: nothing") << "" << "255.255.255.0" << "192.168.1.1";
    QTest::newRow("not a number: nothing") << "abc" << "255.255.255.0" << "192.168.1.1";
}

void tst_frmConfigNet::addressFillsMaskAndGateway()
{
    QFETCH(QString, address);
    QFETCH(QString, mask);
    QFETCH(QString, gateway);
    QCOMPARE(edit("txtMaskClient")->text(), QStringLiteral("255.255.255.0"));
    QCOMPARE(edit("txtGatewayClient")->text(), QStringLiteral("192.168.1.1"));
    edit("txtIPClient")->setText(address);
    QCOMPARE(edit("txtMaskClient")->text(), mask);
    QCOMPARE(edit("txtGatewayClient")->text(), gateway);
}

void tst_frmConfigNet::typingAnAddress()
{
    QLineEdit *ip = edit("txtIPClient");
    ip->clear();
    QTest::keyClicks(ip, QStringLiteral("172.16.5.9"));
    QCOMPARE(ip->text(), QStringLiteral("172.16.5.9"));
    QCOMPARE(edit("txtMaskClient")->text(), QStringLiteral("255.255.0.0"));
    QCOMPARE(edit("txtGatewayClient")->text(), QStringLiteral("172.16.5.1"));
    // Nothing is stored until saved.
    QCOMPARE(stored(QStringLiteral("NetConfig/IPClient")), QStringLiteral("192.168.1.128"));
}

void tst_frmConfigNet::showingShowsStoredValues()
{
    // A mask and gateway that differ from what the address alone would give.
    AppConfig::IPClient = QStringLiteral("10.0.0.8");
    AppConfig::MaskClient = QStringLiteral("255.255.255.128");
    AppConfig::GatewayClient = QStringLiteral("10.0.0.126");
    AppConfig::PortClient = QStringLiteral("6000");
    AppConfig::IPServer = QStringLiteral("10.0.0.1");
    AppConfig::PortServer = QStringLiteral("7000");
    AppConfig::IPServer2 = QStringLiteral("10.0.0.2");
    showScreen();
    const QStringList names = {"txtIPClient", "txtMaskClient", "txtGatewayClient", "txtPortClient",
                               "txtIPServer", "txtPortServer", "txtIPServer2"};
    const QStringList values = {"10.0.0.8", "255.255.255.128", "10.0.0.126", "6000", "10.0.0.1", "7000", "10.0.0.2"};
    for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(edit(names.at(i))->text(), values.at(i));
    }

    // Edits not saved are gone the next time.
    edit("txtIPClient")->setText(QStringLiteral("172.16.0.3"));
    edit("txtPortServer")->setText(QStringLiteral("1"));
    QTest::mouseClick(screen->findChild<QPushButton *>(QStringLiteral("btnReturn")), Qt::LeftButton);
    showScreen();
    for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(edit(names.at(i))->text(), values.at(i));
    }
}

void tst_frmConfigNet::saveStoresTrimmedTexts()
{
    const QStringList names = {"txtIPClient", "txtMaskClient", "txtGatewayClient", "txtPortClient",
                               "txtIPServer", "txtPortServer", "txtIPServer2"};
    const QStringList keys = {"IPClient", "MaskClient", "GatewayClient", "PortClient",
                              "IPServer", "PortServer", "IPServer2"};
    // No format check: whatever is typed is kept, without its outer spaces.
    const QStringList typed = {"  10.1.2.3 ", "255.0.0.0\t", " 10.1.2.254", "8080  ", " server.local ", "99999",
                               "   "};
    const QStringList expected = {"10.1.2.3", "255.0.0.0", "10.1.2.254", "8080", "server.local", "99999", ""};
    for (int i = 0; i < names.size(); ++i) {
        edit(names.at(i))->setText(typed.at(i));
    }
    QSignalSpy back(screen.get(), &frmConfigNet::returnMain);
    QTest::mouseClick(screen->findChild<QPushButton *>(QStringLiteral("btnSave")), Qt::LeftButton);
    QCOMPARE(back.count(), 0);
    QCOMPARE(AppConfig::IPClient, QStringLiteral("10.1.2.3"));
    QCOMPARE(AppConfig::IPServer, QStringLiteral("server.local"));
    for (int i = 0; i < keys.size(); ++i) {
        QCOMPARE(stored(QStringLiteral("NetConfig/") + keys.at(i)), expected.at(i));
    }
    QTest::mouseClick(screen->findChild<QPushButton *>(QStringLiteral("btnReturn")), Qt::LeftButton);
    QCOMPARE(back.count(), 1);
}

void tst_frmConfigNet::formAndSizes()
{
    for (QLineEdit *e : screen->findChildren<QLineEdit *>()) {
        QCOMPARE(e->height(), 50);
    }
    QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("labClient"))->text(), QStringLiteral("本机地址设置"));
    QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("labServer"))->text(), QStringLiteral("服务器地址设置"));
    QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("labClient"))->property("flag").toString(), QStringLiteral("title"));
    QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("labIPServer2"))->text(), QStringLiteral("从服务器IP"));
}

QTEST_MAIN(tst_frmConfigNet)
#include "tst_frmconfignet.moc"
