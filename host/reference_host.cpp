#include "host/reference_host.h"

#include <bit>
#include <cstdio>

#include "sdk/plug_constants.h"

namespace velmora::host {

ReferenceHost::ReferenceHost() : programPath_("velmora-host") { HostVersion = 21000000; }

namespace {

constexpr std::intptr_t kResetEntry = 2;

}  // namespace

const std::vector<ReferenceHost::ParamMenuItem>& ReferenceHost::ParamMenu() {
    static const std::vector<ParamMenuItem> menu = {
        {"Edit events", 0},
        {"-", 0},
        {"Reset to default value", 0},
        {"Link to controller...", plug::kParamMenuGreyed},
        {"Create automation clip", plug::kParamMenuTicked},
    };
    return menu;
}

void ReferenceHost::addInstance(TFruityPlug* plug) {
    instances_.push_back(plug);
    std::vector<int> defaults;
    const int count = plug != nullptr && plug->Info != nullptr ? plug->Info->NumParams : 0;
    for (int p = 0; p < count; ++p) {
        defaults.push_back(plug->ProcessParam(p, 0, plug::REC_GetValue));
    }
    paramDefaults_.push_back(std::move(defaults));
}

TFruityPlug* ReferenceHost::instanceOfTag(TPluginTag tag) const {
    return tag >= 1 && static_cast<std::size_t>(tag) <= instances_.size() ? instances_[static_cast<std::size_t>(tag - 1)]
                                                                          : nullptr;
}

std::intptr_t ReferenceHost::paramMenuEntry(TPluginTag sender, std::intptr_t parameter, std::intptr_t entry) {
    const std::vector<ParamMenuItem>& menu = ParamMenu();
    if (instanceOfTag(sender) == nullptr || parameter < 0 ||
        static_cast<std::size_t>(parameter) >= paramDefaults_[static_cast<std::size_t>(sender - 1)].size() ||
        entry < 0 || static_cast<std::size_t>(entry) >= menu.size()) {
        return 0;
    }
    const ParamMenuItem& item = menu[static_cast<std::size_t>(entry)];
    menuText_ = item.text;
    menuEntry_ = {menuText_.data(), item.flags};
    return reinterpret_cast<std::intptr_t>(&menuEntry_);
}

void ReferenceHost::runParamMenuEntry(TPluginTag sender, std::intptr_t parameter, std::intptr_t entry) {
    TFruityPlug* target = instanceOfTag(sender);
    const std::vector<ParamMenuItem>& menu = ParamMenu();
    if (target == nullptr || parameter < 0 || entry < 0 || static_cast<std::size_t>(entry) >= menu.size()) {
        return;
    }
    const std::vector<int>& defaults = paramDefaults_[static_cast<std::size_t>(sender - 1)];
    const ParamMenuItem& item = menu[static_cast<std::size_t>(entry)];
    // Only what a user could choose runs: not a separator, not a greyed entry.
    if (static_cast<std::size_t>(parameter) >= defaults.size() || item.text[0] == '-' ||
        (item.flags & plug::kParamMenuGreyed) != 0) {
        return;
    }
    const int index = static_cast<int>(parameter);
    paramMenuRuns_.push_back({static_cast<int>(sender - 1), index, item.text});
    if (echoMessages) {
        std::fprintf(stderr, "[instance %ld] parameter %d: %s\n", static_cast<long>(sender), index, item.text);
    }
    if (entry == kResetEntry) {
        target->ProcessParam(index, defaults[static_cast<std::size_t>(index)], plug::REC_UpdateValue | plug::REC_UpdateControl);
    }
}

void ReferenceHost::honourKillRequests() {
    while (!killRequests_.empty()) {
        const std::intptr_t tag = killRequests_.front();
        killRequests_.pop_front();
        const auto it = voices_.find(tag);
        if (it == voices_.end()) {
            continue;
        }
        const VoiceInfo v = it->second;
        voices_.erase(it);
        instances_.at(static_cast<std::size_t>(v.instance))->Voice_Kill(v.handle);
    }
}

void ReferenceHost::killAllVoices() {
    while (!voices_.empty()) {
        const auto it = voices_.begin();
        const VoiceInfo v = it->second;
        voices_.erase(it);
        instances_.at(static_cast<std::size_t>(v.instance))->Voice_Kill(v.handle);
        honourKillRequests();
    }
}

std::intptr_t ReferenceHost::Dispatcher(TPluginTag sender, std::intptr_t id, std::intptr_t index, std::intptr_t value) {
    switch (id) {
        case plug::FHD_GetProgramPath: return reinterpret_cast<std::intptr_t>(programPath_.c_str());
        case plug::FHD_ParamMenuText: return paramMenuEntry(sender, index, value);
        case plug::FHD_ParamMenu: runParamMenuEntry(sender, index, value); return 0;
        case plug::FHD_MessageBox: {
            const char* text = reinterpret_cast<const char*>(index);
            messages_.emplace_back(text != nullptr ? text : "");
            if (echoMessages) {
                std::fprintf(stderr, "[instance %ld] message: %s\n", static_cast<long>(sender), text != nullptr ? text : "");
            }
            return 1;
        }
        case plug::FHD_StatusText:
        case plug::FHD_DebugLogMsg: {
            const char* text = reinterpret_cast<const char*>(value);
            if (id == plug::FHD_StatusText) {
                messages_.emplace_back(text != nullptr ? text : "");
            }
            if (verbose && text != nullptr) {
                std::fprintf(stderr, "%s\n", text);
            }
            return 0;
        }
        default: return 0;
    }
}

void ReferenceHost::OnParamChanged(TPluginTag, int, int) {}

void ReferenceHost::OnHint(TPluginTag, char*) {}

void ReferenceHost::Voice_Kill(std::intptr_t sender, BOOL) { killRequests_.push_back(sender); }

int ReferenceHost::Voice_ProcessEvent(std::intptr_t handle, int eventId, int, int) {
    const auto it = voices_.find(handle);
    if (it == voices_.end()) {
        return 0;
    }
    if (eventId == plug::FPV_GetColor) {
        return it->second.colour;
    }
    if (eventId == plug::FPV_GetReleaseVelocity) {
        return std::bit_cast<std::int32_t>(it->second.release);
    }
    return 0;
}

void ReferenceHost::MIDIOut(TPluginTag sender, std::intptr_t msg) {
    sent_.push_back({tick_, static_cast<int>(sender) - 1, static_cast<std::uint32_t>(msg)});
}

BOOL ReferenceHost::PromptEdit(int, int, char*, char*, int&) { return 0; }

}  // namespace velmora::host
