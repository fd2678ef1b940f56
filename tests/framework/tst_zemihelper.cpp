// GLib first: some of its headers use "signals" as a name, which Qt defines as a macro.
#include <glib.h>

#include "httptestserver.h"
#include "testseams.h"
#include "testsupport.h"
#include "zemiclock.h"
#include "zemihelper.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <optional>
#include <time.h>

namespace {

struct GFreeDeleter {
    void operator()(gchar *text) const { g_free(text); }
    void operator()(gchar **list) const { g_strfreev(list); }
    void operator()(GKeyFile *keys) const { g_key_file_free(keys); }
    void operator()(GError *error) const { g_error_free(error); }
};
template <typename T>
using GPtr = std::unique_ptr<T, GFreeDeleter>;

// The visible top-level window whose text holds text, whatever kind of dialog carries it.
QWidget *windowShowing(const QString &text)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (!window->isVisible()) {
            continue;
        }
        QList<QLabel *> labels = window->findChildren<QLabel *>();
        if (auto *self = qobject_cast<QLabel *>(window)) {
            labels << self;
        }
        for (const QLabel *label : qAsConst(labels)) {
            if (label->text().contains(text)) {
                return window;
            }
        }
    }
    return nullptr;
}

// An Exec argument as a launcher passes it on: "%%" is a literal "%", and any other
// "%" starts a field code that the launcher would replace.
QString withoutFieldCodes(const QString &argument)
{
    QString out;
    for (int i = 0; i < argument.size(); ++i) {
        if (argument.at(i) != QLatin1Char('%')) {
            out += argument.at(i);
        } else if (i + 1 < argument.size() && argument.at(i + 1) == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++i;
        } else {
            out += QStringLiteral("<field code>");
        }
    }
    return out;
}

} // namespace

class tst_ZemiHelper : public QObject
{
    Q_OBJECT

private:
    std::optional<TestSeams> seams;

private slots:
    void init() { seams.emplace(); }
    void cleanup() { seams.reset(); }

    void intConversions_data();
    void intConversions();
    void textConversions_data();
    void textConversions();
    void byteOrder();
    void checksums_data();
    void checksums();
    void crcModbus();
    void hexTextToBytes_data();
    void hexTextToBytes();
    void bytesToHexText_data();
    void bytesToHexText();
    void escapedAscii_data();
    void escapedAscii();
    void escapedAsciiRoundTripsEveryByte();
    void validation_data();
    void validation();
    void ensureDirectory();
    void copyFileIfEmpty_data();
    void copyFileIfEmpty();
    void deleteDirectoryKeepsTheFolder();
    void writeRunLogAppendsLines();
    void clockSetterIsReplaceable();
    void systemClockRefusesNonDigits_data();
    void systemClockRefusesNonDigits();
    void autoStartEntry();
    void autoStartExecLine_data();
    void autoStartExecLine();
    void nextBoxCancelsThePendingClose_data();
    void nextBoxCancelsThePendingClose();
    void hostReachable();
    void internetProbeIsASetting();
    void fetchUrl();
    void fetchUrlTimesOut();
    void sleepHandlesEventsWithoutSpinning();
};

void tst_ZemiHelper::intConversions_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("expected");

    QTest::newRow("hex ff") << "hex" << "ff" << 255;
    QTest::newRow("hex upper") << "hex" << "7FFF" << 32767;
    QTest::newRow("hex bad") << "hex" << "zz" << 0;
    QTest::newRow("decimal") << "dec" << "1234" << 1234;
    QTest::newRow("decimal negative") << "dec" << "-12" << -12;
    QTest::newRow("decimal bad") << "dec" << "12a" << 0;
    QTest::newRow("binary") << "bin" << "1010" << 10;
    QTest::newRow("binary bad") << "bin" << "102" << 0;
}

void tst_ZemiHelper::intConversions()
{
    QFETCH(QString, function);
    QFETCH(QString, input);
    QFETCH(int, expected);
    int actual = -999;
    if (function == QLatin1String("hex")) {
        actual = ZemiHelper::hexTextToInt(input);
    } else if (function == QLatin1String("dec")) {
        actual = ZemiHelper::decimalTextToInt(input);
    } else {
        actual = ZemiHelper::binaryTextToInt(input);
    }
    QCOMPARE(actual, expected);
}

