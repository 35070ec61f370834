#pragma once
// Named values of the host plugin contract: info flags, Dispatcher ids in both
// directions, parameter flags and event ids.
#include <cstdint>

namespace plug {

// TFruityPlugInfo::Flags bits.
inline constexpr std::int32_t FPF_WantNewTick = 1 << 5;
inline constexpr std::int32_t FPF_NoProcess = 1 << 6;
inline constexpr std::int32_t FPF_EditorInHostWindow = 1 << 10;
inline constexpr std::int32_t FPF_MIDIOut = 1 << 14;
inline constexpr std::int32_t FPF_NewVoiceParams = 1 << 21;

inline constexpr std::int32_t kSDKVersion = 1;

// Dispatcher ids the host sends to the plugin.
inline constexpr std::intptr_t FPD_ShowEditor = 0;      // value = parent window, 0 hides
inline constexpr std::intptr_t FPD_GetVoiceLevels = 7;  // which per-voice levels are used
inline constexpr std::intptr_t FPD_Transport = 12;      // value 1 = playing
inline constexpr std::intptr_t FPD_DroppedFile = 18;    // value = path text
inline constexpr std::intptr_t FPD_SetSamplesPerTick = 20;  // float in the low 32 bits
inline constexpr std::intptr_t FPD_LastKnown = 20;      // higher ids are answered with 0

// Result of FPD_GetVoiceLevels when MOD X carries the articulation bank.
inline constexpr std::intptr_t kVoiceLevelModX = 2;

// Dispatcher ids the plugin sends to the host.
inline constexpr std::intptr_t FHD_ParamMenu = 0;        // index parameter, value entry: run it
inline constexpr std::intptr_t FHD_EditorResized = 2;
inline constexpr std::intptr_t FHD_NamesChanged = 3;     // value: what changed
inline constexpr std::intptr_t FHD_SetInstanceName = 10; // value = text
inline constexpr std::intptr_t FHD_Startup13 = 13;       // sent once at construction with 2
inline constexpr std::intptr_t FHD_ParamMenuText = 18;   // index parameter, value entry: answers a PParamMenuEntry, 0 past the last
inline constexpr std::intptr_t FHD_MessageBox = 19;      // index = text, value = style
inline constexpr std::intptr_t FHD_StatusText = 22;      // value = text
inline constexpr std::intptr_t FHD_Startup23 = 23;       // sent once at construction with 0x555599
inline constexpr std::intptr_t FHD_SetNumParams = 27;    // value = count
inline constexpr std::intptr_t FHD_GetProgramPath = 29;  // answers a text
inline constexpr std::intptr_t FHD_DebugLogMsg = 45;     // value = text
inline constexpr std::intptr_t FHD_GetMainWindow = 46;
inline constexpr std::intptr_t FHD_StateChanged = 48;
inline constexpr std::intptr_t FHD_CloseEditor = 53;

inline constexpr std::intptr_t kStartup13Value = 2;
inline constexpr std::intptr_t kStartup23Value = 0x555599;

// FHD_NamesChanged values.
inline constexpr std::intptr_t kNamesParams = 0;
inline constexpr std::intptr_t kNamesPianoRoll = 2;
inline constexpr std::intptr_t kNamesVoiceLevels = 4;
inline constexpr std::intptr_t kNamesVoiceLevelHints = 5;

// TParamMenuEntry flags.
inline constexpr std::int32_t kParamMenuGreyed = 1;
inline constexpr std::int32_t kParamMenuTicked = 2;

// FHD_MessageBox styles and answer.
inline constexpr std::intptr_t kMsgPlain = 0;
inline constexpr std::intptr_t kMsgError = 16;
inline constexpr std::intptr_t kMsgYesNoWarning = 52;
inline constexpr std::intptr_t kMsgAnswerYes = 6;

// ProcessParam flags.
inline constexpr int REC_UpdateValue = 1;
inline constexpr int REC_GetValue = 2;
inline constexpr int REC_ShowHint = 4;
inline constexpr int REC_UpdateControl = 16;
inline constexpr int REC_FromMIDI = 32;

// ProcessEvent ids.
inline constexpr int FPE_Pan = 2;
inline constexpr int FPE_Volume = 3;
inline constexpr int FPE_Pitch = 4;

// Host Voice_ProcessEvent ids.
inline constexpr int FPV_GetColor = 2;
inline constexpr int FPV_GetReleaseVelocity = 4;

// GetName sections.
inline constexpr int FPN_Param = 0;
inline constexpr int FPN_ParamValue = 1;
inline constexpr int FPN_Semitone = 2;
inline constexpr int FPN_VoiceLevel = 4;
inline constexpr int FPN_VoiceLevelHint = 5;
inline constexpr int FPN_Color = 8;
inline constexpr int FPN_ColorHint = 9;

// Length of the host's GetName text buffer.
inline constexpr int kNameBufferSize = 256;

}  // namespace plug
