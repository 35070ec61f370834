// The server's pointer and keyboard as the desktop hands them to the editor:
// hiding, pinning and warping the pointer, and which keys are held.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/platform/x11_desktop_fixture.h"

namespace velmora::test {
namespace {

using platform::ui::CursorToken;
using platform::ui::Point;
using platform::ui::Rect;

class X11PointerTest : public X11DesktopTest {
protected:
    void SetUp() override {
        X11DesktopTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        server.pointerTo(kParentX + 40, kParentY + 30);
        Settle();
    }
    Point Position() { return desktop->cursor().position(); }
    // The absolute input an editor computes for a screen pixel.
    Point Absolute(Point screen) {
        const platform::ui::ScreenSize size = desktop->cursor().screenSize();
        return Point{static_cast<int>(std::trunc(65534.0 / size.width * screen.x)),
                     static_cast<int>(std::trunc(65534.0 / size.height * screen.y))};
    }
};

TEST_F(X11PointerTest, HiddenOverTheEditorAndShownAgain) {
    platform::ui::Cursor& cursor = desktop->cursor();
    ASSERT_GT(CursorPixels(), 0);
    const CursorToken shown = cursor.hide();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(CursorPixels(), 0);
    const CursorToken hidden = cursor.hide();
    ASSERT_NE(hidden, nullptr);
    cursor.restore(hidden);
    EXPECT_EQ(CursorPixels(), 0) << "the second hide found a hidden pointer";
    cursor.restore(shown);
    EXPECT_GT(CursorPixels(), 0);
}

TEST_F(X11PointerTest, HiddenWhilePinnedToo) {
    platform::ui::Cursor& cursor = desktop->cursor();
    const Point p = Position();
    const CursorToken shown = cursor.hide();
    cursor.confine(Rect{p.x - 5, p.y - 10, p.x + 5, p.y + 10});
    EXPECT_EQ(CursorPixels(), 0) << "the grab shows the blank cursor";
    cursor.restore(shown);
    EXPECT_GT(CursorPixels(), 0);
    cursor.hide();
    EXPECT_EQ(CursorPixels(), 0) << "hiding during the grab changes the grab's cursor";
    cursor.release();
    cursor.restore(shown);
}

TEST_F(X11PointerTest, PinnedThePointerStaysInsideUntilReleased) {
    platform::ui::Cursor& cursor = desktop->cursor();
    server.pointerTo(300, 300);
    cursor.confine(Rect{100, 100, 110, 120});
    EXPECT_EQ(Position(), (Point{109, 119})) << "a pointer outside moves to the nearest point inside";
    cursor.warp(Point{65535, 65535});
    EXPECT_EQ(Position(), (Point{109, 119}));
    cursor.warp(Point{0, 0});
    EXPECT_EQ(Position(), (Point{100, 100}));
    server.pointerTo(500, 20);
    EXPECT_EQ(Position(), (Point{109, 100})) << "the user's own motion stops at the edge too";
    cursor.release();
    cursor.warp(Absolute(Point{600, 700}));
    EXPECT_EQ(Position(), (Point{600, 700}));
}

TEST_F(X11PointerTest, WarpsSpanTheScreenAndReportTheMove) {
    platform::ui::Cursor& cursor = desktop->cursor();
    EXPECT_EQ(cursor.screenSize(), (platform::ui::ScreenSize{server.screen->width_in_pixels, server.screen->height_in_pixels}));
    const platform::ui::ScreenSize size = cursor.screenSize();
    for (const Point p : {Point{0, 0}, Point{1, 1}, Point{size.width / 2, size.height / 2}, Point{size.width - 1, size.height - 1}}) {
        cursor.warp(Absolute(p));
        EXPECT_EQ(Position(), p) << "the editor's aim comes back to its pixel " << p.x << "," << p.y;
    }
    cursor.warp(Point{65535 / 2, 65535 / 2});
    EXPECT_EQ(Position(), (Point{(size.width + 1) / 2, (size.height + 1) / 2})) << "round(absolute x size / 65535)";

    events.clear();
    cursor.warp(Absolute(Point{kParentX + 7, kParentY + 9}));
    ASSERT_TRUE(DispatchUntil([&] { return !Of(WindowEvent::Kind::MouseMove).empty(); }));
    EXPECT_EQ(Of(WindowEvent::Kind::MouseMove).back().x, 7);
    EXPECT_EQ(Of(WindowEvent::Kind::MouseMove).back().y, 9);
}

TEST_F(X11PointerTest, HeldKeysTellTheSidesApart) {
    const platform::KeyboardState& keys = desktop->keyboardState();
    struct Row {
        const char* name;
        std::uint32_t keysym;
        int side;
        int otherSide;
        int either;
    };
    const Row rows[] = {{"Shift_L", kKeysymShiftL, 0xA0, 0xA1, 0x10},   {"Shift_R", kKeysymShiftR, 0xA1, 0xA0, 0x10},
                        {"Control_L", kKeysymControlL, 0xA2, 0xA3, 0x11}, {"Control_R", kKeysymControlR, 0xA3, 0xA2, 0x11},
                        {"Alt_L", kKeysymAltL, 0xA4, 0xA5, 0x12},       {"Alt_R", kKeysymAltR, 0xA5, 0xA4, 0x12}};
    for (const Row& r : rows) {
        ASSERT_NE(server.keycode(r.keysym), 0) << "the server's keyboard has no " << r.name;
        EXPECT_FALSE(keys.keyHeld(r.side)) << r.name;
        server.key(r.keysym, true);
        EXPECT_TRUE(keys.keyHeld(r.side)) << r.name;
        EXPECT_TRUE(keys.keyHeld(r.either)) << r.name;
        EXPECT_FALSE(keys.keyHeld(r.otherSide)) << r.name;
        EXPECT_EQ(keys.controlHeld(), r.either == 0x11) << r.name;
        server.key(r.keysym, false);
        EXPECT_FALSE(keys.keyHeld(r.side)) << r.name;
        EXPECT_FALSE(keys.keyHeld(r.either)) << r.name;
    }
    server.key('q', true);
    EXPECT_TRUE(keys.keyHeld(0x51));
    EXPECT_FALSE(keys.keyHeld(0x57));
    server.key('q', false);
}

TEST_F(X11PointerTest, HeldMouseButtonsByTheirVirtualKeys) {
    const platform::KeyboardState& keys = desktop->keyboardState();
    struct Row {
        std::uint8_t xButton;
        int virtualKey;
    };
    for (const Row r : {Row{1, 0x01}, Row{3, 0x02}, Row{2, 0x04}}) {
        server.button(r.xButton, true);
        for (const int vk : {0x01, 0x02, 0x04}) {
            EXPECT_EQ(keys.keyHeld(vk), vk == r.virtualKey) << "X button " << int{r.xButton} << ", key " << vk;
        }
        server.button(r.xButton, false);
        EXPECT_FALSE(keys.keyHeld(r.virtualKey));
    }
}

}  // namespace
}  // namespace velmora::test
