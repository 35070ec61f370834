#pragma once
// The host object handed to the plugin: answers its questions, records the
// MIDI it sends, and keeps the voices it started so kill requests reach the
// right instance. The editor host builds on it.
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "host/midi_file.h"
#include "sdk/fruity_plug.h"

namespace velmora::host {

class ReferenceHost : public TFruityPlugHost {
public:
    ReferenceHost();
    virtual ~ReferenceHost() = default;

    // Instances are known by their tag (index + 1). The values the instance's
    // parameters have when it is added are their defaults in the host's
    // parameter menu.
    void addInstance(TFruityPlug* plug);
    TFruityPlug* instance(int index) const { return instances_.at(static_cast<std::size_t>(index)); }
    std::size_t instanceCount() const { return instances_.size(); }

    // Voices the host started: tag -> (instance, handle) and what the plugin may ask of them.
    struct VoiceInfo {
        int instance = 0;
        TVoiceHandle handle = 0;
        int colour = 0;
        float release = 0.0f;
    };
    std::intptr_t newVoiceTag() { return nextVoiceTag_++; }
    void addVoice(std::intptr_t tag, const VoiceInfo& info) { voices_[tag] = info; }
    bool hasVoice(std::intptr_t tag) const { return voices_.count(tag) != 0; }
    void removeVoice(std::intptr_t tag) { voices_.erase(tag); }
    VoiceInfo& voice(std::intptr_t tag) { return voices_.at(tag); }
    // Calls the plugin's Voice_Kill for every voice it asked to be killed.
    void honourKillRequests();
    // Discards every voice still alive (end of playback).
    void killAllVoices();

    void setTick(std::int64_t tick) { tick_ = tick; }
    const std::vector<SentMessage>& sent() const { return sent_; }
    const std::vector<std::string>& messages() const { return messages_; }  // message boxes and status texts
    // The host's own parameter menu, offered to the plugin for each parameter
    // (Dispatcher id 18) and run on request (id 0). Entry 2 resets the
    // parameter; the others are recorded in paramMenuRuns().
    struct ParamMenuItem {
        const char* text;
        std::int32_t flags;
    };
    static const std::vector<ParamMenuItem>& ParamMenu();
    struct ParamMenuRun {
        int instance = 0;  // index
        int parameter = 0;
        std::string entry;
    };
    const std::vector<ParamMenuRun>& paramMenuRuns() const { return paramMenuRuns_; }

    bool verbose = false;  // print debug log lines to stderr
    bool echoMessages = true;  // print message boxes to stderr as they come

    std::intptr_t Dispatcher(TPluginTag Sender, std::intptr_t ID, std::intptr_t Index, std::intptr_t Value) override;
    void OnParamChanged(TPluginTag Sender, int Index, int Value) override;
    void OnHint(TPluginTag Sender, char* Text) override;
    void Voice_Kill(std::intptr_t Sender, BOOL KillHandle) override;
    int Voice_ProcessEvent(std::intptr_t Handle, int EventID, int EventValue, int Flags) override;
    void MIDIOut(TPluginTag Sender, std::intptr_t Msg) override;
    BOOL PromptEdit(int x, int y, char* Caption, char* Text, int& Colour) override;

private:
    // The instance a tag names, or null.
    TFruityPlug* instanceOfTag(TPluginTag tag) const;
    std::intptr_t paramMenuEntry(TPluginTag sender, std::intptr_t parameter, std::intptr_t entry);
    void runParamMenuEntry(TPluginTag sender, std::intptr_t parameter, std::intptr_t entry);

    std::vector<TFruityPlug*> instances_;
    std::vector<std::vector<int>> paramDefaults_;  // per instance index, per parameter
    std::vector<ParamMenuRun> paramMenuRuns_;
    std::string menuText_;  // the answer to the last entry asked, alive until the next question
    TParamMenuEntry menuEntry_{};
    std::map<std::intptr_t, VoiceInfo> voices_;
    std::deque<std::intptr_t> killRequests_;
    std::vector<SentMessage> sent_;
    std::vector<std::string> messages_;
    std::string programPath_;
    std::intptr_t nextVoiceTag_ = 1;
    std::int64_t tick_ = 0;
};

}  // namespace velmora::host
