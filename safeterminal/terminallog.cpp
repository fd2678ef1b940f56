#include "terminallog.h"

Q_LOGGING_CATEGORY(lcTerminal, "secsuite.terminal")
