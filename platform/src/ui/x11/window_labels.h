#pragma once
// What the host-window service knows a window by: the class part of its
// WM_CLASS and its title (_NET_WM_NAME, else WM_NAME), read for many windows
// with one round trip, and the rule by which a search matches them.
#include <xcb/xcb.h>

#include <string>
#include <string_view>
#include <vector>

namespace platform::ui::x11 {

// The atoms that are not predefined; interned once per connection.
struct LabelAtoms {
    xcb_atom_t netWmName = XCB_NONE;
    xcb_atom_t utf8String = XCB_NONE;
};
LabelAtoms InternLabelAtoms(xcb_connection_t* connection);

struct WindowLabel {
    bool hasClass = false;  // false: no WM_CLASS at all (a window manager's frame, say)
    std::string className;
    std::string title;  // UTF-8
};

// The class of a WM_CLASS value ("instance\0class\0"): its second string,
// empty when there is none.
std::string ClassOfWmClass(std::string_view value);
// A WM_NAME of type STRING (ISO Latin-1) in UTF-8.
std::string Latin1ToUtf8(std::string_view latin1);
// Whether a window labelled `label` is the one a search for `className` and
// `title` asks for: the class exactly, the whole title without regard to
// ASCII case; an empty class or title matches any.
bool LabelMatches(const WindowLabel& label, std::string_view className, std::string_view title);

// The labels of `windows`, in their order; titles only when `withTitles`.
// All requests go out before the first reply is read, so the whole batch
// costs one round trip. A window that is gone gets an empty label.
std::vector<WindowLabel> ReadLabels(xcb_connection_t* connection, const LabelAtoms& atoms, const std::vector<xcb_window_t>& windows,
                                    bool withTitles);

}  // namespace platform::ui::x11
