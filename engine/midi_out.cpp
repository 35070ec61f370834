// Building MIDI messages and handing them to the host: the mute table and the
// MIDI Extend re-coding.
#include "engine/midi_out.h"
#include "engine/midi_message.h"

namespace velmora {

namespace {

// MIDI Extend carries 64 channels on one port: message kinds are exchanged
// and channel bits 4 and 5 ride in bit 7 of the data bytes.
std::uint32_t ExtendMessage(std::uint32_t msg, std::int32_t channel) {
    std::uint8_t status = MessageStatus(msg);
    std::uint8_t data1 = MessageData1(msg);
    std::uint8_t data2 = MessageData2(msg);
    const std::uint8_t low = status & 0x0F;
    switch (status & 0xF0) {
        case kControlChange: status = kProgramChange | low; break;
        case kProgramChange:
            status = kNoteOff | low;
            data2 = 0;
            break;
        case kNoteOff:
            if (data2 == 0) {
                data2 = 1;
            }
            break;
        case kPolyPressure: status = kPitchBend | low; break;
        case kPitchBend: status = kPolyPressure | low; break;
        default: break;
    }
    if ((channel & 0x10) != 0) {
        data2 |= 0x80;
    }
    if ((channel & 0x20) != 0) {
        data1 |= 0x80;
    }
    return PackMessage(status, data1, data2, MessagePort(msg));
}

}  // namespace

void Session_MIDIOut(Instance& inst, std::uint32_t msg) {
    if (inst.Ports().mute[inst.PortKeyOfInstance()] != 0) {
        return;
    }
    inst.Host().midiOut(inst.midiextend != 0 ? ExtendMessage(msg, inst.channel) : msg);
}

void Session_SendNote(Instance& inst, int toPort, int ch, int off, int note, int velocity) {
    if (inst.debugLog != 0) {
        inst.DebugLog("MIDI out %i %i %i %i (%i)", toPort, ch, note, velocity, off);
    }
    if (off == 1) {
        Session_MIDIOut(inst, PackMessage(kNoteOff | (ch & 15), note, 0, toPort));
    } else {
        Session_MIDIOut(inst, PackMessage(kNoteOn | (ch & 15), note, velocity, toPort));
    }
}

void Session_SendCC(Instance& inst, int toPort, int ch, int cc, int value) {
    Session_MIDIOut(inst, PackMessage(kControlChange | (ch & 15), cc, value, toPort));
}

void Session_SendProgram(Instance& inst, int toPort, int ch, int program) {
    Session_MIDIOut(inst, PackMessage(kProgramChange | (ch & 15), program, 0, toPort));
}

}  // namespace velmora
