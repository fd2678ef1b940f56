#include "appconfig.h"
#include "terminalstart.h"
#include "testsupport.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace TestSupport;

static const char defaultFile[] =
    "[BaseConfig]\n"
    "BgImage=:/bg/main10.jpg\n"
    "UseInput=true\n"
    "InputPosition=control\n"
    "MainWidth=1024\n"
    "MainHeight=600\n"
    "\n"
    "[NetConfig]\n"
    "IPClient=192.168.1.128\n"
    "MaskClient=255.255.255.0\n"
    "GatewayClient=192.168.1.1\n"
    "PortClient=20000\n"
    "IPServer=192.168.1.100\n"
    "PortServer=10000\n"
    "IPServer2=192.168.1.10\n"
    "\n"
    "[SwitchConfig]\n"
    "OpenMode=0\n"
    "OpenAuthor=false\n"
    "LogMode=0\n"
    "LogAuthor=false\n"
    "ConfigMode=0\n"
    "ConfigAuthor=false\n"
    "UserPwd=false\n"
    "Admin=false\n"
    "\n"
    "[SystemConfig]\n"
    "VolumnTip=true\n"
    "LinkSnap=false\n"
    "OSD=Ostrilla\n"
    "TimeAlarm=40\n"
    "Temp=50\n"
    "Volumn=6\n"
    "TimeClose=15\n"
    "SampleData=true\n"
    "FingerReader=auto\n"
    "\n"
    "[AlarmConfig]\n"
    "AlarmMode1=1\nAlarmLink1=true\nAlarmUp1=false\n"
    "AlarmMode2=1\nAlarmLink2=true\nAlarmUp2=false\n"
    "AlarmMode3=1\nAlarmLink3=true\nAlarmUp3=false\n"
    "AlarmMode4=1\nAlarmLink4=true\nAlarmUp4=false\n"
    "AlarmMode5=1\nAlarmLink5=true\nAlarmUp5=false\n"
    "AlarmMode6=1\nAlarmLink6=true\nAlarmUp6=false\n"
    "AlarmMode7=1\nAlarmLink7=true\nAlarmUp7=false\n"
    "AlarmMode8=1\nAlarmLink8=true\nAlarmUp8=false\n";

class tst_AppConfig : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir *temp = nullptr;

    // A sound file with a few values changed from their defaults.
    static QByteArray customised()
    {
        QByteArray text(defaultFile);
        text.replace("MainWidth=1024", "MainWidth=800");
        text.replace("MainHeight=600", "MainHeight=480");
        text.replace("OpenMode=0", "OpenMode=3");
        text.replace("AlarmMode4=1", "AlarmMode4=2");
        text.replace("AlarmUp8=false", "AlarmUp8=true");
        return text;
    }

    static void checkCustomisedKept()
    {
        QCOMPARE(AppConfig::MainWidth, 800);
        QCOMPARE(AppConfig::MainHeight, 480);
        QVERIFY(AppConfig::smallScreen());
        QCOMPARE(AppConfig::OpenMode, 3);
        QCOMPARE(AppConfig::AlarmMode[3], 2);
        QCOMPARE(AppConfig::AlarmUp[7], true);
    }

private slots:
    void init();
    void cleanup();

    void missingOrEmptyFileIsWrittenWithDefaults_data();
    void missingOrEmptyFileIsWrittenWithDefaults();
    void soundFileIsRead();
    void emptyTextValueIsAccepted_data();
    void emptyTextValueIsAccepted();
    void emptyNumberOrSwitchResetsTheFile_data();
    void emptyNumberOrSwitchResetsTheFile();
    void missingKeyKeepsItsDefault();
    void valueWithEqualsSign();
    void textValuesRoundTrip_data();
    void textValuesRoundTrip();
    void handWrittenTextSurvivesASave_data();
    void handWrittenTextSurvivesASave();
    void switchValues_data();
    void switchValues();
    void saveTellsWhetherTheFileWasWritten_data();
    void saveTellsWhetherTheFileWasWritten();
    void saveRewritesWholeFile();
    void sampleDataSwitch_data();
    void sampleDataSwitch();
    void fingerReaderSetting_data();
    void fingerReaderSetting();
    void backgroundNamingNoPictureIsTheDefault_data();
    void backgroundNamingNoPictureIsTheDefault();
};

