#pragma once
// The controller editor's actions that input reaches before that editor exists.
namespace velmora { class Instance; }
namespace velmora::editor {
// Resets the controller under (x, y), editor units, to its default.
void ResetControllerUnderMouse(Instance& plug, int x, int y);
}  // namespace velmora::editor
