#ifndef PLATFORMSTYLE_H
#define PLATFORMSTYLE_H

#include <QStringList>

// The platform's own rules, appended to whichever colour style it loads:
// built from the base font size and the colours of the last sheet read
// (ZemiHelper's shared values), and naming the platform's widgets.
class PlatformStyle
{
public:
    static QStringList screenRules(int fontSize, bool dark);
};

#endif // PLATFORMSTYLE_H
