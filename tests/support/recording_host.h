#pragma once
// A host for tests: records everything the plugin tells it, in call order,
// and answers what the plugin asks as the test scripts it.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "sdk/fruity_plug.h"

namespace velmora::test {

struct DispatcherCall {
    std::intptr_t id = 0;
    std::intptr_t index = 0;
    std::intptr_t value = 0;
    std::string text;  // the text of messages that carry one (10, 19, 22, 45)
};

struct PromptCall {
    int x = 0;
    int y = 0;
    std::string caption;
    std::string text;  // as pre-filled
    int colour = 0;
};

// One entry of the host's parameter menu as the test scripts it.
struct ScriptedParamMenuEntry {
    std::string text;
    std::int32_t flags = 0;  // plug::kParamMenuGreyed, plug::kParamMenuTicked
};

class RecordingHost final : public TFruityPlugHost {
public:
    RecordingHost();
    virtual ~RecordingHost() = default;

    // --- Recorded ---
    std::vector<std::uint32_t> midi;
    std::vector<DispatcherCall> dispatches;
    std::vector<std::string> hints;
    std::vector<std::pair<int, int>> paramChanges;
    std::vector<std::intptr_t> killRequests;
    std::vector<PromptCall> prompts;

    // --- Scripted answers ---
    std::map<std::intptr_t, int> colours;             // voice tag -> colour
    std::map<std::intptr_t, float> releaseVelocities;  // voice tag -> 0..1
    std::string programPath = "/opt/host/";
    HWND mainWindow = nullptr;
    std::deque<std::string> promptAnswers;  // each confirms with that text; none left cancels
    std::deque<std::intptr_t> messageBoxAnswers;  // none left answers 1 (OK)
    // The host's parameter menu: (param, entry) -> entry; the first entry missing ends a parameter's menu.
    std::map<std::pair<std::intptr_t, std::intptr_t>, ScriptedParamMenuEntry> paramMenuEntries;
    // When set, a kill request calls the plugin's Voice_Kill at once, as a
    // host may, with the handle TriggerVoice returned for that tag.
    std::function<void(TVoiceHandle)> killThrough;
    std::map<std::intptr_t, TVoiceHandle> handles;  // voice tag -> handle

    std::vector<DispatcherCall> callsWithId(std::intptr_t id) const;
    std::vector<std::string> debugLines() const;
    // Forget what was recorded, keep the scripted answers.
    void clearRecords();
    // So recording does not allocate while a test counts allocations.
    void reserve(std::size_t n);

    std::intptr_t Dispatcher(TPluginTag Sender, std::intptr_t ID, std::intptr_t Index, std::intptr_t Value) override;
    void OnParamChanged(TPluginTag Sender, int Index, int Value) override;
    void OnHint(TPluginTag Sender, char* Text) override;
    void Voice_Kill(std::intptr_t Sender, BOOL KillHandle) override;
    int Voice_ProcessEvent(std::intptr_t Handle, int EventID, int EventValue, int Flags) override;
    void MIDIOut(TPluginTag Sender, std::intptr_t Msg) override;
    BOOL PromptEdit(int x, int y, char* Caption, char* Text, int& Colour) override;

private:
    // Answer of the last parameter-menu question, alive until the next one.
    std::string menuText_;
    TParamMenuEntry menuEntry_{};
};

}  // namespace velmora::test
