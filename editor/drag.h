#pragma once
// Dragging a value: a left press on a target hides and pins the cursor, each
// move changes the value by the distance moved, the release ends it.
// Interface thread.
namespace velmora {
class Instance;
}

namespace velmora::editor {

// Left button down at (x, y), editor units: finds the target and starts the drag.
void LeftButtonDown(Instance& plug, int x, int y);
// A mouse move while a drag is in progress (`mousePos` already taken).
void DragMouseMove(Instance& plug);
// Ends a drag in progress; `leftButtonUp` for the release, false for a
// change of activation.
void EndDrag(Instance& plug, bool leftButtonUp);
bool Dragging(const Instance& plug);

}  // namespace velmora::editor
