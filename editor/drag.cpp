// Dragging values: the target under a left press, the pinned and hidden
// cursor, and the value each move makes of the distance moved.
#include "editor/drag.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/instance.h"
#include "editor/sent_state.h"
#include "editor/controller_hooks.h"
#include "editor/layout.h"
#include "editor/modifiers.h"
#include "engine/param_change.h"
#include "sdk/plug_constants.h"

namespace velmora::editor {

using platform::ui::Cursor;
using platform::ui::Point;

namespace {

constexpr int kFirstControllerCount = 1;
constexpr int kPageControllers = kControllersPerPage - kFirstControllerCount;  // the five below the slider

// Pixels of movement per unit of `dragAccumX` / `dragAccumY`.
constexpr float kDivisor = 2.0f;
constexpr float kFineDivisor = 18.0f;  // either Control key held
// Every move adds a whole number of eighteenths of a unit (pixels / 2 or
// pixels / 18); keeping the sum on that grid stops rounding from eating a
// step that ends exactly on a boundary (72 pixels in moves of 6, say).
constexpr float kAccumGrid = 18.0f;

// Absolute cursor input for a screen pixel: trunc(65534 / screen size × pixel)
// on each axis.
constexpr double kAbsoluteAim = 65534.0;

// The pinned cursor may stray this far from the press point before the
// next move puts it back, in pixels (right and bottom edges outside).
constexpr int kConfineX = 5;
constexpr int kConfineY = 10;

// How a target's value follows the movement.
enum class Step {
    VerticalQuarter,   // one per four units of `dragAccumY`, upwards
    Horizontal,        // one per unit of `dragAccumX`, rightwards
    Vertical,          // one per unit of `dragAccumY`, upwards
    QuarterDownwards,  // one per four units of `dragAccumY`, downwards
};

Cursor& ScreenCursor(Instance& plug) { return plug.platform.cursor(); }

// The articulation whose fields the panel shows; -1 when `editing` is out of
// range, so no field of it is a target.
int Edited(const Instance& plug) { return plug.editing >= 0 && plug.editing < kArticulations ? plug.editing : -1; }

bool IsController(int target) {
    return target == kDragFirstController || (target >= kDragController && target < kDragController + kPageControllers);
}

bool IsArticulationField(int target) {
    return target == kDragIcon || target == kDragKeyswitch || target == kDragKeyswitchVelocity ||
           target == kDragModifierValue || target == kDragCCNumber || target == kDragProgram;
}

// The slot a controller target changes, -1 when that is no slot.
int ControllerSlot(const Instance& plug, int target) {
    const long long slot = target == kDragFirstController
                               ? plug.controllerstart
                               : static_cast<long long>(plug.controllerstart) + kFirstControllerCount + (target - kDragController);
    return slot >= 0 && slot < kControllers ? static_cast<int>(slot) : -1;
}

// A slot a drag may change: assigned and not locked.
bool Draggable(const Instance& plug, int slot) {
    return slot >= 0 && plug.controllers.cc[slot] != kUnassignedCC && plug.controllers.lock[slot] == 0;
}

// The target under (x, y) among the fields, port, channel and the icon
// scroll; the articulation's `modc` decides which modifier boxes there are.
int FieldTarget(const Instance& plug, int x, int y) {
    const int a = Edited(plug);
    if (plug.tab == kArticulationPanel && a >= 0) {
        const int modc = plug.articulations.modc[a];
        if (Inside(x, y, 15, 130, 45, 160)) {
            return kDragIcon;
        }
        if (Inside(x, y, 60, 130, 102, 160)) {
            return AltDown(plug) ? kDragKeyswitchVelocity : kDragKeyswitch;
        }
        if ((modc == kModSecondKeyswitch || modc == kModPlayVelocity) && Inside(x, y, 128, 130, 165, 160)) {
            return kDragModifierValue;
        }
        if (modc >= kModNoCC && Inside(x, y, 149, 130, 180, 160)) {
            return kDragModifierValue;
        }
        if (modc >= kModNoCC && Inside(x, y, 116, 130, 146, 160)) {
            return kDragCCNumber;
        }
        if (Inside(x, y, 194, 130, 226, 160)) {
            return kDragProgram;
        }
    }
    if (Inside(x, y, 156, 190, 190, 215)) {
        return kDragPort;
    }
    if (Inside(x, y, 198, 190, 224, 215)) {
        return kDragChannel;
    }
    if (plug.tab == kIconPicker && Inside(x, y, 224, 7, 234, 181)) {
        return kDragIconScroll;
    }
    return kNoDragTarget;
}

// The controller target under (x, y) on the controller panel: the slider of
// the page's first slot, or a knob or fader of the five below it.
int ControllerTarget(const Instance& plug, int x, int y) {
    if (plug.tab != kControllerPanel) {
        return kNoDragTarget;
    }
    if (Inside(x, y, 174, 105, 230, 125) && Draggable(plug, ControllerSlot(plug, kDragFirstController))) {
        return kDragFirstController;
    }
    for (int k = 0; k < kPageControllers; ++k) {
        if (!Inside(x, y, 12 + 45 * k, 127, 46 + 45 * k, 161)) {
            continue;
        }
        const int slot = ControllerSlot(plug, kDragController + k);
        if (Draggable(plug, slot) && (plug.controllers.type[slot] == 0 || plug.controllers.type[slot] == 2)) {
            return kDragController + k;
        }
    }
    return kNoDragTarget;
}

// The icon scroll as the percentage the drag moves.
int ScrollPercent(const Instance& plug) {
    const float scroll = plug.iconScroll;
    if (!(scroll > 0.0f)) {
        return 0;
    }
    return scroll >= 1.0f ? 100 : static_cast<int>(scroll * 100.0f);
}

std::int32_t* ArticulationField(Instance& plug, int target) {
    const int a = Edited(plug);
    if (a < 0) {
        return nullptr;
    }
    ArticulationTable& t = plug.articulations;
    switch (target) {
        case kDragIcon: return &t.icon[a];
        case kDragKeyswitch: return &t.note[a];
        case kDragKeyswitchVelocity: return &t.notev[a];
        case kDragModifierValue: return &t.modw[a];
        case kDragCCNumber: return &t.modc[a];
        case kDragProgram: return &t.prog[a];
        default: return nullptr;
    }
}

// The target's field as it is now; false when the target names no field
// (an articulation or slot out of range).
bool FieldValue(Instance& plug, int target, int& value) {
    if (IsArticulationField(target)) {
        const std::int32_t* field = ArticulationField(plug, target);
        if (field == nullptr) {
            return false;
        }
        value = *field;
        return true;
    }
    if (IsController(target)) {
        const int slot = ControllerSlot(plug, target);
        if (slot < 0) {
            return false;
        }
        value = plug.controllers.value[slot];
        return true;
    }
    switch (target) {
        case kDragPort: value = plug.port; return true;
        case kDragChannel: value = plug.channel; return true;
        case kDragIconScroll: value = ScrollPercent(plug); return true;
        default: return false;
    }
}

Step StepOf(int target) {
    if (target == kDragFirstController) {
        return Step::Horizontal;
    }
    if (IsController(target)) {
        return Step::Vertical;
    }
    return target == kDragIconScroll ? Step::QuarterDownwards : Step::VerticalQuarter;
}

int TopChannel(const Instance& plug) { return plug.midiextend != 0 ? kChannelsPerPort - 1 : 15; }

// The value `raw` limited as the target allows.
int Limited(const Instance& plug, int target, double raw) {
    double low = 0.0;
    double high = 127.0;
    switch (target) {
        case kDragIcon: high = 2048.0; break;
        case kDragKeyswitch:
        case kDragModifierValue:
        case kDragCCNumber:
        case kDragProgram: low = -1.0; break;
        case kDragKeyswitchVelocity: low = 1.0; break;
        case kDragPort: high = kPorts - 1; break;
        case kDragChannel:
            // Below channel 1 is "per colour".
            if (raw < 0.0) {
                return kChannelPerColour;
            }
            high = TopChannel(plug);
            break;
        case kDragIconScroll: high = 100.0; break;
        default: break;  // controllers
    }
    return static_cast<int>(std::clamp(raw, low, high));
}

int NewValue(const Instance& plug) {
    const double accumX = plug.dragAccumX;
    const double accumY = plug.dragAccumY;
    double steps = 0.0;
    switch (StepOf(plug.dragTarget)) {
        case Step::VerticalQuarter: steps = std::trunc(accumY * 0.25); break;
        case Step::Horizontal: steps = std::trunc(accumX); break;
        case Step::Vertical: steps = std::trunc(accumY); break;
        case Step::QuarterDownwards: steps = -std::trunc(accumY * 0.25); break;
    }
    return Limited(plug, plug.dragTarget, static_cast<double>(plug.dragStart) + steps);
}

void StatusText(Instance& plug, const char* format, int a, int b = 0) {
    char text[64];
    std::snprintf(text, sizeof(text), format, a, b);
    plug.Host().statusText(text);
}

void ControllerStatus(Instance& plug, int slot) {
    StatusText(plug, "CC #%i set to %i", plug.controllers.cc[slot], plug.controllers.value[slot]);
}

// A controller slot's new value goes to the instance as its parameter and
// to the host as a parameter change.
void SendControllerValue(Instance& plug, int slot, int v) {
    if (plug.controllers.on[slot] != 0) {
        const long long param =
            plug.paramknob == 1 ? slot : static_cast<long long>(plug.controllers.cc[slot]) - plug.oldparams;
        // A damaged offset can put the number past any int: there is no such parameter.
        if (param >= std::numeric_limits<int>::min() && param <= std::numeric_limits<int>::max()) {
            ProcessParam(plug, static_cast<int>(param), v, plug::REC_UpdateValue | plug::REC_UpdateControl);
            plug.Host().paramChanged(static_cast<int>(param), v);
        }
    }
    ControllerStatus(plug, slot);
}

// Stores v in the target's field, with what each field's change sends.
void Apply(Instance& plug, int target, int v) {
    int current = 0;
    if (!FieldValue(plug, target, current) || v == current) {
        return;
    }
    if (IsController(target)) {
        SendControllerValue(plug, ControllerSlot(plug, target), v);
        return;
    }
    switch (target) {
        case kDragPort:
        case kDragChannel:
            (target == kDragPort ? plug.port : plug.channel) = v;
            ForgetSentState(plug);
            plug.Host().stateChanged();
            plug.RepaintEditor(Repaint::Whole);
            return;
        case kDragIconScroll:
            plug.iconScroll = static_cast<float>(v) * 0.01f;
            plug.RepaintEditor(Repaint::Whole);
            return;
        default:
            plug.Host().stateChanged();
            *ArticulationField(plug, target) = v;
            plug.RepaintEditor(Repaint::Whole);
            if (target == kDragKeyswitchVelocity) {
                StatusText(plug, "Note velocity set to %i", v);
            }
            return;
    }
}

// Moves the cursor to a screen point with one absolute input, as the editor
// computes it.
void WarpTo(Instance& plug, Point screen) {
    Cursor& cursor = ScreenCursor(plug);
    const platform::ui::ScreenSize size = cursor.screenSize();
    if (size.width <= 0 || size.height <= 0) {
        return;  // no screen to aim at
    }
    cursor.warp(Point{static_cast<int>(std::trunc(kAbsoluteAim / size.width * screen.x)),
                      static_cast<int>(std::trunc(kAbsoluteAim / size.height * screen.y))});
}

// Hides the cursor and pins it at the press point.
void StartDrag(Instance& plug) {
    Cursor& cursor = ScreenCursor(plug);
    plug.savedCursor = cursor.hide();
    plug.dragAccumX = 0.0f;
    plug.dragAccumY = 0.0f;
    plug.pressPoint = cursor.position();
    const Point p = plug.pressPoint;
    cursor.confine(platform::ui::Rect{p.x - kConfineX, p.y - kConfineY, p.x + kConfineX, p.y + kConfineY});
    WarpTo(plug, p);
    plug.dragOrigin = cursor.position();
}

float OnGrid(float accum) { return std::round(accum * kAccumGrid) / kAccumGrid; }

}  // namespace

void LeftButtonDown(Instance& plug, int x, int y) {
    // A press while a drag is still going (its release went to another
    // window) ends that drag first; otherwise the hidden cursor would be
    // saved as the one to bring back.
    EndDrag(plug, false);
    plug.mousePosX = plug.pressPosX = x;
    plug.mousePosY = plug.pressPosY = y;
    plug.dragTarget = kNoDragTarget;

    int target = FieldTarget(plug, x, y);
    if (target == kNoDragTarget && AltDown(plug)) {
        ResetControllerUnderMouse(plug, x, y);
        return;
    }
    if (target == kNoDragTarget) {
        target = ControllerTarget(plug, x, y);
        if (target != kNoDragTarget) {
            const int slot = ControllerSlot(plug, target);
            plug.controllers.on[slot] = 1;
            ControllerStatus(plug, slot);
        }
    }
    if (target == kNoDragTarget) {
        return;
    }
    int start = 0;
    FieldValue(plug, target, start);
    plug.dragTarget = target;
    plug.dragStart = target == kDragChannel && start == kChannelPerColour ? -1 : start;
    StartDrag(plug);
}

void DragMouseMove(Instance& plug) {
    Cursor& cursor = ScreenCursor(plug);
    const float divisor = ControlDown(plug) ? kFineDivisor : kDivisor;
    const Point c = cursor.position();
    plug.dragAccumX = OnGrid(plug.dragAccumX + static_cast<float>(c.x - plug.dragOrigin.x) / divisor);
    plug.dragAccumY = OnGrid(plug.dragAccumY - static_cast<float>(c.y - plug.dragOrigin.y) / divisor);
    // The move this causes is the editor's own: the handler ignores it.
    plug.warping = 1;
    WarpTo(plug, plug.pressPoint);
    plug.warping = 0;
    Apply(plug, plug.dragTarget, NewValue(plug));
}

void EndDrag(Instance& plug, bool leftButtonUp) {
    if (!Dragging(plug)) {
        return;
    }
    if (leftButtonUp && (plug.dragTarget == kDragPort || plug.dragTarget == kDragChannel) && AltDown(plug)) {
        char name[64];
        // Wide, for a channel restored from a damaged project.
        std::snprintf(name, sizeof(name), "ZOLT Out %i:%lld", plug.port, static_cast<long long>(plug.channel) + 1);
        plug.Host().sendText(plug::FHD_SetInstanceName, name);
    }
    Cursor& cursor = ScreenCursor(plug);
    plug.warping = 0;
    plug.dragOrigin = Point{-1, -1};
    cursor.restore(plug.savedCursor);
    plug.savedCursor = nullptr;
    cursor.release();
}

bool Dragging(const Instance& plug) { return plug.dragOrigin != platform::ui::Point{-1, -1}; }

}  // namespace velmora::editor
