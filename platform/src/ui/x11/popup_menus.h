#pragma once
// Pop-up menus drawn by the plugin itself on an X11 desktop, as plugin
// editors there have no toolkit to ask: an override-redirect window at the
// pointer that holds the pointer and keyboard grabs and runs its own modal
// loop on the desktop's connection until an entry is chosen or the menu is
// dismissed. Events for other windows read meanwhile wait in the
// connection's deferred queue. Interface thread.
#include <functional>
#include <vector>

#include "connection.h"
#include "platform/popup_menus.h"
#include "platform/ui/geometry.h"

namespace platform::ui::x11 {

// A menu as it went up: its window, its rectangle on the screen and its
// entries' rows in menu coordinates.
struct ShownMenu {
    xcb_window_t window = XCB_NONE;
    Rect onScreen;
    std::vector<Rect> rows;
};

class X11PopupMenus final : public platform::PopupMenus {
public:
    explicit X11PopupMenus(Connection& connection) : connection_(connection) {}

    // The chosen entry's id; 0 when dismissed (a click off the menu, Escape),
    // for an empty list (nothing is shown) and when the menu cannot get the
    // input or the connection breaks.
    int track(const std::vector<MenuEntry>& entries) const override;

    // Told of every menu once it is on screen and holds the grabs, on the
    // thread that called track(): from then on it takes input.
    void watchShown(std::function<void(const ShownMenu&)> watcher) { shown_ = std::move(watcher); }

private:
    Connection& connection_;
    std::function<void(const ShownMenu&)> shown_;
};

}  // namespace platform::ui::x11
