#include "x11_input_driver.h"

#include <xcb/xtest.h>

#include <cstdlib>
#include <cstring>

namespace platform::ui::x11 {

X11InputDriver::X11InputDriver() {
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_) != 0) {
        error_ = "no X server at DISPLAY; these tests run under xvfb-run (ctest starts it)";
        return;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && it.rem > 0; ++i) {
        xcb_screen_next(&it);
    }
    screen_ = it.data;
    const xcb_query_extension_reply_t* xtest = xcb_get_extension_data(connection_, &xcb_test_id);
    if (xtest == nullptr || xtest->present == 0) {
        error_ = "the X server has no XTEST extension";
        return;
    }
    symbols_ = xcb_key_symbols_alloc(connection_);
}

X11InputDriver::~X11InputDriver() {
    if (symbols_ != nullptr) {
        xcb_key_symbols_free(symbols_);
    }
    xcb_disconnect(connection_);
}

void X11InputDriver::fake(std::uint8_t type, std::uint8_t detail, Point at) {
    xcb_test_fake_input(connection_, type, detail, XCB_CURRENT_TIME, type == XCB_MOTION_NOTIFY ? root() : XCB_NONE,
                        static_cast<std::int16_t>(at.x), static_cast<std::int16_t>(at.y), 0);
}

void X11InputDriver::moveTo(Point onScreen) { fake(XCB_MOTION_NOTIFY, 0, onScreen); }

void X11InputDriver::press(int button) { fake(XCB_BUTTON_PRESS, static_cast<std::uint8_t>(button)); }

void X11InputDriver::release(int button) { fake(XCB_BUTTON_RELEASE, static_cast<std::uint8_t>(button)); }

void X11InputDriver::click(Point onScreen, int button) {
    moveTo(onScreen);
    press(button);
    release(button);
}

void X11InputDriver::tap(std::uint32_t keysym) {
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols_, keysym);
    if (codes == nullptr) {
        return;
    }
    const xcb_keycode_t code = codes[0];
    std::free(codes);
    if (code != XCB_NO_SYMBOL) {
        fake(XCB_KEY_PRESS, code);
        fake(XCB_KEY_RELEASE, code);
    }
}

void X11InputDriver::sync() {
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

std::vector<xcb_window_t> X11InputDriver::overrideRedirectWindows() {
    std::vector<xcb_window_t> found;
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root()), nullptr);
    if (tree == nullptr) {
        return found;
    }
    const xcb_window_t* children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
        xcb_get_window_attributes_reply_t* a =
            xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, children[i]), nullptr);
        if (a != nullptr && a->override_redirect != 0 && a->map_state == XCB_MAP_STATE_VIEWABLE) {
            found.push_back(children[i]);
        }
        std::free(a);
    }
    std::free(tree);
    return found;
}

Rect X11InputDriver::geometry(xcb_window_t window) {
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr);
    Rect r;
    if (g != nullptr) {
        r = {g->x, g->y, g->x + g->width, g->y + g->height};
    }
    std::free(g);
    return r;
}

Bitmap X11InputDriver::image(xcb_window_t window, const Rect& area) {
    Bitmap bitmap;
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        connection_,
        xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, static_cast<std::int16_t>(area.left),
                      static_cast<std::int16_t>(area.top), static_cast<std::uint16_t>(area.width()),
                      static_cast<std::uint16_t>(area.height()), ~0u),
        nullptr);
    if (reply == nullptr) {
        return bitmap;
    }
    // A 24-bit TrueColor screen keeps 32 bits a pixel, in this machine's byte order.
    const std::size_t count = static_cast<std::size_t>(area.width()) * static_cast<std::size_t>(area.height());
    if (reply->depth == 24 && static_cast<std::size_t>(xcb_get_image_data_length(reply)) == count * 4) {
        bitmap.width = area.width();
        bitmap.height = area.height();
        bitmap.pixels.resize(count);
        std::memcpy(bitmap.pixels.data(), xcb_get_image_data(reply), count * 4);
        for (std::uint32_t& p : bitmap.pixels) {
            p = 0xFF000000u | (p & 0xFFFFFFu);
        }
    }
    std::free(reply);
    return bitmap;
}

bool X11InputDriver::pointerFree() {
    xcb_grab_pointer_reply_t* reply =
        xcb_grab_pointer_reply(connection_,
                               xcb_grab_pointer(connection_, 0, root(), 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
                                                XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
                               nullptr);
    const bool granted = reply != nullptr && reply->status == XCB_GRAB_STATUS_SUCCESS;
    std::free(reply);
    if (granted) {
        xcb_ungrab_pointer(connection_, XCB_CURRENT_TIME);
        sync();
    }
    return granted;
}

}  // namespace platform::ui::x11
