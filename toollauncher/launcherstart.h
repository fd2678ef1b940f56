#ifndef LAUNCHERSTART_H
#define LAUNCHERSTART_H

#include <QFont>
#include <QString>

class QApplication;

// What the launcher's main() does before it builds the main window, in one
// place for main, the benchmark, the screenshots and the tests.
class LauncherStart
{
public:
    // Application font, AppInit::start() (the drag filter only), UTF-8 locale
    // codec, then the style file at stylePath.
    static void startApplication(QApplication &app);
    static QFont applicationFont();
    static void initResources();

    // The style file read at start; tests point it elsewhere.
    static QString stylePath;
    // Reads a style file: its text up to the first NUL becomes the application
    // style sheet, the colour named at positions 20 to 26 its palette. A file
    // that cannot be opened changes nothing; false then.
    static bool applyStyle(const QString &fileName);
};

#endif // LAUNCHERSTART_H
