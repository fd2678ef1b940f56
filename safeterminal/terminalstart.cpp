#include "terminalstart.h"
#include "appconfig.h"
#include "fingerprints.h"
#include "fingerreader.h"
#include "appinit.h"
#include "dbcleanthread.h"
#include "dbhelper.h"
#include "zemihelper.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>

// Resources of a static library must be registered by name.
static void registerResources()
{
    Q_INIT_RESOURCE(generated);
    Q_INIT_RESOURCE(pictures);
}

void TerminalStart::initResources()
{
    static const bool done = [] {
        registerResources();
        return true;
    }();
    Q_UNUSED(done)
}

void TerminalStart::startApplication(QApplication &app)
{
    app.setFont(applicationFont());
    AppInit::Instance()->setStartStep(&TerminalStart::start);
    AppInit::Instance()->start();
}

QFont TerminalStart::applicationFont()
{
    return QFont(QStringLiteral("Microsoft Yahei"), 12);
}

QString TerminalStart::windowTitle()
{
    return QStringLiteral("智能保险柜");
}

void TerminalStart::start(AppInit *appInit)
{
    initResources();
    ZemiHelper::setUtf8Codec();
    ZemiHelper::installTranslator(QStringLiteral(":/image/qt_zh_CN.qm"));
    ZemiHelper::installTranslator(QStringLiteral(":/image/widgets.qm"));
    ZemiHelper::seedRandom();

    AppConfig::ConfigFile = besideProgram(QStringLiteral("ini"));
    AppConfig::load();
    startReader();

    const QString dbFile = besideProgram(QStringLiteral("db"));
    prepareDatabase(dbFile);
    openDatabase(dbFile);
    AppConfig::loadUsers();

    startCleanThread(appInit, dbFile);
}

void TerminalStart::startReader()
{
    FingerReader *reader = FingerReader::instance();
    // A required reader is looked for until it is there; under "auto" one
    // that was there at start is looked for again after a removal.
    reader->setSearching(AppConfig::FingerReader == QLatin1String("required"));
    reader->start();
}

QString TerminalStart::besideProgram(const QString &extension)
{
    return QStringLiteral("%1/%2.%3").arg(ZemiHelper::applicationDirectory(), ZemiHelper::applicationBaseName(),
                                          extension);
}

void TerminalStart::prepareDatabase(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (info.exists() && info.size() > 0) {
        return;
    }
    QFile::remove(fileName);
    QFile::copy(QStringLiteral(":/safe.db"), fileName);
    ZemiHelper::sleepMs(1000);
    // A copy of a resource is read-only.
    QFile::setPermissions(fileName, QFile::permissions(fileName) | QFileDevice::WriteOwner);
}

bool TerminalStart::openDatabase(const QString &fileName)
{
    QSqlDatabase db = DbConn::addSqlite(QLatin1String(QSqlDatabase::defaultConnection), fileName);
    if (!db.open()) {
        return false;
    }
    // Databases from before the reader lack the prints' table; a read-only or
    // damaged file keeps its shape (the start-up notice tells about it).
    FingerPrints::ensureTable();
    return true;
}

DbCleanThread *TerminalStart::startCleanThread(QObject *parent, const QString &fileName)
{
    auto *thread = new DbCleanThread(parent);
    thread->setObjectName(QStringLiteral("cleanLogInfo"));
    thread->setPar(QStringLiteral("LogInfo"), QStringLiteral("rowid"), QStringLiteral("rowid"),
                   QStringLiteral("rowid asc"), 500000, 1800000);
    thread->setConnInfo(DbType_Sqlite, QStringLiteral("cleanLogInfo"), QStringLiteral("127.0.0.1"), 3306, fileName,
                        QStringLiteral("root"), QStringLiteral("kelp"));
    thread->start();
    return thread;
}

QStringList TerminalStart::storageProblems()
{
    QStringList problems;
    if (!DBHelper::isReadable()) {
        problems << QStringLiteral("数据库文件损坏，记录将无法保存!");
    } else if (!DBHelper::isWritable()) {
        problems << QStringLiteral("数据库无法写入，记录将无法保存!");
    }
    // The same way save() writes it, without touching the file itself.
    QSaveFile config(AppConfig::ConfigFile);
    if (config.open(QIODevice::WriteOnly)) {
        config.cancelWriting();
    } else {
        problems << QStringLiteral("配置文件无法写入，设置将无法保存!");
    }
    return problems;
}
