// Where the editor commands join the input decoding. The bodies are filled by
// the editor commands; until then no place takes a click.
#include "editor/command_hooks.h"

#include "core/instance.h"

namespace velmora::editor {

bool GeneralOptionClick(Instance&, int, int) { return false; }
bool KeyNamesClick(Instance&, int, int) { return false; }
bool MuteSoloClick(Instance&, int, int) { return false; }
void ModifierMenu(Instance&) {}

bool GridCellMenu(Instance&, int, int) { return false; }
bool ArticulationTabMenu(Instance&, int, int) { return false; }
bool KeyNamesMenu(Instance&, int, int) { return false; }
bool MidiOutputTest(Instance&, int, int) { return false; }

}  // namespace velmora::editor
