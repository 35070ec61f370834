#include "desktop.h"

#include <cairo-xcb.h>

#include <cstdlib>

#include "button_events.h"
#include "virtual_keys.h"
#include "window.h"

namespace platform::ui {

namespace {

xcb_visualtype_t* RootVisual(const xcb_screen_t* screen) {
    for (xcb_depth_iterator_t d = xcb_screen_allowed_depths_iterator(screen); d.rem > 0; xcb_depth_next(&d)) {
        for (xcb_visualtype_iterator_t v = xcb_depth_visuals_iterator(d.data); v.rem > 0; xcb_visualtype_next(&v)) {
            if (v.data->visual_id == screen->root_visual) {
                return v.data;
            }
        }
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<X11Desktop> X11Desktop::open(const char* display, std::string& error) {
    const char* name = display != nullptr && display[0] != '\0' ? display : nullptr;
    // The host-window service connects later, to this same display even if
    // the environment changes meanwhile.
    const char* shown = name != nullptr ? name : std::getenv("DISPLAY");
    std::string displayName = shown != nullptr ? shown : "";
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(name, &screenNumber);
    if (xcb_connection_has_error(c) != 0) {
        error = "cannot open display \"" + displayName + "\"";
        xcb_disconnect(c);
        return nullptr;
    }
    x11::Connection x;
    x.connection = c;
    x.screen = x11::ScreenOf(c, screenNumber);
    x.visual = x.screen != nullptr ? RootVisual(x.screen) : nullptr;
    if (x.visual == nullptr) {
        error = "the display has no screen with a usable visual";
        xcb_disconnect(c);
        return nullptr;
    }
    return std::make_unique<x11::Desktop>(std::move(x), std::move(displayName));
}

}  // namespace platform::ui

namespace platform::ui::x11 {

namespace {

using Event = std::unique_ptr<xcb_generic_event_t, decltype(&std::free)>;

}  // namespace

ClosingConnection::~ClosingConnection() {
    for (xcb_generic_event_t* e : deferred) {
        std::free(e);
    }
    deferred.clear();
    if (cairoDevice != nullptr) {
        cairo_device_finish(cairoDevice);
        cairo_device_destroy(cairoDevice);
    }
    xcb_disconnect(connection);
}

Desktop::Desktop(Connection connection, std::string display) : x_{std::move(connection)}, hostWindows_(std::move(display)) {
    keys_.load(x_.connection);
    // cairo keeps per-connection state; holding its device lets the
    // destructor finish it before the connection closes.
    cairo_surface_t* probe = cairo_xcb_surface_create(x_.connection, x_.screen->root, x_.visual, 1, 1);
    x_.cairoDevice = cairo_device_reference(cairo_surface_get_device(probe));
    cairo_surface_destroy(probe);
}

int Desktop::fileDescriptor() const { return xcb_get_file_descriptor(x_.connection); }

std::unique_ptr<Window> Desktop::createWindow() { return std::make_unique<X11Window>(x_, directory_); }

X11Window* Desktop::window(xcb_window_t id) const {
    const auto it = directory_.windows.find(id);
    return it != directory_.windows.end() ? it->second : nullptr;
}

void Desktop::pointerInput(xcb_window_t id, const WindowEvent& event) {
    if (X11Window* w = window(id)) {
        cursor_.pointerOver(id);
        w->deliver(event);
    }
}

bool Desktop::dispatch() {
    // Deferred events first, and again after any handler that ran a modal
    // loop (a pop-up menu) which read events of other windows meanwhile.
    for (;;) {
        if (!x_.deferred.empty()) {
            const Event e(x_.deferred.front(), &std::free);
            x_.deferred.pop_front();
            handle(e.get());
            continue;
        }
        const Event e{xcb_poll_for_event(x_.connection), &std::free};
        if (!e) {
            break;
        }
        handle(e.get());
    }
    // By id: a paint may close a window, and the next one is looked up anew.
    painting_.clear();
    for (const auto& [id, w] : directory_.windows) {
        painting_.push_back(id);
    }
    for (const xcb_window_t id : painting_) {
        if (X11Window* w = window(id)) {
            w->paintPending();
        }
    }
    xcb_flush(x_.connection);
    return xcb_connection_has_error(x_.connection) == 0;
}

void Desktop::handle(const xcb_generic_event_t* event) {
    using Kind = WindowEvent::Kind;
    switch (event->response_type & 0x7F) {
        case XCB_EXPOSE: {
            const auto* e = reinterpret_cast<const xcb_expose_event_t*>(event);
            if (X11Window* w = window(e->window)) {
                w->invalidate();
            }
            return;
        }
        case XCB_MOTION_NOTIFY: {
            const auto* e = reinterpret_cast<const xcb_motion_notify_event_t*>(event);
            pointerInput(e->event, WindowEvent{.kind = Kind::MouseMove, .x = e->event_x, .y = e->event_y});
            return;
        }
        case XCB_BUTTON_PRESS:
        case XCB_BUTTON_RELEASE: {
            const auto* e = reinterpret_cast<const xcb_button_press_event_t*>(event);
            const bool press = (event->response_type & 0x7F) == XCB_BUTTON_PRESS;
            if (const std::optional<WindowEvent> m = ButtonMessage(press, e->detail, e->event_x, e->event_y)) {
                pointerInput(e->event, *m);
            }
            return;
        }
        case XCB_KEY_PRESS: {
            const auto* e = reinterpret_cast<const xcb_key_press_event_t*>(event);
            const int key = VirtualKeyOfKeysym(keys_.pressed(e->detail, e->state));
            X11Window* w = window(e->event);
            if (w != nullptr && key != 0) {
                w->deliver(WindowEvent{.kind = Kind::KeyDown, .key = key});
            }
            return;
        }
        case XCB_FOCUS_IN:
        case XCB_FOCUS_OUT: {
            const auto* e = reinterpret_cast<const xcb_focus_in_event_t*>(event);
            // Keyboard grabs (a pop-up menu's) and the pointer's share of the
            // focus leave the window's activation as it is.
            if (e->mode == XCB_NOTIFY_MODE_GRAB || e->mode == XCB_NOTIFY_MODE_UNGRAB || e->detail == XCB_NOTIFY_DETAIL_POINTER) {
                return;
            }
            if (X11Window* w = window(e->event)) {
                w->deliver(WindowEvent{.kind = Kind::Activate, .active = (event->response_type & 0x7F) == XCB_FOCUS_IN});
            }
            return;
        }
        case XCB_CONFIGURE_NOTIFY: {
            const auto* e = reinterpret_cast<const xcb_configure_notify_event_t*>(event);
            if (const auto it = directory_.parents.find(e->window); it != directory_.parents.end() && e->event == e->window) {
                it->second->parentConfigured(e->width, e->height);
            }
            return;
        }
        case XCB_DESTROY_NOTIFY: {
            const auto* e = reinterpret_cast<const xcb_destroy_notify_event_t*>(event);
            if (X11Window* w = window(e->window)) {
                w->destroyedByServer();
            } else if (const auto it = directory_.parents.find(e->window); it != directory_.parents.end()) {
                it->second->parentDestroyed();
            }
            return;
        }
        case XCB_MAPPING_NOTIFY: {
            const auto* e = reinterpret_cast<const xcb_mapping_notify_event_t*>(event);
            if (e->request != XCB_MAPPING_POINTER) {
                keys_.load(x_.connection);
            }
            return;
        }
        default:
            // Errors (requests on windows that went away meanwhile) and
            // events no editor window asked for.
            return;
    }
}

}  // namespace platform::ui::x11
