#include "keyboard_mapping.h"

#include <cstdlib>
#include <memory>

namespace platform::ui::x11 {

namespace {

constexpr xcb_keysym_t kNumLock = 0xFF7F;

// The keypad's symbols: KP_Space .. KP_9 and KP_Equal.
bool KeypadKeysym(xcb_keysym_t k) { return k >= 0xFF80 && k <= 0xFFBD; }

template <class Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

}  // namespace

void KeyboardMapping::load(xcb_connection_t* connection) {
    keysyms_.clear();
    perCode_ = 0;
    numLockMask_ = 0;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    minCode_ = setup->min_keycode;
    const auto count = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
    Owned<xcb_get_keyboard_mapping_reply_t> map(
        xcb_get_keyboard_mapping_reply(connection, xcb_get_keyboard_mapping(connection, minCode_, count), nullptr), &std::free);
    if (!map) {
        return;
    }
    perCode_ = map->keysyms_per_keycode;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map.get());
    keysyms_.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(map.get()));

    Owned<xcb_get_modifier_mapping_reply_t> mods(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr), &std::free);
    if (!mods) {
        return;
    }
    // Eight modifiers in order (Shift, Lock, Control, Mod1 .. Mod5), each
    // with up to keycodes_per_modifier keys.
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(mods.get());
    const int perModifier = mods->keycodes_per_modifier;
    for (int m = 0; m < 8; ++m) {
        for (int k = 0; k < perModifier; ++k) {
            const xcb_keycode_t code = codes[m * perModifier + k];
            if (code != 0 && keysym(code, 0) == kNumLock) {
                numLockMask_ = static_cast<std::uint16_t>(1U << m);
            }
        }
    }
}

std::uint32_t KeyboardMapping::keysym(xcb_keycode_t code, int column) const {
    if (code < minCode_ || column < 0 || column >= perCode_) {
        return 0;
    }
    const std::size_t at = static_cast<std::size_t>(code - minCode_) * static_cast<std::size_t>(perCode_) +
                           static_cast<std::size_t>(column);
    return at < keysyms_.size() ? keysyms_[at] : 0;
}

std::uint32_t KeyboardMapping::pressed(xcb_keycode_t code, std::uint16_t state) const {
    if (numLockMask_ != 0 && (state & numLockMask_) != 0 && KeypadKeysym(keysym(code, 1))) {
        return keysym(code, 1);
    }
    return keysym(code, 0);
}

xcb_keycode_t KeyboardMapping::keycodeOf(std::uint32_t keysym) const {
    if (keysym == 0 || perCode_ == 0) {
        return 0;
    }
    const std::size_t codes = keysyms_.size() / static_cast<std::size_t>(perCode_);
    for (int column = 0; column < perCode_; ++column) {
        for (std::size_t i = 0; i < codes; ++i) {
            if (keysyms_[i * static_cast<std::size_t>(perCode_) + static_cast<std::size_t>(column)] == keysym) {
                return static_cast<xcb_keycode_t>(minCode_ + i);
            }
        }
    }
    return 0;
}

}  // namespace platform::ui::x11
