#pragma once
// Reading a CC number typed for a controller slot.
#include <optional>
#include <string_view>

namespace velmora::editor {

// The CC number the text gives, limited to 0..127; nullopt when the text is
// not a number or writes a zero other than as the single character 0 (so
// "00" and "x" are refused, "-4" gives 0 and "300" gives 127).
std::optional<int> TypedControllerNumber(std::string_view text);

}  // namespace velmora::editor