void tst_AppConfig::init()
{
    TerminalStart::initResources(); // the backgrounds are checked against the pictures
    temp = new QTemporaryDir;
    QVERIFY(temp->isValid());
    AppConfig::ConfigFile = temp->filePath(QStringLiteral("safeterminal.ini"));
    AppConfig::resetDefaults();
}

void tst_AppConfig::cleanup()
{
    delete temp;
    temp = nullptr;
    AppConfig::resetDefaults();
}

void tst_AppConfig::missingOrEmptyFileIsWrittenWithDefaults_data()
{
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing") << false;
    QTest::newRow("zero bytes") << true;
}

void tst_AppConfig::missingOrEmptyFileIsWrittenWithDefaults()
{
    QFETCH(bool, exists);
    if (exists) {
        QVERIFY(writeFile(AppConfig::ConfigFile, QByteArray()));
    }
    AppConfig::MainWidth = 1; // not from the file: load must not keep it
    AppConfig::load();
    QCOMPARE(readFile(AppConfig::ConfigFile), QByteArray(defaultFile));
    QCOMPARE(AppConfig::MainWidth, 1024);
    QCOMPARE(AppConfig::BgImage, QStringLiteral(":/bg/main10.jpg"));
    QVERIFY(!AppConfig::smallScreen());
    // What was written is what QSettings reads.
    QSettings set(AppConfig::ConfigFile, QSettings::IniFormat);
    QCOMPARE(set.childGroups().size(), 5);
    QCOMPARE(set.value(QStringLiteral("AlarmConfig/AlarmLink8")).toBool(), true);
}

void tst_AppConfig::soundFileIsRead()
{
    QVERIFY(writeFile(AppConfig::ConfigFile, customised()));
    AppConfig::load();
    checkCustomisedKept();
    QCOMPARE(readFile(AppConfig::ConfigFile), customised()); // loading does not rewrite
}

void tst_AppConfig::emptyTextValueIsAccepted_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::newRow("OSD") << QByteArray("OSD");
    QTest::newRow("InputPosition") << QByteArray("InputPosition");
    QTest::newRow("IPServer2") << QByteArray("IPServer2");
    QTest::newRow("PortClient") << QByteArray("PortClient");
}

void tst_AppConfig::emptyTextValueIsAccepted()
{
    QFETCH(QByteArray, key);
    QByteArray text = customised();
    const int start = text.indexOf("\n" + key + "=") + 1;
    const int end = text.indexOf('\n', start);
    text.replace(start, end - start, key + "=");
    QVERIFY(writeFile(AppConfig::ConfigFile, text));

    AppConfig::load();
    checkCustomisedKept();
    QCOMPARE(readFile(AppConfig::ConfigFile), text);
    if (key == "OSD") {
        QCOMPARE(AppConfig::OSD, QString());
    }
    AppConfig::save();
    QCOMPARE(readFile(AppConfig::ConfigFile), text);
}

void tst_AppConfig::emptyNumberOrSwitchResetsTheFile_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("emptied");
    QTest::newRow("int") << QByteArray("TimeAlarm=40") << QByteArray("TimeAlarm=");
    QTest::newRow("bool") << QByteArray("VolumnTip=true") << QByteArray("VolumnTip=");
    QTest::newRow("unknown key") << QByteArray("Temp=50") << QByteArray("Temp=50\nColour=");
    QTest::newRow("windows line ends") << QByteArray("Volumn=6") << QByteArray("Volumn=\r");
}

void tst_AppConfig::emptyNumberOrSwitchResetsTheFile()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, emptied);
    QByteArray text = customised();
    text.replace(line, emptied);
    QVERIFY(writeFile(AppConfig::ConfigFile, text));
    AppConfig::load();
    QCOMPARE(readFile(AppConfig::ConfigFile), QByteArray(defaultFile));
    QCOMPARE(AppConfig::MainWidth, 1024);
    QCOMPARE(AppConfig::OpenMode, 0);
}

void tst_AppConfig::missingKeyKeepsItsDefault()
{
    QByteArray text = customised();
    text.replace("TimeClose=15\n", "");
    text.replace("UseInput=true\n", "");
    text.replace("IPClient=192.168.1.128\n", "");
    QVERIFY(writeFile(AppConfig::ConfigFile, text));
    AppConfig::load();
    checkCustomisedKept();
    QCOMPARE(AppConfig::TimeClose, 15);
    QCOMPARE(AppConfig::UseInput, true);
    QCOMPARE(AppConfig::IPClient, QStringLiteral("192.168.1.128"));
    QCOMPARE(readFile(AppConfig::ConfigFile), text); // accepted as it is

    AppConfig::save();
    QCOMPARE(readFile(AppConfig::ConfigFile), customised());
}

