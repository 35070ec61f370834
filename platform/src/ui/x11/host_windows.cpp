#include "host_windows.h"

#include <xcb/xtest.h>

#include <atomic>
#include <cstdlib>

#include "connection.h"
#include "keyboard_state.h"
#include "pixel_rows.h"
#include "shared_keyboard_mapping.h"
#include "virtual_keys.h"
#include "window_labels.h"
#include "window_order.h"

namespace platform::ui::x11 {

namespace {

template <class Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

constexpr std::uint8_t kLeftButton = 1;
// No window tree is deeper; bounds a descent through a tree that changes meanwhile.
constexpr int kMaxDepth = 64;

HWND Handle(xcb_window_t id) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(id)); }

xcb_window_t Id(HWND handle) {
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    return value <= 0xFFFFFFFFU ? static_cast<xcb_window_t>(value) : XCB_NONE;
}

}  // namespace

struct X11HostWindows::Link {
    xcb_connection_t* connection = nullptr;
    xcb_screen_t* screen = nullptr;
    LabelAtoms atoms;
    bool xtest = false;
    SharedKeyboardMapping keys;
    // The server said the keyboard changed; the next key() reads it anew.
    std::atomic<bool> keysChanged{false};

    ~Link() { xcb_disconnect(connection); }

    xcb_window_t root() const { return screen->root; }

    // Events nobody asked for still arrive: the keyboard's changes, and the
    // errors of requests without replies (a move of a window that is gone).
    // Reading them keeps the queue from growing.
    void drain(bool fromServer) {
        for (;;) {
            Owned<xcb_generic_event_t> e(fromServer ? xcb_poll_for_event(connection) : xcb_poll_for_queued_event(connection), &std::free);
            if (!e) {
                return;
            }
            if ((e->response_type & 0x7F) == XCB_MAPPING_NOTIFY &&
                reinterpret_cast<const xcb_mapping_notify_event_t*>(e.get())->request != XCB_MAPPING_POINTER) {
                keysChanged.store(true, std::memory_order_relaxed);
            }
        }
    }

    void fake(std::uint8_t type, std::uint8_t detail) {
        if (xtest && detail != 0) {
            xcb_test_fake_input(connection, type, detail, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
            xcb_flush(connection);
        }
    }
};

X11HostWindows::X11HostWindows(std::string display) : display_(std::move(display)) {}

X11HostWindows::~X11HostWindows() = default;

X11HostWindows::Link* X11HostWindows::link() const {
    std::call_once(opened_, [this] {
        int screenNumber = 0;
        xcb_connection_t* c = xcb_connect(display_.empty() ? nullptr : display_.c_str(), &screenNumber);
        if (xcb_connection_has_error(c) != 0) {
            xcb_disconnect(c);
            return;
        }
        auto l = std::make_unique<Link>();
        l->connection = c;
        l->screen = ScreenOf(c, screenNumber);
        if (l->screen == nullptr) {
            return;
        }
        l->atoms = InternLabelAtoms(c);
        const xcb_query_extension_reply_t* xtest = xcb_get_extension_data(c, &xcb_test_id);
        l->xtest = xtest != nullptr && xtest->present != 0;
        l->keys.load(c);
        link_ = std::move(l);
    });
    Link* l = link_.get();
    if (l != nullptr) {
        l->drain(false);
    }
    return l;
}

HWND X11HostWindows::findTopLevel(std::string_view className, std::string_view title, HWND after) const {
    Link* l = link();
    if (l == nullptr) {
        return nullptr;
    }
    return Handle(FindAfter(TopLevels(l->connection, l->atoms, l->root(), !title.empty()), className, title, Id(after)));
}

HWND X11HostWindows::findChild(HWND parent, std::string_view className, std::string_view title, HWND after) const {
    Link* l = link();
    if (l == nullptr) {
        return nullptr;
    }
    const xcb_window_t p = Id(parent);
    if (p == XCB_NONE || p == l->root()) {
        return findTopLevel(className, title, after);
    }
    return Handle(FindAfter(LabelledChildren(l->connection, l->atoms, p, !title.empty()), className, title, Id(after)));
}

HWND X11HostWindows::parent(HWND window) const {
    Link* l = link();
    if (l == nullptr) {
        return nullptr;
    }
    const xcb_window_t parent = TreeParent(l->connection, Id(window));
    if (parent == XCB_NONE || parent == l->root()) {
        return Handle(parent);
    }
    // Windows without WM_CLASS all the way up to the root are a window
    // manager's frame (and wrapper): the window is a top-level.
    xcb_window_t up = parent;
    for (int level = 0; level < kFrameDepth; ++level) {
        if (ReadLabels(l->connection, l->atoms, {up}, false).front().hasClass) {
            break;
        }
        up = TreeParent(l->connection, up);
        if (up == l->root()) {
            return Handle(up);
        }
        if (up == XCB_NONE) {
            break;
        }
    }
    return Handle(parent);
}

HWND X11HostWindows::firstChild(HWND window) const {
    Link* l = link();
    if (l == nullptr) {
        return nullptr;
    }
    const xcb_window_t w = Id(window);
    if (w == XCB_NONE) {
        return nullptr;
    }
    if (w == l->root()) {
        return findTopLevel({}, {});
    }
    const std::vector<xcb_window_t> children = ChildrenTopDown(l->connection, w);
    return children.empty() ? nullptr : Handle(children.front());
}

bool X11HostWindows::windowRect(HWND window, ui::Rect& screen) const {
    Link* l = link();
    const xcb_window_t w = Id(window);
    if (l == nullptr || w == XCB_NONE) {
        return false;
    }
    xcb_connection_t* c = l->connection;
    // Both asked before either answer is read: one round trip.
    const xcb_translate_coordinates_cookie_t at = xcb_translate_coordinates(c, w, l->root(), 0, 0);
    const xcb_get_geometry_cookie_t size = xcb_get_geometry(c, w);
    const Owned<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(c, at, nullptr), &std::free);
    const Owned<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, size, nullptr), &std::free);
    if (!origin || !geometry) {
        return false;
    }
    // The origin is the client area's; the border lies around it.
    const int border = geometry->border_width;
    screen = ui::Rect{origin->dst_x - border, origin->dst_y - border, origin->dst_x + geometry->width + border,
                      origin->dst_y + geometry->height + border};
    return true;
}

