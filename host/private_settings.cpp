#include "host/private_settings.h"

#include <cstdlib>
#include <filesystem>

namespace velmora::host {

PrivateSettings::PrivateSettings() {
    const platform::SettingsStore user = platform::SettingsStore::currentUser();
    std::string folder = (std::filesystem::temp_directory_path() / "velmora-settings-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        return;
    }
    folder_ = folder;
    ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    // Located as the plugin will locate it, now that the variable points here.
    store_ = platform::SettingsStore::currentUser();
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(store_.filePath()).parent_path(), ec);
    std::filesystem::copy_file(user.filePath(), store_.filePath(), ec);  // absent is fine
}

PrivateSettings::~PrivateSettings() {
    if (!folder_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
}

bool PrivateSettings::setHttpApi(const std::string& port) const {
    if (!ok()) {
        return false;
    }
    if (port.empty()) {
        return store_.writeDword(platform::kVelmoraKey, "HTTP API", 0);
    }
    return store_.writeDword(platform::kVelmoraKey, "HTTP API", 1) &&
           store_.writeString(platform::kVelmoraKey, "HTTP Port", port);
}

}  // namespace velmora::host
