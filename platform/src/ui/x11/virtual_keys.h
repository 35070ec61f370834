#pragma once
// X keysyms as the editor's virtual key codes (the Windows numbering the
// editor's key handling is written against). Pure functions, no X calls.
#include <cstdint>

namespace platform::ui::x11 {

// The virtual key of a keysym, 0 for one the editor has no code for. Letters
// of either case give the capital's code; the modifier keys give the code
// that stands for either side (Shift 0x10, Control 0x11, Alt 0x12).
int VirtualKeyOfKeysym(std::uint32_t keysym);

// The side's own code of a modifier keysym (Shift_L 0xA0 ... Alt_R 0xA5), 0
// for any other keysym.
int SidedVirtualKeyOfKeysym(std::uint32_t keysym);

// The keysym that types `virtualKey`, the reverse of the two above: letters
// give the small letter's keysym, the either-side modifier codes their left
// key's; 0 for a code no key has.
std::uint32_t KeysymOfVirtualKey(int virtualKey);

// Whether a key producing `keysym` is the key `virtualKey` names, by either
// numbering (Shift_L is both 0x10 and 0xA0).
inline bool KeysymIsVirtualKey(std::uint32_t keysym, int virtualKey) {
    return virtualKey != 0 && (VirtualKeyOfKeysym(keysym) == virtualKey || SidedVirtualKeyOfKeysym(keysym) == virtualKey);
}

}  // namespace platform::ui::x11
