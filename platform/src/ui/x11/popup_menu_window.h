#pragma once
// A pop-up menu's own window: override-redirect at its place on the screen,
// painted through a cairo xcb surface, holding the pointer and keyboard grabs
// while it is open. Closing it ungrabs, destroys it and sorts out the events
// already on their way: its own are dropped, the others deferred.
#include <cairo.h>
#include <xcb/xcb.h>

#include "connection.h"
#include "platform/ui/geometry.h"

namespace platform::ui::x11 {

class MenuWindow {
public:
    MenuWindow(Connection& connection, const Rect& onScreen);
    ~MenuWindow() { close(); }
    MenuWindow(const MenuWindow&) = delete;
    MenuWindow& operator=(const MenuWindow&) = delete;

    xcb_window_t id() const { return window_; }
    // Created, mapped and paintable; the grabs can follow at once.
    bool ready() const { return window_ != XCB_NONE && surface_ != nullptr; }
    // Pointer and keyboard, every event reported to this window. False when
    // another client keeps them for longer than a menu may wait.
    bool grabInput();
    // A cairo context on the window, drawn off screen and copied on release.
    cairo_t* beginPaint();
    void endPaint(cairo_t* cr);
    void close();

private:
    Connection& connection_;
    xcb_window_t window_ = XCB_NONE;
    cairo_surface_t* surface_ = nullptr;
    bool pointerGrabbed_ = false;
    bool keyboardGrabbed_ = false;
};

}  // namespace platform::ui::x11
