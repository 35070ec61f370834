// The controller editor fills this in; until then nothing is reset.
#include "editor/controller_hooks.h"

#include "core/instance.h"

namespace velmora::editor {

void ResetControllerUnderMouse(Instance&, int, int) {}

}  // namespace velmora::editor
