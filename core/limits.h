#pragma once
// Fixed sizes of one instance's tables.

namespace velmora {

inline constexpr int kArticulations = 64;
inline constexpr int kBankSize = 16;  // one articulation per piano-roll colour
inline constexpr int kBanks = kArticulations / kBankSize;
inline constexpr int kControllers = 96;
inline constexpr int kControllersPerPage = 6;
inline constexpr int kPages = kControllers / kControllersPerPage;
inline constexpr int kVoiceSlots = 20480;
inline constexpr int kKeyNameEntries = 148;
inline constexpr int kMidiNotes = 128;
inline constexpr int kMidiCCs = 128;
inline constexpr int kPorts = 256;
inline constexpr int kChannelsPerPort = 64;  // 16, or 64 with MIDI Extend
inline constexpr int kChannelPerColour = 256;  // `channel` value: each colour on its own channel

inline constexpr int kEditorWidth = 240;
inline constexpr int kEditorHeight = 237;
inline constexpr int kEditorMinimisedHeight = 100;

// Parameter layouts (`paramknob`).
inline constexpr int kArticulationParamCC = 128;    // CC layout: 0..127 are CCs
inline constexpr int kArticulationParamSlots = 96;  // slot layout: 0..95 are controller slots
inline constexpr int kNumParams = 129;

}  // namespace velmora
