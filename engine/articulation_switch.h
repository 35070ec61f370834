#pragma once
// Putting the sampler into articulation a (0..63). Mixing thread.
#include "core/instance.h"

namespace velmora {

// 0 when nothing had to be sent, 2 when the last thing sent was a control
// change (the CC timing fix then delays the note), 1 otherwise.
int Session_CheckArticulation(Instance& inst, int a);

}  // namespace velmora
