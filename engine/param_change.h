#pragma once
// Host automation of the parameters.
#include "core/instance.h"

namespace velmora {

// A parameter's new value, turned into control changes.
void Session_ParamChange(Instance& inst, int index, int value);
// The host's parameter operation: REC_ flags as the host sends them. Both threads.
int ProcessParam(Instance& inst, int index, int value, int flags);

}  // namespace velmora
