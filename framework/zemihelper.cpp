#include "zemihelper.h"
#include "zemidateselect.h"
#include "zemiinputbox.h"
#include "zemimessagebox.h"
#include "zemitipbox.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopWidget>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHostInfo>
#include <QLabel>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkInterface>
#include <QNetworkReply>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScreen>
#include <QSettings>
#include <QTcpSocket>
#include <QTextCodec>
#include <QTimer>
#include <QTranslator>
#include <QtGlobal>

#include <cstdlib>

namespace {

ZemiHelper::ClockSetter &clockSetter()
{
    static ZemiHelper::ClockSetter setter = &ZemiHelper::systemClockSetter;
    return setter;
}

ZemiHelper::FileDialogHook &fileDialogHook()
{
    static ZemiHelper::FileDialogHook hook;
    return hook;
}

struct InternetProbe {
    QString address = QStringLiteral("114.114.114.114");
    int port = 80;
};

InternetProbe &internetProbe()
{
    static InternetProbe probe;
    return probe;
}

const char *const controlNames[32] = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS", "HT", "LF", "VT", "FF", "CR", "SO", "SI",
    "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB", "CAN", "EM", "SUB", "ESC", "FS", "GS", "RS", "US"};

// Reflected 0xA001 table of CRC-16/MODBUS.
const quint16 *modbusTable()
{
    static quint16 table[256];
    static bool filled = false;
    if (!filled) {
        for (int i = 0; i < 256; ++i) {
            quint16 crc = quint16(i);
            for (int bit = 0; bit < 8; ++bit) {
                crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
            }
            table[i] = crc;
        }
        filled = true;
    }
    return table;
}

bool allDigits(const QString &text)
{
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar ch : text) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

#ifndef Q_OS_WIN
// The program path as the command of a desktop entry's Exec key: quoted when it holds
// a reserved character, "%" doubled so no launcher takes it for a field code, then
// escaped as a string of the desktop file format.
QString desktopExecCommand(const QString &path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = path.isEmpty();
    for (const QChar ch : path) {
        if (reserved.contains(ch)) {
            quote = true;
            break;
        }
    }
    QString command;
    for (const QChar ch : path) {
        if (quote && (ch == QLatin1Char('"') || ch == QLatin1Char('`') || ch == QLatin1Char('$')
                      || ch == QLatin1Char('\\'))) {
            command += QLatin1Char('\\');
        }
        command += ch;
        if (ch == QLatin1Char('%')) {
            command += QLatin1Char('%');
        }
    }
    if (quote) {
        command = QLatin1Char('"') + command + QLatin1Char('"');
    }

    QString escaped;
    for (const QChar ch : qAsConst(command)) {
        switch (ch.unicode()) {
        case '\\':
            escaped += QLatin1String("\\\\");
            break;
        case '\n':
            escaped += QLatin1String("\\n");
            break;
        case '\t':
            escaped += QLatin1String("\\t");
            break;
        case '\r':
            escaped += QLatin1String("\\r");
            break;
        default:
            escaped += ch;
        }
    }
    return escaped;
}
#endif

} // namespace

// ---------------------------------------------------------------- application and desktop

int ZemiHelper::desktopWidth()
{
    static int width = 0;
    if (width == 0) {
        const QScreen *screen = QGuiApplication::primaryScreen();
        if (screen) {
            width = screen->availableGeometry().width();
        }
    }
    return width;
}

int ZemiHelper::desktopHeight()
{
    static int height = 0;
    if (height == 0) {
        const QScreen *screen = QGuiApplication::primaryScreen();
        if (screen) {
            height = screen->availableGeometry().height();
        }
    }
    return height;
}

QString ZemiHelper::applicationDirectory()
{
    return QCoreApplication::applicationDirPath();
}

QString ZemiHelper::applicationBaseName()
{
    static QString name;
    if (name.isEmpty()) {
        const QString path = QCoreApplication::applicationFilePath();
        name = path.split(QLatin1Char('/')).last().split(QLatin1Char('.')).first();
    }
    return name;
}

void ZemiHelper::seedRandom()
{
    const QTime time = QTime::currentTime();
    std::srand(uint(time.msec() + time.second() * 1000));
}

void ZemiHelper::ensureDirectory(const QString &path)
{
    QString dirName = path;
    if (!dirName.startsWith(QLatin1Char('/')) && !dirName.contains(QLatin1String(":/"))) {
        dirName = QStringLiteral("%1/%2").arg(applicationDirectory(), dirName);
    }
    QDir dir(dirName);
    if (!dir.exists()) {
        dir.mkpath(dirName);
    }
}

void ZemiHelper::centerWidget(QWidget *widget)
{
    const int x = desktopWidth() / 2 - widget->width() / 2;
    const int y = desktopHeight() / 2 - widget->height() / 2;
    widget->move(x, y);
}

void ZemiHelper::setUtf8Codec()
{
    QTextCodec *codec = QTextCodec::codecForName("utf-8");
    QTextCodec::setCodecForLocale(codec);
}

