// A desktop window in a host window: the user's input as XTEST plays it, its
// parent's resizes, and the pictures it puts on the screen.
#include <gtest/gtest.h>

#include <thread>

#include "tests/platform/x11_desktop_fixture.h"

namespace velmora::test {
namespace {

using Kind = WindowEvent::Kind;

class X11WindowTest : public X11DesktopTest {
protected:
    // The pointer over window pixel (x, y), the move reported.
    void PointerAt(int x, int y) {
        server.pointerTo(kParentX + x, kParentY + y);
        ASSERT_TRUE(DispatchUntil([&] {
            return !events.empty() && events.back().kind == Kind::MouseMove && events.back().x == x && events.back().y == y;
        })) << "a move to " << x << "," << y;
        events.clear();
    }
    void Click(std::uint8_t button) {
        server.button(button, true);
        server.button(button, false);
    }
};

TEST_F(X11WindowTest, MotionAndButtonsArriveInWindowPixels) {
    PointerAt(10, 20);
    struct Row {
        std::uint8_t xButton;
        MouseButton button;
    };
    // X numbers the middle button 2 and the right one 3.
    for (const Row r : {Row{1, MouseButton::Left}, Row{2, MouseButton::Middle}, Row{3, MouseButton::Right}}) {
        events.clear();
        Click(r.xButton);
        ASSERT_TRUE(DispatchUntil([&] { return events.size() >= 2; })) << "X button " << int{r.xButton};
        EXPECT_EQ(events[0].kind, Kind::ButtonDown);
        EXPECT_EQ(events[1].kind, Kind::ButtonUp);
        for (const WindowEvent& e : events) {
            EXPECT_EQ(e.button, r.button) << "X button " << int{r.xButton};
            EXPECT_EQ(e.x, 10);
            EXPECT_EQ(e.y, 20);
        }
    }
}

TEST_F(X11WindowTest, WheelStepsAreOneMessageEachAndSidewaysIsIgnored) {
    PointerAt(30, 40);
    for (const int b : {4, 5, 6, 7, 4}) {
        Click(static_cast<std::uint8_t>(b));
    }
    ASSERT_TRUE(DispatchUntil([&] { return events.size() >= 3; }));
    Settle();
    ASSERT_EQ(events.size(), 3U) << "one message per step; buttons 6 and 7 give none";
    const int deltas[] = {120, -120, 120};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(events[i].kind, Kind::Wheel);
        EXPECT_EQ(events[i].delta, deltas[i]) << i;
        EXPECT_EQ(events[i].x, 30);
    }
}

TEST_F(X11WindowTest, KeysReachTheFocusedWindowAsVirtualKeys) {
    window->focus();
    ASSERT_TRUE(DispatchUntil([&] { return !Of(Kind::Activate).empty(); }));
    struct Row {
        std::uint32_t keysym;
        int virtualKey;
    };
    for (const Row r : {Row{'a', 0x41}, Row{'7', 0x37}, Row{0xFFC2, 0x74}, Row{0xFF0D, 0x0D}, Row{0xFF51, 0x25},
                        Row{0xFF1B, 0x1B}}) {
        ASSERT_NE(server.keycode(r.keysym), 0) << "no key has keysym " << std::hex << r.keysym;
        events.clear();
        server.key(r.keysym, true);
        server.key(r.keysym, false);
        ASSERT_TRUE(DispatchUntil([&] { return !events.empty(); })) << std::hex << r.keysym;
        EXPECT_EQ(events[0].kind, Kind::KeyDown);
        EXPECT_EQ(events[0].key, r.virtualKey) << std::hex << r.keysym;
    }
}

TEST_F(X11WindowTest, FocusComingAndGoingActivates) {
    window->focus();
    ASSERT_TRUE(DispatchUntil([&] { return !Of(Kind::Activate).empty(); }));
    EXPECT_TRUE(Of(Kind::Activate)[0].active);
    window->focus();  // already there: nothing changes
    window->activate();
    Settle();
    EXPECT_EQ(Of(Kind::Activate).size(), 1U);

    xcb_set_input_focus(server.connection, XCB_INPUT_FOCUS_POINTER_ROOT, parent, XCB_CURRENT_TIME);
    server.sync();
    ASSERT_TRUE(DispatchUntil([&] { return Of(Kind::Activate).size() == 2; }));
    EXPECT_FALSE(Of(Kind::Activate)[1].active);
}

TEST_F(X11WindowTest, TheWindowFollowsItsParentsResizesOnly) {
    server.resize(parent, 150, 120);
    ASSERT_TRUE(DispatchUntil([&] { return !Of(Kind::Size).empty(); }));
    Settle();
    ASSERT_EQ(Of(Kind::Size).size(), 1U);
    EXPECT_EQ(Of(Kind::Size)[0].width, 150);
    EXPECT_EQ(Of(Kind::Size)[0].height, 120);
    EXPECT_EQ(window->width(), 150);
    EXPECT_EQ(Geometry(WindowId()).width, 150);
    EXPECT_EQ(Geometry(WindowId()).height, 120);

    server.move(parent, 70, 90);  // a move is no resize
    // The editor's own resize: no message back, and none when the host
    // resizes its window to follow.
    window->setSize(200, 150);
    EXPECT_EQ(Geometry(WindowId()).width, 200);
    EXPECT_EQ(Geometry(WindowId()).height, 150);
    server.resize(parent, 200, 150);
    Settle();
    EXPECT_EQ(Of(Kind::Size).size(), 1U);
    EXPECT_EQ(window->width(), 200);
}

TEST_F(X11WindowTest, ThePictureIsOnTheScreen) {
    const xcb_window_t id = WindowId();
    EXPECT_EQ(Pixel(id, 0, 0), kPictureColour);
    EXPECT_EQ(Pixel(id, kWidth - 1, kHeight - 1), kPictureColour);
    EXPECT_EQ(Geometry(id).parent, parent);
    EXPECT_TRUE(Geometry(id).mapped);
}

TEST_F(X11WindowTest, AnInvalidationFromAnotherThreadPaintsOnceInTheSameMemory) {
    const std::uint32_t* memory = lastPictureMemory;
    std::thread mixing([&] { window->invalidate(platform::ui::Rect{1, 1, 5, 5}); });
    mixing.join();
    EXPECT_EQ(paints, 0) << "nothing paints before the dispatch";
    desktop->dispatch();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(lastPictureMemory, memory) << "a paint of the same size reuses the picture's memory";
    Settle();
    EXPECT_EQ(paints, 1);
}

TEST_F(X11WindowTest, AnExposedWindowIsPaintedAgain) {
    xcb_clear_area(server.connection, 1, WindowId(), 0, 0, 0, 0);
    server.sync();
    ASSERT_TRUE(DispatchUntil([&] { return paints == 1; }));
    Settle();
    EXPECT_EQ(paints, 1);
}

TEST_F(X11WindowTest, HiddenItLeavesItsParentAndShowsAgain) {
    const xcb_window_t id = WindowId();
    window->hide();
    EXPECT_FALSE(window->shown());
    EXPECT_FALSE(Geometry(id).mapped);
    EXPECT_EQ(Geometry(id).parent, server.root());
    window->invalidate();
    Settle();
    EXPECT_EQ(paints, 0) << "a hidden window is not painted";

    window->show(Handle(parent));
    EXPECT_TRUE(Geometry(id).mapped);
    EXPECT_EQ(Geometry(id).parent, parent);
    ASSERT_TRUE(DispatchUntil([&] { return paints == 1; }));
}

}  // namespace
}  // namespace velmora::test
