#pragma once
// The server's pointer. Hiding sets a blank cursor on every editor window
// (and on the pinning grab); pinning is a pointer grab confined to an
// input-only window over the rectangle, so the server itself keeps the
// pointer inside, and moves it in when it is outside.
#include <xcb/xcb.h>

#include "connection.h"
#include "platform/ui/cursor.h"
#include "window_directory.h"

namespace platform::ui::x11 {

class X11Cursor final : public Cursor {
public:
    X11Cursor(Connection& x, WindowDirectory& directory) : x_(x), directory_(directory) {}
    ~X11Cursor() override;
    X11Cursor(const X11Cursor&) = delete;
    X11Cursor& operator=(const X11Cursor&) = delete;

    CursorToken hide() override;
    void restore(CursorToken previous) override;
    Point position() const override;
    void confine(const Rect& screen) override;
    void release() override;
    // Absolute input becomes pixel round(absolute × size / 65535), as on the
    // headless screen, so the editor's own conversion comes back to the pixel
    // it aimed at. The server then reports the motion to the window under
    // the pointer.
    void warp(Point absolute) override;
    ScreenSize screenSize() const override;

    // The editor window that last reported pointer input: the grab that
    // pins the pointer sends its input there.
    void pointerOver(xcb_window_t window) { pointerWindow_ = window; }

private:
    void setShape(bool hidden);
    xcb_cursor_t blank();

    Connection& x_;
    WindowDirectory& directory_;
    bool hidden_ = false;
    xcb_cursor_t blank_ = XCB_NONE;
    xcb_window_t confinement_ = XCB_NONE;
    xcb_window_t pointerWindow_ = XCB_NONE;
};

}  // namespace platform::ui::x11
