// The host-window service's rules without a server: keys to type, the labels
// a search matches, the order "after" continues in, and pixels in any layout.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/src/ui/x11/pixel_rows.h"
#include "platform/src/ui/x11/virtual_keys.h"
#include "platform/src/ui/x11/window_labels.h"
#include "platform/src/ui/x11/window_order.h"

namespace platform::ui::x11 {
namespace {

TEST(X11HostKeys, VirtualKeysTypeTheirKeysyms) {
    struct Case {
        const char* name;
        int virtualKey;
        std::uint32_t keysym;
    };
    const Case cases[] = {
        {"Home", 0x24, 0xFF50},     {"Down", 0x28, 0xFF54},      {"Right", 0x27, 0xFF53},     {"Return", 0x0D, 0xFF0D},
        {"Shift", 0x10, 0xFFE1},    {"Control", 0x11, 0xFFE3},   {"Alt", 0x12, 0xFFE9},       {"Shift_L", 0xA0, 0xFFE1},
        {"Shift_R", 0xA1, 0xFFE2},  {"Control_L", 0xA2, 0xFFE3}, {"Control_R", 0xA3, 0xFFE4}, {"Alt_L", 0xA4, 0xFFE9},
        {"Alt_R", 0xA5, 0xFFEA},    {"A", 0x41, 'a'},            {"Z", 0x5A, 'z'},            {"0", 0x30, '0'},
        {"F1", 0x70, 0xFFBE},       {"F12", 0x7B, 0xFFC9},       {"KP_9", 0x69, 0xFFB9},      {"Tab", 0x09, 0xFF09},
        {"left button", 0x01, 0},   {"none", 0, 0},              {"0xFF", 0xFF, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeysymOfVirtualKey(c.virtualKey), c.keysym) << c.name;
    }
}

TEST(X11HostKeys, EveryTypedKeyIsTheKeyItWasAskedFor) {
    for (int vk = 0; vk < 0x100; ++vk) {
        const std::uint32_t keysym = KeysymOfVirtualKey(vk);
        if (keysym != 0) {
            EXPECT_TRUE(KeysymIsVirtualKey(keysym, vk)) << "virtual key " << vk << " types keysym " << keysym;
        }
    }
}

TEST(X11HostLabels, ClassIsTheSecondStringOfWmClass) {
    using namespace std::string_literals;
    struct Case {
        std::string value;
        std::string className;
    };
    const Case cases[] = {
        {"instance\0Class\0"s, "Class"}, {"instance\0Class"s, "Class"}, {"\0Class\0"s, "Class"},
        {"instance\0\0"s, ""},           {"instance"s, ""},             {""s, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClassOfWmClass(c.value), c.className) << c.value;
    }
}

TEST(X11HostLabels, Latin1TitlesBecomeUtf8) {
    EXPECT_EQ(Latin1ToUtf8("Piano roll"), "Piano roll");
    EXPECT_EQ(Latin1ToUtf8("Caf\xE9 \xFF"), "Caf\xC3\xA9 \xC3\xBF");
}

TEST(X11HostLabels, ASearchMatchesTheClassExactlyAndTheWholeTitleInAnyAsciiCase) {
    const WindowLabel roll{true, "HostForm", "Piano roll - Velmora"};
    struct Case {
        const char* className;
        const char* title;
        bool matches;
    };
    const Case cases[] = {
        {"HostForm", "Piano roll - Velmora", true}, {"HostForm", "PIANO ROLL - velmora", true}, {"", "piano roll - velmora", true},
        {"HostForm", "", true},                     {"", "", true},                              {"hostform", "", false},
        {"HostFor", "", false},                     {"HostForm", "Piano roll -", false},         {"HostForm", "Piano roll - Velmora ", false},
        {"Other", "Piano roll - Velmora", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LabelMatches(roll, c.className, c.title), c.matches) << c.className << " / " << c.title;
    }
    // Only ASCII letters fold: a title's other bytes match as they are.
    EXPECT_TRUE(LabelMatches(WindowLabel{true, "C", "\xC3\xA9t\xC3\xA9"}, "", "\xC3\xA9T\xC3\xA9"));
    EXPECT_FALSE(LabelMatches(WindowLabel{true, "C", "\xC3\xA9t\xC3\xA9"}, "", "\xC3\x89T\xC3\x89"));
}

TEST(X11HostOrder, AfterContinuesPastTheWindowNamed) {
    const std::vector<LabelledWindow> windows = {
        {10, {true, "Form", "a"}}, {11, {true, "Main", "b"}}, {12, {true, "Form", "c"}}, {13, {true, "Form", "d"}}};
    struct Case {
        const char* name;
        const char* className;
        xcb_window_t after;
        xcb_window_t found;
    };
    const Case cases[] = {
        {"first", "Form", XCB_NONE, 10}, {"after the first", "Form", 10, 12}, {"after a window of another class", "Form", 11, 12},
        {"after the last", "Form", 13, XCB_NONE}, {"after a window not listed", "Form", 99, XCB_NONE}, {"any class", "", 10, 11},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindAfter(windows, c.className, "", c.after), c.found) << c.name;
    }
    EXPECT_EQ(FindAfter({}, "", "", XCB_NONE), XCB_NONE);
}

TEST(X11HostPixels, RowsOfEveryLayoutBecomeRgb) {
    struct Case {
        const char* name;
        PixelFormat format;
        std::vector<std::uint8_t> bytes;
        std::vector<std::uint32_t> rgb;
    };
    const PixelFormat rgb565{16, false, 0xF800, 0x07E0, 0x001F};
    const Case cases[] = {
        {"32 bits, least significant byte first", {32, false, 0xFF0000, 0xFF00, 0xFF},
         {0xA5, 0xD1, 0x9E, 0x00, 0x03, 0x02, 0x01, 0xFF}, {0x9ED1A5, 0x010203}},
        {"32 bits, most significant byte first", {32, true, 0xFF0000, 0xFF00, 0xFF}, {0x00, 0x9E, 0xD1, 0xA5}, {0x9ED1A5}},
        {"32 bits, blue high", {32, false, 0xFF, 0xFF00, 0xFF0000}, {0xA5, 0xD1, 0x9E, 0x00}, {0xA5D19E}},
        {"24 bits packed", {24, false, 0xFF0000, 0xFF00, 0xFF}, {0xA5, 0xD1, 0x9E, 0x03, 0x02, 0x01}, {0x9ED1A5, 0x010203}},
        {"16 bits widened", rgb565, {0xFF, 0xFF, 0x00, 0xF8, 0x1F, 0x00}, {0xFFFFFF, 0xFF0000, 0x0000FF}},
        {"10 bits a component", {32, false, 0x3FF00000, 0xFFC00, 0x3FF}, {0xFF, 0x03, 0x00, 0x20}, {0x8000FF}},
        {"too few bytes", {32, false, 0xFF0000, 0xFF00, 0xFF}, {0xA5, 0xD1, 0x9E}, {}},
    };
    for (const Case& c : cases) {
        const auto width = static_cast<int>(c.rgb.empty() ? 1 : c.rgb.size());
        EXPECT_EQ(RowToRgb(c.bytes.data(), c.bytes.size(), width, c.format), c.rgb) << c.name;
    }
}

}  // namespace
}  // namespace platform::ui::x11
