#pragma once
// The plugin library as the host loads it: by path, through its one export.
#include <string>

#include "platform/dynamic_library.h"
#include "sdk/fruity_plug.h"
#include "shared/host_extension.h"

namespace velmora::host {

// Where the build tree puts the plugin, relative to the host executable.
std::string DefaultPluginPath();

class PluginLibrary {
public:
    // Loads the library; check ok() and error().
    explicit PluginLibrary(const std::string& path);
    bool ok() const { return create_ != nullptr; }
    const std::string& error() const { return error_; }
    TFruityPlug* create(TFruityPlugHost* host, TPluginTag tag) const { return create_(host, tag); }

private:
    platform::DynamicLibrary library_;
    TCreatePlugInstance create_ = nullptr;
    std::string error_;
};

// The extension table an instance hands out, once its version and size are
// the ones this host was built with; nullptr and a one-line reason otherwise.
const HostExtension* HostExtensionOf(TFruityPlug* plug, std::string& error);

}  // namespace velmora::host
