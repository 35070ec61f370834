// Clicks by place.
#include "editor/clicks.h"

#include "core/instance.h"
#include "editor/layout.h"

namespace velmora::editor {

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

void RightClick(Instance&, int, int) {}
void MiddleClick(Instance&, int, int) {}

}  // namespace velmora::editor
