#pragma once
// The host operations the plugin calls, as thin calls through the host object.
#include <bit>
#include <cstdint>

#include "sdk/fruity_plug_host.h"
#include "sdk/plug_constants.h"

namespace velmora {

class HostServices {
public:
    HostServices(TFruityPlugHost* host, TPluginTag tag) : host_(host), tag_(tag) {}

    std::intptr_t dispatcher(std::intptr_t id, std::intptr_t index = 0, std::intptr_t value = 0) const {
        return host_->Dispatcher(tag_, id, index, value);
    }
    // Messages whose value is a text (10, 22, 45).
    void sendText(std::intptr_t id, const char* text) const {
        dispatcher(id, 0, reinterpret_cast<std::intptr_t>(text));
    }
    // Returns the button chosen (plug::kMsgAnswerYes for Yes).
    std::intptr_t messageBox(const char* text, std::intptr_t style) const {
        return dispatcher(plug::FHD_MessageBox, reinterpret_cast<std::intptr_t>(text), style);
    }
    void statusText(const char* text) const { sendText(plug::FHD_StatusText, text); }
    void debugLine(const char* text) const { sendText(plug::FHD_DebugLogMsg, text); }
    void stateChanged() const { dispatcher(plug::FHD_StateChanged); }
    void setNumParams(int count) const { dispatcher(plug::FHD_SetNumParams, 0, count); }

    void midiOut(std::uint32_t msg) const { host_->MIDIOut(tag_, static_cast<std::intptr_t>(msg)); }
    void paramChanged(int index, int value) const { host_->OnParamChanged(tag_, index, value); }
    void hint(char* text) const { host_->OnHint(tag_, text); }
    bool promptEdit(int x, int y, char* caption, char* text, int& colour) const {
        return host_->PromptEdit(x, y, caption, text, colour) != 0;
    }

    // Per-voice questions, by the host's voice tag.
    int voiceColour(std::intptr_t voiceTag) const {
        return host_->Voice_ProcessEvent(voiceTag, plug::FPV_GetColor, 0, 0);
    }
    float releaseVelocity(std::intptr_t voiceTag) const {
        // The host returns the float's bits in the integer result.
        const int bits = host_->Voice_ProcessEvent(voiceTag, plug::FPV_GetReleaseVelocity, 0, 0);
        return std::bit_cast<float>(static_cast<std::int32_t>(bits));
    }
    void killVoice(std::intptr_t voiceTag) const { host_->Voice_Kill(voiceTag, 1); }

    std::int32_t hostVersion() const { return host_->HostVersion; }

private:
    TFruityPlugHost* host_;
    TPluginTag tag_;
};

}  // namespace velmora
