// Putting the sampler into an articulation: send only what the port and
// channel do not have yet, in a fixed order.
#include "core/plugin_instance.h"

using namespace velmora;

namespace {
constexpr float kKeyswitchHold = 400.0f;
}

void ZOLTVSTExprPlug::LoadWorkingCopies() {
    const SharedPortState& ports = Ports();
    const int k = PortKeyOfInstance();
    lastKs1Note = ports.ksNote[k];
    lastKs1Velocity = ports.ksVelocity[k];
    lastProgram = ports.program[k];
    lastModifier = ports.modifier[k];
}

void ZOLTVSTExprPlug::StoreWorkingCopies() {
    SharedPortState& ports = Ports();
    const int k = PortKeyOfInstance();
    ports.ksNote[k] = lastKs1Note;
    ports.ksVelocity[k] = lastKs1Velocity;
    ports.program[k] = lastProgram;
    ports.modifier[k] = lastModifier;
}

int ZOLTVSTExprPlug::Session_CheckArticulation(int a) {
    if (a < 0 || a >= kArticulations) {
        return 0;
    }
    const std::int32_t note = articulations.note[a];
    const std::int32_t notev = articulations.notev[a];
    const std::int32_t prog = articulations.prog[a];
    const std::int32_t modw = articulations.modw[a];
    const std::int32_t modc = articulations.modc[a];
    // Keyswitches go to the colour's channel on a per-colour instance.
    const int ksChannel = channel == kChannelPerColour ? a % 16 : channel;

    LoadWorkingCopies();
    int changed = 0;

    if (lastProgram != prog && prog != -1) {
        if (debugLog != 0) {
            DebugLog("Session_CheckArticulation(%i) : PROG changed from %i to %i", a, lastProgram, prog);
        }
        lastProgram = prog;
        // A new program has lost the keyswitch and modifier.
        lastKs1Note = lastKs1Velocity = lastModifier = kNothingSent;
        changed = 1;
        Session_SendProgram(port, channel, prog);
    }

    if ((lastKs1Note != note || lastKs1Velocity != notev) && note != -1) {
        if (debugLog != 0) {
            DebugLog("Session_CheckArticulation(%i) : KS1 changed from %i:%i to %i:%i", a, lastKs1Note, lastKs1Velocity,
                     note, notev);
        }
        changed = 1;
        lastKs1Note = note;
        lastKs1Velocity = notev;
        Session_SendNote(port, ksChannel, 0, note, notev);
        if (holdkeyswitch != 0 && note >= 0 && note < kVoiceSlots) {
            ksHoldTime[note] = kKeyswitchHold;
            ksHoldChannel[note] = static_cast<std::uint8_t>(ksChannel);
        } else {
            Session_SendNote(port, ksChannel, 1, note, 0);
        }
        if (modc == kModSecondKeyswitch) {
            lastModifier = kNothingSent;  // the second keyswitch always follows a new first one
        }
    }

    if (lastModifier != modw && modw != -1 && modc >= 0) {
        if (debugLog != 0) {
            DebugLog("Session_CheckArticulation(%i) : CC%i changed from %i to %i", a, modc, lastModifier, modw);
        }
        lastModifier = modw;
        changed = 2;
        Session_SendCC(port, channel, modc, modw);
    } else if (lastModifier != modw && modw >= 0 && modc == kModSecondKeyswitch) {
        if (debugLog != 0) {
            DebugLog("Session_CheckArticulation(%i) : KS2 changed from %i to %i", a, lastModifier, modw);
        }
        changed = 1;
        lastModifier = modw;
        Session_SendNote(port, ksChannel, 0, modw, 127);
        Session_SendNote(port, ksChannel, 1, modw, 0);
    } else if (changed == 0) {
        return 0;
    }

    if (resetstate != 0) {
        // Forget what this articulation does not use, so the next one that
        // uses it sends it again.
        if (note == -1) lastKs1Note = kForgotten;
        if (notev == -1) lastKs1Velocity = kForgotten;
        if (prog == -1) lastProgram = kForgotten;
        if (modw == -1) lastModifier = kForgotten;
    }
    StoreWorkingCopies();
    return changed;
}
