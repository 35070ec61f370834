#pragma once
// Which of the events read while a menu is open are the menu's own; all
// others wait for the desktop.
#include <xcb/xcb.h>

namespace platform::ui::x11 {

// Whether the event is addressed to the menu's window: its exposures and
// every pointer and key event its grabs report.
bool IsForWindow(const xcb_generic_event_t* event, xcb_window_t window);

}  // namespace platform::ui::x11
