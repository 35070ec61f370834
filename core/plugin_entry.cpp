// The plugin library's only export.
#include <new>

#include "core/plugin_instance.h"

namespace {
// Any address inside this library names it for the module queries.
const int kModuleAnchor = 0;
}

extern "C" __attribute__((visibility("default"))) TFruityPlug* CreatePlugInstance(TFruityPlugHost* host, TPluginTag tag) {
    try {
        return new ZOLTVSTExprPlug(tag, host, const_cast<int*>(&kModuleAnchor));
    } catch (...) {
        return nullptr;  // the host is told by the null result only
    }
}
