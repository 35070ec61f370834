// Notes the host plays into the instance: articulation by colour and bank,
// note-on and note-off, delayed notes of the CC timing fix, held keyswitches.
#include <cinttypes>
#include <cstring>

#include "core/plugin_instance.h"
#include "engine/midi_message.h"
#include "engine/note_levels.h"

using namespace velmora;

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

Voice* ZOLTVSTExprPlug::Session_AllocVoice(std::intptr_t voiceTag) { return voices.alloc(voiceTag); }

Voice* ZOLTVSTExprPlug::Session_FindVoice(TVoiceHandle handle) { return voices.find(handle); }

void ZOLTVSTExprPlug::Session_FreeVoice(TVoiceHandle handle) {
    if (Voice* v = voices.find(handle)) {
        voices.free(*v);
    }
    if (debugLog != 0) {
        DebugLog("Session_FreeVoice(%p) freed note %p", reinterpret_cast<void*>(handle), reinterpret_cast<void*>(handle));
    }
}

void ZOLTVSTExprPlug::Session_KillAllVoices() {
    const HostServices host = Host();
    voices.forEachLive([&](Voice& v) { host.killVoice(v.voiceTag); });
}

bool ZOLTVSTExprPlug::IsPianoRollShiftClick() {
    const HWND main = Process().hostMainWindow;
    return main != nullptr && platform.hostWindows().pianoRollShiftClick(main);
}

void ZOLTVSTExprPlug::LearnPlayedNote(int note, float level) {
    if (savedCursor == nullptr || editing < 0 || editing >= kArticulations) {
        return;
    }
    const int a = editing;
    bool learned = true;
    switch (dragTarget) {
        case kDragKeyswitchVelocity: articulations.notev[a] = VelocityFormula(level); break;
        case kDragKeyswitch: articulations.note[a] = note; break;
        case kDragModifierValue:
            if (articulations.modc[a] == kModSecondKeyswitch) {
                articulations.modw[a] = note;
            } else if (articulations.modc[a] == kModPlayVelocity) {
                articulations.modw[a] = VelocityFormula(level);
            } else {
                learned = false;
            }
            break;
        default: learned = false; break;
    }
    if (learned) {
        Host().stateChanged();
        RepaintEditor(Repaint::Whole);
    }
}

TVoiceHandle ZOLTVSTExprPlug::TriggerVoice(PVoiceParams params, std::intptr_t voiceTag) {
    const float level = params->InitLevels.Vol;
    const int note = NoteFromPitch(params->FinalLevels.Pitch);
    LearnPlayedNote(note, level);

    if (debugLog != 0) {
        DebugLog("TriggerVoice(%p, %" PRIdPTR ")", static_cast<void*>(params), voiceTag);
    }
    const HostServices host = Host();
    if (IsPianoRollShiftClick()) {
        clickedColour = (host.voiceColour(voiceTag) & 15) + (articbanks != 0 ? 16 * currentBank : 0);
        clickedNote = note;
    }

    Voice* voice = Session_AllocVoice(voiceTag);
    if (voice == nullptr) {
        if (debugLog != 0) {
            DebugLog("ERROR: ZOLT Instance out of voices");
        }
        return 0;
    }

    if (releasetocc117 != 0) {
        const float r = host.releaseVelocity(voiceTag);
        Session_SendCC(port, channel % 16, kReleaseVelocityCC, ReleaseVelocityByte(r));
    }

    std::uint32_t msg = PackMessage(kNoteOn | (channel & 15), note, NoteVelocity(level), port);

    if (articulationParam == 0) {
        // Colours are the host's 16 note colours; anything else is taken modulo 16.
        int a = host.voiceColour(voiceTag) & 15;
        if (articbanks != 0) {
            currentBank = BankFromModX(params->InitLevels.FCut);
            a += kBankSize * currentBank;
        }
        if (channel == kChannelPerColour) {
            msg = WithStatus(msg, static_cast<std::uint8_t>(kNoteOn | (a % 16)));
        }
        const int changed = Session_CheckArticulation(a);
        if (changed != 0) {
            if (cctimingfix != 0 && changed == 2) {
                noteDelayed = 1;
            }
            currentArticulation = a;
            RepaintEditor(Repaint::GridOnly);
        }
        if (articulations.modw[a] >= 0 && articulations.modc[a] == kModPlayVelocity) {
            msg = WithData2(msg, static_cast<std::uint8_t>(articulations.modw[a]));
        }
    }
    voices.setMessage(*voice, msg);

    if (noteDelayed == 0) {
        Session_MIDIOut(voice->msg);
        voice->delay = kNoteOnSent;
    } else {
        voices.setWaiting(*voice, true);
        delayedNotesPending = 1;
    }
    return VoicePool::handleOf(*voice);
}

