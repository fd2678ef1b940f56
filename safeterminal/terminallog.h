#ifndef TERMINALLOG_H
#define TERMINALLOG_H

#include <QLoggingCategory>

// The terminal's own lines, under "secsuite.terminal": faults as warnings, the rest as debug lines.
Q_DECLARE_LOGGING_CATEGORY(lcTerminal)

#endif // TERMINALLOG_H
