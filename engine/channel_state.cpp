// Channel-wide values: pan, volume, pitch bend and the controller slots, and
// when they are sent.
#include "core/plugin_instance.h"
#include "engine/midi_message.h"

using namespace velmora;

namespace {

constexpr int kWhatAll = 0;
constexpr int kWhatPan = 2;
constexpr int kWhatVolume = 3;
constexpr int kWhatPitch = 4;
constexpr int kWhatControllers = 5;

constexpr int kCCPan = 10;
constexpr int kCCVolume = 7;

// ±1200 cents span the whole bend range.
int PitchBendValue(std::int32_t cents) {
    const float scaled = static_cast<float>(cents) / 1200.0f * -8192.0f;
    int v = 8192 - static_cast<int>(scaled);
    if (v < 0) {
        v = 0;
    }
    if (v > 16383) {
        v = 16383;
    }
    return v;
}

}  // namespace

void ZOLTVSTExprPlug::Session_SendChannelState(int what, int ccFilter) {
    const bool omni = channel == kChannelPerColour && allchannelomni != 0;
    const int first = omni ? 0 : channel;
    const int last = omni ? 15 : channel;
    for (int ch = first; ch <= last; ++ch) {
        if (what == kWhatAll || what == kWhatPan) {
            Session_SendCC(port, ch, kCCPan, pan);
        }
        if (what == kWhatAll || what == kWhatVolume) {
            Session_SendCC(port, ch, kCCVolume, volume);
        }
        if (what == kWhatAll || what == kWhatPitch) {
            const int v = PitchBendValue(pitch);
            Session_MIDIOut(PackMessage(kPitchBend | (ch & 15), v & 127, (v >> 7) & 127, port));
        }
        if (what == kWhatAll || what == kWhatControllers) {
            for (int c = 0; c < kControllers; ++c) {
                const std::int32_t cc = controllers.cc[c];
                if (cc == kUnassignedCC || controllers.on[c] == 0 || (ccFilter != -1 && cc != ccFilter)) {
                    continue;
                }
                // A slot of old projects that sends its value as a program change
                // does so here too, so the sampler gets the same patch on every start.
                if (cc == kCCAsProgram) {
                    Session_SendProgram(port, ch, controllers.value[c] & 0xFF);
                } else {
                    Session_SendCC(port, ch, cc, controllers.value[c] & 0xFF);
                }
            }
        }
    }
}

int ZOLTVSTExprPlug::Session_ChannelEvent(int event, int value) {
    switch (event) {
        case kWhatPan: pan = static_cast<std::uint8_t>(value); break;
        case kWhatVolume: volume = static_cast<std::uint8_t>(value); break;
        case kWhatPitch: pitch = value; break;
        default: return 0;
    }
    const bool ghosted = ccghosting != 0 && (playing == 0 || ccghostontransport == 0);
    if (!ghosted) {
        Session_SendChannelState(event, -1);
    }
    return 0;
}

void ZOLTVSTExprPlug::Session_Transport(std::intptr_t value) {
    playing = value == 1 ? 1 : 0;
    if (value == 0) {
        Session_KillAllVoices();
        if (ccghosting != 0 || cc64release == 0) {
            return;
        }
        bool sent = false;
        for (int c = 0; c < kControllers; ++c) {
            if (controllers.cc[c] == 64 && controllers.value[c] >= 64) {
                controllers.value[c] = 0;
                if (!sent) {
                    Session_SendCC(port, channel % 16, 64, 0);
                    sent = true;
                }
            }
        }
        RepaintEditor(Repaint::Whole);
        return;
    }
    if (ccghosting == 0) {
        Session_SendChannelState(kWhatAll, -1);
    }
    // Everything is sent again after a start.
    lastKs1Note = lastKs1Velocity = lastProgram = lastModifier = kNothingSent;
    SharedPortState& ports = Ports();
    const int key = PortKeyOfInstance();
    ports.ksNote[key] = ports.ksVelocity[key] = ports.program[key] = ports.modifier[key] = kNothingSent;
    ports.ccValue[key].fill(kNoCCValue);
}