void tst_AppConfig::valueWithEqualsSign()
{
    QByteArray text = customised();
    text.replace("OSD=Ostrilla", "OSD=\"a=b\"");
    QVERIFY(writeFile(AppConfig::ConfigFile, text));
    AppConfig::load();
    checkCustomisedKept();
    QCOMPARE(AppConfig::OSD, QStringLiteral("a=b"));
}

void tst_AppConfig::textValuesRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("chinese") << "智能保险柜 一号";
    QTest::newRow("equals") << "a=b=c";
    QTest::newRow("comma") << "a,b";
    QTest::newRow("semicolon") << "a;b";
    QTest::newRow("quotes") << "say \"hi\" it's";
    QTest::newRow("backslash") << "C:\\safe\\1";
    QTest::newRow("edge spaces") << "  padded  ";
    QTest::newRow("at sign") << "@ByteArray(x)";
    QTest::newRow("control then hex digit") << QString("a\tb") + QChar(0x01) + "1f";
    QTest::newRow("hash") << "#not a comment";
    QTest::newRow("watermark with emoji") << "保险柜🔒";
    QTest::newRow("rare surname") << "𠀀";
    QTest::newRow("non-BMP beside separators") << "🔒,\"𠀀\";=🔒 ";
    QTest::newRow("lone surrogates") << QString(QChar(0xD83D)) + "x" + QChar(0xDD12) + "1";
    QTest::newRow("byte order mark") << QString(QChar(0xFEFF)) + "a," + QChar(0xFEFF);
    QTest::newRow("double quote only") << "\"";
    QTest::newRow("trailing backslash") << "a\\";
    QTest::newRow("commas at the edges") << ",a,";
    QTest::newRow("semicolon first") << ";a";
    QTest::newRow("at alone") << "@";
    QTest::newRow("at invalid") << "@Invalid()";
    QTest::newRow("at string") << "@String(x)";
    QTest::newRow("at then comma") << "@a,b";
    QTest::newRow("new lines") << "a\nb\r\nc\n";
    QTest::newRow("nul and escape") << QString("x") + QChar(0) + "0" + QChar(0x1B) + "[1m";
    QTest::newRow("edge tabs") << "\ta b\t";
    QTest::newRow("empty") << "";
    QTest::newRow("spaces only") << "   ";
    QTest::newRow("looks like a number") << "007";
    QTest::newRow("looks like a switch") << "true";
    QTest::newRow("every UTF-16 unit") << [] {
        QString all;
        for (int unit = 1; unit <= 0xFFFF; ++unit) {
            all += QChar(unit);
        }
        return all + QStringLiteral("🔒𠀀");
    }();
}

void tst_AppConfig::textValuesRoundTrip()
{
    QFETCH(QString, value);
    AppConfig::OSD = value;
    AppConfig::MainWidth = 800;
    QVERIFY(AppConfig::save());
    {
        QSettings set(AppConfig::ConfigFile, QSettings::IniFormat);
        set.setIniCodec("UTF-8");
        QCOMPARE(set.value(QStringLiteral("SystemConfig/OSD")).toString(), value);
    }
    AppConfig::resetDefaults();
    AppConfig::load();
    QCOMPARE(AppConfig::OSD, value);
    QCOMPARE(AppConfig::MainWidth, 800);

    // Saving what was read writes the same file again.
    const QByteArray first = readFile(AppConfig::ConfigFile);
    QVERIFY(AppConfig::save());
    QCOMPARE(readFile(AppConfig::ConfigFile), first);
}

void tst_AppConfig::handWrittenTextSurvivesASave_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("savedLine");

    QTest::newRow("watermark with emoji") << QByteArray("OSD=保险柜🔒") << "保险柜🔒" << QByteArray("OSD=保险柜🔒");
    QTest::newRow("rare surname") << QByteArray("OSD=𠀀先生") << "𠀀先生" << QByteArray("OSD=𠀀先生");
    QTest::newRow("quoted") << QByteArray("OSD=\"a;b🔒\"") << "a;b🔒" << QByteArray("OSD=\"a;b🔒\"");
    QTest::newRow("escaped") << QByteArray("OSD=C:\\\\safe") << "C:\\safe" << QByteArray("OSD=C:\\\\safe");
    // QSettings hands an unquoted comma over as a list; the text is the list joined again.
    QTest::newRow("comma") << QByteArray("OSD=Safe,Room 1") << "Safe,Room 1" << QByteArray("OSD=\"Safe,Room 1\"");
    QTest::newRow("three items") << QByteArray("OSD=1,2,3") << "1,2,3" << QByteArray("OSD=\"1,2,3\"");
    QTest::newRow("item with at") << QByteArray("OSD=a,@b") << "a,@b" << QByteArray("OSD=\"a,@b\"");
    QTest::newRow("empty items") << QByteArray("OSD=,") << "," << QByteArray("OSD=\",\"");
}

