#include "tests/support/recording_host.h"

#include <bit>
#include <cstring>

#include "sdk/plug_constants.h"

namespace velmora::test {

RecordingHost::RecordingHost() { HostVersion = 21000000; }

std::vector<DispatcherCall> RecordingHost::callsWithId(std::intptr_t id) const {
    std::vector<DispatcherCall> out;
    for (const auto& c : dispatches) {
        if (c.id == id) {
            out.push_back(c);
        }
    }
    return out;
}

std::vector<std::string> RecordingHost::debugLines() const {
    std::vector<std::string> out;
    for (const auto& c : callsWithId(plug::FHD_DebugLogMsg)) {
        out.push_back(c.text);
    }
    return out;
}

void RecordingHost::clearRecords() {
    midi.clear();
    dispatches.clear();
    hints.clear();
    paramChanges.clear();
    killRequests.clear();
    prompts.clear();
}

void RecordingHost::reserve(std::size_t n) {
    midi.reserve(n);
    dispatches.reserve(n);
    killRequests.reserve(n);
}

std::intptr_t RecordingHost::Dispatcher(TPluginTag, std::intptr_t id, std::intptr_t index, std::intptr_t value) {
    DispatcherCall call{id, index, value, {}};
    switch (id) {
        case plug::FHD_SetInstanceName:
        case plug::FHD_StatusText:
        case plug::FHD_DebugLogMsg:
            if (value != 0) {
                call.text = reinterpret_cast<const char*>(value);
            }
            break;
        case plug::FHD_MessageBox:
            if (index != 0) {
                call.text = reinterpret_cast<const char*>(index);
            }
            break;
        default: break;
    }
    dispatches.push_back(std::move(call));

    switch (id) {
        case plug::FHD_GetProgramPath: return reinterpret_cast<std::intptr_t>(programPath.c_str());
        case plug::FHD_GetMainWindow: return reinterpret_cast<std::intptr_t>(mainWindow);
        case plug::FHD_MessageBox: {
            if (messageBoxAnswers.empty()) {
                return 1;
            }
            const std::intptr_t answer = messageBoxAnswers.front();
            messageBoxAnswers.pop_front();
            return answer;
        }
        case plug::FHD_ParamMenuText: {
            const auto it = paramMenuEntries.find({index, value});
            if (it == paramMenuEntries.end()) {
                return 0;
            }
            menuText_ = it->second.text;
            menuEntry_ = {menuText_.data(), it->second.flags};
            return reinterpret_cast<std::intptr_t>(&menuEntry_);
        }
        default: return 0;
    }
}

void RecordingHost::OnParamChanged(TPluginTag, int index, int value) { paramChanges.emplace_back(index, value); }

void RecordingHost::OnHint(TPluginTag, char* text) { hints.emplace_back(text != nullptr ? text : ""); }

void RecordingHost::Voice_Kill(std::intptr_t sender, BOOL) {
    killRequests.push_back(sender);
    if (killThrough) {
        if (const auto it = handles.find(sender); it != handles.end()) {
            killThrough(it->second);
        }
    }
}

int RecordingHost::Voice_ProcessEvent(std::intptr_t handle, int eventId, int, int) {
    if (eventId == plug::FPV_GetColor) {
        const auto it = colours.find(handle);
        return it == colours.end() ? 0 : it->second;
    }
    if (eventId == plug::FPV_GetReleaseVelocity) {
        const auto it = releaseVelocities.find(handle);
        const float r = it == releaseVelocities.end() ? 0.0f : it->second;
        return std::bit_cast<std::int32_t>(r);
    }
    return 0;
}

void RecordingHost::MIDIOut(TPluginTag, std::intptr_t msg) { midi.push_back(static_cast<std::uint32_t>(msg)); }

BOOL RecordingHost::PromptEdit(int x, int y, char* caption, char* text, int& colour) {
    prompts.push_back({x, y, caption != nullptr ? caption : "", text != nullptr ? text : "", colour});
    if (promptAnswers.empty()) {
        return 0;
    }
    const std::string answer = promptAnswers.front();
    promptAnswers.pop_front();
    std::strncpy(text, answer.c_str(), 255);
    text[255] = '\0';
    return 1;
}

}  // namespace velmora::test
