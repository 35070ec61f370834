// Modifier keys from the platform's keyboard state.
#include "editor/modifiers.h"

#include "core/instance.h"

namespace velmora::editor {

namespace {

// Virtual key codes of the left and right keys of each pair.
constexpr int kLeftShift = 0xA0, kRightShift = 0xA1;
constexpr int kLeftControl = 0xA2, kRightControl = 0xA3;
constexpr int kLeftAlt = 0xA4, kRightAlt = 0xA5;

bool Either(const Instance& plug, int left, int right) {
    const platform::KeyboardState& keys = plug.platform.keyboardState();
    return keys.keyHeld(left) || keys.keyHeld(right);
}

}  // namespace

bool ControlDown(const Instance& plug) { return Either(plug, kLeftControl, kRightControl); }
bool ShiftDown(const Instance& plug) { return Either(plug, kLeftShift, kRightShift); }
bool AltDown(const Instance& plug) { return Either(plug, kLeftAlt, kRightAlt); }

}  // namespace velmora::editor
