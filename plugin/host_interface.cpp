// The operations the host calls: each hands over to the layer that owns the
// work, inside the exception boundary. Names are in get_name.cpp.
#include <bit>

#include "editor/idle.h"
#include "editor/window_lifecycle.h"
#include "engine/channel_state.h"
#include "engine/param_change.h"
#include "engine/voices.h"
#include "http/server_control.h"
#include "persistence/dropped_files.h"
#include "persistence/project_state.h"
#include "plugin/boundary.h"
#include "plugin/host_extension.h"
#include "plugin/plugin.h"

using namespace velmora;

std::intptr_t ZOLTVSTExprPlug::Dispatcher(std::intptr_t id, std::intptr_t /*index*/, std::intptr_t value) {
    return Guarded(Host(), logIdentity, "Dispatcher", std::intptr_t{0}, [&]() -> std::intptr_t {
        switch (id) {
            case plug::FPD_ShowEditor:
                editor::ShowEditor(*this, reinterpret_cast<HWND>(value));
                return 0;
            case plug::FPD_GetVoiceLevels: return articbanks != 0 ? plug::kVoiceLevelModX : 0;
            case plug::FPD_Transport: Session_Transport(*this, value); return 0;
            case plug::FPD_DroppedFile:
                HandleDroppedFile(*this, reinterpret_cast<const char*>(value));
                return 0;
            case plug::FPD_SetSamplesPerTick:
                samplesPerTick = std::bit_cast<float>(static_cast<std::uint32_t>(value));
                return 0;
            case kDispatcherHostExtension: return HostExtensionAddress();
            default: return 0;
        }
    });
}

void ZOLTVSTExprPlug::Idle_Public() {
    Guarded(Host(), logIdentity, "Idle_Public", [&] { editor::IdlePublic(*this); });
}

void ZOLTVSTExprPlug::SaveRestoreState(IStream* stream, BOOL save) {
    if (stream == nullptr) {
        return;
    }
    Guarded(Host(), logIdentity, "SaveRestoreState", [&] {
        if (save != 0) {
            SaveProjectState(*this, *stream);
        } else {
            RestoreProjectState(*this, *stream);
        }
    });
}

int ZOLTVSTExprPlug::ProcessEvent(int eventId, int eventValue, int /*flags*/) {
    return Guarded(Host(), logIdentity, "ProcessEvent", 0, [&] { return Session_ChannelEvent(*this, eventId, eventValue); });
}

int ZOLTVSTExprPlug::ProcessParam(int index, int value, int flags) {
    return Guarded(Host(), logIdentity, "ProcessParam", value,
                   [&] { return velmora::ProcessParam(*this, index, value, flags); });
}

TVoiceHandle ZOLTVSTExprPlug::TriggerVoice(PVoiceParams params, std::intptr_t voiceTag) {
    return Guarded(Host(), logIdentity, "TriggerVoice", TVoiceHandle{0},
                   [&] { return velmora::TriggerVoice(*this, params, voiceTag); });
}

void ZOLTVSTExprPlug::Voice_Release(TVoiceHandle handle) {
    Guarded(Host(), logIdentity, "Voice_Release", [&] { velmora::Voice_Release(*this, handle); });
}

void ZOLTVSTExprPlug::Voice_Kill(TVoiceHandle handle) {
    Guarded(Host(), logIdentity, "Voice_Kill", [&] { velmora::Voice_Kill(*this, handle); });
}

int ZOLTVSTExprPlug::Voice_Render(TVoiceHandle handle, PWAV32FS buffer, int& length) {
    return Guarded(Host(), logIdentity, "Voice_Render", 0,
                   [&] { return velmora::Voice_Render(*this, handle, buffer, length); });
}

void ZOLTVSTExprPlug::NewTick() {
    Guarded(Host(), logIdentity, "NewTick", [&] { velmora::NewTick(*this); });
}

// The operations this plugin has no use for; nothing in them can throw.
int ZOLTVSTExprPlug::Voice_ProcessEvent(TVoiceHandle, int, int, int) { return 0; }
void ZOLTVSTExprPlug::Eff_Render(PWAV32FS, PWAV32FS, int) {}
void ZOLTVSTExprPlug::Gen_Render(PWAV32FS, int&) {}
void ZOLTVSTExprPlug::MIDITick() {}
void ZOLTVSTExprPlug::MIDIIn(int&) {}
void ZOLTVSTExprPlug::MsgIn(std::intptr_t) {}
int ZOLTVSTExprPlug::OutputVoice_ProcessEvent(TOutVoiceHandle, int, int, int) { return 0; }
void ZOLTVSTExprPlug::OutputVoice_Kill(TVoiceHandle) {}
