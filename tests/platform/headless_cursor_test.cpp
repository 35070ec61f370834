// The virtual pointer of a host without a window system, and how the
// headless window moves it and hears of its warps.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "platform/platform.h"
#include "platform/ui/headless_cursor.h"
#include "platform/ui/headless_window.h"

namespace platform::ui {
namespace {

constexpr Point kOrigin = HeadlessCursor::kWindowOrigin;

// The absolute input an editor computes for a screen pixel.
Point Absolute(Point screen) {
    const ScreenSize size = HeadlessCursor::kScreen;
    return Point{static_cast<int>(std::trunc(65534.0 / size.width * screen.x)),
                 static_cast<int>(std::trunc(65534.0 / size.height * screen.y))};
}

WindowEvent Mouse(WindowEvent::Kind kind, int x, int y) {
    WindowEvent e;
    e.kind = kind;
    e.x = x;
    e.y = y;
    e.button = kind == WindowEvent::Kind::MouseMove ? MouseButton::None : MouseButton::Left;
    return e;
}

// A shown window on the cursor that records the positions of the mouse
// events its handler gets.
class HeadlessCursorTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.setHandler([this](const WindowEvent& e) {
            if (e.kind == WindowEvent::Kind::MouseMove || e.kind == WindowEvent::Kind::ButtonDown) {
                seen.push_back(Point{e.x, e.y});
            }
            return true;
        });
        window.show(this);
    }

    HeadlessCursor cursor;
    const velmora::HeadlessHost* table = nullptr;
    HeadlessWindow window{&table, &cursor};
    std::vector<Point> seen;
};

TEST_F(HeadlessCursorTest, HideAnswersTheShownCursorAndRestoreBringsItBack) {
    EXPECT_FALSE(cursor.hidden());
    const CursorToken shown = cursor.hide();
    EXPECT_NE(shown, nullptr);
    EXPECT_TRUE(cursor.hidden());
    // Hiding again answers the hidden cursor, still a token.
    const CursorToken again = cursor.hide();
    EXPECT_NE(again, nullptr);
    cursor.restore(again);
    EXPECT_TRUE(cursor.hidden());
    cursor.restore(nullptr);  // not a cursor: nothing changes
    EXPECT_TRUE(cursor.hidden());
    cursor.restore(shown);
    EXPECT_FALSE(cursor.hidden());
}

TEST_F(HeadlessCursorTest, HostEventsPutThePointerAtTheWindowsOrigin) {
    EXPECT_TRUE(window.deliver(Mouse(WindowEvent::Kind::ButtonDown, 30, 40)));
    EXPECT_EQ(cursor.position(), (Point{kOrigin.x + 30, kOrigin.y + 40}));
    EXPECT_EQ(seen, (std::vector<Point>{{30, 40}}));

    // The screen's edges stop it, even for positions no int sum holds.
    window.deliver(Mouse(WindowEvent::Kind::MouseMove, INT_MAX, INT_MIN));
    EXPECT_EQ(cursor.position(), (Point{HeadlessCursor::kScreen.width - 1, 0}));
    EXPECT_EQ(seen.back(), (Point{HeadlessCursor::kScreen.width - 1 - kOrigin.x, -kOrigin.y}));
}

// The editor's conversion to absolute input lands on the pixel it aimed at,
// in every column and row of the screen.
TEST_F(HeadlessCursorTest, AWarpLandsOnThePixelTheEditorAimedAt) {
    for (int x = 0; x < HeadlessCursor::kScreen.width; ++x) {
        const int y = x % HeadlessCursor::kScreen.height;
        cursor.warp(Absolute(Point{x, y}));
        ASSERT_EQ(cursor.position(), (Point{x, y})) << "aimed at " << x << "," << y;
    }
    ASSERT_EQ(cursor.warps().size(), static_cast<std::size_t>(HeadlessCursor::kScreen.width));
    EXPECT_EQ(cursor.warps().back().absolute, Absolute(Point{2559, 2559 % 1440}));
    // The far end of the input's span is the last pixel, not one past it.
    cursor.warp(Point{65535, 65535});
    EXPECT_EQ(cursor.position(), (Point{2559, 1439}));
}

