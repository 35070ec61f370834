// Dragging values.
#include "editor/drag.h"

#include "core/instance.h"

namespace velmora::editor {

void LeftButtonDown(Instance& plug, int x, int y) {
    plug.mousePosX = plug.pressPosX = x;
    plug.mousePosY = plug.pressPosY = y;
    plug.dragTarget = kNoDragTarget;
}

void DragMouseMove(Instance&) {}

void EndDrag(Instance&, bool) {}

bool Dragging(const Instance& plug) { return plug.dragOrigin != platform::ui::Point{-1, -1}; }

}  // namespace velmora::editor