void ZemiHelper::installTranslator(const QString &qmFile)
{
    auto *translator = new QTranslator(qApp);
    // A catalogue that fails to load is installed all the same: it simply translates nothing.
    if (!translator->load(qmFile)) {
        qDebug() << "translation not loaded:" << qmFile;
    }
    QCoreApplication::installTranslator(translator);
}

void ZemiHelper::sleepMs(int msec)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < msec) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    }
}

// ---------------------------------------------------------------- clock and autostart

void ZemiHelper::setClockSetter(ClockSetter setter)
{
    clockSetter() = std::move(setter);
}

void ZemiHelper::resetClockSetter()
{
    clockSetter() = &ZemiHelper::systemClockSetter;
}

bool ZemiHelper::setSystemDateTime(const QString &year, const QString &month, const QString &day,
                                   const QString &hour, const QString &minute, const QString &second)
{
    return clockSetter()(year, month, day, hour, minute, second);
}

bool ZemiHelper::systemClockSetter(const QString &year, const QString &month, const QString &day,
                                   const QString &hour, const QString &minute, const QString &second)
{
    // Only plain digits ever reach the command.
    for (const QString &part : {year, month, day, hour, minute, second}) {
        if (!allDigits(part)) {
            return false;
        }
    }
#ifdef Q_OS_WIN
    auto runCmd = [](const QString &line) {
        QProcess p;
        p.start(QStringLiteral("cmd"));
        p.waitForStarted(30000);
        p.write(line.toLatin1());
        p.closeWriteChannel();
        p.waitForFinished(1000);
        const bool ok = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        p.close();
        return ok;
    };
    const bool dateOk = runCmd(QStringLiteral("date %1-%2-%3\n").arg(year, month, day));
    const bool timeOk = runCmd(QStringLiteral("time %1:%2:%3.00\n").arg(hour, minute, second));
    return dateOk && timeOk;
#else
    const QString stamp = QStringLiteral("%1-%2-%3 %4:%5:%6").arg(year, month, day, hour, minute, second);
    QProcess p;
    p.start(QStringLiteral("date"), {QStringLiteral("-s"), stamp});
    if (!p.waitForStarted(30000) || !p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished(1000);
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
#endif
}

QString ZemiHelper::autoStartFile(const QString &name)
{
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty()) {
        configHome = QDir::homePath() + QStringLiteral("/.config");
    }
    return QStringLiteral("%1/autostart/%2.desktop").arg(configHome, name);
}

void ZemiHelper::setAutoStart(const QString &name, const QString &programPath, bool enable)
{
#ifdef Q_OS_WIN
    QSettings reg(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"),
                  QSettings::NativeFormat);
    reg.setValue(name, enable ? programPath : QString());
#else
    // Disabling keeps the entry and switches it off, as the registry value is kept but emptied.
    const QString fileName = autoStartFile(name);
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return;
    }
    const QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n"
                                        "Hidden=%3\nX-GNOME-Autostart-enabled=%4\n")
                             .arg(name, desktopExecCommand(programPath),
                                  enable ? QStringLiteral("false") : QStringLiteral("true"),
                                  enable ? QStringLiteral("true") : QStringLiteral("false"));
    file.write(text.toUtf8());
    file.commit();
#endif
}

// ---------------------------------------------------------------- files and folders

void ZemiHelper::setFileDialogHook(FileDialogHook hook)
{
    fileDialogHook() = std::move(hook);
}

QString ZemiHelper::saveFileDialog(const QString &filter, const QString &dirName)
{
    if (fileDialogHook()) {
        return fileDialogHook()(QStringLiteral("save"), filter, dirName).value(0);
    }
    return QFileDialog::getSaveFileName(nullptr, QStringLiteral("选择文件"), dirName, filter);
}

QString ZemiHelper::openFileDialog(const QString &filter, const QString &dirName)
{
    if (fileDialogHook()) {
        return fileDialogHook()(QStringLiteral("open"), filter, dirName).value(0);
    }
    return QFileDialog::getOpenFileName(nullptr, QStringLiteral("选择文件"), dirName, filter);
}

QStringList ZemiHelper::openFilesDialog(const QString &filter, const QString &dirName)
{
    if (fileDialogHook()) {
        return fileDialogHook()(QStringLiteral("opens"), filter, dirName);
    }
    return QFileDialog::getOpenFileNames(nullptr, QStringLiteral("选择文件"), dirName, filter);
}

QString ZemiHelper::chooseDirectory()
{
    if (fileDialogHook()) {
        return fileDialogHook()(QStringLiteral("dir"), QString(), QString()).value(0);
    }
    QFileDialog dialog;
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() == QDialog::Accepted) {
        return dialog.selectedFiles().value(0);
    }
    return QString();
}

QString ZemiHelper::fileNameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

bool ZemiHelper::folderExists(const QString &path)
{
    return QDir(path).exists();
}

bool ZemiHelper::fileExists(const QString &path)
{
    return QFileInfo(path).isFile();
}

