#pragma once
// The name of MIDI note n, as the plugin and the host both show it.
#include <string>

namespace velmora {

// C-2 .. G8, or C-1 .. G9 with the alternative middle C.
inline std::string NoteName(int note, bool altMiddleC) {
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
