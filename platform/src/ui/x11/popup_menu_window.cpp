#include "popup_menu_window.h"

#include <cairo-xcb.h>

#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "popup_menu_colours.h"
#include "popup_menu_events.h"

namespace platform::ui::x11 {

namespace {

// Another client's grab (a closing menu of the host's, a drag) usually ends
// within a few frames; a menu that cannot get the input stays closed.
constexpr int kGrabAttempts = 50;
constexpr auto kGrabRetry = std::chrono::milliseconds(10);

std::uint32_t Channel(std::uint32_t value, std::uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    const int shift = std::countr_zero(mask);
    const std::uint32_t top = mask >> shift;
    return (((value * top + 127) / 255) << shift) & mask;
}

// The window's background as the root visual spells the colour, so nothing
// but the menu's colour shows before the first paint.
std::uint32_t PixelFor(const Connection& c, Colour colour) {
    const xcb_visualtype_t* v = c.visual;
    if (v == nullptr || v->_class != XCB_VISUAL_CLASS_TRUE_COLOR) {
        return c.screen->black_pixel;
    }
    return Channel((colour >> 16) & 0xFFu, v->red_mask) | Channel((colour >> 8) & 0xFFu, v->green_mask) |
           Channel(colour & 0xFFu, v->blue_mask);
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : XCB_NONE;
    std::free(reply);
    return atom;
}

// Compositors give a window of this type a menu's shadow and animation.
void MarkAsPopupMenu(xcb_connection_t* c, xcb_window_t window) {
    const xcb_atom_t type = Atom(c, "_NET_WM_WINDOW_TYPE");
    const xcb_atom_t menu = Atom(c, "_NET_WM_WINDOW_TYPE_POPUP_MENU");
    if (type != XCB_NONE && menu != XCB_NONE) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, type, XCB_ATOM_ATOM, 32, 1, &menu);
    }
}

template <typename Reply>
bool Granted(Reply* reply) {
    const bool granted = reply != nullptr && reply->status == XCB_GRAB_STATUS_SUCCESS;
    std::free(reply);
    return granted;
}

}  // namespace

MenuWindow::MenuWindow(Connection& connection, const Rect& onScreen) : connection_(connection) {
    xcb_connection_t* c = connection_.connection;
    xcb_screen_t* screen = connection_.screen;
    if (connection_.visual == nullptr) {
        return;
    }
    window_ = xcb_generate_id(c);
    const std::uint32_t mask = XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_SAVE_UNDER | XCB_CW_EVENT_MASK;
    const std::uint32_t values[] = {PixelFor(connection_, menu_colours::kWindow), 1, 1, XCB_EVENT_MASK_EXPOSURE};
    xcb_create_window(c, screen->root_depth, window_, screen->root, static_cast<std::int16_t>(onScreen.left),
                      static_cast<std::int16_t>(onScreen.top), static_cast<std::uint16_t>(onScreen.width()),
                      static_cast<std::uint16_t>(onScreen.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      connection_.visual->visual_id, mask, values);
    MarkAsPopupMenu(c, window_);
    surface_ = cairo_xcb_surface_create(c, window_, connection_.visual, onScreen.width(), onScreen.height());
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface_);
        surface_ = nullptr;
        return;
    }
    xcb_map_window(c, window_);
    xcb_flush(c);
}

bool MenuWindow::grabInput() {
    xcb_connection_t* c = connection_.connection;
    constexpr std::uint16_t kPointerEvents =
        XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION;
    // Not owner events: every pointer and key event comes to the menu, in its
    // coordinates, wherever the pointer is.
    for (int attempt = 0; attempt < kGrabAttempts && !pointerGrabbed_; ++attempt) {
        if (attempt > 0) {
            std::this_thread::sleep_for(kGrabRetry);
        }
        pointerGrabbed_ =
            Granted(xcb_grab_pointer_reply(c,
                                           xcb_grab_pointer(c, 0, window_, kPointerEvents, XCB_GRAB_MODE_ASYNC,
                                                            XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
                                           nullptr));
    }
    for (int attempt = 0; attempt < kGrabAttempts && pointerGrabbed_ && !keyboardGrabbed_; ++attempt) {
        if (attempt > 0) {
            std::this_thread::sleep_for(kGrabRetry);
        }
        keyboardGrabbed_ = Granted(xcb_grab_keyboard_reply(
            c, xcb_grab_keyboard(c, 0, window_, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC), nullptr));
    }
    return pointerGrabbed_ && keyboardGrabbed_;
}

cairo_t* MenuWindow::beginPaint() {
    cairo_t* cr = cairo_create(surface_);
    cairo_push_group(cr);
    return cr;
}

void MenuWindow::endPaint(cairo_t* cr) {
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface_);
    xcb_flush(connection_.connection);
}

void MenuWindow::close() {
    if (window_ == XCB_NONE) {
        return;
    }
    xcb_connection_t* c = connection_.connection;
    if (pointerGrabbed_) {
        xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
    }
    if (keyboardGrabbed_) {
        xcb_ungrab_keyboard(c, XCB_CURRENT_TIME);
    }
    if (surface_ != nullptr) {
        cairo_surface_finish(surface_);
        cairo_surface_destroy(surface_);
        surface_ = nullptr;
    }
    xcb_destroy_window(c, window_);
    // A round trip: once its reply is in, every event the server sent before
    // the window went away has arrived too.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    while (xcb_generic_event_t* event = xcb_poll_for_queued_event(c)) {
        if (IsForWindow(event, window_)) {
            std::free(event);
        } else {
            connection_.deferred.push_back(event);
        }
    }
    window_ = XCB_NONE;
    pointerGrabbed_ = keyboardGrabbed_ = false;
}

}  // namespace platform::ui::x11