void ZemiHelper::copyFile(const QString &sourceFile, const QString &targetFile)
{
    QFile::copy(sourceFile, targetFile);
    // A copy of a resource is read-only; the owner must be able to write it.
    QFile::setPermissions(targetFile, QFile::WriteOwner | QFile::ReadOwner);
}

void ZemiHelper::copyFileIfEmpty(const QString &sourceFile, const QString &targetFile)
{
    const QFileInfo info(targetFile);
    if (info.exists() && info.size() > 0) {
        return;
    }
    QFile::remove(targetFile);
    copyFile(sourceFile, targetFile);
}

void ZemiHelper::copyDefaultDatabase(const QString &targetFile)
{
    copyFileIfEmpty(QStringLiteral(":/%1.db").arg(applicationBaseName()), targetFile);
}

QStringList ZemiHelper::listFolderFiles(const QStringList &nameFilters)
{
    const QString path = chooseDirectory();
    if (path.isEmpty() || !QDir(path).exists()) {
        return QStringList();
    }
    return QDir(path).entryList(nameFilters);
}

void ZemiHelper::deleteDirectory(const QString &path)
{
    QDir dir(path);
    if (!dir.exists()) {
        return;
    }
    const QFileInfoList entries = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir() && !entry.isSymLink()) {
            deleteDirectory(entry.absoluteFilePath());
            dir.rmdir(entry.fileName());
        } else {
            QFile::remove(entry.absoluteFilePath());
        }
    }
}

void ZemiHelper::writeRunLog(const QString &text, const QString &subFolder)
{
    const QString fileName = QStringLiteral("%1/%2/%3_runinfo_%4.txt")
                                 .arg(applicationDirectory(), subFolder, applicationBaseName(),
                                      QDate::currentDate().toString(QStringLiteral("yyyyMM")));
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        return;
    }
    const QString line = QStringLiteral("%1  %2\n")
                             .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), text);
    file.write(line.toLocal8Bit());
}

// ---------------------------------------------------------------- validation

bool ZemiHelper::isIPv4(const QString &text)
{
    static const QRegularExpression re(QStringLiteral(
        "\\A((2[0-4]\\d|25[0-5]|[01]?\\d\\d?)\\.){3}(2[0-4]\\d|25[0-5]|[01]?\\d\\d?)\\z"));
    return re.match(text).hasMatch();
}

bool ZemiHelper::isMacAddress(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("\\A[A-F0-9]{2}(-[A-F0-9]{2}){5}\\z"));
    return re.match(text).hasMatch();
}

bool ZemiHelper::isMobileNumber(const QString &text)
{
    if (text.length() != 11) {
        return false;
    }
    return text.startsWith(QLatin1String("13")) || text.startsWith(QLatin1String("14"))
        || text.startsWith(QLatin1String("15")) || text.startsWith(QLatin1String("18"));
}

bool ZemiHelper::isEmailAddress(const QString &text)
{
    return text.contains(QLatin1Char('@')) && text.contains(QLatin1String(".com"));
}

// ---------------------------------------------------------------- network

QString ZemiHelper::localIPv4()
{
    QStringList ips;
    const QList<QHostAddress> addresses = QNetworkInterface::allAddresses();
    for (const QHostAddress &address : addresses) {
        const QString ip = address.toString();
        if (isIPv4(ip)) {
            ips << ip;
        }
    }
    for (const QString &ip : qAsConst(ips)) {
        if (ip.startsWith(QLatin1String("192.168.1")) || ip.startsWith(QLatin1String("192"))) {
            return ip;
        }
    }
    return QStringLiteral("127.0.0.1");
}

bool ZemiHelper::hostReachable(const QString &address, int port, int timeoutMs)
{
    QTcpSocket socket;
    socket.connectToHost(address, quint16(port));
    const bool ok = socket.waitForConnected(timeoutMs);
    socket.abort();
    return ok;
}

QString ZemiHelper::hostAddressOf(const QString &hostName)
{
    const QHostInfo info = QHostInfo::fromName(hostName);
    if (info.addresses().isEmpty()) {
        return QString();
    }
    return info.addresses().first().toString();
}

void ZemiHelper::setInternetProbe(const QString &address, int port)
{
    internetProbe().address = address;
    internetProbe().port = port;
}

QString ZemiHelper::internetProbeAddress()
{
    return internetProbe().address;
}

bool ZemiHelper::internetReachable()
{
    return hostReachable(internetProbe().address, internetProbe().port, 1000);
}

QString ZemiHelper::fetchUrl(const QString &url, int timeoutMs)
{
    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.get(QNetworkRequest(QUrl(url)));
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (timeoutMs > 0) {
        timer.start(timeoutMs);
    }
    if (!reply->isFinished()) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    QString body;
    if (reply->isFinished()) {
        const QByteArray data = reply->readAll();
        const int zero = data.indexOf('\0');
        body = QString::fromLatin1(zero < 0 ? data : data.left(zero));
    } else {
        reply->abort();
    }
    delete reply;
    return body;
}

