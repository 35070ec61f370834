#pragma once
// One use of the plugin in a host project: its whole configuration and live
// state. Operations are grouped by folder: lifecycle and host interface in
// core/, the note path and MIDI output in engine/.
#include <array>
#include <cstdint>
#include <string>

#include "core/articulation.h"
#include "core/host_services.h"
#include "core/limits.h"
#include "core/process_state.h"
#include "engine/voice_pool.h"
#include "platform/platform.h"
#include "sdk/fruity_plug.h"

namespace velmora {
// Stands in for the editor window until the editor exists: it records the size
// asked for and the repaints requested.
struct EditorWindowSeam {
    int width = 0;
    int height = 0;
    int wholeRepaints = 0;
    int gridRepaints = 0;
};

inline constexpr int kNoteNameLength = 16;  // 15 characters and the terminator
inline constexpr int kNoDragTarget = -1;

// Drag targets that learn a played note.
inline constexpr int kDragKeyswitch = 1;
inline constexpr int kDragModifierValue = 2;
inline constexpr int kDragKeyswitchVelocity = 14;

enum class Repaint { Whole, GridOnly };
}  // namespace velmora

class ZOLTVSTExprPlug final : public TCPPFruityPlug {
public:
    // Runs the construction steps; the instance joins the process's list.
    ZOLTVSTExprPlug(TPluginTag tag, TFruityPlugHost* host, HINSTANCE module,
                    platform::Platform& services = platform::defaultPlatform());
    ~ZOLTVSTExprPlug() override;

    // TFruityPlug operations.
    void DestroyObject() override;
    std::intptr_t Dispatcher(std::intptr_t ID, std::intptr_t Index, std::intptr_t Value) override;
    void Idle_Public() override;
    void SaveRestoreState(IStream* Stream, BOOL Save) override;
    void GetName(int Section, int Index, int Value, char* Name) override;
    int ProcessEvent(int EventID, int EventValue, int Flags) override;
    int ProcessParam(int Index, int Value, int RECFlags) override;
    void Eff_Render(PWAV32FS SourceBuffer, PWAV32FS DestBuffer, int Length) override;
    void Gen_Render(PWAV32FS DestBuffer, int& Length) override;
    TVoiceHandle TriggerVoice(PVoiceParams VoiceParams, std::intptr_t SetTag) override;
    void Voice_Release(TVoiceHandle Handle) override;
    void Voice_Kill(TVoiceHandle Handle) override;
    int Voice_ProcessEvent(TVoiceHandle Handle, int EventID, int EventValue, int Flags) override;
    int Voice_Render(TVoiceHandle Handle, PWAV32FS DestBuffer, int& Length) override;
    void NewTick() override;
    void MIDITick() override;
    void MIDIIn(int& Msg) override;
    void MsgIn(std::intptr_t Msg) override;
    int OutputVoice_ProcessEvent(TOutVoiceHandle Handle, int EventID, int EventValue, int Flags) override;
    void OutputVoice_Kill(TVoiceHandle Handle) override;

    // --- Lifecycle and defaults (core) ---
    void Session_Reset();
    void Session_SetDefaults();
    void BuildNoteNames();
    void RepaintEditor(velmora::Repaint what);
    velmora::HostServices Host() const { return {PlugHost, HostTag}; }
    // "ZOLT Velmora [%p] : " and the formatted text, as one debug log line.
    void DebugLog(const char* format, ...) __attribute__((format(printf, 2, 3)));
    velmora::SharedPortState& Ports() { return *velmora::Process().ports; }
    int PortKeyOfInstance() const { return velmora::PortKey(port, channel); }

    // --- MIDI output (engine, mixing or interface thread) ---
    void Session_MIDIOut(std::uint32_t msg);
    void Session_SendNote(int port, int ch, int off, int note, int velocity);
    void Session_SendCC(int port, int ch, int cc, int value);
    void Session_SendProgram(int port, int ch, int program);
    void Session_SendChannelState(int what, int ccFilter);
    int Session_ChannelEvent(int event, int value);
    void Session_Transport(std::intptr_t value);
    void Session_ParamChange(int index, int value);

