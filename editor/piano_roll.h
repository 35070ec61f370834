#pragma once
// What the editor asks of the host's piano roll. Interface thread.
namespace velmora {
class Instance;
}

namespace velmora::editor {

// Picks note colour `colour` (0..15) in the host's piano roll, so new notes
// drawn there play that articulation.
void SelectPianoRollColour(Instance& plug, int colour);

}  // namespace velmora::editor
