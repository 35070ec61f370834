// Decoding the window's messages.
#include "editor/message_handler.h"

#include <cstdlib>

#include "core/instance.h"
#include "editor/clicks.h"
#include "editor/drag.h"
#include "editor/hints.h"
#include "editor/keys.h"
#include "editor/layout.h"
#include "editor/modifiers.h"
#include "editor/paint.h"
#include "editor/scale.h"

namespace velmora::editor {

using platform::ui::MouseButton;
using platform::ui::WindowEvent;

namespace {

// Window pixels to editor units, truncated.
int Units(int pixels, float scale) { return static_cast<int>(static_cast<float>(pixels) / scale); }

void MouseMove(Instance& plug, int x, int y) {
    if (plug.articbanks != 0 && ControlDown(plug)) {
        plug.editorWindow->activate();
    }
    // The hint follows the position this move reports.
    UpdateHint(plug, x, y);
    if (plug.warping != 0) {
        return;
    }
    plug.mousePosX = x;
    plug.mousePosY = y;
    if (Dragging(plug)) {
        DragMouseMove(plug);
    }
    // Hover highlights follow the mouse at once.
    if ((plug.tab == kArticulationPanel || plug.tab == kControllerPanel) && Inside(x, y, 5, 5, 233, 94)) {
        plug.RepaintEditor(Repaint::Whole);
        PaintEditorWindow(plug);
    }
}

// A release within 5 units of the press, on both axes, is a click.
bool ReleasedInPlace(const Instance& plug) {
    return std::abs(plug.pressPosX - plug.mousePosX) <= 5 && std::abs(plug.pressPosY - plug.mousePosY) <= 5;
}

void ButtonDown(Instance& plug, MouseButton button, int x, int y) {
    if (button == MouseButton::Left) {
        LeftButtonDown(plug, x, y);
    } else {
        plug.mousePosX = plug.pressPosX = x;
        plug.mousePosY = plug.pressPosY = y;
    }
}

void ButtonUp(Instance& plug, MouseButton button, int x, int y) {
    if (button == MouseButton::Left) {
        EndDrag(plug, true);
    }
    if (!ReleasedInPlace(plug)) {
        return;
    }
    plug.mousePosX = x;
    plug.mousePosY = y;
    switch (button) {
        case MouseButton::Left: Click(plug, x, y); break;
        case MouseButton::Right: RightClick(plug, x, y); break;
        case MouseButton::Middle: MiddleClick(plug, x, y); break;
        case MouseButton::None: break;
    }
}

}  // namespace

bool HandleEditorMessage(Instance& plug, const WindowEvent& event) {
    const float scale = plug.scaleFactor;
    const int x = Units(event.x, scale);
    const int y = Units(event.y, scale);
    switch (event.kind) {
        case WindowEvent::Kind::Paint:
            PaintEditorWindow(plug);
            return true;
        case WindowEvent::Kind::Size:
            FollowOutsideSize(plug, event.width, event.height);
            PaintEditorWindow(plug);
            return true;
        case WindowEvent::Kind::EraseBackground:
            return true;
        case WindowEvent::Kind::Activate:
            EndDrag(plug, false);
            plug.DebugLog(event.active ? "Now active" : "Now inactive");
            return true;
        case WindowEvent::Kind::SetCursor:
            // The hidden cursor stays hidden while a drag is in progress.
            return Dragging(plug);
        case WindowEvent::Kind::MouseMove:
            MouseMove(plug, x, y);
            return true;
        case WindowEvent::Kind::ButtonDown:
            ButtonDown(plug, event.button, x, y);
            return true;
        case WindowEvent::Kind::ButtonUp:
            ButtonUp(plug, event.button, x, y);
            return true;
        case WindowEvent::Kind::Wheel:
            Wheel(plug, event.delta);
            return true;
        case WindowEvent::Kind::KeyDown:
            KeyDown(plug, event.key);
            return true;
    }
    return false;
}

}  // namespace velmora::editor
