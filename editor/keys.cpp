// The wheel and the keys.
#include "editor/keys.h"

#include "core/instance.h"

namespace velmora::editor {

void Wheel(Instance&, int) {}
void KeyDown(Instance&, int) {}

}  // namespace velmora::editor
