#ifndef CONSOLEFIXTURE_H
#define CONSOLEFIXTURE_H

#include "coretestseams.h"

#include <QStringList>
#include <memory>

class QToolButton;
class QWidget;
class frmCall;
class frmMain;

// The toll console as main() builds it, shown: resources, font, drag filter,
// the main window at its fixed size. The console keeps no files.
class ConsoleFixture
{
public:
    ConsoleFixture();
    ~ConsoleFixture();

    frmMain *window() const { return main.get(); }
    bool isExposed() const { return exposed; }
    // Whether any lane was there as soon as the window was shown, before the event loop ran.
    bool lanesAtShow() const { return lanesShown; }
    frmCall *call() const;
    // Waits for the deferred lane layout: true once both sides show lanes.
    bool waitForLanes() const;

    // Names of the lane widgets of a side ("Left" or "Right") in grid order:
    // "labLeft1@0,0", "btnLeft1@1,0", ...
    QStringList lanes(const QString &side) const;
    QToolButton *ring(const QString &name) const;
    // Whether the button shows that ring picture ("normal" or "alarm").
    static bool showsRing(QToolButton *button, const QString &look);

private:
    CoreTestSeams seams;
    std::unique_ptr<frmMain> main;
    bool exposed = false;
    bool lanesShown = false;
};

#endif // CONSOLEFIXTURE_H
