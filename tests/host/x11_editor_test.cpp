// The plugin's editor on a desktop, through the library as a host loads it:
// the host opens the plugin's connection, shows the editor in a window of its
// own and dispatches the connection's events.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "host/plugin_library.h"
#include "sdk/plug_constants.h"
#include "tests/support/recording_host.h"
#include "tests/support/x11_server.h"

namespace velmora::test {
namespace {

constexpr std::uint32_t kHostBackground = 0xFF00FF;

xcb_window_t Id(HWND handle) { return static_cast<xcb_window_t>(reinterpret_cast<std::uintptr_t>(handle)); }

class DesktopEditor : public ::testing::Test {
protected:
    void SetUp() override {
        VELMORA_REQUIRE_X_SERVER(server);
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

}  // namespace
}  // namespace velmora::test
