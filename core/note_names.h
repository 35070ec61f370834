#pragma once
#include <string>

namespace velmora {

// Name of MIDI note n: C-2 .. G8, or C-1 .. G9 with the alternative middle C.
std::string NoteName(int note, bool altMiddleC);

}  // namespace velmora
