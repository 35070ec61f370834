#pragma once
// The server's keys and buttons as they are now, asked with one round trip.
#include "connection.h"
#include "keyboard_mapping.h"
#include "platform/keyboard_state.h"

namespace platform::ui::x11 {

// Whether `virtualKey` is held on the server now, as X11KeyboardState::keyHeld
// tells it; one round trip on `connection`, whose keyboard table `mapping` is.
bool KeyHeldNow(xcb_connection_t* connection, xcb_window_t root, const KeyboardMapping& mapping, int virtualKey);

class X11KeyboardState final : public KeyboardState {
public:
    X11KeyboardState(Connection& x, const KeyboardMapping& mapping) : x_(x), mapping_(mapping) {}
    // Mouse buttons 0x01 left, 0x02 right, 0x04 middle from the pointer; any
    // other code is held when a key down now produces it unshifted (Shift_L
    // answers 0x10 and 0xA0, not 0xA1).
    bool keyHeld(int virtualKey) const override;
    bool controlHeld() const override;

private:
    Connection& x_;
    const KeyboardMapping& mapping_;
};

}  // namespace platform::ui::x11
