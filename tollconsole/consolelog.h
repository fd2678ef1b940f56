#ifndef CONSOLELOG_H
#define CONSOLELOG_H

#include <QLoggingCategory>

// The console's own lines, under "secsuite.console": faults as warnings, the rest as debug lines.
Q_DECLARE_LOGGING_CATEGORY(lcConsole)

#endif // CONSOLELOG_H
