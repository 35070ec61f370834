#pragma once
// The instance's state as the host keeps it inside a project: version 10 is
// written; versions 1 to 10 and the host's MIDI Out state are read.
#include <cstdint>

#include "sdk/plug_stream.h"

namespace velmora {
class Instance;
}  // namespace velmora

namespace velmora {

inline constexpr std::uint32_t kStateVersion = 10;

// Interface thread. Writes the version 10 layout, in as many writes as the
// stream needs. A stream that fails or stops taking bytes ends the save: the
// instance writes a debug line saying how much was taken, and false comes back.
bool SaveProjectState(const Instance& plug, IStream& stream);

// Interface thread. Starts again from the defaults and applies the stream.
// Never fails: unknown versions leave the defaults, and a stream that ends
// early leaves every field it did not reach at its default.
void RestoreProjectState(Instance& plug, IStream& stream);

}  // namespace velmora
