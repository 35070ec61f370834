// Channel-wide values: pan, volume, pitch bend and the controller slots, and
// when they are sent.
#include "engine/channel_state.h"

#include "engine/midi_message.h"
#include "engine/midi_out.h"
#include "engine/voices.h"

namespace velmora {

namespace {

constexpr int kWhatAll = 0;
constexpr int kWhatPan = 2;
constexpr int kWhatVolume = 3;
constexpr int kWhatPitch = 4;
constexpr int kWhatControllers = 5;

constexpr int kCCPan = 10;
constexpr int kCCVolume = 7;

// ±1200 cents span the whole bend range; the host's value is clamped before
// it is turned into an integer, so no cents value overflows.
int PitchBendValue(std::int32_t cents) {
    const float scaled = static_cast<float>(cents) / 1200.0f * -8192.0f;
    if (!(scaled > -8192.0f)) {
        return 16383;
    }
    if (!(scaled < 8192.0f)) {
        return 0;
    }
    const int v = 8192 - static_cast<int>(scaled);
    return v > 16383 ? 16383 : v;
}

}  // namespace

void Session_SendChannelState(Instance& inst, int what, int ccFilter) {
    const bool omni = inst.channel == kChannelPerColour && inst.allchannelomni != 0;
    const int first = omni ? 0 : inst.channel;
    const int last = omni ? 15 : inst.channel;
    for (int ch = first; ch <= last; ++ch) {
        if (what == kWhatAll || what == kWhatPan) {
            Session_SendCC(inst, inst.port, ch, kCCPan, inst.pan);
        }
        if (what == kWhatAll || what == kWhatVolume) {
            Session_SendCC(inst, inst.port, ch, kCCVolume, inst.volume);
        }
        if (what == kWhatAll || what == kWhatPitch) {
            const int v = PitchBendValue(inst.pitch);
            Session_MIDIOut(inst, PackMessage(kPitchBend | (ch & 15), v & 127, (v >> 7) & 127, inst.port));
        }
        if (what == kWhatAll || what == kWhatControllers) {
            for (int c = 0; c < kControllers; ++c) {
                const std::int32_t cc = inst.controllers.cc[c];
                if (cc == kUnassignedCC || inst.controllers.on[c] == 0 || (ccFilter != -1 && cc != ccFilter)) {
                    continue;
                }
                // A slot of old projects that sends its value as a program change
                // does so here too, so the sampler gets the same patch on every start.
                if (cc == kCCAsProgram) {
                    Session_SendProgram(inst, inst.port, ch, inst.controllers.value[c] & 0xFF);
                } else {
                    Session_SendCC(inst, inst.port, ch, cc, inst.controllers.value[c] & 0xFF);
                }
            }
        }
    }
}

int Session_ChannelEvent(Instance& inst, int event, int value) {
    switch (event) {
        case kWhatPan: inst.pan = static_cast<std::uint8_t>(value); break;
        case kWhatVolume: inst.volume = static_cast<std::uint8_t>(value); break;
        case kWhatPitch: inst.pitch = value; break;
        default: return 0;
    }
    const bool ghosted = inst.ccghosting != 0 && (inst.playing == 0 || inst.ccghostontransport == 0);
    if (!ghosted) {
        Session_SendChannelState(inst, event, -1);
    }
    return 0;
}

void Session_Transport(Instance& inst, std::intptr_t value) {
    inst.playing = value == 1 ? 1 : 0;
    if (value == 0) {
        Session_KillAllVoices(inst);
        if (inst.ccghosting != 0 || inst.cc64release == 0) {
            return;
        }
        bool sent = false;
        for (int c = 0; c < kControllers; ++c) {
            if (inst.controllers.cc[c] == 64 && inst.controllers.value[c] >= 64) {
                inst.controllers.value[c] = 0;
                if (!sent) {
                    Session_SendCC(inst, inst.port, inst.channel % 16, 64, 0);
                    sent = true;
                }
            }
        }
        inst.RepaintEditor(Repaint::Whole);
        return;
    }
    if (inst.ccghosting == 0) {
        Session_SendChannelState(inst, kWhatAll, -1);
    }
    // Everything is sent again after a start.
    inst.lastKs1Note = inst.lastKs1Velocity = inst.lastProgram = inst.lastModifier = kNothingSent;
    SharedPortState& ports = inst.Ports();
    const int key = inst.PortKeyOfInstance();
    ports.ksNote[key] = ports.ksVelocity[key] = ports.program[key] = ports.modifier[key] = kNothingSent;
    ports.ccValue[key].fill(kNoCCValue);
}

}  // namespace velmora
