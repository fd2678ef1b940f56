#include "frameworkresources.h"

#include <QtGlobal>

// Resources of a static library must be registered by name, outside any namespace.
static void registerFrameworkResources()
{
    Q_INIT_RESOURCE(framework);
}

namespace FrameworkResources {

void init()
{
    static const bool done = [] {
        registerFrameworkResources();
        return true;
    }();
    Q_UNUSED(done)
}

} // namespace FrameworkResources
