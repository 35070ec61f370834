#pragma once
// Pan, volume, pitch bend and the controller slots: what the host's channel
// events and transport send.
#include <cstdint>

#include "core/instance.h"

namespace velmora {

// what: 0 all, 2 pan, 3 volume, 4 pitch, 5 controller slots (only those of
// CC ccFilter unless it is -1).
void Session_SendChannelState(Instance& inst, int what, int ccFilter);
int Session_ChannelEvent(Instance& inst, int event, int value);  // mixing thread
void Session_Transport(Instance& inst, std::intptr_t value);      // 1 start, 0 stop

}  // namespace velmora
