#pragma once
// The host's own windows (main windows, containers, piano rolls, plugin
// forms, the colour pop-up), as the piano-roll integration finds, reads and
// drives them: by window class and title, rectangles, one row of pixels, the
// pointer and synthetic input. Window handles are the window system's ids as
// HWND. The default service knows no windows: every search finds none, every
// input is dropped. The service is a handle on the window system, so even its
// inputs are const. Interface thread, except where a member says otherwise.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/geometry.h"
#include "sdk/plug_types.h"

namespace platform {

class HostWindows {
public:
    virtual ~HostWindows() = default;

    // Searches, in the window system's order, starting after `after` (null:
    // from the first). An empty class or title matches any; a title matches
    // the whole title without regard to case. Safe from the mixing thread.
    virtual HWND findTopLevel(std::string_view className, std::string_view title, HWND after = nullptr) const;
    virtual HWND findChild(HWND parent, std::string_view className, std::string_view title, HWND after = nullptr) const;
    virtual HWND parent(HWND window) const;
    virtual HWND firstChild(HWND window) const;
    // Screen rectangle of the whole window; false when there is no such window.
    // Safe from the mixing thread.
    virtual bool windowRect(HWND window, ui::Rect& screen) const;
    // The client area's size as a rectangle at (0, 0); false when unknown.
    virtual bool clientRect(HWND window, ui::Rect& client) const;
    // Client coordinates of `window` to the screen's and back.
    virtual ui::Point clientToScreen(HWND window, ui::Point client) const;
    virtual ui::Point screenToClient(HWND window, ui::Point screen) const;
    // The deepest window at a screen point; null for none.
    virtual HWND windowAt(ui::Point screen) const;
    // Row `y` of the window's pixels as 0xRRGGBB, one per x of its width;
    // empty when the window or the row is not there.
    virtual std::vector<std::uint32_t> pixelRow(HWND window, int y) const;

    // The pointer on the screen. Safe from the mixing thread.
    virtual ui::Point cursorPosition() const;
    virtual void setCursorPosition(ui::Point screen) const;
    // Synthetic input, as the user's own: the left button at the pointer,
    // and keys by virtual key code.
    virtual void leftButton(bool down) const;
    virtual void key(int virtualKey, bool down) const;
    // Whether a key (virtual key code; 0x01 the left mouse button, 0xA0 and
    // 0xA1 the left and right Shift) is down now. Safe from the mixing thread.
    virtual bool keyDown(int virtualKey) const;
    // Moves a window, keeping its size, to a point in its parent's client
    // coordinates.
    virtual void moveWindow(HWND window, ui::Point inParent) const;
    // The system's debug output, one text as given. Safe from the mixing thread.
    virtual void debugOutput(const std::string& text) const;

    // The client area's height of a host window in pixels; false when the
    // window is not one this service knows.
    bool clientHeight(HWND window, int& height) const {
        ui::Rect r;
        if (!clientRect(window, r)) {
            return false;
        }
        height = r.height();
        return true;
    }
};

}  // namespace platform
