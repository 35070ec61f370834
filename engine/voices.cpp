// Notes the host plays into the instance: articulation by colour and bank,
// note-on and note-off, delayed notes of the CC timing fix, held keyswitches.
#include <cinttypes>
#include <cstring>

#include "engine/voices.h"
#include "core/piano_roll_windows.h"
#include "engine/articulation_switch.h"
#include "engine/midi_out.h"
#include "engine/midi_message.h"
#include "engine/note_levels.h"

namespace velmora {

namespace {
constexpr float kHoldEpsilon = 0.0001f;
constexpr int kTimingFixTicks = 5;
constexpr int kReleaseVelocityCC = 17;

int ReleaseVelocityByte(float r) {
    const float v = r * 127.0f;
    if (!(v >= 0.0f)) {
        return 0;
    }
    return v >= 255.0f ? 255 : static_cast<int>(v);
}
}  // namespace

Voice* Session_AllocVoice(Instance& inst, std::intptr_t voiceTag) { return inst.voices.alloc(voiceTag); }

Voice* Session_FindVoice(Instance& inst, TVoiceHandle handle) { return inst.voices.find(handle); }

void Session_FreeVoice(Instance& inst, TVoiceHandle handle) {
    if (Voice* v = inst.voices.find(handle)) {
        inst.voices.free(*v);
    }
    if (inst.debugLog != 0) {
        inst.DebugLog("Session_FreeVoice(%p) freed note %p", reinterpret_cast<void*>(handle), reinterpret_cast<void*>(handle));
    }
}

void Session_KillAllVoices(Instance& inst) {
    const HostServices host = inst.Host();
    inst.voices.forEachLive([&](Voice& v) { host.killVoice(v.voiceTag); });
}

bool IsPianoRollShiftClick(Instance& inst) {
    return velmora::IsPianoRollShiftClick(inst.platform.hostWindows(), Process().hostMainWindow);
}

static void LearnPlayedNote(Instance& inst, int note, float level) {
    if (inst.savedCursor == nullptr || inst.editing < 0 || inst.editing >= kArticulations) {
        return;
    }
    const int a = inst.editing;
    bool learned = true;
    switch (inst.dragTarget) {
        case kDragKeyswitchVelocity: inst.articulations.notev[a] = VelocityFormula(level); break;
        case kDragKeyswitch: inst.articulations.note[a] = note; break;
        case kDragModifierValue:
            if (inst.articulations.modc[a] == kModSecondKeyswitch) {
                inst.articulations.modw[a] = note;
            } else if (inst.articulations.modc[a] == kModPlayVelocity) {
                inst.articulations.modw[a] = VelocityFormula(level);
            } else {
                learned = false;
            }
            break;
        default: learned = false; break;
    }
    if (learned) {
        inst.Host().stateChanged();
        inst.RepaintEditor(Repaint::Whole);
    }
}

TVoiceHandle TriggerVoice(Instance& inst, PVoiceParams params, std::intptr_t voiceTag) {
    const float level = params->InitLevels.Vol;
    const int note = NoteFromPitch(params->FinalLevels.Pitch);
    LearnPlayedNote(inst, note, level);

    if (inst.debugLog != 0) {
        inst.DebugLog("TriggerVoice(%p, %" PRIdPTR ")", static_cast<void*>(params), voiceTag);
    }
    const HostServices host = inst.Host();
    if (IsPianoRollShiftClick(inst)) {
        inst.clickedColour = (host.voiceColour(voiceTag) & 15) + (inst.articbanks != 0 ? 16 * inst.currentBank : 0);
        inst.clickedNote = note;
    }

    Voice* voice = Session_AllocVoice(inst, voiceTag);
    if (voice == nullptr) {
        if (inst.debugLog != 0) {
            inst.DebugLog("ERROR: ZOLT Instance out of voices");
        }
        return 0;
    }

    if (inst.releasetocc117 != 0) {
        const float r = host.releaseVelocity(voiceTag);
        Session_SendCC(inst, inst.port, inst.channel % 16, kReleaseVelocityCC, ReleaseVelocityByte(r));
    }

    std::uint32_t msg = PackMessage(kNoteOn | (inst.channel & 15), note, NoteVelocity(level), inst.port);

    if (inst.articulationParam == 0) {
        // Colours are the host's 16 note colours; anything else is taken modulo 16.
        int a = host.voiceColour(voiceTag) & 15;
        if (inst.articbanks != 0) {
            inst.currentBank = BankFromModX(params->InitLevels.FCut);
            a += kBankSize * inst.currentBank;
        }
        if (inst.channel == kChannelPerColour) {
            msg = WithStatus(msg, static_cast<std::uint8_t>(kNoteOn | (a % 16)));
        }
        const int changed = Session_CheckArticulation(inst, a);
        if (changed != 0) {
            if (inst.cctimingfix != 0 && changed == 2) {
                inst.noteDelayed = 1;
            }
            inst.currentArticulation = a;
            inst.RepaintEditor(Repaint::GridOnly);
        }
        if (inst.articulations.modw[a] >= 0 && inst.articulations.modc[a] == kModPlayVelocity) {
            msg = WithData2(msg, static_cast<std::uint8_t>(inst.articulations.modw[a]));
        }
    }
    inst.voices.setMessage(*voice, msg);

    if (inst.noteDelayed == 0) {
        Session_MIDIOut(inst, voice->msg);
        voice->delay = kNoteOnSent;
    } else {
        inst.voices.setWaiting(*voice, true);
        inst.delayedNotesPending = 1;
    }
    return VoicePool::handleOf(*voice);
}

static void SendVoiceNoteOff(Instance& inst, Voice& voice) {
    const float r = inst.Host().releaseVelocity(voice.voiceTag);
    const std::uint8_t status = MessageStatus(voice.msg);
    std::uint32_t off = WithStatus(voice.msg, static_cast<std::uint8_t>(kNoteOff | (status & 15)));
    off = WithData2(off, static_cast<std::uint8_t>(ReleaseVelocityByte(r)));
    inst.voices.setMessage(voice, off);
    Session_MIDIOut(inst, off);
}

void Voice_Release(Instance& inst, TVoiceHandle handle) {
    Voice* voice = Session_FindVoice(inst, handle);
    if (voice == nullptr) {
        return;
    }
    // Overlapping notes of one key share the sampler's voice: only the last
    // one to end turns it off.
    const bool overlapped = inst.allowoverlap != 0 && inst.voices.voicesWithNote(MessageData1(voice->msg)) > 1;
    if (!overlapped && voice->delay == kNoteOnSent) {
        SendVoiceNoteOff(inst, *voice);
    }
    voice->released = 1;
    if (voice->delay == kNoteOnSent) {
        inst.Host().killVoice(voice->voiceTag);
    }
}

void Voice_Kill(Instance& inst, TVoiceHandle handle) {
    Voice* voice = Session_FindVoice(inst, handle);
    if (voice == nullptr) {
        return;
    }
    if (voice->delay == kNoteOnSent && voice->released == 0) {
        SendVoiceNoteOff(inst, *voice);
    }
    Session_FreeVoice(inst, handle);
}

void NewTick(Instance& inst) {
    if (inst.holdkeyswitch != 0) {
        for (int n = 0; n < kMidiNotes; ++n) {
            if (inst.ksHoldTime[n] < kHoldEpsilon) {
                continue;
            }
            inst.ksHoldTime[n] -= inst.samplesPerTick;
            if (inst.ksHoldTime[n] >= kHoldEpsilon) {
                if (inst.debugLog != 0) {
                    inst.DebugLog("Waiting on KS trigger (%i, %i) %f till release", n, inst.ksHoldChannel[n],
                             static_cast<double>(inst.ksHoldTime[n]));
                }
                continue;
            }
            if (inst.debugLog != 0) {
                inst.DebugLog("Releasing KS trigger (%i, %i)", n, inst.ksHoldChannel[n]);
            }
            Session_SendNote(inst, inst.port, inst.ksHoldChannel[n], 1, n, 0);
            inst.ksHoldTime[n] = 0.0f;
        }
    }

    if (inst.delayedNotesPending == 0 || inst.cctimingfix == 0) {
        return;
    }
    inst.delayedNotesPending = 0;
    const HostServices host = inst.Host();
    inst.voices.forEachWaiting([&](Voice& v) {
        if (v.delay == kStopAtNextTick) {
            inst.voices.setWaiting(v, false);
            SendVoiceNoteOff(inst, v);
            host.killVoice(v.voiceTag);
            return;
        }
        inst.delayedNotesPending = 1;
        if (++v.delay == kTimingFixTicks) {
            v.delay = kNoteOnSent;
            inst.voices.setWaiting(v, false);
            Session_MIDIOut(inst, v.msg);
            if (v.released != 0) {
                v.delay = kStopAtNextTick;
                inst.voices.setWaiting(v, true);
            }
        }
    });
    inst.noteDelayed = 0;
}

int Voice_Render(Instance&, TVoiceHandle, PWAV32FS buffer, int& length) {
    if (buffer != nullptr && length > 0) {
        std::memset(buffer, 0, sizeof(TWAV32FS) * static_cast<std::size_t>(length));
    }
    return 0;
}

}  // namespace velmora
