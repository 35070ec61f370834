#pragma once
// Pop-up menus at the mouse. This platform has no menus of its own: a host
// without a window system answers through its table, and without one the
// answer is that of a user who dismissed the menu.
#include <string>
#include <vector>

#include "shared/headless_editor.h"

namespace platform {

struct MenuEntry {
    int id = 0;
    std::string text;  // UTF-8; empty for a separator
    bool separator = false;
    bool greyed = false;
    bool ticked = false;
};

class PopupMenus {
public:
    PopupMenus() = default;
    explicit PopupMenus(const velmora::HeadlessHost* const* host) : host_(host) {}
    virtual ~PopupMenus() = default;
    // Shows the entries and returns the chosen entry's id, 0 when dismissed.
    // Interface thread.
    virtual int track(const std::vector<MenuEntry>& entries) const;

private:
    const velmora::HeadlessHost* const* host_ = nullptr;
};

}  // namespace platform
