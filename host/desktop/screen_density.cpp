#include "host/desktop/screen_density.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace velmora::host {

namespace {

constexpr int kDefaultPpi = 96;
constexpr double kLeastDpi = 24.0;
constexpr double kMostDpi = 1200.0;

std::string_view Trim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

std::optional<double> XftDpiFromResources(std::string_view resources) {
    while (!resources.empty()) {
        const std::size_t end = resources.find('\n');
        const std::string_view line = resources.substr(0, end);
        resources = end == std::string_view::npos ? std::string_view() : resources.substr(end + 1);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) {
            continue;
        }
        const std::string_view name = Trim(line.substr(0, colon));
        if (name != "Xft.dpi" && name != "Xft*dpi") {
            continue;
        }
        const std::string value(Trim(line.substr(colon + 1)));
        char* rest = nullptr;
        const double dpi = std::strtod(value.c_str(), &rest);
        if (!value.empty() && rest != nullptr && *rest == '\0' && std::isfinite(dpi)) {
            return dpi;
        }
    }
    return std::nullopt;
}

int MainPpiFromDpi(std::optional<double> dpi) {
    if (!dpi || !(*dpi >= kLeastDpi && *dpi <= kMostDpi)) {
        return kDefaultPpi;
    }
    return static_cast<int>(std::lround(*dpi));
}

bool WriteMainPpi(const platform::SettingsStore& store, int ppi) {
    return store.writeString(platform::kHostGeneralKey, "Main PPI", std::to_string(ppi));
}

}  // namespace velmora::host
