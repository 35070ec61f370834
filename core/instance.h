#pragma once
// One use of the plugin in a host project: its whole configuration and live
// state, as plain data grouped into parts. The operations on it live in the
// layers above: engine/ (the note path and MIDI output), persistence/, http/,
// and plugin/, which answers the host.
#include <array>
#include <cstdint>
#include <string>

#include "core/articulation.h"
#include "core/editor_state.h"
#include "core/host_services.h"
#include "core/limits.h"
#include "core/options.h"
#include "core/process_state.h"
#include "core/voice_pool.h"
#include "platform/platform.h"

namespace velmora {

inline constexpr int kNoteNameLength = 16;  // 15 characters and the terminator

// The parts Options and EditorState are bases so that every field keeps its
// plain name (`plug.midiextend`, `plug.tab`) while a reader finds each group in
// one place.
class Instance : public Options, public EditorState {
public:
    // The construction steps of the data model: the instance joins the
    // process's list (the first one starts the process-wide state), takes its
    // creation port and channel and its defaults. Interface thread.
    Instance(TFruityPlugHost* host, TPluginTag tag, HINSTANCE module,
             platform::Platform& services = platform::defaultPlatform());
    // Leaves the list; the last instance releases the process-wide state.
    virtual ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    void Session_Reset();
    void Session_SetDefaults();
    void BuildNoteNames();
    void RepaintEditor(Repaint what);
    HostServices Host() const { return hostServices; }
    // "ZOLT Velmora [%p] : " and the formatted text, as one debug log line.
    void DebugLog(const char* format, ...) __attribute__((format(printf, 2, 3)));
    SharedPortState& Ports() { return *processState->ports; }
    int PortKeyOfInstance() const { return PortKey(port, channel); }

    // --- Host connection and identity ---
    HostServices hostServices;
    HINSTANCE moduleHandle = nullptr;
    platform::Platform& platform;
    ProcessState* processState = nullptr;  // the process-wide state of this module
    std::uint32_t apiId = 0;  // the JSON API's id: non-zero, unique among living instances
    const void* logIdentity = this;  // the address debug lines show: the host's handle of the instance

    // --- Configuration ---
    ArticulationTable articulations;
    ControllerTable controllers;
    std::array<std::string, kPages> pageNames;
    std::int32_t controllerstart = 0;
    std::int32_t articulationParamIndex = kArticulationParamCC;
    std::int32_t oldparams = 0;
    std::int32_t articulationParam = 0;
    std::int32_t port = 0;
    std::int32_t channel = 0;
    // Port and channel this instance got from its place in the creation order.
    std::int32_t creationPort = 0;
    std::int32_t creationChannel = 0;

    // --- Channel values from the host ---
    std::uint8_t pan = 0;
    std::uint8_t volume = 0;
    std::int32_t pitch = 0;

    // --- Live state ---
    VoicePool voices;
    std::array<float, kVoiceSlots> ksHoldTime{};
    std::array<std::uint8_t, kVoiceSlots> ksHoldChannel{};
    std::uint8_t noteDelayed = 0;
    std::uint8_t delayedNotesPending = 0;
    std::int32_t currentArticulation = 0;
    std::int32_t currentBank = 0;
    std::int32_t lastKs1Note = kNothingSent;
    std::int32_t lastKs1Velocity = kNothingSent;
    std::int32_t lastProgram = kNothingSent;
    std::int32_t lastModifier = kNothingSent;
    float samplesPerTick = 0.0f;
    std::uint8_t playing = 0;
    std::uint8_t debugLog = 0;
    std::uint8_t fresh = 1;
    std::int32_t stateVersion = 10;
    std::array<std::array<char, kNoteNameLength>, kMidiNotes> noteNames{};
    std::int32_t clickedNote = -1;
    std::int32_t clickedColour = 0;
    std::int32_t pendingArticulation = -1;
    std::uint8_t namesAsked = 0;
    HWND colourPopup = nullptr;  // the host's colour pop-up over a piano roll while it is open
    std::uint8_t colourPopupRecognised = 0;  // that pop-up shows the note colours

private:
    void LeaveProcess() noexcept;
};

}  // namespace velmora
