#ifndef PLATFORMFIXTURE_H
#define PLATFORMFIXTURE_H

#include "testseams.h"

#include <QColor>
#include <QString>
#include <QTemporaryDir>

class QIcon;

// The platform started as main() starts it (once per process), its first
// style applied again for every fixture, and the header picture looked for in
// a temporary folder, empty until a test puts a "bg.png" there; the seams put
// back when it goes.
class PlatformFixture
{
public:
    PlatformFixture();
    ~PlatformFixture();

    bool isValid() const { return temp.isValid(); }
    QString path(const QString &name) const { return temp.filePath(name); }

    // The colour of the most opaque pixel of an icon: the glyph's colour.
    static QColor glyphColor(const QIcon &icon, const QSize &size);

    // Before the application exists: run on the suite's X server when
    // scripts/test names one, since the window needs more than offscreen's 800 x 600.
    static void useSuiteDisplay();
    static bool onSuiteDisplay();

    TestSeams &seams() { return testSeams; }

private:
    TestSeams testSeams;
    QTemporaryDir temp;
};

#endif // PLATFORMFIXTURE_H
