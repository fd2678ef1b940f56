#include "appconfig.h"

#include <QFile>
#include <QImageReader>
#include <QSaveFile>
#include <QSettings>
#include <QTextStream>
#include <QVariant>
#include <QVector>

QString AppConfig::ConfigFile = QStringLiteral("config.ini");
DbUserCache AppConfig::Users;

QString AppConfig::BgImage;
bool AppConfig::UseInput;
QString AppConfig::InputPosition;
int AppConfig::MainWidth;
int AppConfig::MainHeight;

QString AppConfig::IPClient;
QString AppConfig::MaskClient;
QString AppConfig::GatewayClient;
QString AppConfig::PortClient;
QString AppConfig::IPServer;
QString AppConfig::PortServer;
QString AppConfig::IPServer2;

int AppConfig::OpenMode;
bool AppConfig::OpenAuthor;
int AppConfig::LogMode;
bool AppConfig::LogAuthor;
int AppConfig::ConfigMode;
bool AppConfig::ConfigAuthor;
bool AppConfig::UserPwd;
bool AppConfig::Admin;

bool AppConfig::VolumnTip;
bool AppConfig::LinkSnap;
QString AppConfig::OSD;
int AppConfig::TimeAlarm;
int AppConfig::Temp;
int AppConfig::Volumn;
int AppConfig::TimeClose;
bool AppConfig::SampleData;
QString AppConfig::FingerReader;

int AppConfig::AlarmMode[AppConfig::AlarmCount];
bool AppConfig::AlarmLink[AppConfig::AlarmCount];
bool AppConfig::AlarmUp[AppConfig::AlarmCount];

const QStringList AppConfig::VerifyMode = {QStringLiteral("不需验证"), QStringLiteral("单人验证"),
                                           QStringLiteral("双人验证"), QStringLiteral("三人验证"),
                                           QStringLiteral("远程审核")};

