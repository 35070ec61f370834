// The plugin's editor on a desktop, through the library as a host loads it:
// the host opens the plugin's connection, shows the editor in a window of its
// own and dispatches the connection's events.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/plugin_library.h"
#include "sdk/plug_constants.h"
#include "tests/support/recording_host.h"
#include "tests/support/x11_server.h"

namespace velmora::test {
namespace {

constexpr std::uint32_t kHostBackground = 0xFF00FF;

xcb_window_t Id(HWND handle) { return static_cast<xcb_window_t>(reinterpret_cast<std::uintptr_t>(handle)); }

// The instance's user settings live in a folder of the test's own; a scale
// other than 0 is the user's chosen editor scale.
class DesktopEditor : public ::testing::Test {
protected:
    void SetUp() override {
        VELMORA_REQUIRE_X_SERVER(server);
        std::filesystem::remove_all(config);
        std::filesystem::create_directories(config / "ZOLT Velmora");
        if (uiScale != nullptr) {
            std::ofstream(config / "ZOLT Velmora" / "settings.txt")
                << "Software\\\\ZOLT\\\\ZOLT Velmora\tUI Scale\ts\t" << uiScale << "\n";
        }
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        ASSERT_TRUE(library.ok()) << library.error();
        plug = library.create(&host, 1);
        std::string error;
        extension = host::HostExtensionOf(plug, error);
        ASSERT_NE(extension, nullptr) << error;
    }
    void TearDown() override {
        if (plug != nullptr) {
            plug->DestroyObject();
        }
        std::filesystem::remove_all(config);
    }
    // The instance's port as the JSON listing shows it.
    int Port() {
        std::string listing;
        const auto append = [](void* context, const char* text, std::size_t length) {
            static_cast<std::string*>(context)->append(text, length);
        };
        extension->listInstances(&plug, 1, append, &listing);
        const std::size_t at = listing.find("\"port\":");
        return at == std::string::npos ? -1 : std::atoi(listing.c_str() + at + 7);
    }
    // How many of a grid of the window's pixels are not the host's background.
    int PaintedPixels(xcb_window_t window, int width, int height) {
        int painted = 0;
        for (int y = 5; y < height; y += 20) {
            for (int x = 5; x < width; x += 20) {
                painted += server.pixel(window, x, y) != kHostBackground ? 1 : 0;
            }
        }
        return painted;
    }

