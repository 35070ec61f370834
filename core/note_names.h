#pragma once
// Reading the numbers and note names the user types into the host's prompts.
#include <string_view>

namespace velmora {

// A decimal integer with an optional sign, read up to the first other
// character; text without digits reads as 0. A number beyond the range of
// int reads as the nearest int.
int ReadTypedInteger(std::string_view text);

// A note name (C3, D#3, Eb3, ab2 ...) as a MIDI note number, middle C being
// C3, or C4 with the alternative middle C; any other text reads as an
// integer. Not limited to 0..127: the caller limits.
int ParseNoteName(std::string_view text, bool altMiddleC);

}  // namespace velmora
