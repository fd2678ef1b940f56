#ifndef ZEMILOG_H
#define ZEMILOG_H

#include <QLoggingCategory>

// The framework's own lines, under "secsuite.framework": faults as warnings, the rest as debug lines.
Q_DECLARE_LOGGING_CATEGORY(lcFramework)

#endif // ZEMILOG_H
