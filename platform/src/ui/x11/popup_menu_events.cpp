#include "popup_menu_events.h"

namespace platform::ui::x11 {

bool IsForWindow(const xcb_generic_event_t* event, xcb_window_t window) {
    switch (event->response_type & 0x7F) {
        case XCB_EXPOSE: return reinterpret_cast<const xcb_expose_event_t*>(event)->window == window;
        case XCB_GRAPHICS_EXPOSURE:
            return reinterpret_cast<const xcb_graphics_exposure_event_t*>(event)->drawable == window;
        case XCB_NO_EXPOSURE: return reinterpret_cast<const xcb_no_exposure_event_t*>(event)->drawable == window;
        case XCB_KEY_PRESS:
        case XCB_KEY_RELEASE:
        case XCB_BUTTON_PRESS:
        case XCB_BUTTON_RELEASE:
        case XCB_MOTION_NOTIFY:
            // The same layout for all five.
            return reinterpret_cast<const xcb_key_press_event_t*>(event)->event == window;
        case XCB_ENTER_NOTIFY:
        case XCB_LEAVE_NOTIFY: return reinterpret_cast<const xcb_enter_notify_event_t*>(event)->event == window;
        default: return false;
    }
}

}  // namespace platform::ui::x11
