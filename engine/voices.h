#pragma once
// The notes the host plays into an instance. Mixing thread unless noted.
#include <cstdint>

#include "core/instance.h"
#include "sdk/voice_params.h"

namespace velmora {

Voice* Session_AllocVoice(Instance& inst, std::intptr_t voiceTag);
Voice* Session_FindVoice(Instance& inst, TVoiceHandle handle);
void Session_FreeVoice(Instance& inst, TVoiceHandle handle);
// Asks the host to end every live voice.
void Session_KillAllVoices(Instance& inst);
bool IsPianoRollShiftClick(Instance& inst);

TVoiceHandle TriggerVoice(Instance& inst, PVoiceParams params, std::intptr_t voiceTag);
void Voice_Release(Instance& inst, TVoiceHandle handle);
void Voice_Kill(Instance& inst, TVoiceHandle handle);
int Voice_Render(Instance& inst, TVoiceHandle handle, PWAV32FS buffer, int& length);
void NewTick(Instance& inst);

}  // namespace velmora
