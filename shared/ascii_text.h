#pragma once
// Comparing names without regard to letter case (ASCII letters only), as
// settings names, option keys, file extensions and script lines need.
#include <cctype>
#include <string_view>

namespace velmora {

inline char AsciiLower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

inline bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && EqualsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

}  // namespace velmora
