// The keysym numbers come from the X protocol's keysym table.
#include "virtual_keys.h"

namespace platform::ui::x11 {

namespace {

struct KeyPair {
    std::uint32_t keysym;
    int virtualKey;
};

constexpr KeyPair kNamedKeys[] = {
    {0xFF08, 0x08},  // BackSpace
    {0xFF09, 0x09},  // Tab
    {0xFE20, 0x09},  // ISO_Left_Tab (Shift+Tab)
    {0xFF0D, 0x0D},  // Return
    {0xFF8D, 0x0D},  // KP_Enter
    {0xFF1B, 0x1B},  // Escape
    {0x0020, 0x20},  // space
    {0xFF55, 0x21},  // Prior
    {0xFF56, 0x22},  // Next
    {0xFF57, 0x23},  // End
    {0xFF50, 0x24},  // Home
    {0xFF51, 0x25},  // Left
    {0xFF52, 0x26},  // Up
    {0xFF53, 0x27},  // Right
    {0xFF54, 0x28},  // Down
    {0xFF63, 0x2D},  // Insert
    {0xFFFF, 0x2E},  // Delete
    {0xFFE1, 0x10},  // Shift_L
    {0xFFE2, 0x10},  // Shift_R
    {0xFFE3, 0x11},  // Control_L
    {0xFFE4, 0x11},  // Control_R
    {0xFFE9, 0x12},  // Alt_L
    {0xFFEA, 0x12},  // Alt_R
};

constexpr KeyPair kSidedKeys[] = {
    {0xFFE1, 0xA0},  // Shift_L
    {0xFFE2, 0xA1},  // Shift_R
    {0xFFE3, 0xA2},  // Control_L
    {0xFFE4, 0xA3},  // Control_R
    {0xFFE9, 0xA4},  // Alt_L
    {0xFFEA, 0xA5},  // Alt_R
};

constexpr std::uint32_t kF1 = 0xFFBE;
constexpr std::uint32_t kKeypad0 = 0xFFB0;

}  // namespace

int VirtualKeyOfKeysym(std::uint32_t keysym) {
    if (keysym >= 'a' && keysym <= 'z') {
        return static_cast<int>(keysym - 'a') + 0x41;
    }
    if ((keysym >= 'A' && keysym <= 'Z') || (keysym >= '0' && keysym <= '9')) {
        return static_cast<int>(keysym);
    }
    if (keysym >= kF1 && keysym < kF1 + 12) {
        return static_cast<int>(keysym - kF1) + 0x70;
    }
    if (keysym >= kKeypad0 && keysym < kKeypad0 + 10) {
        return static_cast<int>(keysym - kKeypad0) + 0x60;
    }
    for (const KeyPair& k : kNamedKeys) {
        if (k.keysym == keysym) {
            return k.virtualKey;
        }
    }
    return 0;
}

int SidedVirtualKeyOfKeysym(std::uint32_t keysym) {
    for (const KeyPair& k : kSidedKeys) {
        if (k.keysym == keysym) {
            return k.virtualKey;
        }
    }
    return 0;
}

std::uint32_t KeysymOfVirtualKey(int virtualKey) {
    if (virtualKey >= 0x41 && virtualKey <= 0x5A) {
        return static_cast<std::uint32_t>(virtualKey - 0x41) + 'a';
    }
    if (virtualKey >= 0x30 && virtualKey <= 0x39) {
        return static_cast<std::uint32_t>(virtualKey);
    }
    if (virtualKey >= 0x70 && virtualKey < 0x70 + 12) {
        return kF1 + static_cast<std::uint32_t>(virtualKey - 0x70);
    }
    if (virtualKey >= 0x60 && virtualKey < 0x60 + 10) {
        return kKeypad0 + static_cast<std::uint32_t>(virtualKey - 0x60);
    }
    for (const KeyPair& k : kSidedKeys) {
        if (k.virtualKey == virtualKey) {
            return k.keysym;
        }
    }
    // The first pair of a code is its main key (Return before KP_Enter,
    // Shift_L before Shift_R).
    for (const KeyPair& k : kNamedKeys) {
        if (k.virtualKey == virtualKey) {
            return k.keysym;
        }
    }
    return 0;
}

}  // namespace platform::ui::x11
