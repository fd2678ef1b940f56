#include "terminalfixture.h"
#include "testsupport.h"

#include "appconfig.h"
#include "fingerreader.h"
#include "fingersteps.h"
#include "frmlog.h"
#include "frmscreensaver.h"
#include "terminalstart.h"

TerminalFixture::TerminalFixture()
{
    testSeams.keep(&frmScreenSaver::minuteMs, &frmScreenSaver::setMinuteMs);
    testSeams.keep(&FingerSteps::lockMs, &FingerSteps::setLockMs);
    testSeams.keep(&FingerReader::searchIntervalMs, &FingerReader::setSearchIntervalMs);
    testSeams.keep(&frmLog::mediaRoot, &frmLog::setMediaRoot);
    testSeams.keep(&frmLog::exportChunkRows, &frmLog::setExportChunkRows);
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