void tst_ZemiHelper::textConversions_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<int>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("bin8 5") << "bin8" << 5 << "00000101";
    QTest::newRow("bin8 255") << "bin8" << 255 << "11111111";
    QTest::newRow("bin16 5") << "bin16" << 5 << "0000000000000101";
    QTest::newRow("hex 10") << "hex" << 10 << "0a";
    QTest::newRow("hex 255") << "hex" << 255 << "ff";
    QTest::newRow("hex 4096") << "hex" << 4096 << "1000";
    QTest::newRow("dec 7") << "dec" << 7 << "07";
    QTest::newRow("dec 200") << "dec" << 200 << "200";
    QTest::newRow("dec keeps low byte") << "dec" << 0x105 << "05";
}

void tst_ZemiHelper::textConversions()
{
    QFETCH(QString, function);
    QFETCH(int, input);
    QFETCH(QString, expected);
    QString actual;
    if (function == QLatin1String("bin8")) {
        actual = ZemiHelper::intToBinaryText8(input);
    } else if (function == QLatin1String("bin16")) {
        actual = ZemiHelper::intToBinaryText16(input);
    } else if (function == QLatin1String("hex")) {
        actual = ZemiHelper::intToHexText(input);
    } else {
        actual = ZemiHelper::byteToDecimalText(input);
    }
    QCOMPARE(actual, expected);
    QCOMPARE(ZemiHelper::hexTextToBinaryText(QStringLiteral("a")), QStringLiteral("00001010"));
}

void tst_ZemiHelper::byteOrder()
{
    const int value = 0x12345678;
    QCOMPARE(ZemiHelper::intToBytesBE(value), QByteArray::fromHex("12345678"));
    QCOMPARE(ZemiHelper::intToBytesLE(value), QByteArray::fromHex("78563412"));
    QCOMPARE(ZemiHelper::bytesToIntBE(QByteArray::fromHex("12345678")), value);
    QCOMPARE(ZemiHelper::bytesToIntLE(QByteArray::fromHex("78563412")), value);
    QCOMPARE(ZemiHelper::bytesToIntBE(ZemiHelper::intToBytesBE(-2)), -2);
    QCOMPARE(ZemiHelper::ushortToBytesBE(0x1234), QByteArray::fromHex("1234"));
    QCOMPARE(ZemiHelper::ushortToBytesLE(0x1234), QByteArray::fromHex("3412"));
    QCOMPARE(ZemiHelper::bytesToShortBE(QByteArray::fromHex("fffe")), -2);
    QCOMPARE(ZemiHelper::bytesToShortLE(QByteArray::fromHex("feff")), -2);
    QCOMPARE(ZemiHelper::bytesToShortBE(QByteArray::fromHex("7fff")), 32767);
    // Too short to read: nothing read past the end.
    QCOMPARE(ZemiHelper::bytesToIntBE(QByteArray::fromHex("12")), 0);
    QCOMPARE(ZemiHelper::bytesToShortLE(QByteArray()), 0);
}

void tst_ZemiHelper::checksums_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("xorSum");
    QTest::addColumn<int>("sum");

    QTest::newRow("empty") << QByteArray() << 0 << 0;
    QTest::newRow("one") << QByteArray::fromHex("5a") << 0x5a << 0x5a;
    QTest::newRow("overflow") << QByteArray::fromHex("ff02") << 0xfd << 0x01;
    QTest::newRow("cancel") << QByteArray::fromHex("3c3c") << 0x00 << 0x78;
}

void tst_ZemiHelper::checksums()
{
    QFETCH(QByteArray, data);
    QFETCH(int, xorSum);
    QFETCH(int, sum);
    QCOMPARE(int(ZemiHelper::xorChecksum(data)), xorSum);
    QCOMPARE(int(ZemiHelper::sumChecksum(data)), sum);
}

