#ifndef CONSOLESTART_H
#define CONSOLESTART_H

#include <QFont>

class QApplication;

// What the console's main() does before it builds the main window, in one
// place for main, the benchmark, the screenshots and the tests.
class ConsoleStart
{
public:
    // Application font, AppInit::start() (the drag filter only), UTF-8 locale codec.
    static void startApplication(QApplication &app);
    static QFont applicationFont();
    static void initResources();
};

#endif // CONSOLESTART_H
