#pragma once
// The plugin side of the host contract. The virtual operations are in the
// host's slot order; do not reorder them.
#include <cstdint>
#include <cstring>

#include "sdk/fruity_plug_host.h"
#include "sdk/plug_constants.h"
#include "sdk/plug_info.h"
#include "sdk/plug_stream.h"
#include "sdk/plug_types.h"
#include "sdk/voice_params.h"

class TFruityPlug {
public:
    TPluginTag HostTag = 0;
    PFruityPlugInfo Info = nullptr;
    HWND EditorHandle = nullptr;
    BOOL MonoRender = 0;
    std::int32_t Reserved[32] = {};

    // Slot 0..20. "[interface]" marks the host's interface thread, "[mixing]"
    // its mixing thread.
    virtual void DestroyObject() = 0;                                                      // [interface]
    virtual std::intptr_t Dispatcher(std::intptr_t ID, std::intptr_t Index, std::intptr_t Value) = 0;  // [interface]; id 12 also [mixing]
    virtual void Idle_Public() = 0;                                                        // [interface]
    virtual void SaveRestoreState(IStream* Stream, BOOL Save) = 0;                        // [interface]
    virtual void GetName(int Section, int Index, int Value, char* Name) = 0;              // [interface]
    virtual int ProcessEvent(int EventID, int EventValue, int Flags) = 0;                  // [mixing]
    virtual int ProcessParam(int Index, int Value, int RECFlags) = 0;                      // [both]
    virtual void Eff_Render(PWAV32FS SourceBuffer, PWAV32FS DestBuffer, int Length) = 0;  // [mixing]
    virtual void Gen_Render(PWAV32FS DestBuffer, int& Length) = 0;                         // [mixing]
    virtual TVoiceHandle TriggerVoice(PVoiceParams VoiceParams, std::intptr_t SetTag) = 0; // [mixing]
    virtual void Voice_Release(TVoiceHandle Handle) = 0;                                   // [mixing]
    virtual void Voice_Kill(TVoiceHandle Handle) = 0;                                      // [mixing]
    virtual int Voice_ProcessEvent(TVoiceHandle Handle, int EventID, int EventValue, int Flags) = 0;  // [mixing]
    virtual int Voice_Render(TVoiceHandle Handle, PWAV32FS DestBuffer, int& Length) = 0;   // [mixing]
    virtual void NewTick() = 0;                                                            // [mixing]
    virtual void MIDITick() = 0;                                                           // [mixing]
    virtual void MIDIIn(int& Msg) = 0;                                                     // [mixing]
    virtual void MsgIn(std::intptr_t Msg) = 0;                                             // [interface]
    virtual int OutputVoice_ProcessEvent(TOutVoiceHandle Handle, int EventID, int EventValue, int Flags) = 0;  // [mixing]
    virtual void OutputVoice_Kill(TVoiceHandle Handle) = 0;                                // [mixing]
    virtual ~TFruityPlug() = default;

protected:
    TFruityPlug() = default;
    TFruityPlug(const TFruityPlug&) = delete;
    TFruityPlug& operator=(const TFruityPlug&) = delete;
};

// The C++ helper base: adds the host object, a critical section the plugin
// never enters, the host's program path and the sample-rate values.
class TCPPFruityPlug : public TFruityPlug {
public:
    TFruityPlugHost* PlugHost = nullptr;

protected:
    TCPPFruityPlug(TPluginTag tag, TFruityPlugHost* host);
    ~TCPPFruityPlug() override { Lock.initialised = false; }

    // Stands in for the base's critical section: created and deleted, never held.
    struct CriticalSection {
        bool initialised = false;
    } Lock;
    char ProgPath[260] = {};
    int SampleRate = 0;
    float SampleRateFloat = 0.0f;
};

inline TCPPFruityPlug::TCPPFruityPlug(TPluginTag tag, TFruityPlugHost* host) {
    SampleRate = 44100;
    SampleRateFloat = 44100.0f;
    HostTag = tag;
    PlugHost = host;
    Lock.initialised = true;
    // The host answers its program path as a text.
    const auto* path = reinterpret_cast<const char*>(host->Dispatcher(tag, plug::FHD_GetProgramPath, 0, 0));
    if (path != nullptr) {
        std::strncpy(ProgPath, path, sizeof(ProgPath) - 1);
    }
}

// Exported by the plugin library with C linkage.
using TCreatePlugInstance = TFruityPlug* (*)(TFruityPlugHost* Host, TPluginTag Tag);
