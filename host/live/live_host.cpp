#include "host/live/live_host.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "sdk/plug_constants.h"

namespace velmora::host::live {

namespace {

// Set while this thread runs a cycle; the plugin's calls back are answered by it.
thread_local bool tInCycle = false;

}  // namespace

LiveHost::LiveHost() : kills_(std::make_unique<std::intptr_t[]>(LiveVoices::kCapacity)) {}

bool LiveHost::OnProcessThread() { return tInCycle; }

void LiveHost::beginCycle(LiveMessage* out, std::size_t capacity) {
    tInCycle = true;
    out_ = out;
    capacity_ = capacity;
    count_ = 0;
    frame_ = 0;
    std::uint32_t word = 0;
    while (interfaceMessages_.pop(word)) {
        MIDIOut(0, static_cast<std::intptr_t>(word));
    }
    std::intptr_t tag = 0;
    while (interfaceKills_.pop(tag)) {
        Voice_Kill(tag, 1);
    }
    honourKills();
}

std::size_t LiveHost::endCycle() {
    tInCycle = false;
    out_ = nullptr;
    return count_;
}

void LiveHost::killNow(std::intptr_t tag) {
    LiveVoice* v = voices_.find(tag);
    if (v == nullptr) {
        return;
    }
    const int instanceIndex = v->instance;
    const TVoiceHandle handle = v->handle;
    voices_.free(*v);
    if (handle != 0) {
        instance(instanceIndex)->Voice_Kill(handle);
    }
}

void LiveHost::honourKills() {
    // The plugin may ask for more kills while one is carried out; take them in order.
    for (std::size_t i = 0; i < killCount_; ++i) {
        killNow(kills_[i]);
    }
    killCount_ = 0;
}

void LiveHost::killAllLiveVoices() {
    tInCycle = true;  // the voices are this thread's now that no cycle runs
    voices_.forEachLiveTag([this](std::intptr_t tag) {
        killNow(tag);
        honourKills();
    });
    tInCycle = false;
}

std::intptr_t LiveHost::Dispatcher(TPluginTag sender, std::intptr_t id, std::intptr_t index, std::intptr_t value) {
    if (!OnProcessThread()) {
        return ReferenceHost::Dispatcher(sender, id, index, value);
    }
    switch (id) {
        case plug::FHD_GetProgramPath: return ReferenceHost::Dispatcher(sender, id, index, value);
        case plug::FHD_DebugLogMsg:
        case plug::FHD_StatusText: {
            const char* text = reinterpret_cast<const char*>(value);
            if (verbose && text != nullptr) {
                LiveLine line;
                std::strncpy(line.text, text, sizeof(line.text) - 1);
                line.text[sizeof(line.text) - 1] = '\0';
                lines_.push(line);
            }
            return 0;
        }
        default: return 0;  // nothing else the process thread could wait for
    }
}

void LiveHost::Voice_Kill(std::intptr_t sender, BOOL) {
    if (!OnProcessThread()) {
        if (!interfaceKills_.push(sender)) {
            dropped_.fetch_add(1, std::memory_order_relaxed);
        }
        return;
    }
    if (killCount_ < static_cast<std::size_t>(LiveVoices::kCapacity)) {
        kills_[killCount_++] = sender;
    }
}

int LiveHost::Voice_ProcessEvent(std::intptr_t handle, int eventId, int, int) {
    if (!OnProcessThread()) {
        return 0;  // the voices belong to the process thread
    }
    const LiveVoice* v = voices_.find(handle);
    if (v == nullptr) {
        return 0;
    }
    if (eventId == plug::FPV_GetColor) {
        return v->colour;
    }
    if (eventId == plug::FPV_GetReleaseVelocity) {
        return std::bit_cast<std::int32_t>(v->release);
    }
    return 0;
}

void LiveHost::MIDIOut(TPluginTag, std::intptr_t msg) {
    const auto word = static_cast<std::uint32_t>(msg);
    if (!OnProcessThread()) {
        if (!interfaceMessages_.push(word)) {
            dropped_.fetch_add(1, std::memory_order_relaxed);
        }
        return;
    }
    if (out_ == nullptr || count_ >= capacity_) {
        dropped_.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    out_[count_++] = {frame_, word};
}

}  // namespace velmora::host::live
