#pragma once
// The screen's density as the host's own "Main PPI" setting, which the
// plugin's scale rule reads when an instance is created: written at start,
// before any instance exists.
#include <optional>
#include <string_view>

#include "platform/settings_store.h"

namespace velmora::host {

// The Xft.dpi value of an X server's resources (the RESOURCE_MANAGER text,
// "Xft.dpi:\t144" lines); nullopt when it holds none that is a number.
std::optional<double> XftDpiFromResources(std::string_view resources);

// The density rounded to whole pixels per inch; 96 without one, or for one no
// screen has.
int MainPpiFromDpi(std::optional<double> dpi);

bool WriteMainPpi(const platform::SettingsStore& store, int ppi);

}  // namespace velmora::host
