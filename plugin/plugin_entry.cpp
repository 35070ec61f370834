// The plugin library's only export.
#include "plugin/boundary.h"
#include "plugin/plugin.h"

namespace {
// Any address inside this library names it for the module queries.
const int kModuleAnchor = 0;
}

extern "C" __attribute__((visibility("default"))) TFruityPlug* CreatePlugInstance(TFruityPlugHost* host, TPluginTag tag) {
    try {
        return new ZOLTVSTExprPlug(tag, host, const_cast<int*>(&kModuleAnchor));
    } catch (...) {
        if (host != nullptr) {
            velmora::ReportEscapedException(velmora::HostServices(host, tag), nullptr, "CreatePlugInstance",
                                            std::current_exception());
        }
        return nullptr;  // the host is told by the null result
    }
}
