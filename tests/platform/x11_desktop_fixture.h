#pragma once
// A desktop window shown in a host window the test made, recording what its
// handler gets; every paint presents one solid colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/x11_desktop.h"
#include "tests/support/x11_server.h"

namespace velmora::test {

using platform::ui::Bitmap;
using platform::ui::MouseButton;
using platform::ui::WindowEvent;

inline void* Handle(xcb_window_t id) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(id)); }
inline xcb_window_t Id(void* handle) { return static_cast<xcb_window_t>(reinterpret_cast<std::uintptr_t>(handle)); }

class X11DesktopTest : public ::testing::Test {
protected:
    static constexpr int kParentX = 50;
    static constexpr int kParentY = 60;
    static constexpr int kWidth = 100;
    static constexpr int kHeight = 80;
    static constexpr std::uint32_t kParentColour = 0xFF00FF;
    static constexpr std::uint32_t kPictureColour = 0x336699;

    void SetUp() override {
        VELMORA_REQUIRE_X_SERVER(server);
        std::string error;
        desktop = platform::ui::X11Desktop::open(nullptr, error);
        ASSERT_NE(desktop, nullptr) << error;
        parent = server.topLevel(kParentX, kParentY, kWidth, kHeight, kParentColour);
        window = desktop->createWindow();
        window->setSize(kWidth, kHeight);
        window->setHandler([this](const WindowEvent& e) { return record(e); });
        window->show(Handle(parent));
        ASSERT_TRUE(DispatchUntil([&] { return paints >= 1; })) << "a shown window is painted";
        // The map's own exposure may come a dispatch later; tests count from here.
        Settle();
        paints = 0;
        events.clear();
    }
    void TearDown() override {
        window.reset();
        desktop.reset();
    }

    bool record(const WindowEvent& e) {
        if (e.kind != WindowEvent::Kind::Paint) {
            events.push_back(e);
            return true;
        }
        ++paints;
        Bitmap picture = window->takePictureMemory();
        if (picture.width != window->width() || picture.height != window->height()) {
            picture = Bitmap{0, window->width(), window->height(), false, {}};
            picture.pixels.resize(static_cast<std::size_t>(picture.width * picture.height));
        }
        std::fill(picture.pixels.begin(), picture.pixels.end(), 0xFF000000 | kPictureColour);
        lastPictureMemory = picture.pixels.data();
        window->present(std::move(picture));
        return true;
    }

    bool DispatchUntil(const std::function<bool()>& done) {
        return Until([&] { desktop->dispatch(); }, done);
    }
    // The server carried out everything and the desktop handled all it got.
    void Settle() {
        server.sync();
        for (int i = 0; i < 3; ++i) {
            desktop->dispatch();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    // Every request the desktop sent so far has been carried out (a round
    // trip on its connection), so what the test's connection reads next
    // shows them: the server orders requests within a connection only.
    void DesktopSync() { (void)desktop->cursor().position(); }
    X11Server::Geometry Geometry(xcb_window_t id) {
        DesktopSync();
        return server.geometry(id);
    }
    std::uint32_t Pixel(xcb_window_t id, int x, int y) {
        DesktopSync();
        return server.pixel(id, x, y);
    }
    int CursorPixels() {
        DesktopSync();
        return server.visibleCursorPixels();
    }
    // Events of one kind the handler got.
    std::vector<WindowEvent> Of(WindowEvent::Kind kind) const {
        std::vector<WindowEvent> found;
        for (const WindowEvent& e : events) {
            if (e.kind == kind) {
                found.push_back(e);
            }
        }
        return found;
    }
    xcb_window_t WindowId() const { return Id(window->nativeHandle()); }

    X11Server server;
    std::unique_ptr<platform::ui::X11Desktop> desktop;
    xcb_window_t parent = XCB_NONE;
    std::unique_ptr<platform::ui::Window> window;
    std::vector<WindowEvent> events;
    int paints = 0;
    const std::uint32_t* lastPictureMemory = nullptr;
};

}  // namespace velmora::test
