// The host-window service on a real server: finding the host's windows by
// class and title, walking the tree, rectangles, the window at a point and
// rows of pixels.
#include <gtest/gtest.h>

#include <thread>

#include "platform/src/ui/x11/host_windows.h"
#include "tests/platform/x11_host_windows_fixture.h"

namespace velmora::test {
namespace {

using platform::ui::Point;
using platform::ui::Rect;

TEST_F(X11HostWindowsTest, FindsByClassAndTitleTopmostFirst) {
    struct Case {
        const char* name;
        xcb_window_t parent;  // XCB_NONE: the top-levels
        const char* className;
        const char* title;
        xcb_window_t after;
        xcb_window_t found;
    };
    const Case cases[] = {
        {"the topmost of a class", XCB_NONE, "HostMain", "", XCB_NONE, other},
        {"after it, the one below", XCB_NONE, "HostMain", "", other, mainWindow},
        {"after the last, none", XCB_NONE, "HostMain", "", mainWindow, XCB_NONE},
        {"by title in another case", XCB_NONE, "HostMain", "SESSION - velmora", XCB_NONE, mainWindow},
        {"by title alone", XCB_NONE, "", "second session", XCB_NONE, other},
        {"a part of the title is not the title", XCB_NONE, "HostMain", "Session", XCB_NONE, XCB_NONE},
        {"the class is not folded", XCB_NONE, "hostmain", "", XCB_NONE, XCB_NONE},
        {"without a title", XCB_NONE, "TQuickPopupMenuWindow", "", XCB_NONE, popup},
        {"children are not top-levels", XCB_NONE, "HostContainer", "", XCB_NONE, XCB_NONE},
        {"a child", mainWindow, "HostContainer", "", XCB_NONE, container},
        {"the topmost child of a class", container, "HostForm", "", XCB_NONE, roll},
        {"after it", container, "HostForm", "", roll, channels},
        {"a child by title", container, "HostForm", "piano ROLL - Velmora", XCB_NONE, roll},
        {"grandchildren are not children", mainWindow, "HostForm", "", XCB_NONE, XCB_NONE},
        {"after a window that is not a child", container, "HostForm", "", other, XCB_NONE},
        {"the root's children are the top-levels", server.root(), "HostMain", "", XCB_NONE, other},
    };
    for (const Case& c : cases) {
        const HWND found = c.parent == XCB_NONE ? windows->findTopLevel(c.className, c.title, Handle(c.after))
                                                : windows->findChild(Handle(c.parent), c.className, c.title, Handle(c.after));
        EXPECT_EQ(found, Handle(c.found)) << c.name;
    }
}

TEST_F(X11HostWindowsTest, TitlesPreferTheUtf8Name) {
    const xcb_atom_t netWmName = Atom("_NET_WM_NAME");
    const xcb_atom_t utf8 = Atom("UTF8_STRING");
    SetProperty(channels, netWmName, utf8, "Mixer \xC3\xA9t\xC3\xA9");
    SetProperty(roll, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, "Caf\xE9");  // ISO Latin-1
    struct Case {
        const char* title;
        xcb_window_t found;
    };
    const Case cases[] = {
        {"mixer \xC3\xA9T\xC3\xA9", channels}, {"Channel rack", XCB_NONE}, {"CAF\xC3\xA9", roll}, {"Caf\xE9", XCB_NONE}};
    for (const Case& c : cases) {
        EXPECT_EQ(windows->findChild(Handle(container), "HostForm", c.title), Handle(c.found)) << c.title;
    }
}

TEST_F(X11HostWindowsTest, ParentsAndFirstChildren) {
    struct Case {
        const char* name;
        xcb_window_t window;
        xcb_window_t parent;
        xcb_window_t firstChild;
    };
    const Case cases[] = {
        {"swatch", swatch, roll, XCB_NONE},
        {"roll", roll, container, swatch},
        {"container", container, mainWindow, roll},
        {"main", mainWindow, server.root(), container},
        {"root", server.root(), XCB_NONE, popup},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(windows->parent(Handle(c.window)), Handle(c.parent)) << c.name;
        EXPECT_EQ(windows->firstChild(Handle(c.window)), Handle(c.firstChild)) << c.name;
    }
}

TEST_F(X11HostWindowsTest, RectanglesAndClientCoordinates) {
    // The roll's border (2) lies outside its client area, whose origin is
    // main (40,30) + container (10,20) + roll (5,6) + border.
    Rect r;
    ASSERT_TRUE(windows->windowRect(Handle(roll), r));
    EXPECT_EQ(r, (Rect{55, 56, 359, 260}));
    ASSERT_TRUE(windows->clientRect(Handle(roll), r));
    EXPECT_EQ(r, (Rect{0, 0, 300, 200}));
    EXPECT_EQ(windows->clientToScreen(Handle(roll), Point{1, 2}), (Point{58, 60}));
    EXPECT_EQ(windows->screenToClient(Handle(roll), Point{58, 60}), (Point{1, 2}));
    EXPECT_EQ(windows->screenToClient(Handle(roll), Point{50, 50}), (Point{-7, -8}));
    ASSERT_TRUE(windows->windowRect(Handle(popup), r));
    EXPECT_EQ(r, (Rect{500, 200, 620, 200 + kPopupHeight}));
    int height = 0;
    ASSERT_TRUE(windows->clientHeight(Handle(popup), height));
    EXPECT_EQ(height, kPopupHeight);

    const xcb_window_t gone = Make({.parent = server.root(), .width = 5, .height = 5, .className = "Gone"});
    xcb_destroy_window(server.connection, gone);
    server.sync();
    EXPECT_FALSE(windows->windowRect(Handle(gone), r));
    EXPECT_FALSE(windows->clientRect(Handle(gone), r));
    EXPECT_FALSE(windows->clientHeight(Handle(gone), height));
}

TEST_F(X11HostWindowsTest, TheWindowAtAPointIsTheDeepestMappedOne) {
    // An unmapped window over the roll hides nothing.
    Make({.parent = roll, .x = 100, .y = 100, .width = 50, .height = 50, .className = "Hidden", .mapped = false});
    struct Case {
        const char* name;
        Point screen;
        xcb_window_t found;
    };
    const Case cases[] = {
        {"the swatch", {57 + 7, 58 + 9}, swatch},
        {"the swatch's last pixel", {57 + 7 + 19, 58 + 9 + 9}, swatch},
        {"the roll beside it", {57 + 30, 58 + 9}, roll},
        {"the roll's border", {55, 56}, roll},
        {"the roll under an unmapped window", {57 + 110, 58 + 110}, roll},
        {"the container outside the roll", {55 + 310, 56 + 5}, container},
        {"a window without labels", {500 + kMarkX, 202}, mark},
        {"the popup beside it", {500 + kMarkX, 203}, popup},
        {"nothing but the desktop", {5, 5}, server.root()},
        {"off the screen", {-1, 5}, XCB_NONE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(windows->windowAt(c.screen), Handle(c.found)) << c.name;
    }
}

TEST_F(X11HostWindowsTest, PixelRowsAreTheWindowsColours) {
    const std::vector<std::uint32_t> row = windows->pixelRow(Handle(popup), 2);
    ASSERT_EQ(row.size(), 120U);
    for (int x = 0; x < 120; ++x) {
        const bool marked = x >= kMarkX && x < kMarkX + kMarkWidth;
        EXPECT_EQ(row[static_cast<std::size_t>(x)], marked ? kMarkColour : kPopupColour) << "x " << x;
    }
    EXPECT_EQ(windows->pixelRow(Handle(popup), 1), std::vector<std::uint32_t>(120, kPopupColour));
    EXPECT_EQ(windows->pixelRow(Handle(swatch), 9), std::vector<std::uint32_t>(20, kSwatchColour));
    const std::vector<std::uint32_t> through = windows->pixelRow(Handle(roll), 9);
    ASSERT_EQ(through.size(), 300U);
    EXPECT_EQ(through[6], kRollColour);
    EXPECT_EQ(through[7], kSwatchColour) << "a child's pixels are part of the row";
    EXPECT_EQ(through[26], kSwatchColour);
    EXPECT_EQ(through[27], kRollColour);

    const xcb_window_t unmapped = Make({.parent = server.root(), .width = 5, .height = 5, .className = "Unmapped", .mapped = false});
    struct Empty {
        const char* name;
        xcb_window_t window;
        int y;
    };
    const Empty empty[] = {{"below the last row", popup, kPopupHeight}, {"above the first", popup, -1},
                           {"an unmapped window", unmapped, 0},           {"no window", XCB_NONE, 0}};
    for (const Empty& e : empty) {
        EXPECT_TRUE(windows->pixelRow(Handle(e.window), e.y).empty()) << e.name;
    }
}

// A window manager reparents a top-level into a frame of its own (a root
// child without WM_CLASS), sometimes through a wrapper inside the frame.
TEST_F(X11HostWindowsTest, AReparentedTopLevelIsFoundInItsFramesPlace) {
    for (const bool wrapper : {false, true}) {
        SCOPED_TRACE(wrapper ? "frame and wrapper" : "frame");
        const xcb_window_t frame = Make({.parent = server.root(), .x = 200, .y = 300, .width = 160, .height = 120, .colour = 0x111111});
        const xcb_window_t inner = wrapper ? Make({.parent = frame, .x = 0, .y = 16, .width = 160, .height = 104}) : frame;
        const xcb_window_t client = Make({.parent = server.root(), .width = 150, .height = 100, .className = "HostFramed",
                                          .title = "Framed"});
        xcb_reparent_window(server.connection, client, inner, 5, 4);
        // A plain top-level of the same class above the frame.
        const xcb_window_t plain = Make({.parent = server.root(), .x = 700, .y = 300, .width = 20, .height = 20, .className = "HostFramed"});

        EXPECT_EQ(windows->findTopLevel("HostFramed", ""), Handle(plain));
        EXPECT_EQ(windows->findTopLevel("HostFramed", "", Handle(plain)), Handle(client));
        EXPECT_EQ(windows->findTopLevel("", "framed"), Handle(client));
        EXPECT_EQ(windows->findTopLevel("HostMain", "", Handle(client)), Handle(other)) << "the frame sits above the session windows";
        EXPECT_EQ(windows->parent(Handle(client)), Handle(server.root()));
        Rect r;
        ASSERT_TRUE(windows->windowRect(Handle(client), r));
        EXPECT_EQ(r, (Rect{205, 304 + (wrapper ? 16 : 0), 355, 404 + (wrapper ? 16 : 0)}));

        xcb_destroy_window(server.connection, plain);
        xcb_destroy_window(server.connection, frame);
        server.sync();
    }
}

TEST_F(X11HostWindowsTest, ThePlatformAnswersTheDesktopsServiceOnlyOnceADesktopIsOpen) {
    platform::Platform headless;
    EXPECT_EQ(headless.hostWindows().findTopLevel("TQuickPopupMenuWindow", ""), nullptr);
    EXPECT_EQ(platform.hostWindows().findTopLevel("TQuickPopupMenuWindow", ""), Handle(popup));
}

TEST_F(X11HostWindowsTest, FirstCallsFromTwoThreadsShareOneConnection) {
    // The mixing thread and the interface thread may be the first to ask.
    const platform::ui::x11::X11HostWindows fresh("");
    HWND fromMixing = nullptr;
    std::thread mixing([&] { fromMixing = fresh.findTopLevel("TQuickPopupMenuWindow", ""); });
    const HWND fromInterface = fresh.findChild(Handle(container), "HostForm", "");
    mixing.join();
    EXPECT_EQ(fromMixing, Handle(popup));
    EXPECT_EQ(fromInterface, Handle(roll));
}

TEST(X11HostWindowsWithoutServer, NothingIsFoundAndNothingBreaks) {
    const platform::ui::x11::X11HostWindows nowhere("unix:/nonexistent/velmora-display:0");
    Rect r;
    EXPECT_EQ(nowhere.findTopLevel("", ""), nullptr);
    EXPECT_EQ(nowhere.windowAt(Point{1, 1}), nullptr);
    EXPECT_FALSE(nowhere.windowRect(Handle(1), r));
    EXPECT_TRUE(nowhere.pixelRow(Handle(1), 0).empty());
    EXPECT_FALSE(nowhere.keyDown(0x01));
    nowhere.key(0x24, true);
    nowhere.leftButton(true);
    EXPECT_EQ(nowhere.cursorPosition(), (Point{}));
}

}  // namespace
}  // namespace velmora::test