void tst_AppConfig::handWrittenTextSurvivesASave()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, value);
    QFETCH(QByteArray, savedLine);
    QByteArray text = customised();
    text.replace("OSD=Ostrilla", line);
    QVERIFY(writeFile(AppConfig::ConfigFile, text));
    AppConfig::load();
    checkCustomisedKept();
    QCOMPARE(AppConfig::OSD, value);

    // An unrelated change leaves the text as it was.
    AppConfig::OpenMode = 4;
    QVERIFY(AppConfig::save());
    QByteArray expected = customised();
    expected.replace("OpenMode=3", "OpenMode=4");
    expected.replace("OSD=Ostrilla", savedLine);
    QCOMPARE(readFile(AppConfig::ConfigFile), expected);
    AppConfig::resetDefaults();
    AppConfig::load();
    QCOMPARE(AppConfig::OSD, value);
}

void tst_AppConfig::switchValues_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<bool>("expected");

    // Both keys below are written with their built-in value, so the file alone decides.
    const QByteArray off("LinkSnap=false");
    const QByteArray on("VolumnTip=true");
    QTest::newRow("true") << off << QByteArray("LinkSnap=true") << true;
    QTest::newRow("TRUE") << off << QByteArray("LinkSnap=TRUE") << true;
    QTest::newRow("True") << off << QByteArray("LinkSnap=True") << true;
    QTest::newRow("one") << off << QByteArray("LinkSnap=1") << true;
    QTest::newRow("quoted one") << off << QByteArray("LinkSnap=\"1\"") << true;
    QTest::newRow("abc") << off << QByteArray("LinkSnap=abc") << false;
    QTest::newRow("no") << off << QByteArray("LinkSnap=no") << false;
    QTest::newRow("yes") << off << QByteArray("LinkSnap=yes") << false;
    QTest::newRow("on") << off << QByteArray("LinkSnap=on") << false;
    QTest::newRow("two") << off << QByteArray("LinkSnap=2") << false;
    QTest::newRow("zero one") << off << QByteArray("LinkSnap=01") << false;
    QTest::newRow("true with more") << off << QByteArray("LinkSnap=truely") << false;
    QTest::newRow("list") << off << QByteArray("LinkSnap=true,true") << false;
    QTest::newRow("default on, abc") << on << QByteArray("VolumnTip=abc") << false;
    QTest::newRow("default on, FALSE") << on << QByteArray("VolumnTip=FALSE") << false;
    QTest::newRow("default on, 0") << on << QByteArray("VolumnTip=0") << false;
    QTest::newRow("default on, tRuE") << on << QByteArray("VolumnTip=tRuE") << true;
}

void tst_AppConfig::switchValues()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, written);
    QFETCH(bool, expected);
    QByteArray text = customised();
    text.replace(line, written);
    QVERIFY(writeFile(AppConfig::ConfigFile, text));
    AppConfig::load();
    checkCustomisedKept();
    const bool actual = line.startsWith("LinkSnap") ? AppConfig::LinkSnap : AppConfig::VolumnTip;
    QCOMPARE(actual, expected);
}

void tst_AppConfig::saveTellsWhetherTheFileWasWritten_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<bool>("written");

    QTest::newRow("writable folder") << "safeterminal.ini" << true;
    // The tests run as root, so a folder without write permission would not stop the write.
    QTest::newRow("parent is a file") << "plain/safeterminal.ini" << false;
    QTest::newRow("missing folder") << "missing/safeterminal.ini" << false;
}

