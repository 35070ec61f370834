#pragma once
// The modifier keys as the editor reads them: either key of a pair.
namespace velmora {
class Instance;
}

namespace velmora::editor {

bool ControlDown(const Instance& plug);
bool ShiftDown(const Instance& plug);
bool AltDown(const Instance& plug);

}  // namespace velmora::editor
