// Clicks and right clicks on the controller panel's page title and slots.
#include "core/instance.h"
#include "editor/command_hooks.h"
#include "editor/controller_menu.h"
#include "editor/controller_pages.h"
#include "editor/controller_slots.h"
#include "editor/modifiers.h"

namespace velmora::editor {

bool ControllerPanelClick(Instance& plug, int x, int y) {
    if (PageTitleClick(plug, x, y)) {
        return true;
    }
    // The slider is never a button, whatever its type says.
    if (const int slot = SlotControlAt(plug, x, y); slot != kNoSlot && !IsFirstSlot(plug, slot) && IsButtonSlot(plug, slot)) {
        PressButtonSlot(plug, slot);
        return true;
    }
    if (const int slot = SlotNameAt(plug, x, y); slot != kNoSlot && SlotAssigned(plug, slot)) {
        ToggleSlotOn(plug, slot);
        return true;
    }
    return false;
}

bool ControllerRightClick(Instance& plug, int x, int y) {
    if (const int slot = SlotControlAt(plug, x, y); slot != kNoSlot) {
        ControllerMenu(plug, slot, ShiftDown(plug) ? kAssignSlot : kNoSlotCommand);
        return true;
    }
    // The slider's name is drawn only while it is assigned.
    if (const int slot = SlotNameAt(plug, x, y); slot != kNoSlot && (!IsFirstSlot(plug, slot) || SlotAssigned(plug, slot))) {
        RenameSlot(plug, slot);
        return true;
    }
    return false;
}

}  // namespace velmora::editor
