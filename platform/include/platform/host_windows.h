#pragma once
// The host's own windows (piano rolls and their parts), as the piano-roll
// integration sees them. This platform has no host windows of its own yet:
// the default service finds none.
#include "sdk/plug_types.h"

namespace platform {

class HostWindows {
public:
    virtual ~HostWindows() = default;
    // Whether the note being started came from a shift-click in the colour
    // area of one of the host's piano rolls below mainWindow. Mixing thread:
    // it only reads windows and key states.
    virtual bool pianoRollShiftClick(HWND mainWindow) const;
    // The client area's height of a host window in pixels; false when the
    // window is not one this service knows. Interface thread.
    virtual bool clientHeight(HWND window, int& height) const;
};

}  // namespace platform
