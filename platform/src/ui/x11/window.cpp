#include "window.h"

#include <cairo-xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace platform::ui::x11 {

namespace {

constexpr std::uint32_t kWindowEvents = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_BUTTON_PRESS |
                                        XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION |
                                        XCB_EVENT_MASK_FOCUS_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;

// X windows have at least one pixel each way.
std::uint16_t Side(int pixels) { return static_cast<std::uint16_t>(std::clamp(pixels, 1, 65535)); }

xcb_window_t Id(void* handle) { return static_cast<xcb_window_t>(reinterpret_cast<std::uintptr_t>(handle)); }

}  // namespace

X11Window::X11Window(Connection& x, WindowDirectory& directory) : x_(x), directory_(directory) { create(); }

X11Window::~X11Window() {
    leaveParent();
    releaseSurface();
    if (id_ != XCB_NONE) {
        directory_.windows.erase(id_);
        xcb_destroy_window(x_.connection, id_);
        xcb_flush(x_.connection);
    }
}

void X11Window::create() {
    id_ = xcb_generate_id(x_.connection);
    // No background: the server leaves the pixels alone until the editor's
    // picture arrives, so a resize does not flash.
    const std::uint32_t values[] = {kWindowEvents, directory_.pointerShape};
    xcb_create_window(x_.connection, XCB_COPY_FROM_PARENT, id_, x_.screen->root, 0, 0, Side(width_), Side(height_), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, x_.screen->root_visual, XCB_CW_EVENT_MASK | XCB_CW_CURSOR, values);
    directory_.windows[id_] = this;
}

void X11Window::setSize(int width, int height) {
    if (width == width_ && height == height_) {
        return;
    }
    width_ = width;
    height_ = height;
    configure();
    dirty_.store(true, std::memory_order_release);
}

void X11Window::configure() {
    if (id_ == XCB_NONE) {
        return;
    }
    const std::uint32_t size[] = {Side(width_), Side(height_)};
    xcb_configure_window(x_.connection, id_, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
    if (surface_ != nullptr) {
        cairo_xcb_surface_set_size(surface_, Side(width_), Side(height_));
    }
    xcb_flush(x_.connection);
}

void X11Window::show(void* parentHandle) {
    const xcb_window_t parent = Id(parentHandle);
    if (id_ == XCB_NONE) {
        create();
    }
    if (parent != parent_) {
        leaveParent();
        parent_ = parent;
        directory_.parents[parent] = this;
        const std::uint32_t events[] = {XCB_EVENT_MASK_STRUCTURE_NOTIFY};
        xcb_change_window_attributes(x_.connection, parent, XCB_CW_EVENT_MASK, events);
        std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
            xcb_get_geometry_reply(x_.connection, xcb_get_geometry(x_.connection, parent), nullptr), &std::free);
        parentWidth_ = geometry ? geometry->width : 0;
        parentHeight_ = geometry ? geometry->height : 0;
        xcb_reparent_window(x_.connection, id_, parent, 0, 0);
    }
    xcb_map_window(x_.connection, id_);
    xcb_flush(x_.connection);
    shown_ = true;
    dirty_.store(true, std::memory_order_release);  // a window that appears is painted
}

void X11Window::hide() {
    shown_ = false;
    if (id_ != XCB_NONE) {
        xcb_unmap_window(x_.connection, id_);
        // Back to the root, so a host that destroys its window after hiding
        // the editor does not take this one with it.
        if (parent_ != XCB_NONE) {
            xcb_reparent_window(x_.connection, id_, x_.screen->root, 0, 0);
        }
    }
    leaveParent();
    xcb_flush(x_.connection);
}

void X11Window::leaveParent() {
    if (parent_ == XCB_NONE) {
        return;
    }
    if (auto it = directory_.parents.find(parent_); it != directory_.parents.end() && it->second == this) {
        directory_.parents.erase(it);
        // Event masks are per client: this clears only this connection's.
        const std::uint32_t none[] = {XCB_EVENT_MASK_NO_EVENT};
        xcb_change_window_attributes(x_.connection, parent_, XCB_CW_EVENT_MASK, none);
    }
    parent_ = XCB_NONE;
    parentWidth_ = parentHeight_ = 0;
}

void X11Window::paintPending() {
    if (dirty_.exchange(false, std::memory_order_acq_rel) && shown_ && handler_) {
        handler_(WindowEvent{.kind = WindowEvent::Kind::Paint});
    }
}

void X11Window::present(Bitmap&& picture) {
    picture_ = std::move(picture);
    const std::size_t needed = static_cast<std::size_t>(std::max(picture_.width, 0)) * static_cast<std::size_t>(std::max(picture_.height, 0));
    if (id_ == XCB_NONE || picture_.empty() || picture_.pixels.size() < needed) {
        return;
    }
    if (surface_ == nullptr) {
        surface_ = cairo_xcb_surface_create(x_.connection, id_, x_.visual, Side(width_), Side(height_));
    }
    cairo_surface_t* image = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(picture_.pixels.data()), picture_.alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24,
        picture_.width, picture_.height, picture_.width * 4);
    cairo_t* cr = cairo_create(surface_);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_rectangle(cr, 0, 0, picture_.width, picture_.height);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(image);
    cairo_surface_flush(surface_);
    xcb_flush(x_.connection);
}

void X11Window::focus() {
    if (id_ == XCB_NONE || !shown_) {
        return;
    }
    // Setting the focus where it already is would still report a change,
    // which the editor takes for an activation (and ends a drag on).
    std::unique_ptr<xcb_get_input_focus_reply_t, decltype(&std::free)> current(
        xcb_get_input_focus_reply(x_.connection, xcb_get_input_focus(x_.connection), nullptr), &std::free);
    if (current && current->focus == id_) {
        return;
    }
    xcb_set_input_focus(x_.connection, XCB_INPUT_FOCUS_PARENT, id_, XCB_CURRENT_TIME);
    xcb_flush(x_.connection);
}

void* X11Window::nativeHandle() { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(id_)); }

void X11Window::parentConfigured(int width, int height) {
    if (width == parentWidth_ && height == parentHeight_) {
        return;  // moved, not resized
    }
    parentWidth_ = width;
    parentHeight_ = height;
    if (width == width_ && height == height_) {
        return;  // the host followed this window's own resize
    }
    width_ = width;
    height_ = height;
    configure();
    dirty_.store(true, std::memory_order_release);
    deliver(WindowEvent{.kind = WindowEvent::Kind::Size, .width = width, .height = height});
}

void X11Window::destroyedByServer() {
    releaseSurface();
    directory_.windows.erase(id_);
    id_ = XCB_NONE;
    leaveParent();
    shown_ = false;
}

void X11Window::parentDestroyed() {
    if (auto it = directory_.parents.find(parent_); it != directory_.parents.end() && it->second == this) {
        directory_.parents.erase(it);
    }
    parent_ = XCB_NONE;
}

void X11Window::releaseSurface() {
    if (surface_ != nullptr) {
        cairo_surface_finish(surface_);
        cairo_surface_destroy(surface_);
        surface_ = nullptr;
    }
}

}  // namespace platform::ui::x11
