// Clicks by place, tested in a fixed order; the first place that acts and
// ends the handling wins.
#include "editor/clicks.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/instance.h"
#include "editor/command_hooks.h"
#include "editor/controller_hooks.h"
#include "editor/layout.h"
#include "editor/modifiers.h"
#include "editor/piano_roll.h"
#include "editor/scale.h"
#include "editor/skin.h"
#include "editor/typed_entry.h"

namespace velmora::editor {

namespace {

constexpr std::int32_t kHostVersionScaleCorner = 12000000;
constexpr int kBuiltInStripWidth = kIconCellWidth * kIconCount;

constexpr Rect kPageLabels[] = {{5, 92, 53, 116}, {55, 92, 125, 116}, {127, 92, 187, 116}};
constexpr Rect kPickerWell{8, 9, 216, 177};
constexpr Rect kVersionText{8, 10, 150, 40};
constexpr Rect kModifierDropMark{113, 161, 181, 173};

bool In(int x, int y, const Rect& r) { return Inside(x, y, r.left, r.top, r.right, r.bottom); }

bool EditingValid(const Instance& plug) { return plug.editing >= 0 && plug.editing < kArticulations; }

// The strip the picker shows: the loaded one, or the built-in one's size.
int IconStripWidth() {
    const Skin& skin = ProcessSkin();
    return skin.icons.empty() ? kBuiltInStripWidth : skin.icons.width;
}

// The name the icon template gives `icon` first, or null.
const std::string* TemplateName(const ProcessState& p, int icon) {
    const std::size_t entries = std::min(p.iconNames.size(), p.iconNumbers.size());
    for (std::size_t k = 0; k < entries; ++k) {
        if (p.iconNumbers[k] == icon) {
            return &p.iconNames[k];
        }
    }
    return nullptr;
}

void PickIcon(Instance& plug, int x, int y) {
    // The well is a little wider than eight cells: its right edge picks the last column.
    const int column = std::min((x - kPickerWell.left) / 26, 7);
    const int row = (y - kPickerWell.top) / 28;
    const int icon = column + 8 * (PickerFirstRow(IconStripWidth(), plug.iconScroll) + row);
    if (EditingValid(plug)) {
        const auto a = static_cast<std::size_t>(plug.editing);
        plug.articulations.icon[a] = icon;
        plug.Host().stateChanged();
        // An unnamed articulation takes the name the template gives its new icon.
        if (plug.articulations.name[a].empty() && icon != kDefaultIcon) {
            if (const std::string* name = TemplateName(*plug.processState, icon)) {
                plug.articulations.name[a] = *name;
            }
        }
    }
    plug.tab = kArticulationPanel;
    plug.RepaintEditor(Repaint::Whole);
    char text[64];
    std::snprintf(text, sizeof(text), "Clicked %i %i (%i)", column, row, icon);
    plug.Host().statusText(text);
}

}  // namespace

void Click(Instance& plug, int x, int y) {
    // Keys reach the editor only while it has the focus.
    if (plug.parentWindow != nullptr) {
        plug.editorWindow->focus();
    }
    if (x >= 235 && y >= 232 && plug.Host().hostVersion() >= kHostVersionScaleCorner) {
        StepScale(plug, !ControlDown(plug));
        plug.Host().stateChanged();
        plug.RepaintEditor(Repaint::Whole);
    }
    if (plug.tab == kIconPicker && In(x, y, kPickerWell)) {
        PickIcon(plug, x, y);
        return;
    }
    if (plug.tab == kArticulationPanel || plug.tab == kControllerPanel) {
        if (const int c = GridCellAt(x, y); c >= 0) {
            if (ControlDown(plug)) {
                SelectPianoRollColour(plug, c);
            }
            plug.editing = plug.bankstart + c;
            plug.RepaintEditor(Repaint::Whole);
        }
    }
    if (plug.tab == kGeneralPanel) {
        for (int page = 0; page < 3; ++page) {
            if (In(x, y, kPageLabels[page])) {
                plug.processState->generalPage = page;
                plug.RepaintEditor(Repaint::Whole);
                return;
            }
        }
        if (GeneralOptionClick(plug, x, y)) {
            return;
        }
    }
    if (plug.tab == kControllerPanel && ControllerPanelClick(plug, x, y)) {
        return;
    }
    if (plug.tab == kArticulationPanel && KeyNamesClick(plug, x, y)) {
        return;
    }
    if (MuteSoloClick(plug, x, y)) {
        return;
    }
    if (plug.tab == kGeneralPanel && In(x, y, kVersionText)) {
        plug.debugLog = plug.debugLog != 0 ? 0 : 1;
        plug.RepaintEditor(Repaint::Whole);
        return;
    }
    for (int k = 0; k < 3; ++k) {
        if (InTabButton(k, x, y)) {
            plug.tab = k;
            plug.RepaintEditor(Repaint::Whole);
            return;
        }
    }
    if (plug.tab == kArticulationPanel && In(x, y, kModifierDropMark)) {
        ModifierMenu(plug);
    }
}

void RightClick(Instance& plug, int x, int y) {
    // The General tab button has no menu.
    if (InTabButton(kGeneralPanel, x, y)) {
        return;
    }
    const int tab = plug.tab;
    if ((tab == kArticulationPanel || tab == kControllerPanel) && GridCellMenu(plug, x, y)) {
        return;
    }
    if (tab == kControllerPanel && ControllerRightClick(plug, x, y)) {
        return;
    }
    if (FieldRightClick(plug, x, y)) {
        return;
    }
    if (tab == kControllerPanel && PageTitleRightClick(plug, x, y)) {
        return;
    }
    if (ArticulationTabMenu(plug, x, y)) {
        return;
    }
    if (tab == kArticulationPanel && KeyNamesMenu(plug, x, y)) {
        return;
    }
    if (tab == kGeneralPanel) {
        MidiOutputTest(plug, x, y);
    }
}

void MiddleClick(Instance& plug, int x, int y) { ResetControllerUnderMouse(plug, x, y); }

}  // namespace velmora::editor
