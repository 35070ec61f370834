#include "host/live/live_voices.h"

namespace velmora::host::live {

namespace {

// A tag names a slot (low 16 bits, slot + 1) and how often the slot was used
// (the bits above), so a late question about a freed voice finds nothing.
constexpr int kSlotBits = 16;
static_assert(LiveVoices::kCapacity < (1 << kSlotBits));

}  // namespace

LiveVoices::LiveVoices()
    : voices_(std::make_unique<LiveVoice[]>(kCapacity)),
      nextFree_(std::make_unique<int[]>(kCapacity)),
      generation_(std::make_unique<std::uint32_t[]>(kCapacity)) {
    for (int i = 0; i < kCapacity; ++i) {
        nextFree_[i] = i + 1 < kCapacity ? i + 1 : -1;
        generation_[i] = 0;
    }
    for (int k = 0; k < kHeldKeys; ++k) {
        head_[k] = -1;
        tail_[k] = -1;
    }
}

LiveVoice* LiveVoices::start(int instance, int colour, int heldKey) {
    if (firstFree_ < 0) {
        return nullptr;
    }
    const int slot = firstFree_;
    firstFree_ = nextFree_[slot];
    generation_[slot] = (generation_[slot] + 1) & 0x7FFF;
    LiveVoice& v = voices_[slot];
    v = LiveVoice{};
    v.tag = (static_cast<std::intptr_t>(generation_[slot]) << kSlotBits) | (slot + 1);
    v.instance = instance;
    v.colour = colour;
    if (heldKey >= 0 && heldKey < kHeldKeys) {
        v.key = heldKey;
        v.prev = tail_[heldKey];
        if (tail_[heldKey] >= 0) {
            voices_[tail_[heldKey]].next = slot;
        } else {
            head_[heldKey] = slot;
        }
        tail_[heldKey] = slot;
    }
    ++live_;
    return &v;
}

LiveVoice* LiveVoices::find(std::intptr_t tag) {
    const std::intptr_t slot = (tag & ((1 << kSlotBits) - 1)) - 1;
    if (slot < 0 || slot >= kCapacity || voices_[slot].tag != tag) {
        return nullptr;
    }
    return &voices_[slot];
}

LiveVoice* LiveVoices::oldestHeld(int heldKey) {
    if (heldKey < 0 || heldKey >= kHeldKeys || head_[heldKey] < 0) {
        return nullptr;
    }
    return &voices_[head_[heldKey]];
}

void LiveVoices::unhold(LiveVoice& v) {
    if (v.key < 0) {
        return;
    }
    if (v.prev >= 0) {
        voices_[v.prev].next = v.next;
    } else {
        head_[v.key] = v.next;
    }
    if (v.next >= 0) {
        voices_[v.next].prev = v.prev;
    } else {
        tail_[v.key] = v.prev;
    }
    v.key = -1;
    v.prev = -1;
    v.next = -1;
}

void LiveVoices::free(LiveVoice& v) {
    unhold(v);
    const int slot = static_cast<int>(&v - voices_.get());
    v.tag = 0;
    nextFree_[slot] = firstFree_;
    firstFree_ = slot;
    --live_;
}

}  // namespace velmora::host::live
