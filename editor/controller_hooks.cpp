// The controller slots' part of the editor's input.
#include "editor/controller_hooks.h"

namespace velmora::editor {

// Filled by the controller editor.
void ResetControllerUnderMouse(Instance&, int, int) {}

}  // namespace velmora::editor
