#pragma once
// The test's own side of an X server: a second connection that makes the host
// windows, plays the user's input through XTEST and reads back what the
// server shows. Each test runs under xvfb-run with a server of its own.
#include <gtest/gtest.h>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>
#include <xcb/xtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace velmora::test {

template <class Reply>
using XReply = std::unique_ptr<Reply, decltype(&std::free)>;

// Keysyms the tests type.
inline constexpr std::uint32_t kKeysymShiftL = 0xFFE1;
inline constexpr std::uint32_t kKeysymShiftR = 0xFFE2;
inline constexpr std::uint32_t kKeysymControlL = 0xFFE3;
inline constexpr std::uint32_t kKeysymControlR = 0xFFE4;
inline constexpr std::uint32_t kKeysymAltL = 0xFFE9;
inline constexpr std::uint32_t kKeysymAltR = 0xFFEA;

class X11Server {
public:
    X11Server() {
        connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection) == 0) {
            screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        }
    }
    ~X11Server() { xcb_disconnect(connection); }
    X11Server(const X11Server&) = delete;
    X11Server& operator=(const X11Server&) = delete;

    bool ok() const { return screen != nullptr; }
    xcb_window_t root() const { return screen->root; }

    // A mapped top-level window filled with `colour` (0xRRGGBB at depth 24).
    xcb_window_t topLevel(int x, int y, int width, int height, std::uint32_t colour) {
        const xcb_window_t id = xcb_generate_id(connection);
        const std::uint32_t values[] = {colour, 1};
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, id, root(), static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                          static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
        xcb_map_window(connection, id);
        sync();
        return id;
    }
    void resize(xcb_window_t window, int width, int height) {
        const std::uint32_t size[] = {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
        xcb_configure_window(connection, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
        sync();
    }
    void move(xcb_window_t window, int x, int y) {
        const std::uint32_t at[] = {static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)};
        xcb_configure_window(connection, window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, at);
        sync();
    }

    // Every request sent so far has been carried out.
    void sync() {
        XReply<xcb_get_input_focus_reply_t> r(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr),
                                              &std::free);
    }

    // The user's input.
    void pointerTo(int x, int y) { fake(XCB_MOTION_NOTIFY, 0, x, y); }
    void button(std::uint8_t button, bool down) { fake(down ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE, button, 0, 0); }
    void key(std::uint32_t keysym, bool down) { fake(down ? XCB_KEY_PRESS : XCB_KEY_RELEASE, keycode(keysym), 0, 0); }

    // The keycode whose first symbol is `keysym`, 0 when no key has it.
    xcb_keycode_t keycode(std::uint32_t keysym) {
        const xcb_setup_t* setup = xcb_get_setup(connection);
        const auto count = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
        XReply<xcb_get_keyboard_mapping_reply_t> map(
            xcb_get_keyboard_mapping_reply(connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr),
            &std::free);
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map.get());
        for (int code = 0; code < count; ++code) {
            if (syms[code * map->keysyms_per_keycode] == keysym) {
                return static_cast<xcb_keycode_t>(setup->min_keycode + code);
            }
        }
        return 0;
    }

    struct Pointer {
        int x = 0;
        int y = 0;
        std::uint16_t mask = 0;
    };
    Pointer pointer() {
        XReply<xcb_query_pointer_reply_t> r(xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root()), nullptr),
                                            &std::free);
        return Pointer{r->root_x, r->root_y, r->mask};
    }

    // The colour of one pixel of a window, 0xRRGGBB.
    std::uint32_t pixel(xcb_window_t window, int x, int y) {
        XReply<xcb_get_image_reply_t> image(
            xcb_get_image_reply(connection,
                                xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, static_cast<std::int16_t>(x),
                                              static_cast<std::int16_t>(y), 1, 1, 0xFFFFFFFF),
                                nullptr),
            &std::free);
        if (!image) {
            return 0xFFFFFFFF;
        }
        std::uint32_t p = 0;
        const std::uint8_t* data = xcb_get_image_data(image.get());
        for (int b = 3; b >= 0; --b) {
            p = (p << 8) | data[b];  // a 32-bit pixel in the server's (little-endian) order
        }
        return p & 0xFFFFFF;
    }

    struct Geometry {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        bool mapped = false;
        xcb_window_t parent = XCB_NONE;
    };
    Geometry geometry(xcb_window_t window) {
        Geometry g;
        XReply<xcb_get_geometry_reply_t> r(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr),
                                           &std::free);
        if (r) {
            g = Geometry{r->x, r->y, r->width, r->height, false, XCB_NONE};
        }
        XReply<xcb_get_window_attributes_reply_t> a(
            xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr), &std::free);
        g.mapped = a && a->map_state == XCB_MAP_STATE_VIEWABLE;
        XReply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr),
                                            &std::free);
        g.parent = tree ? tree->parent : XCB_NONE;
        return g;
    }

    // The cursor the server shows now: how many of its pixels are not
    // fully transparent.
    int visibleCursorPixels() {
        if (!xfixes) {
            XReply<xcb_xfixes_query_version_reply_t> v(
                xcb_xfixes_query_version_reply(connection, xcb_xfixes_query_version(connection, 4, 0), nullptr), &std::free);
            xfixes = v != nullptr;
        }
        XReply<xcb_xfixes_get_cursor_image_reply_t> image(
            xcb_xfixes_get_cursor_image_reply(connection, xcb_xfixes_get_cursor_image(connection), nullptr), &std::free);
        if (!image) {
            return -1;
        }
        const std::uint32_t* pixels = xcb_xfixes_get_cursor_image_cursor_image(image.get());
        int visible = 0;
        for (int i = 0; i < image->width * image->height; ++i) {
            visible += (pixels[i] >> 24) != 0 ? 1 : 0;
        }
        return visible;
    }

    xcb_connection_t* connection = nullptr;
    xcb_screen_t* screen = nullptr;

private:
    void fake(std::uint8_t type, std::uint8_t detail, int x, int y) {
        xcb_test_fake_input(connection, type, detail, XCB_CURRENT_TIME, root(), static_cast<std::int16_t>(x),
                            static_cast<std::int16_t>(y), 0);
        sync();
    }
    bool xfixes = false;
};

// Runs `step` (a dispatch) until `done` holds, for up to two seconds: the
// server hands events to the other connection in its own time.
inline bool Until(const std::function<void()>& step, const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    do {
        step();
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    } while (std::chrono::steady_clock::now() < end);
    return false;
}

// Skips a test that cannot have a server of its own; fails one that should.
#define VELMORA_REQUIRE_X_SERVER(server)                                                                     \
    do {                                                                                                  \
        if (!VELMORA_HAVE_XVFB_RUN) {                                                                     \
            GTEST_SKIP() << "xvfb-run is not installed: the X11 tests need a server of their own";        \
        }                                                                                                 \
        ASSERT_TRUE((server).ok()) << "no X server at DISPLAY (the test runs under xvfb-run -a)";           \
    } while (false)

}  // namespace velmora::test
