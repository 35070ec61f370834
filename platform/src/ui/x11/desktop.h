#pragma once
// The desktop: the connection, the windows it knows and the loop step that
// hands the server's events to them.
#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

#include "connection.h"
#include "cursor.h"
#include "host_windows.h"
#include "keyboard_mapping.h"
#include "keyboard_state.h"
#include "platform/popup_menus.h"
#include "popup_menus.h"
#include "platform/ui/x11_desktop.h"
#include "window_directory.h"

namespace platform::ui::x11 {

// The connection as the desktop holds it: closed only after every member
// that sends on it (the cursor releases its grab) is gone, so it is the
// desktop's first member. Events still deferred are freed with it.
struct ClosingConnection : Connection {
    cairo_device_t* cairoDevice = nullptr;  // cairo's state for the connection, finished first
    ~ClosingConnection();
};

class Desktop final : public X11Desktop {
public:
    // Takes a working connection (and its screen and visual) and the name of
    // its display, which the host-window service connects to in turn.
    Desktop(Connection connection, std::string display);
    ~Desktop() override = default;
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    int fileDescriptor() const override;
    bool dispatch() override;
    std::unique_ptr<Window> createWindow() override;
    Cursor& cursor() override { return cursor_; }
    const KeyboardState& keyboardState() const override { return keyboardState_; }
    const PopupMenus& popupMenus() const override { return popupMenus_; }
    const HostWindows& hostWindows() const override { return hostWindows_; }

private:
    void handle(const xcb_generic_event_t* event);
    X11Window* window(xcb_window_t id) const;
    void pointerInput(xcb_window_t id, const WindowEvent& event);

    ClosingConnection x_;
    WindowDirectory directory_;
    KeyboardMapping keys_;
    X11Cursor cursor_{x_, directory_};
    X11KeyboardState keyboardState_{x_, keys_};
    X11PopupMenus popupMenus_{x_};
    X11HostWindows hostWindows_;
    std::vector<xcb_window_t> painting_;  // reused by each dispatch
};

}  // namespace platform::ui::x11