bool X11HostWindows::clientRect(HWND window, ui::Rect& client) const {
    Link* l = link();
    const xcb_window_t w = Id(window);
    if (l == nullptr || w == XCB_NONE) {
        return false;
    }
    const Owned<xcb_get_geometry_reply_t> g(xcb_get_geometry_reply(l->connection, xcb_get_geometry(l->connection, w), nullptr),
                                            &std::free);
    if (!g) {
        return false;
    }
    client = ui::Rect{0, 0, g->width, g->height};
    return true;
}

namespace {

// `p` in `from`'s coordinates to `to`'s; `p` itself when either is gone.
ui::Point Translate(xcb_connection_t* c, xcb_window_t from, xcb_window_t to, ui::Point p) {
    if (from == XCB_NONE || to == XCB_NONE) {
        return p;
    }
    const Owned<xcb_translate_coordinates_reply_t> r(
        xcb_translate_coordinates_reply(
            c, xcb_translate_coordinates(c, from, to, static_cast<std::int16_t>(p.x), static_cast<std::int16_t>(p.y)), nullptr),
        &std::free);
    return r ? ui::Point{r->dst_x, r->dst_y} : p;
}

}  // namespace

ui::Point X11HostWindows::clientToScreen(HWND window, ui::Point client) const {
    Link* l = link();
    return l != nullptr ? Translate(l->connection, Id(window), l->root(), client) : client;
}

ui::Point X11HostWindows::screenToClient(HWND window, ui::Point screen) const {
    Link* l = link();
    return l != nullptr ? Translate(l->connection, l->root(), Id(window), screen) : screen;
}

HWND X11HostWindows::windowAt(ui::Point screen) const {
    Link* l = link();
    if (l == nullptr || screen.x < 0 || screen.y < 0 || screen.x >= l->screen->width_in_pixels ||
        screen.y >= l->screen->height_in_pixels) {
        return nullptr;
    }
    // translate_coordinates names the mapped child of the destination that
    // holds the point; one round trip per level down.
    xcb_connection_t* c = l->connection;
    xcb_window_t deepest = l->root();
    for (int level = 0; level < kMaxDepth; ++level) {
        const Owned<xcb_translate_coordinates_reply_t> r(
            xcb_translate_coordinates_reply(c,
                                            xcb_translate_coordinates(c, l->root(), deepest, static_cast<std::int16_t>(screen.x),
                                                                      static_cast<std::int16_t>(screen.y)),
                                            nullptr),
            &std::free);
        if (!r || r->child == XCB_NONE) {
            break;
        }
        deepest = r->child;
    }
    return Handle(deepest);
}

