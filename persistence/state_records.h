#pragma once
// Arrays of stored records. A stored count may exceed the instance's table:
// the values beyond it are read past and dropped.
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "core/instance.h"
#include "persistence/state_stream.h"

namespace velmora::state {

// count four-byte values; value i goes to into[i] while i is inside it.
void ReadWords(StreamReader& in, std::size_t count, std::span<std::int32_t> into);
// count short strings, kept the same way.
void ReadStrings(StreamReader& in, std::size_t count, std::span<std::string> into);

// A page count and that many page names.
void ReadPageNames(StreamReader& in, std::array<std::string, kPages>& pages);

// The controller part: count, the value arrays in stored order (value, cc,
// type, default, on and, when withLock, lock), then the names. Returns the
// stored count.
std::uint16_t ReadControllers(StreamReader& in, ControllerTable& controllers, bool withLock);

}  // namespace velmora::state
