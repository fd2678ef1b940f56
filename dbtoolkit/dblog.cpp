#include "dblog.h"

Q_LOGGING_CATEGORY(lcDb, "secsuite.db")
