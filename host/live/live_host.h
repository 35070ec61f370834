#pragma once
// The host object of a live session. Two threads call the plugin: the
// process thread plays notes, ticks and channel events; the interface thread
// runs idle calls and the HTTP API. The plugin calls back on either, so each
// answer looks at which thread asks: on the process thread nothing
// allocates, locks or waits, and what the interface thread hands over (MIDI
// the user's changes sent, kill requests) travels through fixed rings.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "host/live/live_voices.h"
#include "host/live/spsc_ring.h"
#include "host/reference_host.h"

namespace velmora::host::live {

// One message for an output port: the plugin's packed word (status, data 1,
// data 2, port) and the frame of the cycle it belongs at.
struct LiveMessage {
    std::uint32_t frame = 0;
    std::uint32_t word = 0;
};

// A debug line of the plugin, carried from the process thread to be printed.
struct LiveLine {
    char text[160];
};

class LiveHost final : public ReferenceHost {
public:
    LiveHost();

    // Process thread. Messages the plugin sends go into `out` at the frame
    // last set; those the interface thread sent since the last cycle come
    // first, at frame 0. Answers how many messages the cycle holds.
    void beginCycle(LiveMessage* out, std::size_t capacity);
    void setFrame(std::uint32_t frame) { frame_ = frame; }
    std::size_t endCycle();
    // Calls the plugin's Voice_Kill for every voice it (or the interface
    // thread) asked to be killed.
    void honourKills();
    LiveVoices& voices() { return voices_; }

    // Interface thread: hands every debug line waiting to `print`.
    template <typename Print>
    void drainLines(Print print) {
        LiveLine line;
        while (lines_.pop(line)) {
            print(line.text);
        }
    }
    // Kills every voice still alive; only while no cycle runs.
    void killAllLiveVoices();

    // Messages that found no room (in the cycle or on their way from the interface thread).
    std::uint64_t dropped() const { return dropped_.load(std::memory_order_relaxed); }

    std::intptr_t Dispatcher(TPluginTag sender, std::intptr_t id, std::intptr_t index, std::intptr_t value) override;
    void Voice_Kill(std::intptr_t sender, BOOL killHandle) override;
    int Voice_ProcessEvent(std::intptr_t handle, int eventId, int eventValue, int flags) override;
    void MIDIOut(TPluginTag sender, std::intptr_t msg) override;

private:
    static bool OnProcessThread();
    void killNow(std::intptr_t tag);

    LiveVoices voices_;
    // Process thread only.
    LiveMessage* out_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t count_ = 0;
    std::uint32_t frame_ = 0;
    std::unique_ptr<std::intptr_t[]> kills_;
    std::size_t killCount_ = 0;
    // Between the threads.
    SpscRing<std::uint32_t> interfaceMessages_{4096};
    SpscRing<std::intptr_t> interfaceKills_{LiveVoices::kCapacity};
    SpscRing<LiveLine> lines_{256};
    std::atomic<std::uint64_t> dropped_{0};
};

}  // namespace velmora::host::live