void tst_ZemiHelper::crcModbus()
{
    const QByteArray digits("123456789");
    QCOMPARE(ZemiHelper::crc16Modbus(reinterpret_cast<const quint8 *>(digits.constData()), digits.size()),
             quint16(0x4B37));
    QCOMPARE(ZemiHelper::modbusCrcBytes(digits), QByteArray::fromHex("374b"));
    // A Modbus RTU frame followed by its CRC checks to zero.
    const QByteArray frame = QByteArray::fromHex("010300000001");
    const QByteArray full = frame + ZemiHelper::modbusCrcBytes(frame);
    QCOMPARE(full, QByteArray::fromHex("01030000000184 0a").replace(' ', ""));
    QCOMPARE(ZemiHelper::crc16Modbus(reinterpret_cast<const quint8 *>(full.constData()), full.size()), quint16(0));

    // The MSB-first routine with the CCITT table gives CRC-16/XMODEM.
    quint16 table[256];
    for (int i = 0; i < 256; ++i) {
        quint16 crc = quint16(i << 8);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
        }
        table[i] = crc;
    }
    QCOMPARE(ZemiHelper::crc16Msb(reinterpret_cast<const quint8 *>(digits.constData()), digits.size(), 0, table),
             quint16(0x31C3));
}

void tst_ZemiHelper::hexTextToBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("plain") << "01AB" << QByteArray::fromHex("01ab");
    QTest::newRow("lower case") << "0aff" << QByteArray::fromHex("0aff");
    QTest::newRow("spaces") << "01 AB  FF" << QByteArray::fromHex("01abff");
    QTest::newRow("odd length drops last") << "01A" << QByteArray::fromHex("01");
    QTest::newRow("bad digit counts -1") << "G1" << QByteArray(1, char(-16 + 1));
    QTest::newRow("empty") << "" << QByteArray();
}

void tst_ZemiHelper::hexTextToBytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ZemiHelper::hexTextToBytes(text), bytes);
}

void tst_ZemiHelper::bytesToHexText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QByteArray() << "";
    QTest::newRow("two") << QByteArray::fromHex("01ab") << "01 AB";
    QTest::newRow("zero") << QByteArray(1, '\0') << "00";
}

void tst_ZemiHelper::bytesToHexText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(ZemiHelper::bytesToHexText(bytes), text);
    QCOMPARE(ZemiHelper::hexTextToBytes(text), bytes);
}

void tst_ZemiHelper::escapedAscii_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("mixed") << QByteArray::fromHex("0241205c0d") << "\\STXA\\x20\\x5C\\CR";
    QTest::newRow("delete") << QByteArray::fromHex("7f") << "\\x7F";
    QTest::newRow("high byte") << QByteArray::fromHex("ff") << "\\xff";
    QTest::newRow("nul and us") << QByteArray::fromHex("001f") << "\\NUL\\US";
    QTest::newRow("printable") << QByteArray("Az~!") << "Az~!";
}

void tst_ZemiHelper::escapedAscii()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(ZemiHelper::bytesToEscapedAscii(bytes), text);
    QCOMPARE(ZemiHelper::escapedAsciiToBytes(text), bytes);
}

void tst_ZemiHelper::escapedAsciiRoundTripsEveryByte()
{
    QByteArray all;
    for (int i = 0; i < 256; ++i) {
        all.append(char(i));
    }
    QCOMPARE(ZemiHelper::escapedAsciiToBytes(ZemiHelper::bytesToEscapedAscii(all)), all);
    for (int i = 0; i < 256; ++i) {
        const QByteArray one(1, char(i));
        QCOMPARE(ZemiHelper::escapedAsciiToBytes(ZemiHelper::bytesToEscapedAscii(one)), one);
    }
}

