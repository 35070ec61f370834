#include "keyboard_state.h"

#include <cstdlib>
#include <memory>

#include "virtual_keys.h"

namespace platform::ui::x11 {

namespace {

constexpr int kVirtualKeyControl = 0x11;

// The mouse buttons' virtual keys and their X button masks (X's button 2 is
// the middle one).
std::uint16_t ButtonMask(int virtualKey) {
    switch (virtualKey) {
        case 0x01: return XCB_BUTTON_MASK_1;
        case 0x02: return XCB_BUTTON_MASK_3;
        case 0x04: return XCB_BUTTON_MASK_2;
        default: return 0;
    }
}

}  // namespace

bool KeyHeldNow(xcb_connection_t* c, xcb_window_t root, const KeyboardMapping& mapping, int virtualKey) {
    if (const std::uint16_t button = ButtonMask(virtualKey); button != 0) {
        std::unique_ptr<xcb_query_pointer_reply_t, decltype(&std::free)> pointer(
            xcb_query_pointer_reply(c, xcb_query_pointer(c, root), nullptr), &std::free);
        return pointer && (pointer->mask & button) != 0;
    }
    std::unique_ptr<xcb_query_keymap_reply_t, decltype(&std::free)> keymap(
        xcb_query_keymap_reply(c, xcb_query_keymap(c), nullptr), &std::free);
    if (!keymap) {
        return false;
    }
    // One bit per keycode, keycode 8 × byte + bit.
    for (int byte = 0; byte < 32; ++byte) {
        for (int bit = 0; bit < 8; ++bit) {
            if ((keymap->keys[byte] & (1U << bit)) == 0) {
                continue;
            }
            const auto code = static_cast<xcb_keycode_t>(byte * 8 + bit);
            if (KeysymIsVirtualKey(mapping.keysym(code, 0), virtualKey)) {
                return true;
            }
        }
    }
    return false;
}

bool X11KeyboardState::keyHeld(int virtualKey) const {
    return KeyHeldNow(x_.connection, x_.screen->root, mapping_, virtualKey);
}

bool X11KeyboardState::controlHeld() const { return keyHeld(kVirtualKeyControl); }

}  // namespace platform::ui::x11
