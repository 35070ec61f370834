// Decoding the window's messages.
#include "editor/message_handler.h"

#include "core/instance.h"
#include "editor/hints.h"
#include "editor/layout.h"
#include "editor/paint.h"
#include "editor/scale.h"
#include "editor/skin.h"

namespace velmora::editor {

using platform::ui::MouseButton;
using platform::ui::WindowEvent;

namespace {

// Window pixels to editor units, truncated.
int Units(int pixels, float scale) { return static_cast<int>(static_cast<float>(pixels) / scale); }

void MouseMove(Instance& plug, int x, int y) {
    // The hint follows the position this move reports.
    UpdateHint(plug, x, y);
    plug.mousePosX = x;
    plug.mousePosY = y;
    // Hover highlights follow the mouse at once.
    if ((plug.tab == kArticulationPanel || plug.tab == kControllerPanel) && Inside(x, y, 5, 5, 233, 94)) {
        plug.RepaintEditor(Repaint::Whole);
        PaintEditorWindow(plug);
    }
}

void Click(Instance& plug, int x, int y) {
    if (plug.tab == kGeneralPanel) {
        constexpr Rect kPageLabels[] = {{5, 92, 53, 116}, {55, 92, 125, 116}, {127, 92, 187, 116}};
        for (int page = 0; page < 3; ++page) {
            const Rect& r = kPageLabels[page];
            if (Inside(x, y, r.left, r.top, r.right, r.bottom)) {
                plug.processState->generalPage = page;
                plug.RepaintEditor(Repaint::Whole);
                return;
            }
        }
    }
    for (int k = 0; k < 3; ++k) {
        if (InTabButton(k, x, y)) {
            plug.tab = k;
            plug.RepaintEditor(Repaint::Whole);
            return;
        }
    }
}

}  // namespace

bool HandleEditorMessage(Instance& plug, const WindowEvent& event) {
    const float scale = plug.scaleFactor;
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
            plug.DebugLog(event.active ? "Now active" : "Now inactive");
            return true;
        case WindowEvent::Kind::MouseMove:
            MouseMove(plug, Units(event.x, scale), Units(event.y, scale));
            return true;
        case WindowEvent::Kind::ButtonDown:
            if (event.button == MouseButton::Left) {
                plug.pressPosX = Units(event.x, scale);
                plug.pressPosY = Units(event.y, scale);
            }
            return true;
        case WindowEvent::Kind::ButtonUp:
            if (event.button == MouseButton::Left && Units(event.x, scale) == plug.pressPosX &&
                Units(event.y, scale) == plug.pressPosY) {
                Click(plug, plug.pressPosX, plug.pressPosY);
            }
            return true;
        case WindowEvent::Kind::SetCursor:
        case WindowEvent::Kind::Wheel:
        case WindowEvent::Kind::KeyDown:
            return false;
    }
    return false;
}

}  // namespace velmora::editor
