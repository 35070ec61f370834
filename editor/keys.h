#pragma once
// The mouse wheel and the keys. Interface thread.
namespace velmora {
class Instance;
}

namespace velmora::editor {

// delta > 0 is away from the user (multiples of 120).
void Wheel(Instance& plug, int delta);
// A key pressed, by virtual key code.
void KeyDown(Instance& plug, int virtualKey);

}  // namespace velmora::editor
