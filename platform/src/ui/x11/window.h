#pragma once
// An editor window on an X server: a child of the host's window, drawn with
// cairo from the pictures the editor paints. The desktop hands it the events
// the server reports for it and its parent.
#include <cairo.h>
#include <xcb/xcb.h>

#include <atomic>

#include "connection.h"
#include "platform/ui/window.h"
#include "window_directory.h"

namespace platform::ui::x11 {

class X11Window final : public Window {
public:
    // Creates the X window at once, unmapped, as a child of the root.
    X11Window(Connection& x, WindowDirectory& directory);
    ~X11Window() override;
    X11Window(const X11Window&) = delete;
    X11Window& operator=(const X11Window&) = delete;

    void setHandler(WindowHandler handler) override { handler_ = std::move(handler); }
    void setSize(int width, int height) override;
    int width() const override { return width_; }
    int height() const override { return height_; }
    // `parent` is the host window's X11 id cast to a pointer.
    void show(void* parent) override;
    void hide() override;
    bool shown() const override { return shown_; }
    // Both only set a flag: the mixing thread calls them. The desktop's next
    // dispatch paints the whole window (no partial paint here).
    void invalidate() override { dirty_.store(true, std::memory_order_release); }
    void invalidate(const Rect&) override { dirty_.store(true, std::memory_order_release); }
    void paintPending() override;
    void present(Bitmap&& picture) override;
    Bitmap takePictureMemory() override { return std::move(picture_); }
    void activate() override { focus(); }
    void focus() override;
    void* nativeHandle() override;

    // From the desktop's dispatch.
    bool deliver(const WindowEvent& event) { return handler_ ? handler_(event) : false; }
    // The parent reported its size; a new one that differs from this
    // window's own is taken over and reported to the handler.
    void parentConfigured(int width, int height);
    // The server destroyed the window (its parent went away); showing it
    // again makes a new one.
    void destroyedByServer();
    // The parent went away while the window was elsewhere.
    void parentDestroyed();

private:
    void create();
    void leaveParent();
    void configure();
    void releaseSurface();

    Connection& x_;
    WindowDirectory& directory_;
    xcb_window_t id_ = XCB_NONE;
    xcb_window_t parent_ = XCB_NONE;
    int parentWidth_ = 0;  // the parent's size as last seen, so a move is no resize
    int parentHeight_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool shown_ = false;
    WindowHandler handler_;
    std::atomic<bool> dirty_{false};
    Bitmap picture_;
    cairo_surface_t* surface_ = nullptr;  // drawing onto the window, made at the first picture
};

}  // namespace platform::ui::x11