TEST_F(HeadlessCursorTest, AWarpSendsTheWindowUnderThePointerAMove) {
    cursor.warp(Absolute(Point{500, 500}));
    EXPECT_TRUE(seen.empty()) << "no window has had the pointer yet";

    window.deliver(Mouse(WindowEvent::Kind::MouseMove, 10, 10));
    cursor.warp(Absolute(Point{kOrigin.x + 50, kOrigin.y + 60}));
    EXPECT_EQ(seen, (std::vector<Point>{{10, 10}, {50, 60}}));

    window.hide();
    cursor.warp(Absolute(Point{kOrigin.x + 5, kOrigin.y + 6}));
    EXPECT_EQ(seen.size(), 2u) << "a hidden window gets no mouse";

    // A window that is gone is no longer told.
    {
        HeadlessWindow brief(&table, &cursor);
        int moves = 0;
        brief.setHandler([&](const WindowEvent&) {
            ++moves;
            return true;
        });
        brief.show(this);
        brief.deliver(Mouse(WindowEvent::Kind::MouseMove, 1, 1));
        cursor.warp(Absolute(Point{kOrigin.x + 2, kOrigin.y + 2}));
        EXPECT_EQ(moves, 2);
    }
    cursor.warp(Absolute(Point{kOrigin.x + 3, kOrigin.y + 3}));  // reaches no window (the sanitizers would see one)
    EXPECT_EQ(cursor.position(), (Point{kOrigin.x + 3, kOrigin.y + 3}));
}

// A confined pointer stops at the confinement's edge, the right and bottom
// edges outside it, for the host's moves and for warps alike; the window
// hears where it stopped.
TEST_F(HeadlessCursorTest, AConfinedPointerStopsAtTheEdge) {
    window.deliver(Mouse(WindowEvent::Kind::MouseMove, 100, 100));
    const Point at = cursor.position();
    cursor.confine(Rect{at.x - 5, at.y - 10, at.x + 5, at.y + 10});
    ASSERT_EQ(cursor.confinement(), (Rect{at.x - 5, at.y - 10, at.x + 5, at.y + 10}));
    EXPECT_EQ(cursor.position(), at) << "inside already";

    const struct {
        Point to;      // window point the host moves to
        Point landed;  // window point the pointer reaches
    } moves[] = {
        {{100, 20}, {100, 90}},    // far up: the top edge
        {{100, 500}, {100, 109}},  // far down: the row above the bottom edge
        {{0, 100}, {95, 100}},
        {{300, 100}, {104, 100}},
        {{103, 96}, {103, 96}},  // inside: as asked
    };
    for (const auto& m : moves) {
        seen.clear();
        window.deliver(Mouse(WindowEvent::Kind::MouseMove, m.to.x, m.to.y));
        EXPECT_EQ(seen, (std::vector<Point>{m.landed})) << m.to.x << "," << m.to.y;
    }
    cursor.warp(Absolute(Point{0, 0}));
    EXPECT_EQ(cursor.position(), (Point{at.x - 5, at.y - 10}));
    EXPECT_EQ(cursor.warps().back().landed, cursor.position());

    cursor.release();
    EXPECT_FALSE(cursor.confinement().has_value());
    window.deliver(Mouse(WindowEvent::Kind::MouseMove, 100, 20));
    EXPECT_EQ(cursor.position(), (Point{kOrigin.x + 100, kOrigin.y + 20}));

    // Confining moves a pointer that is outside at once.
    cursor.confine(Rect{0, 0, 10, 10});
    EXPECT_EQ(cursor.position(), (Point{9, 9}));
}

TEST(PlatformCursor, ThePlatformsWindowsMoveItsPointer) {
    Platform platform;
    auto window = platform.createWindow();
    window->setHandler([](const WindowEvent&) { return true; });
    static_cast<HeadlessWindow&>(*window).deliver(Mouse(WindowEvent::Kind::MouseMove, 7, 8));
    EXPECT_EQ(platform.cursor().position(), (Point{kOrigin.x + 7, kOrigin.y + 8}));
    EXPECT_EQ(platform.cursor().screenSize(), HeadlessCursor::kScreen);
}

}  // namespace
}  // namespace platform::ui
