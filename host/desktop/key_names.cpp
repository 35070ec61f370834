#include "host/desktop/key_names.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "host/valid_utf8.h"
#include "sdk/plug_constants.h"

namespace velmora::host {

namespace {

std::string Ask(TFruityPlug& plug, int section, int index, int value) {
    // Cleared each time: a plugin that names nothing writes nothing, and the
    // last key's name must not pass for this one's.
    std::array<char, plug::kNameBufferSize + 1> name{};
    plug.GetName(section, index, value, name.data());
    name.back() = '\0';
    return ValidUtf8(name.data());
}

}  // namespace

std::vector<std::string> AskKeyNames(TFruityPlug& plug, int colour, int first, int last) {
    std::vector<std::string> names;
    for (int key = std::max(first, 0); key <= std::min(last, 127); ++key) {
        names.push_back(Ask(plug, plug::FPN_Semitone, key, colour));
    }
    return names;
}

std::string AskColourName(TFruityPlug& plug, int colour) { return Ask(plug, plug::FPN_Color, colour, 0); }

}  // namespace velmora::host
