#pragma once
// The desktop's editor windows, found by the X11 ids events name: their own
// and their parents' (whose size they follow). Windows enter and leave it
// themselves; the desktop's dispatch and the cursor read it.
#include <xcb/xcb.h>

#include <unordered_map>

namespace platform::ui::x11 {

class X11Window;

struct WindowDirectory {
    std::unordered_map<xcb_window_t, X11Window*> windows;  // by the window's own id
    std::unordered_map<xcb_window_t, X11Window*> parents;  // by the id of the host window holding it
    // The pointer's shape over every editor window: XCB_NONE shows the
    // parent's, the cursor's blank one hides it.
    xcb_cursor_t pointerShape = XCB_NONE;
};

}  // namespace platform::ui::x11
