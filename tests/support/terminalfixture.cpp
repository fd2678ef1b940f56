#include "terminalfixture.h"
#include "testsupport.h"

#include "appconfig.h"
#include "terminalstart.h"

TerminalFixture::TerminalFixture()
{
    TerminalStart::initResources();
    AppConfig::resetDefaults();
    AppConfig::ConfigFile = temp.filePath(QStringLiteral("safeterminal.ini"));
    AppConfig::save();
    valid = temp.isValid() && TestSupport::createTerminalDatabase(dbFile()) && TerminalStart::openDatabase(dbFile());
    AppConfig::loadUsers();
}

TerminalFixture::~TerminalFixture()
{
    TestSupport::closeConnection();
    AppConfig::resetDefaults();
}

QStringList TerminalFixture::logRows()
{
    return TestSupport::column(QStringLiteral("select LogType||'|'||LogContent from LogInfo order by rowid"));
}
