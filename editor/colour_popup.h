#pragma once
// The host's note-colour pop-up over a piano roll: the editor recognises it
// so that a colour chosen there, which makes the host ask for note names,
// can be told from the host's other reasons for asking. Interface thread.
namespace velmora {
class Instance;
}

namespace velmora::editor {

// One step per idle call: notices a pop-up opening over a piano roll, then
// recognises it by its colours, and forgets it once it has closed.
void WatchColourPopup(Instance& plug);

// From idle with an articulation pending from a note-name question: when the
// question came from a colour chosen in the recognised pop-up, the editor
// follows that articulation; with Shift it also asks for its name, with Alt
// it opens it for editing.
void FollowPianoRollColour(Instance& plug);

}  // namespace velmora::editor
