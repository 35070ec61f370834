// Where the editor commands join the input decoding. The bodies are filled by
// the editor commands; until then no place takes a click.
#include "editor/command_hooks.h"

#include "core/instance.h"

namespace velmora::editor {

bool ControllerPanelClick(Instance&, int, int) { return false; }

bool ControllerRightClick(Instance&, int, int) { return false; }
bool PageTitleRightClick(Instance&, int, int) { return false; }

}  // namespace velmora::editor
