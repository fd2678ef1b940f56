#ifndef PLATFORMSTART_H
#define PLATFORMSTART_H

#include <QString>

class AppInit;
class QApplication;

// The platform's start-up in one place, for main(), the tests and the tools:
// main glyph, base font size, application font, codec, translator and random
// seed through AppInit::start() (without the drag filter: the main window
// moves through its FramelessHelper), then the first colour style.
class PlatformStart
{
public:
    static void startApplication(QApplication &app);
    static void start(AppInit *appInit);
    static void initResources();

    static QString defaultStyle() { return QStringLiteral(":/qss/flatblue.css"); }

    // Where the header picture "bg.png" is looked for: the program's folder,
    // unless a test points elsewhere.
    static QString pictureDirectory();
    static void setPictureDirectory(const QString &path);
};

#endif // PLATFORMSTART_H
