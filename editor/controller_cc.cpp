// The CC number typed for a controller slot.
#include "editor/controller_cc.h"

#include <algorithm>

#include "core/note_names.h"

namespace velmora::editor {

std::optional<int> TypedControllerNumber(std::string_view text) {
    const int value = ReadTypedInteger(text);
    // Text without digits also reads as 0: only a plain "0" means CC 0.
    if (value == 0 && text != "0") {
        return std::nullopt;
    }
    return std::clamp(value, 0, 127);
}

}  // namespace velmora::editor
