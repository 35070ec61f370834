// A plugin library that only hands out an extension table of another
// version, as a plugin built from another commit might.
#include <cstdint>

#include "sdk/fruity_plug.h"
#include "shared/host_extension.h"

namespace {

const velmora::HostExtension kOtherVersion = {
    velmora::kHostExtensionVersion + 1, sizeof(velmora::HostExtension) + 8, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
};

class StubPlug final : public TCPPFruityPlug {
public:
    StubPlug(TPluginTag tag, TFruityPlugHost* host) : TCPPFruityPlug(tag, host) {}
    void DestroyObject() override { delete this; }
    std::intptr_t Dispatcher(std::intptr_t id, std::intptr_t, std::intptr_t) override {
        return id == velmora::kDispatcherHostExtension ? reinterpret_cast<std::intptr_t>(&kOtherVersion) : 0;
    }
    void Idle_Public() override {}
    void SaveRestoreState(IStream*, BOOL) override {}
    void GetName(int, int, int, char*) override {}
    int ProcessEvent(int, int, int) override { return 0; }
    int ProcessParam(int, int value, int) override { return value; }
    void Eff_Render(PWAV32FS, PWAV32FS, int) override {}
    void Gen_Render(PWAV32FS, int&) override {}
    TVoiceHandle TriggerVoice(PVoiceParams, std::intptr_t) override { return 0; }
    void Voice_Release(TVoiceHandle) override {}
    void Voice_Kill(TVoiceHandle) override {}
    int Voice_ProcessEvent(TVoiceHandle, int, int, int) override { return 0; }
    int Voice_Render(TVoiceHandle, PWAV32FS, int&) override { return 0; }
    void NewTick() override {}
    void MIDITick() override {}
    void MIDIIn(int&) override {}
    void MsgIn(std::intptr_t) override {}
    int OutputVoice_ProcessEvent(TOutVoiceHandle, int, int, int) override { return 0; }
    void OutputVoice_Kill(TVoiceHandle) override {}
};

}  // namespace

extern "C" __attribute__((visibility("default"))) TFruityPlug* CreatePlugInstance(TFruityPlugHost* host,
                                                                                 TPluginTag tag) {
    return new StubPlug(tag, host);
}
