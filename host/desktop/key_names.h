#pragma once
// The names the plugin gives the piano roll's keys for one note colour: the
// host's name query, section 2, with the key as index and the colour as
// value. Asking is also how the plugin learns which colour the roll shows.
// Interface thread.
#include <string>
#include <vector>

#include "sdk/fruity_plug.h"

namespace velmora::host {

// The names of keys first..last (0..127) in order, as UTF-8; an empty text for
// a key the plugin names none.
std::vector<std::string> AskKeyNames(TFruityPlug& plug, int colour, int first, int last);

// The name of a note colour (section 8), empty when the plugin gives none.
std::string AskColourName(TFruityPlug& plug, int colour);

}  // namespace velmora::host
