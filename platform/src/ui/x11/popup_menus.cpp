#include "popup_menus.h"

#include <cstdlib>

#include "popup_menu_events.h"
#include "popup_menu_keys.h"
#include "popup_menu_layout.h"
#include "popup_menu_painter.h"
#include "popup_menu_tracking.h"
#include "popup_menu_window.h"

namespace platform::ui::x11 {

namespace {

// The button held down as the menu opens, if any: its release may choose.
int HeldButton(std::uint16_t mask) {
    for (int button = 1; button <= 3; ++button) {
        if ((mask & (XCB_BUTTON_MASK_1 << (button - 1))) != 0) {
            return button;
        }
    }
    return 0;
}

Point At(std::int16_t x, std::int16_t y) { return {x, y}; }

// Hands one of the menu's own events to the tracker; true when it needs a paint.
bool Track(MenuTracker& tracker, const MenuKeyMap& keys, const xcb_generic_event_t* event) {
    const int before = tracker.highlighted();
    switch (event->response_type & 0x7F) {
        case XCB_EXPOSE: return reinterpret_cast<const xcb_expose_event_t*>(event)->count == 0;
        case XCB_MOTION_NOTIFY: {
            const auto* e = reinterpret_cast<const xcb_motion_notify_event_t*>(event);
            tracker.motion(At(e->event_x, e->event_y));
            break;
        }
        case XCB_BUTTON_PRESS: {
            const auto* e = reinterpret_cast<const xcb_button_press_event_t*>(event);
            tracker.press(e->detail, At(e->event_x, e->event_y));
            break;
        }
        case XCB_BUTTON_RELEASE: {
            const auto* e = reinterpret_cast<const xcb_button_release_event_t*>(event);
            tracker.release(e->detail, At(e->event_x, e->event_y));
            break;
        }
        case XCB_KEY_PRESS: tracker.key(keys.key(reinterpret_cast<const xcb_key_press_event_t*>(event)->detail)); break;
        default: break;  // key releases: the menu acts on presses
    }
    return tracker.highlighted() != before;
}

}  // namespace

int X11PopupMenus::track(const std::vector<MenuEntry>& entries) const {
    xcb_connection_t* c = connection_.connection;
    if (entries.empty() || c == nullptr || connection_.screen == nullptr || xcb_connection_has_error(c) != 0) {
        return 0;
    }
    const xcb_window_t root = connection_.screen->root;
    xcb_query_pointer_reply_t* pointer = xcb_query_pointer_reply(c, xcb_query_pointer(c, root), nullptr);
    if (pointer == nullptr) {
        return 0;
    }
    const Point at = At(pointer->root_x, pointer->root_y);
    const int held = HeldButton(pointer->mask);
    std::free(pointer);

    const MenuText text;
    const MenuMetrics metrics = MetricsFor(text);
    const MenuLayout layout = LayOutMenu(
        entries, [&](const std::string& s) { return text.width(s); }, metrics);
    const Rect screen{0, 0, connection_.screen->width_in_pixels, connection_.screen->height_in_pixels};
    const Point origin = PlaceMenu(layout.width, layout.height, at, screen);
    const Rect onScreen{origin.x, origin.y, origin.x + layout.width, origin.y + layout.height};

    MenuWindow window(connection_, onScreen);
    if (!window.ready() || !window.grabInput()) {
        return 0;
    }
    const MenuKeyMap keys(c);
    MenuTracker tracker(entries, layout, held, {at.x - origin.x, at.y - origin.y});
    if (shown_) {
        shown_(ShownMenu{window.id(), onScreen, layout.rows});
    }
    while (tracker.outcome() == MenuTracker::Outcome::Open) {
        xcb_generic_event_t* event = xcb_wait_for_event(c);
        if (event == nullptr) {
            return 0;  // the connection broke; the window and grabs went with it
        }
        if (!IsForWindow(event, window.id())) {
            // The desktop needs the new mapping too.
            if ((event->response_type & 0x7F) == XCB_MAPPING_NOTIFY) {
                keys.refresh(reinterpret_cast<xcb_mapping_notify_event_t*>(event));
            }
            connection_.deferred.push_back(event);
            continue;
        }
        const bool repaint = Track(tracker, keys, event);
        std::free(event);
        if (repaint && tracker.outcome() == MenuTracker::Outcome::Open) {
            cairo_t* cr = window.beginPaint();
            PaintMenu(cr, entries, layout, metrics, tracker.highlighted(), text);
            window.endPaint(cr);
        }
    }
    window.close();
    return tracker.chosenId();
}

}  // namespace platform::ui::x11
