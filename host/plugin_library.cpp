#include "host/plugin_library.h"

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

const HostExtension* HostExtensionOf(TFruityPlug* plug, std::string& error) {
    if (plug == nullptr) {
        error = "no instance to ask for the host extension";
        return nullptr;
    }
    const auto* table = reinterpret_cast<const HostExtension*>(plug->Dispatcher(kDispatcherHostExtension, 0, 0));
    if (table == nullptr) {
        error = "the plugin offers no host extension";
        return nullptr;
    }
    if (table->version != kHostExtensionVersion || table->size != sizeof(HostExtension)) {
        error = "the plugin's host extension is version " + std::to_string(table->version) + " (" +
                std::to_string(table->size) + " bytes); this host needs version " +
                std::to_string(kHostExtensionVersion) + " (" + std::to_string(sizeof(HostExtension)) + " bytes)";
        return nullptr;
    }
    return table;
}

}  // namespace velmora::host