// ---------------------------------------------------------------- conversions

int ZemiHelper::hexTextToInt(const QString &text)
{
    return text.toInt(nullptr, 16);
}

int ZemiHelper::decimalTextToInt(const QString &text)
{
    return text.toInt(nullptr, 10);
}

int ZemiHelper::binaryTextToInt(const QString &text)
{
    return text.toInt(nullptr, 2);
}

QString ZemiHelper::hexTextToBinaryText(const QString &text)
{
    return QString::number(hexTextToInt(text), 2).rightJustified(8, QLatin1Char('0'));
}

QString ZemiHelper::intToBinaryText8(int value)
{
    return QString::number(value, 2).rightJustified(8, QLatin1Char('0'));
}

QString ZemiHelper::intToBinaryText16(int value)
{
    return QString::number(value, 2).rightJustified(16, QLatin1Char('0'));
}

QString ZemiHelper::intToHexText(int value)
{
    const QString text = QString::number(value, 16);
    return text.length() == 1 ? QStringLiteral("0%1").arg(text) : text;
}

QString ZemiHelper::byteToDecimalText(int value)
{
    const QString text = QString::number(value & 0xFF);
    return text.length() == 1 ? QStringLiteral("0%1").arg(text) : text;
}

QByteArray ZemiHelper::intToBytesBE(int value)
{
    const quint32 v = quint32(value);
    QByteArray data(4, 0);
    data[0] = char((v >> 24) & 0xFF);
    data[1] = char((v >> 16) & 0xFF);
    data[2] = char((v >> 8) & 0xFF);
    data[3] = char(v & 0xFF);
    return data;
}

QByteArray ZemiHelper::intToBytesLE(int value)
{
    QByteArray data = intToBytesBE(value);
    std::reverse(data.begin(), data.end());
    return data;
}

int ZemiHelper::bytesToIntBE(const QByteArray &data)
{
    if (data.size() < 4) {
        return 0;
    }
    const quint32 v = (quint32(quint8(data[0])) << 24) | (quint32(quint8(data[1])) << 16)
                    | (quint32(quint8(data[2])) << 8) | quint32(quint8(data[3]));
    return int(v);
}

int ZemiHelper::bytesToIntLE(const QByteArray &data)
{
    if (data.size() < 4) {
        return 0;
    }
    QByteArray be = data.left(4);
    std::reverse(be.begin(), be.end());
    return bytesToIntBE(be);
}

QByteArray ZemiHelper::ushortToBytesBE(int value)
{
    QByteArray data(2, 0);
    data[0] = char((value >> 8) & 0xFF);
    data[1] = char(value & 0xFF);
    return data;
}

QByteArray ZemiHelper::ushortToBytesLE(int value)
{
    QByteArray data(2, 0);
    data[0] = char(value & 0xFF);
    data[1] = char((value >> 8) & 0xFF);
    return data;
}

int ZemiHelper::bytesToShortBE(const QByteArray &data)
{
    if (data.size() < 2) {
        return 0;
    }
    return qint16(quint16((quint8(data[0]) << 8) | quint8(data[1])));
}

int ZemiHelper::bytesToShortLE(const QByteArray &data)
{
    if (data.size() < 2) {
        return 0;
    }
    return qint16(quint16((quint8(data[1]) << 8) | quint8(data[0])));
}

QString ZemiHelper::xorText(const QString &text, quint8 key)
{
    QByteArray data = text.toLatin1();
    for (char &byte : data) {
        byte = char(quint8(byte) ^ key);
    }
    const int zero = data.indexOf('\0');
    return QString::fromLatin1(zero < 0 ? data : data.left(zero));
}

quint8 ZemiHelper::xorChecksum(const QByteArray &data)
{
    quint8 result = 0;
    for (const char byte : data) {
        result ^= quint8(byte);
    }
    return result;
}

quint8 ZemiHelper::sumChecksum(const QByteArray &data)
{
    quint8 result = 0;
    for (const char byte : data) {
        result = quint8(result + quint8(byte));
    }
    return result;
}

quint16 ZemiHelper::crc16Msb(const quint8 *data, int length, quint16 init, const quint16 *table)
{
    quint16 crc = init;
    for (int i = 0; i < length; ++i) {
        crc = quint16((crc << 8) ^ table[((crc >> 8) ^ data[i]) & 0xFF]);
    }
    return crc;
}

quint16 ZemiHelper::crc16Lsb(const quint8 *data, int length, quint16 init, const quint16 *table)
{
    quint16 crc = init;
    for (int i = 0; i < length; ++i) {
        crc = quint16((crc >> 8) ^ table[(crc ^ data[i]) & 0xFF]);
    }
    return crc;
}

quint16 ZemiHelper::crc16Modbus(const quint8 *data, int length)
{
    return crc16Lsb(data, length, 0xFFFF, modbusTable());
}