std::vector<std::uint32_t> X11HostWindows::pixelRow(HWND window, int y) const {
    Link* l = link();
    const xcb_window_t w = Id(window);
    if (l == nullptr || w == XCB_NONE || y < 0) {
        return {};
    }
    xcb_connection_t* c = l->connection;
    const xcb_get_geometry_cookie_t size = xcb_get_geometry(c, w);
    const xcb_get_window_attributes_cookie_t state = xcb_get_window_attributes(c, w);
    const Owned<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, size, nullptr), &std::free);
    const Owned<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(c, state, nullptr), &std::free);
    if (!geometry || !attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE || y >= geometry->height) {
        return {};
    }
    // The server refuses (a null reply) a row that is not wholly on the screen.
    const Owned<xcb_get_image_reply_t> image(
        xcb_get_image_reply(c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, w, 0, static_cast<std::int16_t>(y), geometry->width, 1, ~0U),
                            nullptr),
        &std::free);
    if (!image) {
        return {};
    }
    const std::optional<PixelFormat> format = PixelFormatOf(xcb_get_setup(c), image->depth, image->visual);
    if (!format) {
        return {};
    }
    return RowToRgb(xcb_get_image_data(image.get()), static_cast<std::size_t>(xcb_get_image_data_length(image.get())), geometry->width,
                    *format);
}

ui::Point X11HostWindows::cursorPosition() const {
    Link* l = link();
    if (l == nullptr) {
        return {};
    }
    const Owned<xcb_query_pointer_reply_t> r(xcb_query_pointer_reply(l->connection, xcb_query_pointer(l->connection, l->root()), nullptr),
                                             &std::free);
    return r ? ui::Point{r->root_x, r->root_y} : ui::Point{};
}

void X11HostWindows::setCursorPosition(ui::Point screen) const {
    if (Link* l = link()) {
        xcb_warp_pointer(l->connection, XCB_NONE, l->root(), 0, 0, 0, 0, static_cast<std::int16_t>(screen.x),
                         static_cast<std::int16_t>(screen.y));
        xcb_flush(l->connection);
    }
}

void X11HostWindows::leftButton(bool down) const {
    Link* l = link();
    if (l == nullptr) {
        return;
    }
    l->fake(down ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE, kLeftButton);
    if (!down) {
        return;
    }
    // A click makes the clicked top-level window the one keys go to, as the
    // user's own click does on a desktop: the keys the plugin presses next
    // (the colour selector's) must reach the window it clicked, not the
    // editor that had the focus. On this connection the focus change comes
    // after the press and before those keys.
    xcb_connection_t* c = l->connection;
    const Owned<xcb_query_pointer_reply_t> p(xcb_query_pointer_reply(c, xcb_query_pointer(c, l->root()), nullptr), &std::free);
    if (p && p->child != XCB_NONE) {
        xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, p->child, XCB_CURRENT_TIME);
        xcb_flush(c);
    }
}

void X11HostWindows::key(int virtualKey, bool down) const {
    Link* l = link();
    if (l == nullptr) {
        return;
    }
    l->drain(true);
    if (l->keysChanged.exchange(false, std::memory_order_relaxed)) {
        l->keys.load(l->connection);
    }
    l->fake(down ? XCB_KEY_PRESS : XCB_KEY_RELEASE, l->keys.current().keycodeOf(KeysymOfVirtualKey(virtualKey)));
}

bool X11HostWindows::keyDown(int virtualKey) const {
    Link* l = link();
    return l != nullptr && KeyHeldNow(l->connection, l->root(), l->keys.current(), virtualKey);
}

void X11HostWindows::moveWindow(HWND window, ui::Point inParent) const {
    Link* l = link();
    const xcb_window_t w = Id(window);
    if (l == nullptr || w == XCB_NONE) {
        return;
    }
    const std::uint32_t at[] = {static_cast<std::uint32_t>(inParent.x), static_cast<std::uint32_t>(inParent.y)};
    xcb_configure_window(l->connection, w, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, at);
    xcb_flush(l->connection);
}

}  // namespace platform::ui::x11
