#pragma once
// The editor's window: a borderless child of a host window, without controls.
// It hands every message to one handler and shows the picture the handler
// painted. Interface thread, except invalidate(), which the mixing thread may
// call too (it only marks the window for painting).
#include <cstdint>
#include <functional>

#include "platform/ui/bitmap.h"
#include "platform/ui/geometry.h"

namespace platform::ui {

enum class MouseButton { None, Left, Right, Middle };

// The message kinds the editor decodes; positions are window pixels.
struct WindowEvent {
    enum class Kind { Paint, Size, EraseBackground, Activate, SetCursor, MouseMove, ButtonDown, ButtonUp, Wheel, KeyDown };
    Kind kind = Kind::Paint;
    int x = 0;
    int y = 0;
    MouseButton button = MouseButton::None;
    int delta = 0;        // Wheel: multiples of 120, positive away from the user
    int key = 0;          // KeyDown: virtual key code
    bool active = false;  // Activate
    int width = 0;        // Size: the new window size
    int height = 0;
};

// Answers whether the handler took the message.
using WindowHandler = std::function<bool(const WindowEvent&)>;

class Window {
public:
    virtual ~Window() = default;
    virtual void setHandler(WindowHandler handler) = 0;
    // Resizes without moving, without a redraw and without activating.
    virtual void setSize(int width, int height) = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Shown as a child of `parent` (the host's window handle), or hidden with no parent.
    virtual void show(void* parent) = 0;
    virtual void hide() = 0;
    virtual bool shown() const = 0;
    // Marks the whole window, or one rectangle of it in window pixels, to be
    // painted; no erase. Safe from any thread.
    virtual void invalidate() = 0;
    virtual void invalidate(const Rect& pixels) = 0;
    // Paints now when something was marked (the message loop's paint message).
    virtual void paintPending() = 0;
    // The picture a paint made, already at window pixels.
    virtual void present(Bitmap&& picture) = 0;
    // The memory of the picture shown, handed back for the next one so a
    // paint of the same size allocates nothing; empty when there is none.
    virtual Bitmap takePictureMemory() { return {}; }
    // Makes the window the active one of its application (keys reach it).
    virtual void activate() {}
    // Gives the keyboard focus to the host window holding this one and then to
    // this one, so the keys that follow a click reach the editor.
    virtual void focus() {}
    // The handle the window system knows the window by.
    virtual void* nativeHandle() = 0;
};

}  // namespace platform::ui