    const char* uiScale = nullptr;
    const std::filesystem::path config = std::filesystem::temp_directory_path() /
                                         (std::string("velmora-x11-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    X11Server server;
    host::PluginLibrary library{VELMORA_PLUGIN_PATH};
    RecordingHost host;
    TFruityPlug* plug = nullptr;
    const HostExtension* extension = nullptr;
};

TEST_F(DesktopEditor, NoServerIsSaidInTheDebugLog) {
    int fd = -1;
    EXPECT_EQ(extension->openDesktop(":987", &fd), 0);
    EXPECT_EQ(fd, -1);
    ASSERT_EQ(host.debugLines().size(), 1U);
    EXPECT_NE(host.debugLines()[0].find("openDesktop failed: cannot open display \":987\""), std::string::npos)
        << host.debugLines()[0];
    EXPECT_EQ(extension->desktopDispatch(), 0) << "no desktop to dispatch";
    EXPECT_EQ(extension->openDesktop(nullptr, &fd), 1) << "a later call may still open one";
}

TEST_F(DesktopEditor, TheShownEditorIsAChildOfTheHostWindowAndPaints) {
    int fd = -1;
    ASSERT_EQ(extension->openDesktop(nullptr, &fd), 1);
    EXPECT_GE(fd, 0);
    int again = -1;
    EXPECT_EQ(extension->openDesktop(nullptr, &again), 1);
    EXPECT_EQ(again, fd) << "one connection per process";

    // The instance made before the desktop opened has a desktop window now.
    const xcb_window_t editor = Id(plug->EditorHandle);
    // The plugin's connection is not the test's: what it asked for shows
    // once the server got to it.
    X11Server::Geometry g;
    EXPECT_TRUE(Until([] {}, [&] { return (g = server.geometry(editor)).width != 0; }));
    EXPECT_EQ(g.parent, server.root());
    EXPECT_FALSE(g.mapped);
    int width = 0;
    int height = 0;
    ASSERT_EQ(extension->editorSize(plug, &width, &height), 1);
    EXPECT_EQ(g.width, width);
    EXPECT_EQ(g.height, height);

    const xcb_window_t form = server.topLevel(40, 40, width, height, kHostBackground);
    plug->Dispatcher(plug::FPD_ShowEditor, 0, static_cast<std::intptr_t>(form));
    EXPECT_TRUE(Until([] {}, [&] { return (g = server.geometry(editor)).mapped; }));
    EXPECT_EQ(g.parent, form);
    EXPECT_TRUE(g.mapped);
    EXPECT_EQ(g.x, 0);
    EXPECT_EQ(g.width, width);
    EXPECT_EQ(g.height, height);

    const int grid = ((width - 5 + 19) / 20) * ((height - 5 + 19) / 20);
    EXPECT_EQ(PaintedPixels(editor, width, height), 0) << "the editor paints when the host dispatches";
    ASSERT_TRUE(Until([&] { extension->desktopDispatch(); }, [&] { return PaintedPixels(editor, width, height) > grid / 2; }))
        << PaintedPixels(editor, width, height) << " of " << grid << " points painted";

    // An instance made now gets a desktop window from the start.
    TFruityPlug* second = library.create(&host, 2);
    EXPECT_TRUE(Until([] {}, [&] { return server.geometry(Id(second->EditorHandle)).width != 0; }));
    second->DestroyObject();
}

class DesktopEditorAtScale2 : public DesktopEditor {
protected:
    DesktopEditorAtScale2() { uiScale = "2.000000"; }

    int HeadlessEvent(HeadlessEventKind kind, int x, int y) {
        velmora::HeadlessEvent e{};
        e.kind = kind;
        e.x = x;
        e.y = y;
        e.button = kind == kHeadlessMouseMove ? 0 : 1;
        return extension->editorEvent(plug, &e);
    }
};

// A click on a tab is answered with its repaint within the dispatch that
// takes it: the tab bar's pixels change each time. The time from the click
// sent to the new pixels on the server, over twenty clicks, is printed.
TEST_F(DesktopEditor, AClickOnATabIsPaintedWithinMilliseconds) {
    int fd = -1;
    ASSERT_EQ(extension->openDesktop(nullptr, &fd), 1);
    const xcb_window_t editor = Id(plug->EditorHandle);
    int width = 0;
    int height = 0;
    ASSERT_EQ(extension->editorSize(plug, &width, &height), 1);
    const int formX = 30;
    const int formY = 30;
    const xcb_window_t form = server.topLevel(formX, formY, width, height, kHostBackground);
    plug->Dispatcher(plug::FPD_ShowEditor, 0, static_cast<std::intptr_t>(form));
    ASSERT_TRUE(Until([&] { extension->desktopDispatch(); }, [&] { return PaintedPixels(editor, width, height) > 0; }));

    // The tab buttons' top edge: the chosen tab is framed in green.
    const auto tabBar = [&] {
        std::vector<std::uint32_t> row;
        for (int x = 6; x < 141; x += 3) {
            row.push_back(server.pixel(editor, x, 187));
        }
        return row;
    };
    std::vector<double> milliseconds;
    for (int i = 0; i < 20; ++i) {
        const int tab = i % 2 == 0 ? 0 : 2;
        const std::vector<std::uint32_t> before = tabBar();
        server.pointerTo(formX + 28 + 45 * tab, formY + 207);
        const auto sent = std::chrono::steady_clock::now();
        server.button(1, true);
        server.button(1, false);
        server.sync();
        bool changed = false;
        while (!changed && std::chrono::steady_clock::now() - sent < std::chrono::seconds(2)) {
            extension->desktopDispatch();
            changed = tabBar() != before;
        }
        ASSERT_TRUE(changed) << "click " << i << " on tab " << tab << " was not painted";
        milliseconds.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - sent).count());
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("click to repaint over %zu clicks: median %.2f ms, worst %.2f ms\n", milliseconds.size(),
                milliseconds[milliseconds.size() / 2], milliseconds.back());
}

// The same drag of the port field, 8 pixels up five times, first on the
// headless editor and then with XTEST on the desktop: the desktop's pinned,
// hidden pointer steps the value exactly as the headless one does.
TEST_F(DesktopEditorAtScale2, ADragStepsAsHeadlessAndHidesThePointerMeanwhile) {
    int width = 0;
    int height = 0;
    ASSERT_EQ(extension->editorSize(plug, &width, &height), 1);
    ASSERT_EQ(width, 480) << "the editor at the user's scale 2";
    const int pressX = 170 * 2;  // the port field, in window pixels
    const int pressY = 200 * 2;
    constexpr int kSteps = 5;

    plug->Dispatcher(plug::FPD_ShowEditor, 0, 1);
    ASSERT_EQ(Port(), 0);
    HeadlessEvent(kHeadlessButtonDown, pressX, pressY);
    std::vector<int> headless;
    for (int i = 0; i < kSteps; ++i) {
        HeadlessEvent(kHeadlessMouseMove, pressX, pressY - 8);
        headless.push_back(Port());
    }
    HeadlessEvent(kHeadlessButtonUp, pressX, pressY);
    plug->Dispatcher(plug::FPD_ShowEditor, 0, 0);
    EXPECT_EQ(headless, (std::vector<int>{1, 2, 3, 4, 5})) << "8 pixels a step";
    ASSERT_EQ(extension->setPortChannel(plug, 0, -1), 1);

    int fd = -1;
    ASSERT_EQ(extension->openDesktop(nullptr, &fd), 1);
    const xcb_window_t editor = Id(plug->EditorHandle);
    const int formX = 20;
    const int formY = 20;
    const xcb_window_t form = server.topLevel(formX, formY, width, height, kHostBackground);
    plug->Dispatcher(plug::FPD_ShowEditor, 0, static_cast<std::intptr_t>(form));
    ASSERT_TRUE(Until([] {}, [&] { return server.geometry(editor).mapped; }));
    const auto dispatch = [&] { extension->desktopDispatch(); };

    const int pressedX = formX + pressX;
    const int pressedY = formY + pressY;
    server.pointerTo(pressedX, pressedY);
    ASSERT_GT(server.visibleCursorPixels(), 0);
    server.button(1, true);
    ASSERT_TRUE(Until(dispatch, [&] { return server.visibleCursorPixels() == 0; })) << "the drag hides the pointer";
    std::vector<int> desktop;
    for (int i = 0; i < kSteps; ++i) {
        server.pointerTo(pressedX, pressedY - 8);
        // The editor pins the pointer back at the press point once it took the move.
        ASSERT_TRUE(Until(dispatch, [&] {
            const X11Server::Pointer p = server.pointer();
            return p.x == pressedX && p.y == pressedY;
        })) << "move " << i;
        desktop.push_back(Port());
        EXPECT_EQ(server.visibleCursorPixels(), 0) << "move " << i;
    }
    EXPECT_EQ(desktop, headless);
    server.button(1, false);
    EXPECT_TRUE(Until(dispatch, [&] { return server.visibleCursorPixels() > 0; })) << "the release shows the pointer again";
    server.pointerTo(pressedX + 200, pressedY + 200);
    EXPECT_EQ(server.pointer().x, pressedX + 200) << "the pointer is free again";
}

}  // namespace
}  // namespace velmora::test
