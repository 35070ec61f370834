#pragma once
// What the X11 pieces of the desktop share: the connection, the screen and
// the visual that cairo's xcb surfaces draw with. The desktop owns it.
#include <xcb/xcb.h>

#include <cstdlib>
#include <deque>

namespace platform::ui::x11 {

struct Connection {
    xcb_connection_t* connection = nullptr;
    xcb_screen_t* screen = nullptr;
    xcb_visualtype_t* visual = nullptr;  // the screen's root visual
    // Events that a modal loop (a pop-up menu's) read but that belong to
    // other windows; the desktop's next dispatch handles them first, in order.
    // Owned: each was allocated by xcb and is released with std::free.
    std::deque<xcb_generic_event_t*> deferred;
};

// Screen `number` of a connection (the one xcb_connect chose), null when the
// server has no such screen.
inline xcb_screen_t* ScreenOf(xcb_connection_t* c, int number) {
    for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c)); it.rem > 0; xcb_screen_next(&it), --number) {
        if (number == 0) {
            return it.data;
        }
    }
    return nullptr;
}

}  // namespace platform::ui::x11