QByteArray ZemiHelper::modbusCrcBytes(const QByteArray &data)
{
    const quint16 crc = crc16Modbus(reinterpret_cast<const quint8 *>(data.constData()), data.size());
    QByteArray result(2, 0);
    result[0] = char(crc & 0xFF);
    result[1] = char(crc >> 8);
    return result;
}

QByteArray ZemiHelper::hexTextToBytes(const QString &text)
{
    QByteArray result;
    const int length = text.length();
    for (int i = 0; i < length;) {
        if (text.at(i) == QLatin1Char(' ')) {
            ++i;
            continue;
        }
        if (i + 1 >= length) {
            break; // an odd last digit is dropped
        }
        const int high = hexDigitValue(text.at(i));
        const int low = hexDigitValue(text.at(i + 1));
        result.append(char(high * 16 + low));
        i += 2;
    }
    return result;
}

int ZemiHelper::hexDigitValue(QChar ch)
{
    const ushort c = ch.unicode();
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

QString ZemiHelper::bytesToHexText(const QByteArray &data)
{
    QString text;
    for (const char byte : data) {
        text += QStringLiteral("%1 ").arg(quint8(byte), 2, 16, QLatin1Char('0')).toUpper();
    }
    return text.trimmed();
}

QString ZemiHelper::bytesToEscapedAscii(const QByteArray &data)
{
    QString text;
    for (const char byte : data) {
        const quint8 b = quint8(byte);
        if (b < 0x20) {
            text += QLatin1Char('\\') + QLatin1String(controlNames[b]);
        } else if (b == 0x7F) {
            text += QLatin1String("\\x7F");
        } else if (b == 0x5C) {
            text += QLatin1String("\\x5C");
        } else if (b > 0x20 && b < 0x7F) {
            text += QLatin1Char(char(b));
        } else {
            text += QStringLiteral("\\x%1").arg(intToHexText(b));
        }
    }
    return text.trimmed();
}

QByteArray ZemiHelper::escapedAsciiToBytes(const QString &text)
{
    QByteArray data;
    const int length = text.length();
    for (int i = 0; i < length; ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('\\') && i + 1 < length) {
            if (text.at(i + 1) == QLatin1Char('x') && i + 3 < length
                && hexDigitValue(text.at(i + 2)) >= 0 && hexDigitValue(text.at(i + 3)) >= 0) {
                data.append(char(hexDigitValue(text.at(i + 2)) * 16 + hexDigitValue(text.at(i + 3))));
                i += 3;
                continue;
            }
            // The longest name wins, so "\SOH" is not read as "\SO" followed by "H".
            int found = -1;
            int foundLength = 0;
            for (int b = 0; b < 32; ++b) {
                const QLatin1String name(controlNames[b]);
                if (name.size() > foundLength && text.midRef(i + 1, name.size()) == name) {
                    found = b;
                    foundLength = name.size();
                }
            }
            if (found >= 0) {
                data.append(char(found));
                i += foundLength;
                continue;
            }
        }
        data.append(char(ch.toLatin1()));
    }
    return data;
}

// ---------------------------------------------------------------- dialogs

namespace {

void showMessage(const QString &info, int type, int closeSec, bool exec)
{
    if (exec) {
        ZemiMessageBox box;
        box.setMessage(info, type, closeSec);
        box.exec();
        return;
    }
    ZemiMessageBox *box = ZemiMessageBox::instance();
    box->setMessage(info, type, closeSec);
    box->show();
    box->activateWindow();
}

} // namespace

void ZemiHelper::showMessageBoxInfo(const QString &info, int closeSec, bool exec)
{
    showMessage(info, 0, closeSec, exec);
}

void ZemiHelper::showMessageBoxError(const QString &info, int closeSec, bool exec)
{
    showMessage(info, 2, closeSec, exec);
}

int ZemiHelper::showMessageBoxQuestion(const QString &info)
{
    // Always a fresh box: a message hides the cancel button for good.
    ZemiMessageBox box;
    box.setMessage(info, 1);
    return box.exec();
}

void ZemiHelper::showTipBox(const QString &title, const QString &tip, bool fullScreen, bool center, int closeSec)
{
    ZemiTipBox *box = ZemiTipBox::instance();
    box->setTip(title, tip, fullScreen, center, closeSec);
    box->show();
}

void ZemiHelper::hideTipBox()
{
    ZemiTipBox::instance()->hide();
}

QString ZemiHelper::showInputBox(const QString &title, int type, int closeSec, const QString &placeholderText,
                                 bool pwd, const QString &defaultValue)
{
    ZemiInputBox box;
    box.setParameter(title, type, closeSec, placeholderText, pwd, defaultValue);
    return box.exec() == QMessageBox::Ok ? box.getValue() : QString();
}

void ZemiHelper::showDateSelect(QString &dateStart, QString &dateEnd, const QString &format)
{
    ZemiDateSelect box;
    box.setFormat(format);
    if (box.exec() == QMessageBox::Ok) {
        dateStart = box.getStartDateTime();
        dateEnd = box.getEndDateTime();
    } else {
        dateStart.clear();
        dateEnd.clear();
    }
}

