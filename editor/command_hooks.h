#pragma once
// The editor commands that clicks and right clicks reach, in the places the
// input decoding calls them. Each bool one tests its own places (and modifier
// keys) at (x, y), editor units, and answers whether it took the click; the
// caller has already checked the panel named below. Interface thread.
namespace velmora {
class Instance;
}

namespace velmora::editor {

// --- Clicks (left button released in place) ---

// General panel: the option switches of the sub-page shown.
bool GeneralOptionClick(Instance& plug, int x, int y);
// Controller panel: the page title (page menu), button-type slots and slot names.
bool ControllerPanelClick(Instance& plug, int x, int y);
// Articulation panel: the key-names caption and its clear button.
bool KeyNamesClick(Instance& plug, int x, int y);
// Every panel: the "Port" and "Channel" labels, mute or solo.
bool MuteSoloClick(Instance& plug, int x, int y);
// Articulation panel, the drop mark under the modifier fields: the modifier
// menu for `editing`.
void ModifierMenu(Instance& plug);

// --- Right clicks ---

// Panels 0 and 1: the articulation context menu of the grid cell under (x, y).
bool GridCellMenu(Instance& plug, int x, int y);
// Controller panel: a slot's control (its menu) or its name (rename prompt).
bool ControllerRightClick(Instance& plug, int x, int y);
// Controller panel: the page title, the page-name prompt.
bool PageTitleRightClick(Instance& plug, int x, int y);
// Every panel: the Articulation tab button's menu.
bool ArticulationTabMenu(Instance& plug, int x, int y);
// Articulation panel: the key-names caption's menu.
bool KeyNamesMenu(Instance& plug, int x, int y);
// General panel, with either Control key: the MIDI output test.
bool MidiOutputTest(Instance& plug, int x, int y);

}  // namespace velmora::editor