namespace {

// One key of the file: where it lives, the member it fills and its built-in value.
struct Key {
    QString group;
    QString name;
    QString *text = nullptr;
    int *number = nullptr;
    bool *flag = nullptr;
    QVariant fallback;
};

Key textKey(const QString &group, const QString &name, QString *member, const QString &fallback)
{
    Key key{group, name, member, nullptr, nullptr, fallback};
    return key;
}

Key intKey(const QString &group, const QString &name, int *member, int fallback)
{
    Key key{group, name, nullptr, member, nullptr, fallback};
    return key;
}

Key boolKey(const QString &group, const QString &name, bool *member, bool fallback)
{
    Key key{group, name, nullptr, nullptr, member, fallback};
    return key;
}

// Every key in the order it is written.
const QVector<Key> &keys()
{
    static const QVector<Key> table = [] {
        const QString base = QStringLiteral("BaseConfig");
        const QString net = QStringLiteral("NetConfig");
        const QString sw = QStringLiteral("SwitchConfig");
        const QString sys = QStringLiteral("SystemConfig");
        const QString alarm = QStringLiteral("AlarmConfig");
        QVector<Key> t = {
            textKey(base, QStringLiteral("BgImage"), &AppConfig::BgImage, AppConfig::defaultBgImage()),
            boolKey(base, QStringLiteral("UseInput"), &AppConfig::UseInput, true),
            textKey(base, QStringLiteral("InputPosition"), &AppConfig::InputPosition, QStringLiteral("control")),
            intKey(base, QStringLiteral("MainWidth"), &AppConfig::MainWidth, 1024),
            intKey(base, QStringLiteral("MainHeight"), &AppConfig::MainHeight, 600),

            textKey(net, QStringLiteral("IPClient"), &AppConfig::IPClient, QStringLiteral("192.168.1.128")),
            textKey(net, QStringLiteral("MaskClient"), &AppConfig::MaskClient, QStringLiteral("255.255.255.0")),
            textKey(net, QStringLiteral("GatewayClient"), &AppConfig::GatewayClient, QStringLiteral("192.168.1.1")),
            textKey(net, QStringLiteral("PortClient"), &AppConfig::PortClient, QStringLiteral("20000")),
            textKey(net, QStringLiteral("IPServer"), &AppConfig::IPServer, QStringLiteral("192.168.1.100")),
            textKey(net, QStringLiteral("PortServer"), &AppConfig::PortServer, QStringLiteral("10000")),
            textKey(net, QStringLiteral("IPServer2"), &AppConfig::IPServer2, QStringLiteral("192.168.1.10")),

            intKey(sw, QStringLiteral("OpenMode"), &AppConfig::OpenMode, 0),
            boolKey(sw, QStringLiteral("OpenAuthor"), &AppConfig::OpenAuthor, false),
            intKey(sw, QStringLiteral("LogMode"), &AppConfig::LogMode, 0),
            boolKey(sw, QStringLiteral("LogAuthor"), &AppConfig::LogAuthor, false),
            intKey(sw, QStringLiteral("ConfigMode"), &AppConfig::ConfigMode, 0),
            boolKey(sw, QStringLiteral("ConfigAuthor"), &AppConfig::ConfigAuthor, false),
            boolKey(sw, QStringLiteral("UserPwd"), &AppConfig::UserPwd, false),
            boolKey(sw, QStringLiteral("Admin"), &AppConfig::Admin, false),

            boolKey(sys, QStringLiteral("VolumnTip"), &AppConfig::VolumnTip, true),
            boolKey(sys, QStringLiteral("LinkSnap"), &AppConfig::LinkSnap, false),
            textKey(sys, QStringLiteral("OSD"), &AppConfig::OSD, QStringLiteral("Ostrilla")),
            intKey(sys, QStringLiteral("TimeAlarm"), &AppConfig::TimeAlarm, 40),
            intKey(sys, QStringLiteral("Temp"), &AppConfig::Temp, 50),
            intKey(sys, QStringLiteral("Volumn"), &AppConfig::Volumn, 6),
            intKey(sys, QStringLiteral("TimeClose"), &AppConfig::TimeClose, 15),
            boolKey(sys, QStringLiteral("SampleData"), &AppConfig::SampleData, true),
            textKey(sys, QStringLiteral("FingerReader"), &AppConfig::FingerReader, QStringLiteral("auto")),
        };
        for (int i = 0; i < AppConfig::AlarmCount; ++i) {
            const QString n = QString::number(i + 1);
            t << intKey(alarm, QStringLiteral("AlarmMode") + n, &AppConfig::AlarmMode[i], 1)
              << boolKey(alarm, QStringLiteral("AlarmLink") + n, &AppConfig::AlarmLink[i], true)
              << boolKey(alarm, QStringLiteral("AlarmUp") + n, &AppConfig::AlarmUp[i], false);
        }
        return t;
    }();
    return table;
}

// The settings start out at their built-in values before main runs.
const bool defaultsSet = [] {
    AppConfig::resetDefaults();
    return true;
}();

// Writes a text value the way QSettings' INI reader expects it back: special
// characters escaped, the value quoted when it holds a separator or edge spaces.
// A character outside the BMP is written whole, as one UTF-8 sequence.
QByteArray iniText(const QString &value)
{
    const QString text = value.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + value : value;
    QByteArray out;
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    const auto escape = [&out, &escapeNextIfDigit](ushort unit) {
        out += "\\x" + QByteArray::number(unit, 16);
        escapeNextIfDigit = true;
    };
    for (int i = 0; i < text.size(); ++i) {
        const ushort ch = text.at(i).unicode();
        if (ch == ';' || ch == ',' || ch == '=') {
            needsQuotes = true;
        }
        const bool isHexDigit = (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
        if (escapeNextIfDigit && isHexDigit) {
            escape(ch);
            continue;
        }
        escapeNextIfDigit = false;
        const bool pairFollows = QChar::isHighSurrogate(ch) && i + 1 < text.size()
                              && text.at(i + 1).isLowSurrogate();
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += char(ch);
        } else if (ch < 0x20 || ch == 0x7F) {
            escape(ch);
        } else if (ch == 0xFEFF || (QChar::isSurrogate(ch) && !pairFollows)) {
            // The reader drops a byte order mark that starts a run, and a lone
            // surrogate has no UTF-8 form: both only survive as an escape.
            escape(ch);
        } else if (pairFollows) {
            out += text.midRef(i, 2).toUtf8();
            ++i;
        } else {
            out += QString(QChar(ch)).toUtf8();
        }
    }
    if (needsQuotes || text.startsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(' '))) {
        out = '"' + out + '"';
    }
    return out;
}