void tst_ZemiHelper::validation_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");

    QTest::newRow("ip ok") << "ip" << "192.168.1.128" << true;
    QTest::newRow("ip zeros") << "ip" << "0.0.0.0" << true;
    QTest::newRow("ip 255") << "ip" << "255.255.255.255" << true;
    QTest::newRow("ip 256") << "ip" << "192.168.1.256" << false;
    QTest::newRow("ip three parts") << "ip" << "192.168.1" << false;
    QTest::newRow("ip trailing text") << "ip" << "192.168.1.1x" << false;
    QTest::newRow("ip leading space") << "ip" << " 10.0.0.1" << false;
    QTest::newRow("mac ok") << "mac" << "00-1A-2B-3C-4D-5E" << true;
    QTest::newRow("mac lower case") << "mac" << "00-1a-2b-3c-4d-5e" << false;
    QTest::newRow("mac colons") << "mac" << "00:1A:2B:3C:4D:5E" << false;
    QTest::newRow("mobile ok") << "mobile" << "13812345678" << true;
    QTest::newRow("mobile 18") << "mobile" << "18812345678" << true;
    QTest::newRow("mobile 10 digits") << "mobile" << "1381234567" << false;
    QTest::newRow("mobile 16") << "mobile" << "16812345678" << false;
    QTest::newRow("email ok") << "email" << "ops@example.com" << true;
    QTest::newRow("email no at") << "email" << "ops.example.com" << false;
    QTest::newRow("email no com") << "email" << "ops@example.org" << false;
}

void tst_ZemiHelper::validation()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    bool actual = !valid;
    if (kind == QLatin1String("ip")) {
        actual = ZemiHelper::isIPv4(text);
    } else if (kind == QLatin1String("mac")) {
        actual = ZemiHelper::isMacAddress(text);
    } else if (kind == QLatin1String("mobile")) {
        actual = ZemiHelper::isMobileNumber(text);
    } else {
        actual = ZemiHelper::isEmailAddress(text);
    }
    QCOMPARE(actual, valid);
}

void tst_ZemiHelper::ensureDirectory()
{
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString absolute = temp.filePath(QStringLiteral("a/b/c"));
    ZemiHelper::ensureDirectory(absolute);
    QVERIFY(QDir(absolute).exists());

    // A bare name lands under the program's own folder.
    const QString name = QStringLiteral("tst_zemihelper_dir_%1").arg(QCoreApplication::applicationPid());
    const QString underProgram = QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
    ZemiHelper::ensureDirectory(name);
    QVERIFY(QDir(underProgram).exists());
    QDir(underProgram).removeRecursively();
}

void tst_ZemiHelper::copyFileIfEmpty_data()
{
    QTest::addColumn<QByteArray>("targetBefore");
    QTest::addColumn<bool>("targetExists");
    QTest::addColumn<QByteArray>("targetAfter");

    QTest::newRow("missing target") << QByteArray() << false << QByteArray("source");
    QTest::newRow("empty target") << QByteArray() << true << QByteArray("source");
    QTest::newRow("non-empty target") << QByteArray("mine") << true << QByteArray("mine");
}

void tst_ZemiHelper::copyFileIfEmpty()
{
    QFETCH(QByteArray, targetBefore);
    QFETCH(bool, targetExists);
    QFETCH(QByteArray, targetAfter);

    QTemporaryDir temp;
    const QString source = temp.filePath(QStringLiteral("source.db"));
    const QString target = temp.filePath(QStringLiteral("target.db"));
    QVERIFY(TestSupport::writeFile(source, "source"));
    QFile::setPermissions(source, QFile::ReadOwner);
    if (targetExists) {
        QVERIFY(TestSupport::writeFile(target, targetBefore));
    }
    ZemiHelper::copyFileIfEmpty(source, target);
    QCOMPARE(TestSupport::readFile(target), targetAfter);
    // The copy is readable and writable by its owner.
    QVERIFY(QFile::permissions(target) & QFile::WriteOwner);
    QVERIFY(QFile::permissions(target) & QFile::ReadOwner);
}

