#include "platform/keyboard_state.h"

namespace platform {

bool KeyboardState::controlHeld() const { return false; }

}  // namespace platform
