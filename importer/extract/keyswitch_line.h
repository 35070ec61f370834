#pragma once
// The script variable that holds an instrument's first keyswitch note.
#include <cstdint>
#include <optional>
#include <string_view>

namespace velmora::extract {

inline constexpr std::string_view kKeyswitchVariable = "$3nvk5";

// A variable line is a name up to the first blank (leading blanks skipped)
// and a value, the rest of the line up to the next line feed (leading line
// feeds skipped). For the keyswitch variable, named in any letter case, the
// value read as a decimal integer; nothing for any other line, and for a
// matching line that has no value.
std::optional<std::int32_t> keyswitchBaseOf(std::string_view line);

}  // namespace velmora::extract
