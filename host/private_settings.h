#pragma once
// A private copy of the user's settings for one run of the host: the plugin
// reads and writes it instead of the user's own file, and it is gone when the
// run ends. Points XDG_CONFIG_HOME at the copy for the rest of the process.
#include <string>

#include "platform/settings_store.h"

namespace velmora::host {

class PrivateSettings {
public:
    // Copies the current user's settings file (if there is one); check ok().
    PrivateSettings();
    ~PrivateSettings();
    PrivateSettings(const PrivateSettings&) = delete;
    PrivateSettings& operator=(const PrivateSettings&) = delete;

    bool ok() const { return !folder_.empty(); }
    // The copy, to write what this run should see.
    const platform::SettingsStore& store() const { return store_; }
    // The plugin's HTTP API switched on at `port` for this run, or off for an
    // empty port; false when the copy cannot be written.
    bool setHttpApi(const std::string& port) const;

private:
    std::string folder_;
    platform::SettingsStore store_{""};
};

}  // namespace velmora::host