// ---- Colour styles --------------------------------------------------------

#include <QAbstractButton>
#include <QLineEdit>
#include <QPalette>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>

QString ZemiHelper::fontName = QStringLiteral("Microsoft Yahei");
int ZemiHelper::iconMain = 0xF072;
int ZemiHelper::fontSize = 12;
QString ZemiHelper::textColor = QStringLiteral("#F0F0F0");
QString ZemiHelper::panelColor = QStringLiteral("#F0F0F0");
QString ZemiHelper::borderColor = QStringLiteral("#F0F0F0");
QString ZemiHelper::normalColorStart = QStringLiteral("#F0F0F0");
QString ZemiHelper::normalColorEnd = QStringLiteral("#F0F0F0");
QString ZemiHelper::darkColorStart = QStringLiteral("#F0F0F0");
QString ZemiHelper::darkColorEnd = QStringLiteral("#F0F0F0");
QString ZemiHelper::highColor = QStringLiteral("#F0F0F0");

namespace {

// Sheets are ASCII; a missing file yields nothing and changes nothing.
bool readStyleSheet(const QString &qssFile, QString &qss)
{
    QFile file(qssFile);
    if (!file.open(QFile::ReadOnly)) {
        return false;
    }
    qss = QString::fromLatin1(file.readAll());
    return true;
}

// Applies the palette before the sheet: the sheet's polish then sees the final palette once.
void applySheet(const QString &qss, const QString &paletteColor)
{
    const QColor color(paletteColor);
    if (color.isValid() && qApp->palette() != QPalette(color)) {
        qApp->setPalette(QPalette(color));
    }
    qApp->setStyleSheet(qss);
}

} // namespace

void ZemiHelper::applyStyle(Style style)
{
    applyStyleFile(ZemiStyle::styleFile(style));
}

void ZemiHelper::applyStyleFile(const QString &qssFile)
{
    QString qss;
    if (!readStyleSheet(qssFile, qss)) {
        return;
    }
    readPaletteColors(qss, textColor, panelColor, borderColor, normalColorStart, normalColorEnd, darkColorStart,
                      darkColorEnd, highColor);
    applySheet(qss, qss.mid(20, 7));
}

void ZemiHelper::applyStyleText(const QString &qssFile, QString &textColor, QString &panelColor,
                                QString &borderColor, QString &normalColorStart, QString &normalColorEnd,
                                QString &darkColorStart, QString &darkColorEnd, QString &highColor)
{
    QString qss;
    if (!readStyleSheet(qssFile, qss)) {
        return;
    }
    readPaletteColors(qss, textColor, panelColor, borderColor, normalColorStart, normalColorEnd, darkColorStart,
                      darkColorEnd, highColor);
    applySheet(qss, panelColor);
}

void ZemiHelper::readPaletteColors(const QString &qss, QString &textColor, QString &panelColor,
                                   QString &borderColor, QString &normalColorStart, QString &normalColorEnd,
                                   QString &darkColorStart, QString &darkColorEnd, QString &highColor)
{
    const struct {
        const char *key;
        QString &value;
    } keys[] = {
        {"TextColor:", textColor},         {"PanelColor:", panelColor},
        {"BorderColor:", borderColor},     {"NormalColorStart:", normalColorStart},
        {"NormalColorEnd:", normalColorEnd}, {"DarkColorStart:", darkColorStart},
        {"DarkColorEnd:", darkColorEnd},   {"HighColor:", highColor},
    };
    for (const auto &entry : keys) {
        const QLatin1String key(entry.key);
        const int at = qss.indexOf(key);
        if (at >= 0) {
            entry.value = qss.mid(at + key.size(), 7);
        }
    }
}

void ZemiHelper::setStatusLabelStyle(QLabel *label, int index)
{
    static const char *const sheets[] = {
        "QLabel{border:none;background-color:rgb(214,64,48);color:rgb(255,255,255);}",
        "QLabel{border:none;background-color:rgb(46,138,87);color:rgb(255,255,255);}",
        "QLabel{border:none;background-color:rgb(67,122,203);color:rgb(255,255,255);}",
        "QLabel{border:none;background-color:rgb(75,75,75);color:rgb(255,255,255);}",
    };
    if (!label || index < 0 || index > 3) {
        return;
    }
    label->setStyleSheet(QString::fromLatin1(sheets[index]) +
                         QStringLiteral("QLabel::disabled{background:none;color:%1;}").arg(borderColor));
}

QString ZemiHelper::buttonStyle(QPushButton *button, int radius, int padding, const QString &normalColor,
                                const QString &normalTextColor, const QString &hoverColor,
                                const QString &hoverTextColor, const QString &pressedColor,
                                const QString &pressedTextColor)
{
    QStringList list;
    list << QStringLiteral("QPushButton{border-style:none;padding:%1px;border-radius:%2px;color:%3;background:%4;}")
                .arg(padding).arg(radius).arg(normalTextColor, normalColor);
    list << QStringLiteral("QPushButton:hover{color:%1;background:%2;}").arg(hoverTextColor, hoverColor);
    list << QStringLiteral("QPushButton:pressed{color:%1;background:%2;}").arg(pressedTextColor, pressedColor);
    const QString qss = list.join(QString());
    button->setStyleSheet(qss);
    return qss;
}

