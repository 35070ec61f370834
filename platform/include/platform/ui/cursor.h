#pragma once
// The mouse pointer of the screen the editor is on: hiding it, pinning it in
// place while a value is dragged and reading where it is. Positions are
// screen pixels. Interface thread.
#include "platform/ui/geometry.h"

namespace platform::ui {

// The cursor shown before a hide, handed back to restore it. Never null, so
// "a drag holds a saved cursor" can be told from "no drag" by the pointer
// alone (the note learning of the mixing thread reads it so).
using CursorToken = const void*;

struct ScreenSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const ScreenSize&, const ScreenSize&) = default;
};

// Absolute pointer input spans the screen as 0..65535 on each axis, as the
// window system's injected input does.
inline constexpr int kAbsoluteInputSpan = 65535;

class Cursor {
public:
    virtual ~Cursor() = default;
    // Hides the pointer; answers the cursor shown until now.
    virtual CursorToken hide() = 0;
    // Shows a cursor a hide answered.
    virtual void restore(CursorToken previous) = 0;
    virtual Point position() const = 0;
    // Keeps the pointer inside `screen` (right and bottom edges outside, as
    // for every Rect) until release(); a pointer outside is moved to the
    // nearest point inside.
    virtual void confine(const Rect& screen) = 0;
    virtual void release() = 0;
    // Moves the pointer as injected absolute input does: `absolute` on the
    // 0..kAbsoluteInputSpan scale of each axis. The window under the pointer
    // gets a mouse move for the new position, as for any motion.
    virtual void warp(Point absolute) = 0;
    virtual ScreenSize screenSize() const = 0;
};

}  // namespace platform::ui
