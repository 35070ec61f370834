// Resetting a controller from the mouse: an Alt press that starts no drag, or
// a middle click.
#include "editor/controller_hooks.h"

#include "core/instance.h"
#include "editor/controller_slots.h"
#include "editor/layout.h"

namespace velmora::editor {

void ResetControllerUnderMouse(Instance& plug, int x, int y) {
    // The slots' places mean nothing on the other panels.
    if (plug.tab != kControllerPanel) {
        return;
    }
    if (const int slot = SlotControlAt(plug, x, y); slot != kNoSlot) {
        ResetSlot(plug, slot);
    }
}

}  // namespace velmora::editor