QString ZemiHelper::lineEditStyle(QLineEdit *lineEdit, int radius, int borderWidth, const QString &normalColor,
                                  const QString &focusColor)
{
    QStringList list;
    list << QStringLiteral("QLineEdit{border-style:none;padding:3px;border-radius:%1px;border:%2px solid %3;}")
                .arg(radius).arg(borderWidth).arg(normalColor);
    list << QStringLiteral("QLineEdit:focus{border:%1px solid %2;}").arg(borderWidth).arg(focusColor);
    const QString qss = list.join(QString());
    lineEdit->setStyleSheet(qss);
    return qss;
}

QString ZemiHelper::progressBarStyle(QProgressBar *progressBar, int maxHeight, int radius, int fontSize,
                                     const QString &normalColor, const QString &chunkColor)
{
    QStringList list;
    list << QStringLiteral("QProgressBar{font:%1pt;background:%2;max-height:%3px;border-radius:%4px;"
                           "text-align:center;border:1px solid %2;}")
                .arg(fontSize).arg(normalColor).arg(maxHeight).arg(radius);
    list << QStringLiteral("QProgressBar:chunk{border-radius:%2px;background-color:%1;}").arg(chunkColor).arg(radius);
    const QString qss = list.join(QString());
    progressBar->setStyleSheet(qss);
    return qss;
}

QString ZemiHelper::sliderStyle(QSlider *slider, int sliderHeight, const QString &normalColor,
                                const QString &grooveColor, const QString &handleBorderColor,
                                const QString &handleColor, const QString &textColor)
{
    const int sliderRadius = sliderHeight / 2;
    const int handleSize = sliderHeight * 2;
    const int handleOffset = sliderHeight / 2;
    const int handleRadius = handleSize / 2;
    const QString handle = QStringLiteral("qradialgradient(spread:pad,cx:0.5,cy:0.5,radius:0.5,fx:0.5,fy:0.5,"
                                          "stop:0.6 %1,stop:0.8 %2)")
                               .arg(handleColor, handleBorderColor);
    QStringList list;
    list << QStringLiteral("QSlider::horizontal{min-height:%1px;color:%2;}").arg(handleSize).arg(textColor);
    list << QStringLiteral("QSlider::groove:horizontal{background:%1;height:%2px;border-radius:%3px;}")
                .arg(normalColor).arg(sliderHeight).arg(sliderRadius);
    list << QStringLiteral("QSlider::add-page:horizontal{background:%1;height:%2px;border-radius:%3px;}")
                .arg(normalColor).arg(sliderHeight).arg(sliderRadius);
    list << QStringLiteral("QSlider::sub-page:horizontal{background:%1;height:%2px;border-radius:%3px;}")
                .arg(grooveColor).arg(sliderHeight).arg(sliderRadius);
    list << QStringLiteral("QSlider::handle:horizontal{width:%2px;margin-top:-%3px;margin-bottom:-%3px;"
                           "border-radius:%4px;background:%1;}")
                .arg(handle).arg(handleSize).arg(handleOffset).arg(handleRadius);
    list << QStringLiteral("QSlider::vertical{min-width:%1px;color:%2;}").arg(handleSize).arg(textColor);
    list << QStringLiteral("QSlider::groove:vertical{background:%1;width:%2px;border-radius:%3px;}")
                .arg(normalColor).arg(sliderHeight).arg(sliderRadius);
    list << QStringLiteral("QSlider::add-page:vertical{background:%1;width:%2px;border-radius:%3px;}")
                .arg(grooveColor).arg(sliderHeight).arg(sliderRadius);
    list << QStringLiteral("QSlider::sub-page:vertical{background:%1;width:%2px;border-radius:%3px;}")
                .arg(normalColor).arg(sliderHeight).arg(sliderRadius);
    list << QStringLiteral("QSlider::handle:vertical{height:%2px;margin-left:-%3px;margin-right:-%3px;"
                           "border-radius:%4px;background:%1;}")
                .arg(handle).arg(handleSize).arg(handleOffset).arg(handleRadius);
    const QString qss = list.join(QString());
    slider->setStyleSheet(qss);
    return qss;
}