// A switch is on only when written "true" or "1"; anything else is off.
bool switchValue(const QVariant &value)
{
    const QString text = value.toString();
    return text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || text == QLatin1String("1");
}

bool isTextKey(const QString &name)
{
    for (const Key &key : keys()) {
        if (key.name == name) {
            return key.text != nullptr;
        }
    }
    return false;
}

} // namespace

bool AppConfig::smallScreen()
{
    return MainHeight == 480;
}

void AppConfig::resetDefaults()
{
    for (const Key &key : keys()) {
        if (key.text) {
            *key.text = key.fallback.toString();
        } else if (key.number) {
            *key.number = key.fallback.toInt();
        } else {
            *key.flag = key.fallback.toBool();
        }
    }
}

void AppConfig::load()
{
    if (!checkFile()) {
        return;
    }
    QSettings set(ConfigFile, QSettings::IniFormat);
    set.setIniCodec("UTF-8");
    for (const Key &key : keys()) {
        const QString path = key.group + QLatin1Char('/') + key.name;
        // A key missing from the file, or an unreadable number, keeps its built-in value.
        const QVariant value = set.value(path, key.fallback);
        if (key.text) {
            // QSettings splits an unquoted comma into a list; the text is the list joined again.
            const bool isList = value.userType() == QMetaType::QStringList || value.userType() == QMetaType::QVariantList;
            *key.text = isList ? value.toStringList().join(QLatin1Char(',')) : value.toString();
        } else if (key.number) {
            bool ok = false;
            const int number = value.toInt(&ok);
            *key.number = ok ? number : key.fallback.toInt();
        } else {
            *key.flag = switchValue(value);
        }
    }
    if (FingerReader != QLatin1String("required")) {
        FingerReader = QStringLiteral("auto");
    }
    // A background that names no picture would leave white captions on white.
    if (!QImageReader(BgImage).canRead()) {
        BgImage = defaultBgImage();
    }
}

QString AppConfig::defaultBgImage()
{
    return QStringLiteral(":/bg/main10.jpg");
}

bool AppConfig::save()
{
    QByteArray out;
    QString group;
    for (const Key &key : keys()) {
        if (key.group != group) {
            if (!group.isEmpty()) {
                out += '\n';
            }
            group = key.group;
            out += '[' + group.toUtf8() + "]\n";
        }
        out += key.name.toUtf8() + '=';
        if (key.text) {
            out += iniText(*key.text);
        } else if (key.number) {
            out += QByteArray::number(*key.number);
        } else {
            out += *key.flag ? "true" : "false";
        }
        out += '\n';
    }

    // Written beside the old file and renamed over it: a crash leaves the old or the new file, never a torn one.
    QSaveFile file(ConfigFile);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    return file.write(out) == out.size() && file.commit();
}

bool AppConfig::checkFile()
{
    QFile file(ConfigFile);
    if (file.size() == 0 || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        resetDefaults();
        save();
        return false;
    }

    while (!file.atEnd()) {
        QString line = QString::fromUtf8(file.readLine());
        line.remove(QLatin1Char('\r'));
        line.remove(QLatin1Char('\n'));
        const QStringList parts = line.split(QLatin1Char('='));
        // A number or switch with no value means a damaged file; an empty text is a legal value.
        if (parts.count() == 2 && parts.at(1).isEmpty() && !isTextKey(parts.at(0).trimmed())) {
            file.close();
            resetDefaults();
            save();
            return false;
        }
    }
    return true;
}

void AppConfig::loadUsers()
{
    DBHelper::loadUser(Users);
}
