#pragma once
// Per-user settings, kept like registry values: a key path, a value name, and
// a text or 32-bit value. Stored in one file under $XDG_CONFIG_HOME (or
// ~/.config); tests point XDG_CONFIG_HOME at a temporary folder.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

inline constexpr std::string_view kVelmoraKey = "Software\\ZOLT\\ZOLT Velmora";
inline constexpr std::string_view kHostGeneralKey = "Software\\Image-Line\\Shared\\General";

class SettingsStore {
public:
    // The store of the current user, located from the environment at this call.
    static SettingsStore currentUser();
    explicit SettingsStore(std::string filePath) : filePath_(std::move(filePath)) {}

    const std::string& filePath() const { return filePath_; }

    std::optional<std::string> readString(std::string_view key, std::string_view name) const;
    std::optional<std::uint32_t> readDword(std::string_view key, std::string_view name) const;
    // Creates the key (and the file's folder) when missing; false when the file cannot be written.
    bool writeString(std::string_view key, std::string_view name, std::string_view value) const;
    bool writeDword(std::string_view key, std::string_view name, std::uint32_t value) const;

private:
    bool write(std::string_view key, std::string_view name, char type, std::string_view value) const;
    std::string filePath_;
};

}  // namespace platform
