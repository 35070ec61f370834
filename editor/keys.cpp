// The wheel and the keys.
#include "editor/keys.h"

#include <algorithm>
#include <cstdio>

#include "core/instance.h"
#include "core/process_state.h"
#include "editor/layout.h"
#include "editor/modifiers.h"
#include "editor/scale.h"
#include "persistence/single_articulation.h"

namespace velmora::editor {

namespace {

// Virtual key codes.
constexpr int kBackspace = 0x08;
constexpr int kPageUp = 0x21;
constexpr int kPageDown = 0x22;
constexpr int kLeft = 0x25;
constexpr int kUp = 0x26;
constexpr int kRight = 0x27;
constexpr int kDown = 0x28;
constexpr int kInsert = 0x2D;
constexpr int kDelete = 0x2E;

constexpr int kLastBankStart = kArticulations - kBankSize;
constexpr float kWheelScrollStep = 0.05f;

// The identity of no hint region: after the wheel's own hint the next mouse
// move sends the hint under the mouse again, even over the region it last
// named (whose text may now name another bank's articulation) or over none.
constexpr int kNoRegionHint = -2;

bool GridPanel(const Instance& plug) { return plug.tab == kArticulationPanel || plug.tab == kControllerPanel; }

void ScrollPicker(Instance& plug, int delta) {
    float scroll = plug.iconScroll;
    if (delta > 0) {
        scroll -= kWheelScrollStep;
    } else if (delta < 0) {
        scroll += kWheelScrollStep;
    }
    plug.iconScroll = std::clamp(scroll, 0.0f, 1.0f);
    plug.RepaintEditor(Repaint::Whole);
}

void WheelBank(Instance& plug, int delta) {
    if (delta > 0 && plug.bankstart >= kBankSize) {
        plug.bankstart -= kBankSize;
    } else if (delta < 0 && plug.bankstart < kLastBankStart) {
        plug.bankstart += kBankSize;
    } else {
        return;
    }
    plug.RepaintEditor(Repaint::Whole);
    char text[64];
    std::snprintf(text, sizeof(text), "Articulation bank %i - moar articulations", plug.bankstart / kBankSize + 1);
    plug.Host().hint(text);
    plug.lastHint = kNoRegionHint;
    if (AltDown(plug)) {
        // The piano roll shows the key names of the bank now in view.
        plug.currentBank = plug.bankstart / kBankSize;
        plug.Host().dispatcher(plug::FHD_NamesChanged, 0, plug::kNamesPianoRoll);
    }
}

bool Confirmed(const Instance& plug, const char* question) {
    return plug.Host().messageBox(question, plug::kMsgYesNoWarning) == plug::kMsgAnswerYes;
}

// The articulation commands on the edited articulation. A key held with a
// modifier is tested before the plain key, so Shift+Insert pastes rather
// than inserts and Shift+Delete cuts rather than asks to delete.
void ArticulationKey(Instance& plug, int key) {
    const bool control = ControlDown(plug);
    const bool shift = ShiftDown(plug);
    const int a = plug.editing;
    if ((control && key == 'X') || (shift && key == kDelete)) {
        ArticulationCommand(plug, a, kArticulationCut);
    } else if (control && (key == 'C' || key == kInsert)) {
        ArticulationCommand(plug, a, kArticulationCopy);
    } else if (control && key == 'V') {
        if (plug.processState->articulationClipboard.full) {
            if (shift) {
                ArticulationCommand(plug, a, kArticulationInsert);
            }
            ArticulationCommand(plug, a, kArticulationPaste);
        }
    } else if (shift && key == kInsert) {
        ArticulationCommand(plug, a, kArticulationPaste);
    } else if (key == kInsert) {
        ArticulationCommand(plug, a, kArticulationInsert);
    } else if (key == kBackspace) {
        if (Confirmed(plug, "Are you sure you want to clear this articulation?")) {
            ArticulationCommand(plug, a, kArticulationClear);
        }
    } else if (key == kDelete) {
        if (control || Confirmed(plug, "Are you sure you want to delete this articulation?")) {
            ArticulationCommand(plug, a, kArticulationDelete);
        }
    }
}

void Minimise(Instance& plug, bool minimised) {
    plug.minimised = minimised ? 1 : 0;
    ResizeEditor(plug);
}

void MoveBank(Instance& plug, int step) {
    if (plug.articbanks == 0) {
        return;
    }
    if (step < 0 ? plug.bankstart >= kBankSize : plug.bankstart < kLastBankStart) {
        plug.bankstart += step;
    }
    plug.RepaintEditor(Repaint::Whole);
}

// The grid follows the edited articulation to its bank.
void MoveEditing(Instance& plug, int step) {
    const int last = plug.articbanks != 0 ? kArticulations - 1 : kBankSize - 1;
    if (step < 0 ? plug.editing > 0 : plug.editing < last) {
        plug.editing += step;
    }
    plug.bankstart = plug.editing - plug.editing % kBankSize;
    plug.RepaintEditor(Repaint::Whole);
}

}  // namespace

void Wheel(Instance& plug, int delta) {
    if (plug.tab == kIconPicker) {
        ScrollPicker(plug, delta);
    } else if (plug.articbanks != 0) {
        WheelBank(plug, delta);
    }
}

void KeyDown(Instance& plug, int virtualKey) {
    if (GridPanel(plug)) {
        ArticulationKey(plug, virtualKey);
    }
    switch (virtualKey) {
        case kPageDown: StepScale(plug, true); break;
        case kPageUp: StepScale(plug, false); break;
        // Control+Up and Control+Down size the editor and leave the bank alone.
        case kUp:
            if (ControlDown(plug)) {
                Minimise(plug, true);
            } else {
                MoveBank(plug, -kBankSize);
            }
            break;
        case kDown:
            if (ControlDown(plug)) {
                Minimise(plug, false);
            } else {
                MoveBank(plug, kBankSize);
            }
            break;
        case kLeft: MoveEditing(plug, -1); break;
        case kRight: MoveEditing(plug, 1); break;
        default: break;
    }
}

}  // namespace velmora::editor
