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

}  // namespace velmora::host
