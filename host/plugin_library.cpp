#include "host/plugin_library.h"

#include <cstring>

#include "core/plugin_instance.h"
#include "platform/platform.h"

namespace velmora::host {

std::string DefaultPluginPath() {
    return platform::defaultPlatform().executableFolder() + "/Plugins/Fruity/Generators/ZOLT Velmora/ZOLT Velmora_x64.so";
}

PluginLibrary::PluginLibrary(const std::string& path) : library_(path) {
    if (!library_.isLoaded()) {
        error_ = library_.error();
        return;
    }
    create_ = reinterpret_cast<TCreatePlugInstance>(library_.symbol("CreatePlugInstance"));
    if (create_ == nullptr) {
        error_ = path + " exports no CreatePlugInstance";
    }
}

ZOLTVSTExprPlug* AsVelmoraInstance(TFruityPlug* plug) {
    if (plug == nullptr || plug->Info == nullptr || plug->Info->LongName == nullptr ||
        std::strcmp(plug->Info->LongName, "ZOLT Velmora") != 0) {
        return nullptr;
    }
    return static_cast<ZOLTVSTExprPlug*>(plug);
}

}  // namespace velmora::host