void tst_AppConfig::saveTellsWhetherTheFileWasWritten()
{
    QFETCH(QString, relativePath);
    QFETCH(bool, written);
    QVERIFY(writeFile(temp->filePath(QStringLiteral("plain")), "not a folder"));
    AppConfig::ConfigFile = temp->filePath(relativePath);
    AppConfig::OpenMode = 2;
    QCOMPARE(AppConfig::save(), written);
    QCOMPARE(QFile::exists(AppConfig::ConfigFile), written);
    QCOMPARE(readFile(temp->filePath(QStringLiteral("plain"))), QByteArray("not a folder"));
    if (written) {
        QByteArray expected(defaultFile);
        expected.replace("OpenMode=0", "OpenMode=2");
        QCOMPARE(readFile(AppConfig::ConfigFile), expected);
    }
}

void tst_AppConfig::saveRewritesWholeFile()
{
    QVERIFY(writeFile(AppConfig::ConfigFile, customised() + "[Extra]\nJunk=1\n"));
    AppConfig::load();
    AppConfig::OpenMode = 4;
    AppConfig::save();
    QByteArray expected = customised();
    expected.replace("OpenMode=3", "OpenMode=4");
    QCOMPARE(readFile(AppConfig::ConfigFile), expected);
    // Written through a temporary file and renamed: nothing else is left beside it.
    QCOMPARE(QDir(temp->path()).entryList(QDir::Files), QStringList{"safeterminal.ini"});
}

QTEST_MAIN(tst_AppConfig)
void tst_AppConfig::sampleDataSwitch_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("on");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("off") << QByteArray("SampleData=false\n") << false << QByteArray("SampleData=false\n");
    QTest::newRow("on") << QByteArray("SampleData=true\n") << true << QByteArray("SampleData=true\n");
    QTest::newRow("absent: on, as before the key existed") << QByteArray() << true << QByteArray("SampleData=true\n");
}

void tst_AppConfig::sampleDataSwitch()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, on);
    QFETCH(QByteArray, written);
    QByteArray text = customised();
    text.replace("SampleData=true\n", line);
    QVERIFY(writeFile(AppConfig::ConfigFile, text));
    AppConfig::load();
    QCOMPARE(AppConfig::SampleData, on);
    checkCustomisedKept();
    QVERIFY(AppConfig::save());
    QByteArray expected = customised();
    expected.replace("SampleData=true\n", written);
    QCOMPARE(readFile(AppConfig::ConfigFile), expected); // every other setting kept, the key at the group's end
}

void tst_AppConfig::fingerReaderSetting_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("read");
    QTest::newRow("required") << QByteArray("FingerReader=required\n") << "required";
    QTest::newRow("auto") << QByteArray("FingerReader=auto\n") << "auto";
    QTest::newRow("absent") << QByteArray() << "auto";
    QTest::newRow("unknown") << QByteArray("FingerReader=usb0\n") << "auto";
    QTest::newRow("other case") << QByteArray("FingerReader=Required\n") << "auto";
}

void tst_AppConfig::fingerReaderSetting()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, read);
    QByteArray text = customised();
    text.replace("FingerReader=auto\n", line);
    QVERIFY(writeFile(AppConfig::ConfigFile, text));
    AppConfig::load();
    QCOMPARE(AppConfig::FingerReader, read);
    checkCustomisedKept();
    QVERIFY(AppConfig::save());
    QByteArray expected = customised();
    expected.replace("FingerReader=auto\n", "FingerReader=" + read.toUtf8() + "\n");
    QCOMPARE(readFile(AppConfig::ConfigFile), expected); // after SampleData, every other setting kept
}

void tst_AppConfig::backgroundNamingNoPictureIsTheDefault_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("read");
    QTest::newRow("a picture") << ":/bg/main03.jpg" << ":/bg/main03.jpg";
    QTest::newRow("the last picture") << ":/bg/main12.jpg" << ":/bg/main12.jpg";
    QTest::newRow("past the last") << ":/bg/main13.jpg" << ":/bg/main10.jpg";
    QTest::newRow("empty") << "" << ":/bg/main10.jpg";
    QTest::newRow("a word") << "blue" << ":/bg/main10.jpg";
    QTest::newRow("no such file") << "/nonexistent/bg.jpg" << ":/bg/main10.jpg";
}

void tst_AppConfig::backgroundNamingNoPictureIsTheDefault()
{
    QFETCH(QString, stored);
    QFETCH(QString, read);
    QByteArray text = customised();
    const int start = text.indexOf("\nBgImage=") + 1;
    text.replace(start, text.indexOf('\n', start) - start, "BgImage=" + stored.toUtf8());
    QVERIFY(writeFile(AppConfig::ConfigFile, text));
    AppConfig::load();
    QCOMPARE(AppConfig::BgImage, read);
}

#include "tst_appconfig.moc"
