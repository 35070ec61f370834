#include "cursor.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace platform::ui::x11 {

namespace {

// Tokens for what a hide found; restore takes only these.
constexpr char kShown = 'S';
constexpr char kHidden = 'H';

constexpr std::uint16_t kGrabEvents =
    XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION;

long long FromAbsolute(long long a, int size) {
    const long long scaled = a * size;
    const long long span = kAbsoluteInputSpan;
    return scaled >= 0 ? (scaled + span / 2) / span : -((-scaled + span / 2) / span);
}

std::int16_t Coordinate(long long v) { return static_cast<std::int16_t>(std::clamp<long long>(v, -32768, 32767)); }

}  // namespace

X11Cursor::~X11Cursor() {
    release();
    if (blank_ != XCB_NONE) {
        xcb_free_cursor(x_.connection, blank_);
    }
}

xcb_cursor_t X11Cursor::blank() {
    if (blank_ == XCB_NONE) {
        // A 1×1 cursor whose mask shows nothing.
        const xcb_pixmap_t pixmap = xcb_generate_id(x_.connection);
        xcb_create_pixmap(x_.connection, 1, pixmap, x_.screen->root, 1, 1);
        const xcb_gcontext_t gc = xcb_generate_id(x_.connection);
        const std::uint32_t clear[] = {0};
        xcb_create_gc(x_.connection, gc, pixmap, XCB_GC_FOREGROUND, clear);
        const xcb_rectangle_t pixel{0, 0, 1, 1};
        xcb_poly_fill_rectangle(x_.connection, pixmap, gc, 1, &pixel);
        xcb_free_gc(x_.connection, gc);
        blank_ = xcb_generate_id(x_.connection);
        xcb_create_cursor(x_.connection, blank_, pixmap, pixmap, 0, 0, 0, 0, 0, 0, 0, 0);
        xcb_free_pixmap(x_.connection, pixmap);
    }
    return blank_;
}

void X11Cursor::setShape(bool hidden) {
    hidden_ = hidden;
    directory_.pointerShape = hidden ? blank() : XCB_NONE;
    const std::uint32_t shape[] = {directory_.pointerShape};
    for (const auto& [id, window] : directory_.windows) {
        xcb_change_window_attributes(x_.connection, id, XCB_CW_CURSOR, shape);
    }
    if (confinement_ != XCB_NONE) {
        xcb_change_active_pointer_grab(x_.connection, directory_.pointerShape, XCB_CURRENT_TIME, kGrabEvents);
    }
    xcb_flush(x_.connection);
}

CursorToken X11Cursor::hide() {
    const char* previous = hidden_ ? &kHidden : &kShown;
    setShape(true);
    return previous;
}

void X11Cursor::restore(CursorToken previous) {
    if (previous == &kShown || previous == &kHidden) {
        setShape(previous == &kHidden);
    }
}

Point X11Cursor::position() const {
    std::unique_ptr<xcb_query_pointer_reply_t, decltype(&std::free)> reply(
        xcb_query_pointer_reply(x_.connection, xcb_query_pointer(x_.connection, x_.screen->root), nullptr), &std::free);
    return reply ? Point{reply->root_x, reply->root_y} : Point{};
}

void X11Cursor::confine(const Rect& screen) {
    release();
    confinement_ = xcb_generate_id(x_.connection);
    const std::uint32_t overrideRedirect[] = {1};
    xcb_create_window(x_.connection, 0, confinement_, x_.screen->root, Coordinate(screen.left), Coordinate(screen.top),
                      static_cast<std::uint16_t>(std::clamp(screen.width(), 1, 65535)),
                      static_cast<std::uint16_t>(std::clamp(screen.height(), 1, 65535)), 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT, overrideRedirect);
    xcb_map_window(x_.connection, confinement_);
    // The input goes to the editor window the pointer was over, in its own
    // coordinates, as a captured mouse's does; the server moves the pointer
    // into the confinement at once when it is outside.
    const xcb_window_t target = directory_.windows.count(pointerWindow_) != 0 ? pointerWindow_ : confinement_;
    std::unique_ptr<xcb_grab_pointer_reply_t, decltype(&std::free)> grab(
        xcb_grab_pointer_reply(x_.connection,
                               xcb_grab_pointer(x_.connection, 0, target, kGrabEvents, XCB_GRAB_MODE_ASYNC,
                                                XCB_GRAB_MODE_ASYNC, confinement_, directory_.pointerShape, XCB_CURRENT_TIME),
                               nullptr),
        &std::free);
    (void)grab;  // refused when another client holds the pointer: the pointer is then not pinned
}

void X11Cursor::release() {
    if (confinement_ == XCB_NONE) {
        return;
    }
    xcb_ungrab_pointer(x_.connection, XCB_CURRENT_TIME);
    xcb_destroy_window(x_.connection, confinement_);
    confinement_ = XCB_NONE;
    xcb_flush(x_.connection);
}

void X11Cursor::warp(Point absolute) {
    const ScreenSize size = screenSize();
    const Point target{static_cast<int>(FromAbsolute(absolute.x, size.width)), static_cast<int>(FromAbsolute(absolute.y, size.height))};
    // A warp onto the pointer's own position is left out: it would report a
    // motion the editor answers with another warp.
    if (position() == target) {
        return;
    }
    xcb_warp_pointer(x_.connection, XCB_NONE, x_.screen->root, 0, 0, 0, 0, Coordinate(target.x), Coordinate(target.y));
    xcb_flush(x_.connection);
}

ScreenSize X11Cursor::screenSize() const { return ScreenSize{x_.screen->width_in_pixels, x_.screen->height_in_pixels}; }

}  // namespace platform::ui::x11
