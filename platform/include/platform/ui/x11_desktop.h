#pragma once
// The desktop: the process's one connection to an X server. Editor windows
// become children of the X11 window ids their hosts hand them and draw
// themselves; the pointer, the keyboard state and the pop-up menus are the
// server's. The host watches the connection's descriptor in its own main loop
// and calls dispatch() when it is readable, so nothing here waits for events
// on a thread of its own. Interface thread, except Window::invalidate().
#include <memory>
#include <string>

#include "platform/host_windows.h"
#include "platform/keyboard_state.h"
#include "platform/popup_menus.h"
#include "platform/ui/cursor.h"
#include "platform/ui/window.h"

namespace platform::ui {

class X11Desktop {
public:
    virtual ~X11Desktop() = default;
    // Connects to `display` (null or empty: $DISPLAY); null with the reason in
    // `error` when no server answers.
    static std::unique_ptr<X11Desktop> open(const char* display, std::string& error);

    // The connection's file descriptor, readable when events are waiting.
    virtual int fileDescriptor() const = 0;
    // Handles every event already received or waiting, then paints each
    // window marked for painting. False once the connection is broken.
    virtual bool dispatch() = 0;

    // A new editor window, hidden; Window::nativeHandle() is its X11 id cast
    // to a pointer, and show(parent) takes the parent's X11 id the same way.
    virtual std::unique_ptr<Window> createWindow() = 0;
    virtual Cursor& cursor() = 0;
    virtual const KeyboardState& keyboardState() const = 0;
    virtual const PopupMenus& popupMenus() const = 0;
    // The host's windows on the same display, through a connection of the
    // service's own (its searches are safe from the mixing thread).
    virtual const HostWindows& hostWindows() const = 0;
};

}  // namespace platform::ui
