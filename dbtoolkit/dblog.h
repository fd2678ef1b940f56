#ifndef DBLOG_H
#define DBLOG_H

#include <QLoggingCategory>

// The database toolkit's own lines, under "secsuite.db": faults as warnings, the rest as debug lines.
Q_DECLARE_LOGGING_CATEGORY(lcDb)

#endif // DBLOG_H
