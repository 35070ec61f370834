#pragma once
// Pop-up menus at the mouse. This platform's default has no menus
// (headless): it answers as a user who dismissed the menu.
#include <string>
#include <vector>

namespace platform {

struct MenuEntry {
    int id = 0;
    std::string text;  // empty for a separator
    bool separator = false;
};

class PopupMenus {
public:
    virtual ~PopupMenus() = default;
    // Shows the entries and returns the chosen entry's id, 0 when dismissed.
    virtual int track(const std::vector<MenuEntry>& entries) const;
};

}  // namespace platform