void ZOLTVSTExprPlug::SendVoiceNoteOff(Voice& voice) {
    const float r = Host().releaseVelocity(voice.voiceTag);
    const std::uint8_t status = MessageStatus(voice.msg);
    std::uint32_t off = WithStatus(voice.msg, static_cast<std::uint8_t>(kNoteOff | (status & 15)));
    off = WithData2(off, static_cast<std::uint8_t>(ReleaseVelocityByte(r)));
    voices.setMessage(voice, off);
    Session_MIDIOut(off);
}

void ZOLTVSTExprPlug::Voice_Release(TVoiceHandle handle) {
    Voice* voice = Session_FindVoice(handle);
    if (voice == nullptr) {
        return;
    }
    // Overlapping notes of one key share the sampler's voice: only the last
    // one to end turns it off.
    const bool overlapped = allowoverlap != 0 && voices.voicesWithNote(MessageData1(voice->msg)) > 1;
    if (!overlapped && voice->delay == kNoteOnSent) {
        SendVoiceNoteOff(*voice);
    }
    voice->released = 1;
    if (voice->delay == kNoteOnSent) {
        Host().killVoice(voice->voiceTag);
    }
}

void ZOLTVSTExprPlug::Voice_Kill(TVoiceHandle handle) {
    Voice* voice = Session_FindVoice(handle);
    if (voice == nullptr) {
        return;
    }
    if (voice->delay == kNoteOnSent && voice->released == 0) {
        SendVoiceNoteOff(*voice);
    }
    Session_FreeVoice(handle);
}

void ZOLTVSTExprPlug::NewTick() {
    if (holdkeyswitch != 0) {
        for (int n = 0; n < kMidiNotes; ++n) {
            if (ksHoldTime[n] < kHoldEpsilon) {
                continue;
            }
            ksHoldTime[n] -= samplesPerTick;
            if (ksHoldTime[n] >= kHoldEpsilon) {
                if (debugLog != 0) {
                    DebugLog("Waiting on KS trigger (%i, %i) %f till release", n, ksHoldChannel[n],
                             static_cast<double>(ksHoldTime[n]));
                }
                continue;
            }
            if (debugLog != 0) {
                DebugLog("Releasing KS trigger (%i, %i)", n, ksHoldChannel[n]);
            }
            Session_SendNote(port, ksHoldChannel[n], 1, n, 0);
            ksHoldTime[n] = 0.0f;
        }
    }

    if (delayedNotesPending == 0 || cctimingfix == 0) {
        return;
    }
    delayedNotesPending = 0;
    const HostServices host = Host();
    voices.forEachWaiting([&](Voice& v) {
        if (v.delay == kStopAtNextTick) {
            voices.setWaiting(v, false);
            SendVoiceNoteOff(v);
            host.killVoice(v.voiceTag);
            return;
        }
        delayedNotesPending = 1;
        if (++v.delay == kTimingFixTicks) {
            v.delay = kNoteOnSent;
            voices.setWaiting(v, false);
            Session_MIDIOut(v.msg);
            if (v.released != 0) {
                v.delay = kStopAtNextTick;
                voices.setWaiting(v, true);
            }
        }
    });
    noteDelayed = 0;
}

int ZOLTVSTExprPlug::Voice_ProcessEvent(TVoiceHandle, int, int, int) { return 0; }

int ZOLTVSTExprPlug::Voice_Render(TVoiceHandle, PWAV32FS buffer, int& length) {
    if (buffer != nullptr && length > 0) {
        std::memset(buffer, 0, sizeof(TWAV32FS) * static_cast<std::size_t>(length));
    }
    return 0;
}
