#include "coretestseams.h"

#include "dbconn.h"
#include "zemiclock.h"

CoreTestSeams::CoreTestSeams()
{
    keep(&ZemiClock::sources, &ZemiClock::setSources);
    keep(&DbConn::sqliteBusyTimeout, &DbConn::setSqliteBusyTimeout);
}

CoreTestSeams::~CoreTestSeams()
{
    for (auto it = restores.rbegin(); it != restores.rend(); ++it) {
        (*it)();
    }
}
