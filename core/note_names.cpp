// The note names an instance shows in the piano roll.
#include <cstring>

#include "core/instance.h"
#include "shared/note_name.h"

namespace velmora {

void Instance::BuildNoteNames() {
    for (int n = 0; n < kMidiNotes; ++n) {
        const std::string name = NoteName(n, altmiddlec != 0);
        std::strncpy(noteNames[n].data(), name.c_str(), kNoteNameLength - 1);
        noteNames[n][kNoteNameLength - 1] = '\0';
    }
}

}  // namespace velmora
