#include "button_events.h"

namespace platform::ui::x11 {

namespace {

constexpr int kWheelStep = 120;

}  // namespace

std::optional<WindowEvent> ButtonMessage(bool press, std::uint8_t button, int x, int y) {
    WindowEvent e;
    e.x = x;
    e.y = y;
    switch (button) {
        case 1: e.button = MouseButton::Left; break;
        case 2: e.button = MouseButton::Middle; break;
        case 3: e.button = MouseButton::Right; break;
        case 4:
        case 5:
            if (!press) {
                return std::nullopt;
            }
            e.kind = WindowEvent::Kind::Wheel;
            e.delta = button == 4 ? kWheelStep : -kWheelStep;
            return e;
        default: return std::nullopt;
    }
    e.kind = press ? WindowEvent::Kind::ButtonDown : WindowEvent::Kind::ButtonUp;
    return e;
}

}  // namespace platform::ui::x11
