#pragma once
// The named options at the end of states of versions 8 to 10.
#include <cstdint>

#include "persistence/state_restore_context.h"

namespace velmora::state {

// Reads an option count and that many (key, value) pairs, applying the keys
// the stored version knows. Keys match in any letter case; unknown keys are
// read and ignored; a key given twice takes its last value.
void ReadOptions(RestoreContext& ctx);

// Writes the 24 options of version 10 in their order, with the count.
void WriteOptions(const Instance& plug, const ProcessState& process, ByteSink& out);

}  // namespace velmora::state
