// The controller page's slots: places, parameter numbers and the one-click
// actions on a slot.
#include "editor/controller_slots.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>

#include "core/instance.h"
#include "editor/layout.h"
#include "editor/typed_entry.h"
#include "engine/param_change.h"

namespace velmora::editor {

namespace {

constexpr int kButtonType = 1;
constexpr int kRowSlots = kControllersPerPage - 1;  // the knobs row below the slider

constexpr Rect kFirstControl{174, 105, 230, 125};
constexpr Rect kFirstName{119, 105, 162, 121};
constexpr Rect RowControl(int k) { return {12 + 45 * k, 127, 46 + 45 * k, 161}; }
constexpr Rect RowName(int k) { return {12 + 45 * k, 163, 46 + 45 * k, 172}; }

bool In(int x, int y, const Rect& r) { return Inside(x, y, r.left, r.top, r.right, r.bottom); }

// A page restored from a damaged project may start anywhere: only one whose
// six slots all exist has slots on screen.
bool PageValid(const Instance& plug) {
    return plug.controllerstart >= 0 && plug.controllerstart <= kControllers - kControllersPerPage;
}

// The page's slot whose box (first slot's, then row slot k's) holds (x, y).
template <class FirstBox, class RowBox>
int SlotAt(const Instance& plug, int x, int y, FirstBox first, RowBox row) {
    if (!PageValid(plug)) {
        return kNoSlot;
    }
    if (In(x, y, first)) {
        return plug.controllerstart;
    }
    for (int k = 0; k < kRowSlots; ++k) {
        if (In(x, y, row(k))) {
            return plug.controllerstart + 1 + k;
        }
    }
    return kNoSlot;
}

std::size_t At(int slot) { return static_cast<std::size_t>(slot); }

}  // namespace

int SlotControlAt(const Instance& plug, int x, int y) { return SlotAt(plug, x, y, kFirstControl, RowControl); }

int SlotNameAt(const Instance& plug, int x, int y) { return SlotAt(plug, x, y, kFirstName, RowName); }

bool IsFirstSlot(const Instance& plug, int slot) { return slot == plug.controllerstart; }

bool SlotAssigned(const Instance& plug, int slot) { return plug.controllers.cc[At(slot)] != kUnassignedCC; }

bool IsButtonSlot(const Instance& plug, int slot) {
    return SlotAssigned(plug, slot) && plug.controllers.type[At(slot)] == kButtonType;
}

int SlotParameter(const Instance& plug, int slot) {
    if (plug.paramknob == 1) {
        return slot;
    }
    // A damaged offset must not overflow the difference.
    const long long p = static_cast<long long>(plug.controllers.cc[At(slot)]) - plug.oldparams;
    return static_cast<int>(
        std::clamp<long long>(p, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void SendSlotValue(Instance& plug, int slot, int value) {
    const int p = SlotParameter(plug, slot);
    ProcessParam(plug, p, value, plug::REC_UpdateValue | plug::REC_UpdateControl);
    plug.Host().paramChanged(p, value);
    char text[64];
    std::snprintf(text, sizeof(text), "CC #%i set to %i", plug.controllers.cc[At(slot)], plug.controllers.value[At(slot)]);
    plug.Host().statusText(text);
}

void PressButtonSlot(Instance& plug, int slot) {
    if (!IsButtonSlot(plug, slot)) {
        return;
    }
    SendSlotValue(plug, slot, plug.controllers.value[At(slot)] < 64 ? 127 : 0);
}

void ResetSlot(Instance& plug, int slot) {
    if (!SlotAssigned(plug, slot) || plug.controllers.lock[At(slot)] != 0) {
        return;
    }
    SendSlotValue(plug, slot, plug.controllers.defaultValue[At(slot)]);
}

void ToggleSlotOn(Instance& plug, int slot) {
    auto& on = plug.controllers.on[At(slot)];
    on = on != 0 ? 0 : 1;
    plug.RepaintEditor(Repaint::Whole);
}

void RenameSlot(Instance& plug, int slot) {
    std::string name = plug.controllers.name[At(slot)];
    if (!PromptEdit(plug, "Controller Name", name)) {
        return;
    }
    plug.controllers.name[At(slot)] = name;
    plug.RepaintEditor(Repaint::Whole);
    TellNamesChanged(plug);
}

void TellNamesChanged(const Instance& plug) {
    plug.Host().dispatcher(plug::FHD_NamesChanged, 0, plug::kNamesParams);
    plug.Host().stateChanged();
}

}  // namespace velmora::editor
