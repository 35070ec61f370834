#pragma once
// What the controller slots' own editing does for the rest of the editor.
// Interface thread.
namespace velmora {
class Instance;
}

namespace velmora::editor {

// Sets the controller slot under (x, y), editor units, back to its default
// value; nothing where there is none.
void ResetControllerUnderMouse(Instance& plug, int x, int y);

}  // namespace velmora::editor
