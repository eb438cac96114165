#include "platform/registry.h"

#ifdef _WIN32
#include "platform/windowsregistry.h"
using SystemRegistry = WindowsRegistry;
#else
#include "platform/standinregistry.h"
using SystemRegistry = StandInRegistry;
#endif

namespace {

Registry *installed = nullptr;

} // namespace

Registry &Registry::Current()
{
    return installed ? *installed : System();
}

void Registry::Install(Registry *replacement)
{
    installed = replacement;
}

Registry &Registry::System()
{
    static SystemRegistry registry;
    return registry;
}
