#pragma once
// MIDI messages to the host, through the mute table and MIDI Extend. Mixing or
// interface thread; nothing here allocates.
#include <cstdint>

#include "core/instance.h"

namespace velmora {

void Session_MIDIOut(Instance& inst, std::uint32_t msg);
// off 1 sends a note-off (velocity 0), anything else a note-on.
void Session_SendNote(Instance& inst, int port, int ch, int off, int note, int velocity);
void Session_SendCC(Instance& inst, int port, int ch, int cc, int value);
void Session_SendProgram(Instance& inst, int port, int ch, int program);

}  // namespace velmora