void tst_ZemiHelper::deleteDirectoryKeepsTheFolder()
{
    QTemporaryDir temp;
    const QString root = temp.filePath(QStringLiteral("pics"));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/2026/12")));
    QVERIFY(TestSupport::writeFile(root + QStringLiteral("/a.jpg"), "x"));
    QVERIFY(TestSupport::writeFile(root + QStringLiteral("/2026/12/b.jpg"), "y"));

    ZemiHelper::deleteDirectory(root);
    QVERIFY(QDir(root).exists());
    QVERIFY(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());

    ZemiHelper::deleteDirectory(temp.filePath(QStringLiteral("missing"))); // nothing to do, no crash
    QVERIFY(!QDir(temp.filePath(QStringLiteral("missing"))).exists());
}

void tst_ZemiHelper::writeRunLogAppendsLines()
{
    // The log lives under the program directory; use a fresh sub-folder there.
    const QString sub = QStringLiteral("runlog_%1").arg(QCoreApplication::applicationPid());
    const QString dir = QCoreApplication::applicationDirPath() + QLatin1Char('/') + sub;
    QVERIFY(QDir().mkpath(dir));
    // The month's file and the line's stamp come from the one clock.
    ZemiClock::setNow(QDateTime(QDate(2026, 11, 30), QTime(23, 59, 59)));
    ZemiHelper::writeRunLog(QStringLiteral("开机"), sub);
    ZemiHelper::writeRunLog(QStringLiteral("second line"), sub);

    const QString file = QStringLiteral("%1/%2_runinfo_%3.txt")
                             .arg(dir, ZemiHelper::applicationBaseName(),
                                  QStringLiteral("202611"));
    const QList<QByteArray> lines = TestSupport::readFile(file).split('\n');
    QDir(dir).removeRecursively();
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.at(2).isEmpty());
    const QRegularExpression stamp(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d  "));
    QVERIFY(stamp.match(QString::fromLocal8Bit(lines.at(0))).hasMatch());
    QVERIFY(QString::fromLocal8Bit(lines.at(0)).endsWith(QStringLiteral("  开机")));
    QCOMPARE(QString::fromLocal8Bit(lines.at(0)), QStringLiteral("2026-11-30 23:59:59  开机"));
    QVERIFY(lines.at(1).endsWith("  second line"));

    // A missing sub-folder is skipped silently.
    ZemiHelper::writeRunLog(QStringLiteral("lost"), sub + QStringLiteral("/missing"));
    QVERIFY(!QDir(dir).exists());
}

void tst_ZemiHelper::clockSetterIsReplaceable()
{
    QStringList seen;
    ZemiHelper::setClockSetter([&seen](const QString &y, const QString &mo, const QString &d, const QString &h,
                                       const QString &mi, const QString &s) {
        seen = QStringList{y, mo, d, h, mi, s};
        return false;
    });
    QVERIFY(!ZemiHelper::setSystemDateTime(QStringLiteral("2026"), QStringLiteral("12"), QStringLiteral("10"),
                                           QStringLiteral("08"), QStringLiteral("05"), QStringLiteral("09")));
    QCOMPARE(seen, QStringList({"2026", "12", "10", "08", "05", "09"}));
}

void tst_ZemiHelper::systemClockRefusesNonDigits_data()
{
    QTest::addColumn<QString>("minute");
    QTest::newRow("empty") << "";
    QTest::newRow("option") << "-s";
    QTest::newRow("shell") << "05;reboot";
    QTest::newRow("space") << "0 5";
}

void tst_ZemiHelper::systemClockRefusesNonDigits()
{
    // Refused before any command runs, so the machine's clock is never at risk here.
    QFETCH(QString, minute);
    QVERIFY(!ZemiHelper::systemClockSetter(QStringLiteral("2026"), QStringLiteral("12"), QStringLiteral("10"),
                                           QStringLiteral("08"), minute, QStringLiteral("09")));
}

