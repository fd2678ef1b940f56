#include "zemilog.h"

Q_LOGGING_CATEGORY(lcFramework, "secsuite.framework")
