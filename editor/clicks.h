#pragma once
// What a click, a right click and a middle click do at a place. Interface thread.
namespace velmora {
class Instance;
}

namespace velmora::editor {

// (x, y) in editor units.
void Click(Instance& plug, int x, int y);
void RightClick(Instance& plug, int x, int y);
void MiddleClick(Instance& plug, int x, int y);

}  // namespace velmora::editor
