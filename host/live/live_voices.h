#pragma once
// The voices a live host started, in a fixed pool: what the plugin may ask of
// each (colour, release velocity), and the notes still held on each key so a
// note-off finds the oldest. Nothing here allocates after construction.
#include <cstdint>
#include <memory>

#include "sdk/fruity_plug.h"

namespace velmora::host::live {

struct LiveVoice {
    std::intptr_t tag = 0;  // 0 while the slot is free
    TVoiceHandle handle = 0;
    int instance = 0;
    int colour = 0;
    float release = 0.0f;
    int key = -1;  // the held-key chain it is in (channel × 128 + key), -1 once released
    int prev = -1;
    int next = -1;
};

class LiveVoices {
public:
    // More than the plugin's own pool holds, so the plugin runs out first.
    static constexpr int kCapacity = 32768;
    static constexpr int kHeldKeys = 16 * 128;

    LiveVoices();

    // A new voice held on `heldKey` (channel × 128 + key); null when the pool is full.
    LiveVoice* start(int instance, int colour, int heldKey);
    // The voice of a tag, or null for a tag that is unknown or was freed.
    LiveVoice* find(std::intptr_t tag);
    // The note held longest on a key, or null.
    LiveVoice* oldestHeld(int heldKey);
    // The voice is no longer held (its note-off came), though still alive.
    void unhold(LiveVoice& voice);
    void free(LiveVoice& voice);
    int liveCount() const { return live_; }
    // The tags of the voices alive now, slot by slot; `visit` may free them.
    template <typename Visit>
    void forEachLiveTag(Visit visit) {
        for (int i = 0; i < kCapacity; ++i) {
            if (voices_[i].tag != 0) {
                visit(voices_[i].tag);
            }
        }
    }

private:
    std::unique_ptr<LiveVoice[]> voices_;
    std::unique_ptr<int[]> nextFree_;
    std::unique_ptr<std::uint32_t[]> generation_;
    int firstFree_ = 0;
    int live_ = 0;
    int head_[kHeldKeys];
    int tail_[kHeldKeys];
};

}  // namespace velmora::host::live
