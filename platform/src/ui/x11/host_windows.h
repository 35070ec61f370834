#pragma once
// The host's windows on an X server: found by the class part of WM_CLASS and
// the title (_NET_WM_NAME, else WM_NAME), measured and read through the
// service's own connection, driven with warp_pointer and XTEST. Its own
// connection, because the mixing thread calls some members while the
// interface thread dispatches the desktop's; xcb serialises the callers of one
// connection, so after the first call no lock is taken here. The connection opens on first use;
// without a server every member answers as the service that knows no windows.
//
// Orders and parents, as the window system's order is mapped onto X:
// - Top-level windows are the root's children from the top of the stacking
//   order down; one a window manager reparented into a frame (a root child
//   without WM_CLASS) is found in its frame's place (see window_order.h).
// - A window's children likewise, topmost first; firstChild is the topmost.
// - parent() is the query_tree parent, except that a top-level, framed or
//   not, answers the root; the root answers null. findChild and firstChild
//   take the root (or null) as the top-levels' parent, so a walk up and back
//   down meets the same windows.
//
// What a call costs in round trips to the server (requests of one step are all
// sent before the first reply is read): findChild 2; findTopLevel 2, and 2
// more for each level of window-manager frames; windowRect, clientRect,
// client/screen coordinates, cursorPosition and keyDown 1; pixelRow 2;
// windowAt 1 for each level down to the deepest window; parent 1, and 2 for
// each frame level it climbs. setCursorPosition, leftButton, key and
// moveWindow only send. The searches allocate their lists of windows and
// labels; the first call of all (on whichever thread) also connects.
#include <memory>
#include <mutex>
#include <string>

#include "platform/host_windows.h"

namespace platform::ui::x11 {

class X11HostWindows final : public HostWindows {
public:
    // `display` as xcb_connect takes it (empty: $DISPLAY when first used).
    explicit X11HostWindows(std::string display);
    ~X11HostWindows() override;
    X11HostWindows(const X11HostWindows&) = delete;
    X11HostWindows& operator=(const X11HostWindows&) = delete;

    HWND findTopLevel(std::string_view className, std::string_view title, HWND after = nullptr) const override;
    HWND findChild(HWND parent, std::string_view className, std::string_view title, HWND after = nullptr) const override;
    HWND parent(HWND window) const override;
    HWND firstChild(HWND window) const override;
    bool windowRect(HWND window, ui::Rect& screen) const override;
    bool clientRect(HWND window, ui::Rect& client) const override;
    ui::Point clientToScreen(HWND window, ui::Point client) const override;
    ui::Point screenToClient(HWND window, ui::Point screen) const override;
    HWND windowAt(ui::Point screen) const override;
    std::vector<std::uint32_t> pixelRow(HWND window, int y) const override;
    ui::Point cursorPosition() const override;
    void setCursorPosition(ui::Point screen) const override;
    void leftButton(bool down) const override;
    void key(int virtualKey, bool down) const override;
    bool keyDown(int virtualKey) const override;
    void moveWindow(HWND window, ui::Point inParent) const override;

private:
    struct Link;
    // The connection, opened by the first caller; null when no server answered.
    Link* link() const;

    std::string display_;
    mutable std::once_flag opened_;
    mutable std::unique_ptr<Link> link_;
};

}  // namespace platform::ui::x11