void tst_ZemiHelper::autoStartEntry()
{
    QTemporaryDir temp;
    qputenv("XDG_CONFIG_HOME", temp.path().toUtf8());
    const QString file = temp.filePath(QStringLiteral("autostart/safeterminal.desktop"));
    QCOMPARE(ZemiHelper::autoStartFile(QStringLiteral("safeterminal")), file);

    ZemiHelper::setAutoStart(QStringLiteral("safeterminal"), QStringLiteral("/opt/safe/safeterminal"), true);
    QSettings on(file, QSettings::IniFormat);
    QCOMPARE(on.value(QStringLiteral("Desktop Entry/Hidden")).toString(), QStringLiteral("false"));

    ZemiHelper::setAutoStart(QStringLiteral("safeterminal"), QStringLiteral("/opt/safe/safeterminal"), false);
    QVERIFY(QFile::exists(file)); // kept, only switched off
    QSettings off(file, QSettings::IniFormat);
    QCOMPARE(off.value(QStringLiteral("Desktop Entry/Hidden")).toString(), QStringLiteral("true"));
    QCOMPARE(off.value(QStringLiteral("Desktop Entry/X-GNOME-Autostart-enabled")).toString(), QStringLiteral("false"));
    qunsetenv("XDG_CONFIG_HOME");
}

void tst_ZemiHelper::autoStartExecLine_data()
{
    QTest::addColumn<QString>("path");

    QTest::newRow("plain") << "/opt/safe/safeterminal";
    QTest::newRow("space") << "/opt/safe terminal/safeterminal";
    QTest::newRow("$HOME") << "/opt/$HOME/safeterminal";
    QTest::newRow("backtick") << "/opt/`reboot`/safeterminal";
    QTest::newRow("%f") << "/opt/safe%f/safeterminal";
    QTest::newRow("percents") << "/opt/100%%%/safeterminal%";
    QTest::newRow("double quote") << "/opt/safe \"x\"/safeterminal";
    QTest::newRow("single quote") << "/opt/it's/safeterminal";
    QTest::newRow("backslash") << "/opt/safe\\terminal\\";
    QTest::newRow("chinese") << "/opt/保险柜/智能终端";
    QTest::newRow("new line, tab, return") << "/opt/a\nb\tc\rd/safeterminal";
    QTest::newRow("shell operators") << "/opt/a;b|c&d>e<f*g?h(i)j=k/safeterminal";
    QTest::newRow("tilde and hash first") << "~/#safeterminal";
}

void tst_ZemiHelper::autoStartExecLine()
{
    // GLib reads the entry as desktops do: the key file unescapes, then the shell rules split.
    QFETCH(QString, path);
    QTemporaryDir temp;
    qputenv("XDG_CONFIG_HOME", temp.path().toUtf8());
    ZemiHelper::setAutoStart(QStringLiteral("safeterminal"), path, true);
    const QByteArray file = QFile::encodeName(ZemiHelper::autoStartFile(QStringLiteral("safeterminal")));
    qunsetenv("XDG_CONFIG_HOME");

    GPtr<GKeyFile> keys(g_key_file_new());
    GError *rawError = nullptr;
    const bool loaded = g_key_file_load_from_file(keys.get(), file.constData(), G_KEY_FILE_NONE, &rawError);
    GPtr<GError> error(rawError);
    QVERIFY2(loaded, error ? error->message : "not loaded");

    rawError = nullptr;
    GPtr<gchar> exec(g_key_file_get_string(keys.get(), "Desktop Entry", "Exec", &rawError));
    error.reset(rawError);
    QVERIFY2(exec, error ? error->message : "no Exec");

    gint argc = 0;
    gchar **rawArgv = nullptr;
    rawError = nullptr;
    const bool parsed = g_shell_parse_argv(exec.get(), &argc, &rawArgv, &rawError);
    GPtr<gchar *> argv(rawArgv);
    error.reset(rawError);
    QVERIFY2(parsed, error ? error->message : "not parsed");
    QCOMPARE(argc, 1);
    QCOMPARE(withoutFieldCodes(QString::fromUtf8(argv.get()[0])), path);
}

void tst_ZemiHelper::nextBoxCancelsThePendingClose_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("secondCloseSec");

    QTest::newRow("info, then timed") << "info" << 2;
    QTest::newRow("info, then untimed") << "info" << 0;
    QTest::newRow("error, then timed") << "error" << 2;
    QTest::newRow("tip, then timed") << "tip" << 2;
    QTest::newRow("tip, then untimed") << "tip" << 0;
}

