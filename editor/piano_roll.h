#pragma once
// What the editor asks of the host's piano roll, and the host versions whose
// piano roll behaves differently. Interface thread.
#include <cstdint>

namespace velmora {
class Instance;
}

namespace velmora::editor {

// From this version the piano roll's colour selector sits lower and lists
// its colours in one column.
inline constexpr std::int32_t kHostVersionColourColumn = 12000000;
// From the first version up to but excluding the second the host asks note
// names without the note's colour, so the articulation in use answers.
inline constexpr std::int32_t kHostVersionNamesWithoutColour = 12000000;
inline constexpr std::int32_t kHostVersionNamesWithColour = 12003000;

bool NamesWithoutColour(std::int32_t hostVersion);

// Picks note colour `colour` (0..15) in the host's piano roll, so new notes
// drawn there play that articulation: clicks the piano roll's colour
// selector and steps through its list with the keys, then puts the pointer
// back. Nothing happens when no piano roll shows its selector.
void SelectPianoRollColour(Instance& plug, int colour);

}  // namespace velmora::editor
