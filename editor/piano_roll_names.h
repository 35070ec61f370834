#pragma once
// The key names the piano roll shows, per articulation, and renaming a key
// from the piano roll. Interface thread.
#include <string>

namespace velmora {
class Instance;
}

namespace velmora::editor {

// The host's question for the name of piano-roll note `note` drawn in colour
// `colour`: the articulation asked for becomes the pending one (the editor
// follows a colour chosen in the host's colour pop-up by it). Answers the
// key name, or null when that articulation has no name for the note.
const std::string* PianoRollKeyName(Instance& plug, int note, int colour);

// From idle after a Shift-click in the piano roll marked a note: prompts for
// that key's name in the articulation of the note's colour and stores it in
// the articulation's key names, then tells the host the piano roll's names
// changed, confirmed or not. Clears the mark.
void RenameClickedKey(Instance& plug);

}  // namespace velmora::editor