void tst_ZemiHelper::nextBoxCancelsThePendingClose()
{
    QFETCH(QString, kind);
    QFETCH(int, secondCloseSec);
    const auto show = [&kind](const QString &text, int closeSec) {
        if (kind == QLatin1String("tip")) {
            ZemiHelper::showTipBox(QStringLiteral("提示"), text, false, true, closeSec);
        } else if (kind == QLatin1String("error")) {
            ZemiHelper::showMessageBoxError(text, closeSec);
        } else {
            ZemiHelper::showMessageBoxInfo(text, closeSec);
        }
    };

    QElapsedTimer clock;
    clock.start();
    show(QStringLiteral("first box"), 1);
    QVERIFY(windowShowing(QStringLiteral("first box")));
    QTest::qWait(600);
    show(QStringLiteral("second box"), secondCloseSec);
    QVERIFY(windowShowing(QStringLiteral("second box")));

    // Past the moment the first box was due to close.
    QTest::qWait(int(qMax<qint64>(0, 1500 - clock.elapsed())));
    QVERIFY(windowShowing(QStringLiteral("second box")));

    if (secondCloseSec > 0) {
        // The second box's own close still happens.
        QTRY_VERIFY_WITH_TIMEOUT(!windowShowing(QStringLiteral("second box")), secondCloseSec * 1000 + 2000);
    } else {
        windowShowing(QStringLiteral("second box"))->hide();
    }
}

void tst_ZemiHelper::hostReachable()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    const int openPort = server.serverPort();
    QVERIFY(ZemiHelper::hostReachable(QStringLiteral("127.0.0.1"), openPort, 2000));

    server.close();
    QVERIFY(!ZemiHelper::hostReachable(QStringLiteral("127.0.0.1"), openPort, 2000));
}

void tst_ZemiHelper::internetProbeIsASetting()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    ZemiHelper::setInternetProbe(QStringLiteral("127.0.0.1"), server.serverPort());
    QVERIFY(ZemiHelper::internetReachable());
    server.close();
    QVERIFY(!ZemiHelper::internetReachable());
}

void tst_ZemiHelper::fetchUrl()
{
    HttpTestServer server;
    QVERIFY(server.start());
    server.setBody(QByteArray("1|a|b;2|c|d\0after", 17));
    QCOMPARE(ZemiHelper::fetchUrl(server.url(QStringLiteral("/getdevicelog.php"))), QStringLiteral("1|a|b;2|c|d"));
    QCOMPARE(server.requestCount(), 1);

    // Nobody listening: an empty answer, at once.
    const QString deadUrl = server.url();
    server.close();
    QCOMPARE(ZemiHelper::fetchUrl(deadUrl), QString());
}

void tst_ZemiHelper::fetchUrlTimesOut()
{
    HttpTestServer server;
    QVERIFY(server.start());
    server.setSilent(true);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(ZemiHelper::fetchUrl(server.url(), 300), QString());
    QVERIFY2(timer.elapsed() < 5000, "a silent server must not hold the caller");
    QCOMPARE(server.requestCount(), 1);
}

namespace {

qint64 threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

} // namespace

void tst_ZemiHelper::sleepHandlesEventsWithoutSpinning()
{
    // The wait lasts its time, lets timers fire meanwhile, and leaves the
    // processor to others: a loop polling for events would burn the whole wait.
    bool fired = false;
    QTimer::singleShot(20, [&fired] { fired = true; });
    QElapsedTimer wall;
    wall.start();
    const qint64 cpuBefore = threadCpuMs();
    ZemiHelper::sleepMs(600);
    const qint64 cpu = threadCpuMs() - cpuBefore;
    QVERIFY2(wall.elapsed() >= 600, qPrintable(QString::number(wall.elapsed())));
    QVERIFY(fired);
    QVERIFY2(cpu < 300, qPrintable(QStringLiteral("%1 ms of processor time in a 600 ms wait").arg(cpu)));
}

QTEST_MAIN(tst_ZemiHelper)
#include "tst_zemihelper.moc"