QString ZemiHelper::radioButtonStyle(QRadioButton *radioButton, int indicatorRadius, const QString &normalColor,
                                     const QString &checkedColor)
{
    QStringList list;
    list << QStringLiteral("QRadioButton::indicator{border-radius:%1px;width:%2px;height:%2px;}")
                .arg(indicatorRadius).arg(indicatorRadius * 2);
    list << QStringLiteral("QRadioButton::indicator::unchecked{background:qradialgradient(spread:pad,cx:0.5,cy:0.5,"
                           "radius:0.5,fx:0.5,fy:0.5,stop:0.6 #FFFFFF,stop:0.7 %1);}")
                .arg(normalColor);
    list << QStringLiteral("QRadioButton::indicator::checked{background:qradialgradient(spread:pad,cx:0.5,cy:0.5,"
                           "radius:0.5,fx:0.5,fy:0.5,stop:0 %1,stop:0.3 %1,stop:0.4 #FFFFFF,stop:0.6 #FFFFFF,"
                           "stop:0.7 %1);}")
                .arg(checkedColor);
    const QString qss = list.join(QString());
    radioButton->setStyleSheet(qss);
    return qss;
}

QString ZemiHelper::scrollBarStyle(QScrollBar *scrollBar, int handleRadius, int handleMinLength, int barSize,
                                   const QString &bgColor, const QString &handleColor,
                                   const QString &handleHoverColor, const QString &handlePressedColor)
{
    const int padding = 0;
    QStringList list;
    for (const QString &dir : {QStringLiteral("horizontal"), QStringLiteral("vertical")}) {
        const bool horizontal = dir == QLatin1String("horizontal");
        list << QStringLiteral("QScrollBar:%1{background:%2;padding:%3px;border-radius:%4px;min-%5:%6px;max-%5:%6px;}")
                    .arg(dir, bgColor)
                    .arg(padding)
                    .arg(handleRadius)
                    .arg(horizontal ? QStringLiteral("height") : QStringLiteral("width"))
                    .arg(barSize);
        list << QStringLiteral("QScrollBar::handle:%1{background:%2;min-%3:%4px;border-radius:%5px;}")
                    .arg(dir, handleColor, horizontal ? QStringLiteral("width") : QStringLiteral("height"))
                    .arg(handleMinLength)
                    .arg(handleRadius);
        list << QStringLiteral("QScrollBar::handle:%1:hover{background:%2;}").arg(dir, handleHoverColor);
        list << QStringLiteral("QScrollBar::handle:%1:pressed{background:%2;}").arg(dir, handlePressedColor);
        list << QStringLiteral("QScrollBar::add-page:%1{background:none;}").arg(dir);
        list << QStringLiteral("QScrollBar::sub-page:%1{background:none;}").arg(dir);
        list << QStringLiteral("QScrollBar::add-line:%1{background:none;}").arg(dir);
        list << QStringLiteral("QScrollBar::sub-line:%1{background:none;}").arg(dir);
    }
    const QString qss = list.join(QString());
    scrollBar->setStyleSheet(qss);
    return qss;
}

QString ZemiHelper::navigationStyle(QWidget *widget, const QString &position, int borderWidth,
                                    const QString &borderColor, const QString &normalBgColor,
                                    const QString &darkBgColor, const QString &normalTextColor,
                                    const QString &darkTextColor)
{
    QString border;
    if (position == QLatin1String("top")) {
        border = QStringLiteral("border-width:%1px 0px 0px 0px;padding-top:%1px;padding-bottom:%2px;");
    } else if (position == QLatin1String("right")) {
        border = QStringLiteral("border-width:0px %1px 0px 0px;padding-right:%1px;padding-left:%2px;");
    } else if (position == QLatin1String("bottom")) {
        border = QStringLiteral("border-width:0px 0px %1px 0px;padding-bottom:%1px;padding-top:%2px;");
    } else {
        border = QStringLiteral("border-width:0px 0px 0px %1px;padding-left:%1px;padding-right:%2px;");
    }
    border = border.arg(borderWidth).arg(borderWidth * 2);

    // Text under an icon keeps an invisible border, so the layout does not jump on hover.
    const QList<QToolButton *> buttons = widget->findChildren<QToolButton *>();
    const bool textUnderIcon = !buttons.isEmpty() && buttons.first()->toolButtonStyle() == Qt::ToolButtonTextUnderIcon;
    QStringList list;
    if (textUnderIcon) {
        list << QStringLiteral("QWidget[flag=\"%1\"] QAbstractButton{border-style:solid;border-radius:0px;%2"
                               "border-color:%3;color:%4;background:%5;}")
                    .arg(position, border, normalBgColor, normalTextColor, normalBgColor);
    } else {
        list << QStringLiteral("QWidget[flag=\"%1\"] QAbstractButton{border-style:none;border-radius:0px;padding:5px;"
                               "color:%2;background:%3;}")
                    .arg(position, normalTextColor, normalBgColor);
    }
    list << QStringLiteral("QWidget[flag=\"%1\"] QAbstractButton:hover,QWidget[flag=\"%1\"] QAbstractButton:pressed,"
                           "QWidget[flag=\"%1\"] QAbstractButton:checked{border-style:solid;%2border-color:%3;"
                           "color:%4;background:%5;}")
                .arg(position, border, borderColor, darkTextColor, darkBgColor);
    const QString qss = list.join(QString());
    widget->setStyleSheet(qss);
    return qss;
}
