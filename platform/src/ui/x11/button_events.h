#pragma once
// X pointer buttons as the editor's messages. Pure function, no X calls.
#include <cstdint>
#include <optional>

#include "platform/ui/window.h"

namespace platform::ui::x11 {

// The message of a press or release of X button `button` at window pixel
// (x, y): 1 left, 2 middle, 3 right; 4 and 5 the wheel turned away from and
// towards the user (presses only: a wheel step is a press and a release).
// nullopt for everything else (the wheel's releases, sideways 6 and 7, extra
// buttons).
std::optional<WindowEvent> ButtonMessage(bool press, std::uint8_t button, int x, int y);

}  // namespace platform::ui::x11
