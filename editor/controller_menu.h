#pragma once
// A controller slot's context menu: assigning, renaming, locking, copying
// and pasting the slot, and the host's own commands for its parameter.
// Interface thread.
#include <vector>

#include "platform/popup_menus.h"

namespace velmora {
class Instance;
}

namespace velmora::editor {

// Menu ids of the slot commands.
enum SlotCommand : int {
    kNoSlotCommand = 0,
    kAssignSlot = 126,  // also "Unassign controller" on an assigned slot
    kRenameSlot = 127,
    kSwapSlotType = 128,
    kSlotMenuSeparator = 129,
    kSetSlotDefault = 130,
    kLockSlot = 131,
    kCopySlot = 132,
    kPasteSlot = 133,
    kReassignSlot = 134,
};

// The menu of `slot` as offered now (the host's entries asked as they come).
std::vector<platform::MenuEntry> BuildControllerMenu(const Instance& plug, int slot);

// Shows the menu of `slot` and runs the command chosen; with a preset command
// runs that one without a menu (kAssignSlot then always assigns).
void ControllerMenu(Instance& plug, int slot, int preset = kNoSlotCommand);

}  // namespace velmora::editor
