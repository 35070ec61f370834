#include "importer/extract/keyswitch_line.h"

#include "shared/ascii_text.h"

#include <cctype>
#include <limits>

namespace velmora::extract {

namespace {

// Leading white space, an optional sign and digits; anything after the
// digits is ignored and no digits read as 0. Saturates instead of overflowing.
std::int32_t decimal(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])) != 0) {
        ++i;
    }
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    std::int64_t v = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        v = v * 10 + (s[i] - '0');
        if (v > kLimit) {
            v = kLimit;
        }
    }
    if (negative) {
        return static_cast<std::int32_t>(-v);
    }
    return static_cast<std::int32_t>(v == kLimit ? kLimit - 1 : v);
}

}  // namespace

std::optional<std::int32_t> keyswitchBaseOf(std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && line[start] == ' ') {
        ++start;
    }
    const std::size_t blank = line.find(' ', start);
    if (start == line.size() || blank == std::string_view::npos) {
        return std::nullopt;
    }
    if (!EqualsIgnoringCase(line.substr(start, blank - start), kKeyswitchVariable)) {
        return std::nullopt;
    }
    std::string_view value = line.substr(blank + 1);
    while (!value.empty() && value.front() == '\n') {
        value.remove_prefix(1);
    }
    if (value.empty()) {
        return std::nullopt;
    }
    return decimal(value.substr(0, value.find('\n')));
}

}  // namespace velmora::extract
