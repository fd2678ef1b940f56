#ifndef TERMINALSTART_H
#define TERMINALSTART_H

#include <QString>
#include <QStringList>

#include <QFont>

class AppInit;
class DbCleanThread;
class QApplication;
class QObject;

// The terminal's own start-up steps, run by AppInit::start() before the drag
// filter is installed: codec, translators, random seed, configuration file,
// database file and connection, user cache and the log-trimming thread.
class TerminalStart
{
public:
    // What main() does before it builds the main window: the application
    // font, then AppInit::start() with the steps below.
    static void startApplication(QApplication &app);
    static QFont applicationFont();
    static QString windowTitle();

    static void start(AppInit *appInit);
    static void initResources();
    // Opens the first fingerprint reader found, as the FingerReader setting says.
    static void startReader();

    // "<program directory>/<program base name>.<extension>"
    static QString besideProgram(const QString &extension);

    // Copies the template over a missing or empty database file; a non-empty file is left alone.
    static void prepareDatabase(const QString &fileName);
    static bool openDatabase(const QString &fileName);
    static DbCleanThread *startCleanThread(QObject *parent, const QString &fileName);

    // What keeps records or settings from being saved, as the operator is
    // told once the main screen is up: a damaged or read-only database, a
    // configuration file that cannot be written. Empty when all is well.
    static QStringList storageProblems();
};

#endif // TERMINALSTART_H
