// A controller slot's context menu and its commands.
#include "editor/controller_menu.h"

#include <algorithm>
#include <string>

#include "core/instance.h"
#include "editor/controller_cc.h"
#include "editor/controller_host_entries.h"
#include "editor/controller_slots.h"
#include "editor/typed_entry.h"

namespace velmora::editor {

namespace {

constexpr int kSlotTypes = 3;  // knob, button, fader

std::size_t At(int slot) { return static_cast<std::size_t>(slot); }

platform::MenuEntry Item(int id, std::string text) {
    platform::MenuEntry e;
    e.id = id;
    e.text = std::move(text);
    return e;
}

bool ClipboardFull(const Instance& plug) { return plug.processState->controllerClipboard.full; }

// Only what the menu offered can be chosen from it: a host answering with any
// other id, or with a separator's or a greyed entry's, chooses nothing.
bool Offered(const std::vector<platform::MenuEntry>& entries, int id) {
    return std::any_of(entries.begin(), entries.end(),
                       [&](const platform::MenuEntry& e) { return e.id == id && !e.separator && !e.greyed; });
}

void AssignSlot(Instance& plug, int slot) {
    ControllerTable& c = plug.controllers;
    std::string text = SlotAssigned(plug, slot) ? std::to_string(c.cc[At(slot)]) : std::string();
    if (!PromptEdit(plug, "Controller CC", text)) {
        return;
    }
    const std::optional<int> cc = TypedControllerNumber(text);
    if (!cc) {
        plug.Host().messageBox("Invalid CC #. Please enter a CC controller number between 0 and 127", plug::kMsgError);
        return;
    }
    c.cc[At(slot)] = *cc;
    plug.RepaintEditor(Repaint::Whole);
    if (c.name[At(slot)].empty()) {
        c.name[At(slot)] = "New control";
    }
    TellNamesChanged(plug);
}

void UnassignSlot(Instance& plug, int slot) {
    plug.controllers.cc[At(slot)] = kUnassignedCC;
    TellNamesChanged(plug);
    plug.RepaintEditor(Repaint::Whole);
}

void SwapSlotType(Instance& plug, int slot) {
    std::int32_t& type = plug.controllers.type[At(slot)];
    // A type restored out of range comes back into the three.
    type = static_cast<std::int32_t>(((static_cast<long long>(type) + 1) % kSlotTypes + kSlotTypes) % kSlotTypes);
    plug.Host().stateChanged();
    plug.RepaintEditor(Repaint::Whole);
}

void PasteSlot(Instance& plug, int slot) {
    const ControllerClipboard& clipboard = plug.processState->controllerClipboard;
    if (!clipboard.full) {
        return;
    }
    plug.controllers.set(slot, clipboard.controller);
    TellNamesChanged(plug);
    plug.RepaintEditor(Repaint::Whole);
}

void RunSlotCommand(Instance& plug, int slot, int id, bool preset) {
    ControllerTable& c = plug.controllers;
    const bool assigned = SlotAssigned(plug, slot);
    switch (id) {
        case kAssignSlot:
            if (preset || !assigned) {
                AssignSlot(plug, slot);
            } else {
                UnassignSlot(plug, slot);
            }
            return;
        case kReassignSlot: AssignSlot(plug, slot); return;
        case kRenameSlot: RenameSlot(plug, slot); return;
        case kSwapSlotType: SwapSlotType(plug, slot); return;
        case kSetSlotDefault:
            c.defaultValue[At(slot)] = c.value[At(slot)];
            plug.Host().stateChanged();
            return;
        case kLockSlot:
            // The engine reads the lock on the next parameter change; nothing to tell.
            c.lock[At(slot)] = c.lock[At(slot)] != 0 ? 0 : 1;
            return;
        case kCopySlot:
            plug.processState->controllerClipboard = {true, c.get(slot)};
            return;
        case kPasteSlot: PasteSlot(plug, slot); return;
        default: break;
    }
    if (id >= kHostEntryBase && id < kHostEntryBase + kMaxHostEntries) {
        RunHostEntry(plug, SlotParameter(plug, slot), id - kHostEntryBase);
    }
}

}  // namespace

std::vector<platform::MenuEntry> BuildControllerMenu(const Instance& plug, int slot) {
    const ControllerTable& c = plug.controllers;
    const bool full = ClipboardFull(plug);
    std::vector<platform::MenuEntry> entries;
    if (!SlotAssigned(plug, slot)) {
        entries.push_back(Item(kAssignSlot, "Assign controller"));
        if (full) {
            entries.push_back(Item(kPasteSlot, "Paste controller"));
        }
        return entries;
    }
    entries.push_back(Item(kReassignSlot, "Reassign controller"));
    entries.push_back(Item(kAssignSlot, "Unassign controller"));
    entries.push_back(Item(kRenameSlot, "Rename controller"));
    entries.push_back(Item(kSwapSlotType, "Swap controller type"));
    entries.push_back(Item(kLockSlot, c.lock[At(slot)] != 0 ? "Unlock controller value" : "Lock controller value"));
    entries.push_back(Item(kCopySlot, "Copy controller"));
    if (full) {
        entries.push_back(Item(kPasteSlot, "Paste controller"));
    }
    platform::MenuEntry separator;
    separator.id = kSlotMenuSeparator;
    separator.separator = true;
    entries.push_back(separator);
    std::string suffix;
    const Instance& source = HostEntrySource(plug, suffix);
    AppendHostEntries(source, SlotParameter(plug, slot), suffix, entries);
    entries.push_back(Item(kSetSlotDefault, "Set as default"));
    return entries;
}

void ControllerMenu(Instance& plug, int slot, int preset) {
    // Built with a preset command too: the host hears the same questions either way.
    const std::vector<platform::MenuEntry> entries = BuildControllerMenu(plug, slot);
    if (preset != kNoSlotCommand) {
        RunSlotCommand(plug, slot, preset, true);
        return;
    }
    const int chosen = plug.platform.popupMenus().track(entries);
    if (chosen != kNoSlotCommand && Offered(entries, chosen)) {
        RunSlotCommand(plug, slot, chosen, false);
    }
}

}  // namespace velmora::editor