    // --- Articulation switching and voices (engine, mixing thread) ---
    int Session_CheckArticulation(int a);
    velmora::Voice* Session_AllocVoice(std::intptr_t voiceTag);
    velmora::Voice* Session_FindVoice(TVoiceHandle handle);
    void Session_FreeVoice(TVoiceHandle handle);
    void Session_KillAllVoices();
    bool IsPianoRollShiftClick();

    // --- Host connection and identity ---
    HINSTANCE moduleHandle = nullptr;
    platform::Platform& platform;
    // The process-wide state of the module this instance lives in; code built
    // into another module (the reference host) reaches it through here.
    velmora::ProcessState* processState = nullptr;
    std::uint32_t apiId = 0;  // the JSON API's id: non-zero, unique among living instances

    // --- Configuration ---
    velmora::ArticulationTable articulations;
    velmora::ControllerTable controllers;
    std::array<std::string, velmora::kPages> pageNames;
    std::int32_t controllerstart = 0;

    std::int32_t paramknob = 0;
    std::int32_t articulationParamIndex = velmora::kArticulationParamCC;
    std::int32_t oldparams = 0;
    std::int32_t articulationParam = 0;

    std::int32_t port = 0;
    std::int32_t channel = 0;
    // Port and channel this instance got from its place in the creation order.
    std::int32_t creationPort = 0;
    std::int32_t creationChannel = 0;
    std::int32_t ccghosting = 0;
    std::int32_t ccghostontransport = 0;
    std::int32_t holdkeyswitch = 0;
    std::int32_t midiextend = 0;
    std::int32_t cctimingfix = 0;
    std::int32_t cc64release = 1;
    std::int32_t allchannelomni = 1;
    std::int32_t allowoverlap = 0;
    std::int32_t altmiddlec = 0;
    std::int32_t showuacc = 0;
    std::int32_t preserveport = 0;
    std::int32_t releasetocc117 = 0;
    std::int32_t resetstate = 0;
    std::int32_t optimiseauto = 1;
    std::int32_t articbanks = 0;

    // --- Channel values from the host ---
    std::uint8_t pan = 0;
    std::uint8_t volume = 0;
    std::int32_t pitch = 0;

    // --- Editor state ---
    std::uint8_t visible = 0;
    std::uint8_t minimised = 0;
    std::int32_t tab = 1;
    std::int32_t editing = 0;
    std::int32_t bankstart = 0;
    float uiscale = 0.0f;
    float scaleFactor = 1.0f;
    HWND parentWindow = nullptr;
    std::int32_t dragTarget = velmora::kNoDragTarget;
    std::int32_t dragStart = 0;
    void* savedCursor = nullptr;  // set while a drag is in progress
    velmora::EditorWindowSeam editorWindow;

    // --- Live state ---
    velmora::VoicePool voices;
    std::array<float, velmora::kVoiceSlots> ksHoldTime{};
    std::array<std::uint8_t, velmora::kVoiceSlots> ksHoldChannel{};
    std::uint8_t noteDelayed = 0;
    std::uint8_t delayedNotesPending = 0;
    std::int32_t currentArticulation = 0;
    std::int32_t currentBank = 0;
    std::int32_t lastKs1Note = velmora::kNothingSent;
    std::int32_t lastKs1Velocity = velmora::kNothingSent;
    std::int32_t lastProgram = velmora::kNothingSent;
    std::int32_t lastModifier = velmora::kNothingSent;
    float samplesPerTick = 0.0f;
    std::uint8_t playing = 0;
    std::uint8_t debugLog = 0;
    std::uint8_t fresh = 1;
    std::int32_t stateVersion = 10;
    std::array<std::array<char, velmora::kNoteNameLength>, velmora::kMidiNotes> noteNames{};
    std::int32_t clickedNote = -1;
    std::int32_t clickedColour = 0;
    std::int32_t pendingArticulation = -1;
    std::uint8_t namesAsked = 0;

private:
    void LoadWorkingCopies();
    void StoreWorkingCopies();
    void SendVoiceNoteOff(velmora::Voice& voice);
    void LearnPlayedNote(int note, float level);
};
