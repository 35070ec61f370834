// What the desktop makes of X's keysyms and pointer buttons, without a server.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/src/ui/x11/button_events.h"
#include "platform/src/ui/x11/virtual_keys.h"

namespace platform::ui::x11 {
namespace {

struct KeyCase {
    const char* name;
    std::uint32_t keysym;
    int virtualKey;
};

const KeyCase kKeys[] = {
    {"a", 'a', 0x41},        {"z", 'z', 0x5A},         {"A", 'A', 0x41},        {"Z", 'Z', 0x5A},
    {"0", '0', 0x30},        {"9", '9', 0x39},         {"F1", 0xFFBE, 0x70},     {"F12", 0xFFC9, 0x7B},
    {"F13", 0xFFCA, 0},      {"BackSpace", 0xFF08, 0x08}, {"Tab", 0xFF09, 0x09}, {"Return", 0xFF0D, 0x0D},
    {"KP_Enter", 0xFF8D, 0x0D}, {"Escape", 0xFF1B, 0x1B}, {"space", 0x20, 0x20},  {"Prior", 0xFF55, 0x21},
    {"Next", 0xFF56, 0x22},  {"End", 0xFF57, 0x23},    {"Home", 0xFF50, 0x24},   {"Left", 0xFF51, 0x25},
    {"Up", 0xFF52, 0x26},    {"Right", 0xFF53, 0x27},  {"Down", 0xFF54, 0x28},   {"Insert", 0xFF63, 0x2D},
    {"Delete", 0xFFFF, 0x2E}, {"KP_0", 0xFFB0, 0x60},  {"KP_9", 0xFFB9, 0x69},   {"Shift_L", 0xFFE1, 0x10},
    {"Shift_R", 0xFFE2, 0x10}, {"Control_L", 0xFFE3, 0x11}, {"Control_R", 0xFFE4, 0x11}, {"Alt_L", 0xFFE9, 0x12},
    {"Alt_R", 0xFFEA, 0x12}, {"plus", '+', 0},         {"Caps_Lock", 0xFFE5, 0}, {"none", 0, 0},
};

TEST(X11VirtualKeys, KeysymsGiveTheEditorsCodes) {
    for (const KeyCase& k : kKeys) {
        EXPECT_EQ(VirtualKeyOfKeysym(k.keysym), k.virtualKey) << k.name;
    }
}

TEST(X11VirtualKeys, ModifiersAreTheirSideAndEither) {
    const KeyCase sided[] = {{"Shift_L", 0xFFE1, 0xA0},   {"Shift_R", 0xFFE2, 0xA1}, {"Control_L", 0xFFE3, 0xA2},
                             {"Control_R", 0xFFE4, 0xA3}, {"Alt_L", 0xFFE9, 0xA4},   {"Alt_R", 0xFFEA, 0xA5}};
    for (const KeyCase& k : sided) {
        EXPECT_EQ(SidedVirtualKeyOfKeysym(k.keysym), k.virtualKey) << k.name;
        EXPECT_TRUE(KeysymIsVirtualKey(k.keysym, k.virtualKey)) << k.name;
        EXPECT_TRUE(KeysymIsVirtualKey(k.keysym, VirtualKeyOfKeysym(k.keysym))) << k.name << " as either side";
    }
    EXPECT_FALSE(KeysymIsVirtualKey(0xFFE1, 0xA1)) << "Shift_L is not the right Shift";
    EXPECT_FALSE(KeysymIsVirtualKey(0xFFE4, 0xA2)) << "Control_R is not the left Control";
    EXPECT_EQ(SidedVirtualKeyOfKeysym('a'), 0);
    EXPECT_FALSE(KeysymIsVirtualKey(0xFFE5, 0)) << "a key without a code is no key";
}

struct ButtonCase {
    bool press;
    std::uint8_t button;
    bool message;
    WindowEvent::Kind kind;
    MouseButton mouseButton;
    int delta;
};

TEST(X11ButtonMessages, ButtonsAndWheel) {
    using Kind = WindowEvent::Kind;
    const ButtonCase cases[] = {
        {true, 1, true, Kind::ButtonDown, MouseButton::Left, 0},   {false, 1, true, Kind::ButtonUp, MouseButton::Left, 0},
        {true, 2, true, Kind::ButtonDown, MouseButton::Middle, 0}, {false, 2, true, Kind::ButtonUp, MouseButton::Middle, 0},
        {true, 3, true, Kind::ButtonDown, MouseButton::Right, 0},  {false, 3, true, Kind::ButtonUp, MouseButton::Right, 0},
        {true, 4, true, Kind::Wheel, MouseButton::None, 120},      {true, 5, true, Kind::Wheel, MouseButton::None, -120},
        {false, 4, false, Kind::Paint, MouseButton::None, 0},      {false, 5, false, Kind::Paint, MouseButton::None, 0},
        {true, 6, false, Kind::Paint, MouseButton::None, 0},       {true, 7, false, Kind::Paint, MouseButton::None, 0},
        {true, 8, false, Kind::Paint, MouseButton::None, 0},
    };
    for (const ButtonCase& c : cases) {
        const std::optional<WindowEvent> m = ButtonMessage(c.press, c.button, 12, 34);
        ASSERT_EQ(m.has_value(), c.message) << "button " << int{c.button} << (c.press ? " press" : " release");
        if (!m) {
            continue;
        }
        EXPECT_EQ(m->kind, c.kind) << int{c.button};
        EXPECT_EQ(m->button, c.mouseButton) << int{c.button};
        EXPECT_EQ(m->delta, c.delta) << int{c.button};
        EXPECT_EQ(m->x, 12);
        EXPECT_EQ(m->y, 34);
    }
}

}  // namespace
}  // namespace platform::ui::x11
