// The host's piano roll. The host-window integration fills these in; until
// then the editor's requests reach no window.
#include "editor/piano_roll.h"

#include "core/instance.h"

namespace velmora::editor {

void SelectPianoRollColour(Instance&, int) {}

}  // namespace velmora::editor
