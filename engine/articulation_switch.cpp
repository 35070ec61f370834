// Putting the sampler into an articulation: send only what the port and
// channel do not have yet, in a fixed order.
#include "engine/articulation_switch.h"

#include "engine/midi_out.h"

namespace velmora {

namespace {
constexpr float kKeyswitchHold = 400.0f;
}

static void LoadWorkingCopies(Instance& inst) {
    const SharedPortState& ports = inst.Ports();
    const int k = inst.PortKeyOfInstance();
    inst.lastKs1Note = ports.ksNote[k];
    inst.lastKs1Velocity = ports.ksVelocity[k];
    inst.lastProgram = ports.program[k];
    inst.lastModifier = ports.modifier[k];
}

static void StoreWorkingCopies(Instance& inst) {
    SharedPortState& ports = inst.Ports();
    const int k = inst.PortKeyOfInstance();
    ports.ksNote[k] = inst.lastKs1Note;
    ports.ksVelocity[k] = inst.lastKs1Velocity;
    ports.program[k] = inst.lastProgram;
    ports.modifier[k] = inst.lastModifier;
}

int Session_CheckArticulation(Instance& inst, int a) {
    if (a < 0 || a >= kArticulations) {
        return 0;
    }
    const std::int32_t note = inst.articulations.note[a];
    const std::int32_t notev = inst.articulations.notev[a];
    const std::int32_t prog = inst.articulations.prog[a];
    const std::int32_t modw = inst.articulations.modw[a];
    const std::int32_t modc = inst.articulations.modc[a];
    // Keyswitches go to the colour's channel on a per-colour instance.
    const int ksChannel = inst.channel == kChannelPerColour ? a % 16 : inst.channel;

    LoadWorkingCopies(inst);
    int changed = 0;

    if (inst.lastProgram != prog && prog != -1) {
        if (inst.debugLog != 0) {
            inst.DebugLog("Session_CheckArticulation(%i) : PROG changed from %i to %i", a, inst.lastProgram, prog);
        }
        inst.lastProgram = prog;
        // A new program has lost the keyswitch and modifier.
        inst.lastKs1Note = inst.lastKs1Velocity = inst.lastModifier = kNothingSent;
        changed = 1;
        Session_SendProgram(inst, inst.port, inst.channel, prog);
    }

    if ((inst.lastKs1Note != note || inst.lastKs1Velocity != notev) && note != -1) {
        if (inst.debugLog != 0) {
            inst.DebugLog("Session_CheckArticulation(%i) : KS1 changed from %i:%i to %i:%i", a, inst.lastKs1Note, inst.lastKs1Velocity,
                     note, notev);
        }
        changed = 1;
        inst.lastKs1Note = note;
        inst.lastKs1Velocity = notev;
        Session_SendNote(inst, inst.port, ksChannel, 0, note, notev);
        if (inst.holdkeyswitch != 0 && note >= 0 && note < kVoiceSlots) {
            inst.ksHoldTime[note] = kKeyswitchHold;
            inst.ksHoldChannel[note] = static_cast<std::uint8_t>(ksChannel);
        } else {
            Session_SendNote(inst, inst.port, ksChannel, 1, note, 0);
        }
        if (modc == kModSecondKeyswitch) {
            inst.lastModifier = kNothingSent;  // the second keyswitch always follows a new first one
        }
    }

    if (inst.lastModifier != modw && modw != -1 && modc >= 0) {
        if (inst.debugLog != 0) {
            inst.DebugLog("Session_CheckArticulation(%i) : CC%i changed from %i to %i", a, modc, inst.lastModifier, modw);
        }
        inst.lastModifier = modw;
        changed = 2;
        Session_SendCC(inst, inst.port, inst.channel, modc, modw);
    } else if (inst.lastModifier != modw && modw >= 0 && modc == kModSecondKeyswitch) {
        if (inst.debugLog != 0) {
            inst.DebugLog("Session_CheckArticulation(%i) : KS2 changed from %i to %i", a, inst.lastModifier, modw);
        }
        changed = 1;
        inst.lastModifier = modw;
        Session_SendNote(inst, inst.port, ksChannel, 0, modw, 127);
        Session_SendNote(inst, inst.port, ksChannel, 1, modw, 0);
    } else if (changed == 0) {
        return 0;
    }

    if (inst.resetstate != 0) {
        // Forget what this articulation does not use, so the next one that
        // uses it sends it again.
        if (note == -1) inst.lastKs1Note = kForgotten;
        if (notev == -1) inst.lastKs1Velocity = kForgotten;
        if (prog == -1) inst.lastProgram = kForgotten;
        if (modw == -1) inst.lastModifier = kForgotten;
    }
    StoreWorkingCopies(inst);
    return changed;
}

}  // namespace velmora
