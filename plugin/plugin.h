#pragma once
// The plugin as the host sees it: the SDK's operations on one instance. Each
// operation hands over to the layer that owns the work, and no exception gets
// past it into the host.
#include <cstdint>

#include "core/instance.h"
#include "sdk/fruity_plug.h"

class ZOLTVSTExprPlug final : public TCPPFruityPlug, public velmora::Instance {
public:
    // Runs the construction steps; the instance joins the process's list.
    ZOLTVSTExprPlug(TPluginTag tag, TFruityPlugHost* host, HINSTANCE module,
                    platform::Platform& services = platform::defaultPlatform());
    ~ZOLTVSTExprPlug() override;

    void DestroyObject() override;                                                          // [interface]
    std::intptr_t Dispatcher(std::intptr_t ID, std::intptr_t Index, std::intptr_t Value) override;  // [interface]; 12 also [mixing]
    void Idle_Public() override;                                                            // [interface]
    void SaveRestoreState(IStream* Stream, BOOL Save) override;                            // [interface]
    void GetName(int Section, int Index, int Value, char* Name) override;                  // [interface]
    int ProcessEvent(int EventID, int EventValue, int Flags) override;                      // [mixing]
    int ProcessParam(int Index, int Value, int RECFlags) override;                          // [both]
    void Eff_Render(PWAV32FS SourceBuffer, PWAV32FS DestBuffer, int Length) override;      // [mixing]
    void Gen_Render(PWAV32FS DestBuffer, int& Length) override;                             // [mixing]
    TVoiceHandle TriggerVoice(PVoiceParams VoiceParams, std::intptr_t SetTag) override;    // [mixing]
    void Voice_Release(TVoiceHandle Handle) override;                                       // [mixing]
    void Voice_Kill(TVoiceHandle Handle) override;                                          // [mixing]
    int Voice_ProcessEvent(TVoiceHandle Handle, int EventID, int EventValue, int Flags) override;  // [mixing]
    int Voice_Render(TVoiceHandle Handle, PWAV32FS DestBuffer, int& Length) override;      // [mixing]
    void NewTick() override;                                                                // [mixing]
    void MIDITick() override;                                                               // [mixing]
    void MIDIIn(int& Msg) override;                                                         // [mixing]
    void MsgIn(std::intptr_t Msg) override;                                                 // [interface]
    int OutputVoice_ProcessEvent(TOutVoiceHandle Handle, int EventID, int EventValue, int Flags) override;  // [mixing]
    void OutputVoice_Kill(TVoiceHandle Handle) override;                                    // [mixing]
};
