// The host-window service's hands on a real server: the pointer, the left
// button and keys through XTEST as the host's window receives them, the keys
// held, and moving windows.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "tests/platform/x11_host_windows_fixture.h"

namespace velmora::test {
namespace {

using platform::ui::Point;
using platform::ui::Rect;

class X11HostInputTest : public X11HostWindowsTest {
protected:
    struct Input {
        std::uint8_t type = 0;
        std::uint8_t detail = 0;  // keycode or button
        int x = 0;                // in the roll's client coordinates
        int y = 0;
    };

    void SetUp() override {
        X11HostWindowsTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        xcb_set_input_focus(server.connection, XCB_INPUT_FOCUS_POINTER_ROOT, roll, XCB_CURRENT_TIME);
        server.sync();
    }

    // The next key or button event the roll gets, within two seconds.
    std::optional<Input> NextInput() {
        std::optional<Input> got;
        Until(
            [&] {
                while (!got) {
                    XReply<xcb_generic_event_t> e(xcb_poll_for_event(server.connection), &std::free);
                    if (!e) {
                        return;
                    }
                    const std::uint8_t type = e->response_type & 0x7F;
                    if (type >= XCB_KEY_PRESS && type <= XCB_BUTTON_RELEASE) {
                        // Key and button events share one layout.
                        const auto* k = reinterpret_cast<const xcb_key_press_event_t*>(e.get());
                        got = Input{type, k->detail, k->event_x, k->event_y};
                    }
                }
            },
            [&] { return got.has_value(); });
        return got;
    }
};

TEST_F(X11HostInputTest, ThePointerGoesWhereItIsSent) {
    for (const Point p : {Point{0, 0}, Point{57 + 100, 58 + 50}, Point{server.screen->width_in_pixels - 1, server.screen->height_in_pixels - 1}}) {
        windows->setCursorPosition(p);
        EXPECT_EQ(windows->cursorPosition(), p);
        const X11Server::Pointer seen = server.pointer();
        EXPECT_EQ((Point{seen.x, seen.y}), p) << "as another client sees it";
    }
}

TEST_F(X11HostInputTest, TheLeftButtonClicksWhereThePointerIs) {
    windows->setCursorPosition(windows->clientToScreen(Handle(roll), Point{100, 50}));
    EXPECT_FALSE(windows->keyDown(0x01));
    windows->leftButton(true);
    EXPECT_TRUE(windows->keyDown(0x01));
    EXPECT_FALSE(windows->keyDown(0x02));
    windows->leftButton(false);
    EXPECT_FALSE(windows->keyDown(0x01));
    for (const int type : {XCB_BUTTON_PRESS, XCB_BUTTON_RELEASE}) {
        const std::optional<Input> got = NextInput();
        ASSERT_TRUE(got.has_value()) << "button event " << type;
        EXPECT_EQ(got->type, type);
        EXPECT_EQ(got->detail, 1);
        EXPECT_EQ(got->x, 100);
        EXPECT_EQ(got->y, 50);
    }
}

TEST_F(X11HostInputTest, KeysArriveAsTheirKeysymsAndAreHeldUntilReleased) {
    struct Case {
        const char* name;
        int virtualKey;
        std::uint32_t keysym;
        int otherSide;  // must not be held meanwhile; 0: none
    };
    const Case cases[] = {
        {"Home", 0x24, 0xFF50, 0},
        {"Down", 0x28, 0xFF54, 0},
        {"Right", 0x27, 0xFF53, 0},
        {"Return", 0x0D, 0xFF0D, 0},
        {"A", 0x41, 'a', 0},
        {"Shift_L", 0xA0, kKeysymShiftL, 0xA1},
        {"Shift_R", 0xA1, kKeysymShiftR, 0xA0},
        {"Control_L", 0xA2, kKeysymControlL, 0xA3},
        {"Control_R", 0xA3, kKeysymControlR, 0xA2},
        {"Alt_L", 0xA4, kKeysymAltL, 0xA5},
        {"Alt_R", 0xA5, kKeysymAltR, 0xA4},
        {"Shift", 0x10, kKeysymShiftL, 0xA1},
    };
    for (const Case& c : cases) {
        const xcb_keycode_t code = server.keycode(c.keysym);
        ASSERT_NE(code, 0) << "the server's keyboard has no " << c.name;
        windows->key(c.virtualKey, true);
        EXPECT_TRUE(windows->keyDown(c.virtualKey)) << c.name;
        if (c.otherSide != 0) {
            EXPECT_FALSE(windows->keyDown(c.otherSide)) << c.name;
        }
        windows->key(c.virtualKey, false);
        EXPECT_FALSE(windows->keyDown(c.virtualKey)) << c.name;
        for (const int type : {XCB_KEY_PRESS, XCB_KEY_RELEASE}) {
            const std::optional<Input> got = NextInput();
            ASSERT_TRUE(got.has_value()) << c.name;
            EXPECT_EQ(got->type, type) << c.name;
            EXPECT_EQ(got->detail, code) << c.name;
        }
    }
}

TEST_F(X11HostInputTest, KeysTheUserHoldsAreHeldToo) {
    server.key(kKeysymShiftL, true);
    EXPECT_TRUE(windows->keyDown(0xA0));
    EXPECT_TRUE(windows->keyDown(0x10));
    EXPECT_FALSE(windows->keyDown(0xA1));
    server.key(kKeysymShiftL, false);
    EXPECT_FALSE(windows->keyDown(0xA0));
}

TEST_F(X11HostInputTest, KeysFollowAChangedKeyboard) {
    // Home moves to the key that typed q.
    const xcb_keycode_t home = server.keycode(0xFF50);
    const xcb_keycode_t q = server.keycode('q');
    ASSERT_NE(home, 0);
    ASSERT_NE(q, 0);
    (void)windows->keyDown(0x24);  // the service's table is read before the change
    XReply<xcb_get_keyboard_mapping_reply_t> map(
        xcb_get_keyboard_mapping_reply(server.connection, xcb_get_keyboard_mapping(server.connection, home, 1), nullptr), &std::free);
    ASSERT_TRUE(map);
    std::vector<xcb_keysym_t> row(map->keysyms_per_keycode, 0);
    xcb_change_keyboard_mapping(server.connection, 1, home, map->keysyms_per_keycode, row.data());
    row[0] = 0xFF50;
    xcb_change_keyboard_mapping(server.connection, 1, q, map->keysyms_per_keycode, row.data());
    server.sync();
    ServiceSync();  // the server's notice has reached the service

    windows->key(0x24, true);
    windows->key(0x24, false);
    const std::optional<Input> got = NextInput();
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->detail, q);
}

TEST_F(X11HostInputTest, MovedWindowsKeepTheirSize) {
    struct Case {
        const char* name;
        xcb_window_t window;
        Point to;
        Rect screen;  // afterwards
    };
    const Case cases[] = {
        {"a top-level, on the screen", popup, {300, 50}, {300, 50, 420, 50 + kPopupHeight}},
        {"a child, in its parent's client area", roll, {15, 16}, {65, 66, 369, 270}},
        {"a child, partly outside", roll, {-3, -4}, {47, 46, 351, 250}},
    };
    for (const Case& c : cases) {
        windows->moveWindow(Handle(c.window), c.to);
        Rect r;
        ASSERT_TRUE(windows->windowRect(Handle(c.window), r)) << c.name;
        EXPECT_EQ(r, c.screen) << c.name;
        const X11Server::Geometry g = server.geometry(c.window);
        EXPECT_EQ((Point{g.x, g.y}), c.to) << c.name;
    }
}

}  // namespace
}  // namespace velmora::test
