#pragma once
// A second client of the test's X server that plays the user: it moves the
// pointer, presses buttons and keys through XTEST, and reads back windows
// and pixels, so a menu running on another connection meets real input.
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/bitmap.h"
#include "platform/ui/geometry.h"

namespace platform::ui::x11 {

class X11InputDriver {
public:
    X11InputDriver();
    ~X11InputDriver();
    X11InputDriver(const X11InputDriver&) = delete;
    X11InputDriver& operator=(const X11InputDriver&) = delete;

    // Empty when connected to a server with XTEST; otherwise why not.
    const std::string& error() const { return error_; }
    xcb_connection_t* connection() const { return connection_; }
    xcb_window_t root() const { return screen_->root; }
    Rect screenRect() const { return {0, 0, screen_->width_in_pixels, screen_->height_in_pixels}; }

    void moveTo(Point onScreen);
    void press(int button);
    void release(int button);
    void click(Point onScreen, int button = 1);
    // Pressed and released.
    void tap(std::uint32_t keysym);
    // Returns once the server has handled everything sent so far.
    void sync();

    // Mapped override-redirect children of the root: open menus.
    std::vector<xcb_window_t> overrideRedirectWindows();
    // On screen (the root's children only).
    Rect geometry(xcb_window_t window);
    // The window's pixels, opaque 0xRRGGBB; empty when they cannot be read.
    Bitmap image(xcb_window_t window, const Rect& area);
    // Whether this client can grab the pointer (and then lets it go): no
    // other client holds it.
    bool pointerFree();

private:
    void fake(std::uint8_t type, std::uint8_t detail, Point at = {});

    xcb_connection_t* connection_ = nullptr;
    xcb_screen_t* screen_ = nullptr;
    xcb_key_symbols_t* symbols_ = nullptr;
    std::string error_;
};

}  // namespace platform::ui::x11
