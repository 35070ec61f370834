#pragma once
// The order in which the host-window service searches windows, as Windows
// walks them: from the top of the stacking order down. X's query_tree lists
// children bottom first, so every list here is its reverse.
//
// Top-level windows are the clients, not the window manager's frames: a
// child of the root without WM_CLASS (a frame) stands for its descendants
// that have one, found up to kFrameDepth levels down, in the frame's place.
// Without a window manager the root's children are the top-levels.
#include <xcb/xcb.h>

#include <vector>

#include "window_labels.h"

namespace platform::ui::x11 {

// How far below a frame its client may sit: window managers put it straight
// into the frame or into a wrapper inside it.
inline constexpr int kFrameDepth = 2;

struct LabelledWindow {
    xcb_window_t id = XCB_NONE;
    WindowLabel label;
};

// The children of `parent`, topmost first; empty for none or no such window.
std::vector<xcb_window_t> ChildrenTopDown(xcb_connection_t* connection, xcb_window_t parent);
// The children of several windows at once (one round trip), each list topmost first.
std::vector<std::vector<xcb_window_t>> ChildrenTopDown(xcb_connection_t* connection, const std::vector<xcb_window_t>& parents);
// The query_tree parent; XCB_NONE for the root or a window that is gone.
xcb_window_t TreeParent(xcb_connection_t* connection, xcb_window_t window);

// The top-level windows under `root`, topmost first, with their labels
// (titles only when `withTitles`). One round trip for the root's children and
// their labels, two more for each level of frames.
std::vector<LabelledWindow> TopLevels(xcb_connection_t* connection, const LabelAtoms& atoms, xcb_window_t root, bool withTitles);
// The direct children of `parent`, topmost first, with their labels.
std::vector<LabelledWindow> LabelledChildren(xcb_connection_t* connection, const LabelAtoms& atoms, xcb_window_t parent,
                                             bool withTitles);

// The first window of `windows` after `after` (XCB_NONE: from the first) whose
// label matches; XCB_NONE when none does or `after` is not in the list.
xcb_window_t FindAfter(const std::vector<LabelledWindow>& windows, std::string_view className, std::string_view title,
                       xcb_window_t after);

}  // namespace platform::ui::x11
