#pragma once
// The server's table of which keysyms each keycode produces, read once and
// again whenever the server says the keyboard changed.
#include <xcb/xcb.h>

#include <cstdint>
#include <vector>

namespace platform::ui::x11 {

class KeyboardMapping {
public:
    // Reads the keysyms and which modifier bit Num Lock sets; an empty table
    // (every key without a symbol) when the server does not answer.
    void load(xcb_connection_t* connection);
    // The keysym in `column` of the key's row, 0 for none.
    std::uint32_t keysym(xcb_keycode_t code, int column) const;
    // What a press with modifier `state` means to the editor: the key's plain
    // symbol, or the keypad's digit while Num Lock is on.
    std::uint32_t pressed(xcb_keycode_t code, std::uint16_t state) const;
    // The key that types `keysym`: the first whose plain symbol it is, else
    // the first that has it in any column; 0 when no key has it.
    xcb_keycode_t keycodeOf(std::uint32_t keysym) const;

private:
    xcb_keycode_t minCode_ = 0;
    int perCode_ = 0;
    std::vector<xcb_keysym_t> keysyms_;
    std::uint16_t numLockMask_ = 0;
};

}  // namespace platform::ui::x11
