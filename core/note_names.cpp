#include "core/note_names.h"

#include <cstring>

#include "core/plugin_instance.h"

namespace velmora {

std::string NoteName(int note, bool altMiddleC) {
    static constexpr char kLetters[] = "CCDDEFFGGAAB";
    static constexpr char kSharps[] = " # #  # # # ";
    const int step = note % 12;
    std::string name(1, kLetters[step]);
    if (kSharps[step] == '#') {
        name += '#';
    }
    name += std::to_string((altMiddleC ? 1 : 0) + note / 12 - 2);
    return name;
}

}  // namespace velmora

void ZOLTVSTExprPlug::BuildNoteNames() {
    for (int n = 0; n < velmora::kMidiNotes; ++n) {
        const std::string name = velmora::NoteName(n, altmiddlec != 0);
        std::strncpy(noteNames[n].data(), name.c_str(), velmora::kNoteNameLength - 1);
        noteNames[n][velmora::kNoteNameLength - 1] = '\0';
    }
}
