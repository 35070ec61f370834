#include "core/voice_pool.h"

namespace velmora {

VoicePool::VoicePool() = default;

Voice* VoicePool::alloc(std::intptr_t voiceTag) {
    for (int s = 0; s < kSummaryWords; ++s) {
        const std::uint64_t notFull = ~fullWords_[s];
        if (notFull == 0) {
            continue;
        }
        const int w = s * 64 + std::countr_zero(notFull);
        if (w >= kWords) {
            break;
        }
        const int bit = std::countr_zero(~used_[w]);
        used_[w] |= std::uint64_t{1} << bit;
        if (used_[w] == ~std::uint64_t{0}) {
            fullWords_[s] |= std::uint64_t{1} << (w % 64);
        }
        ++live_;
        Voice& v = slots_[w * 64 + bit];
        v = Voice{};
        v.voiceTag = voiceTag;
        ++noteCount_[noteOf(v.msg)];
        return &v;
    }
    return nullptr;
}

Voice* VoicePool::find(TVoiceHandle handle) {
    const auto base = reinterpret_cast<std::uintptr_t>(slots_.data());
    const auto h = static_cast<std::uintptr_t>(handle);
    if (h < base || (h - base) % sizeof(Voice) != 0) {
        return nullptr;
    }
    const std::uintptr_t slot = (h - base) / sizeof(Voice);
    if (slot >= static_cast<std::uintptr_t>(kVoiceSlots) || !isUsed(static_cast<int>(slot))) {
        return nullptr;
    }
    return &slots_[slot];
}

void VoicePool::free(Voice& voice) {
    const int slot = slotOf(voice);
    if (!isUsed(slot)) {
        return;
    }
    const int w = slot / 64;
    const std::uint64_t mask = std::uint64_t{1} << (slot % 64);
    used_[w] &= ~mask;
    waiting_[w] &= ~mask;
    fullWords_[w / 64] &= ~(std::uint64_t{1} << (w % 64));
    --noteCount_[noteOf(voice.msg)];
    --live_;
}

void VoicePool::setMessage(Voice& voice, std::uint32_t msg) {
    --noteCount_[noteOf(voice.msg)];
    voice.msg = msg;
    ++noteCount_[noteOf(msg)];
}

void VoicePool::setWaiting(Voice& voice, bool waiting) {
    const int slot = slotOf(voice);
    const std::uint64_t mask = std::uint64_t{1} << (slot % 64);
    if (waiting) {
        waiting_[slot / 64] |= mask;
    } else {
        waiting_[slot / 64] &= ~mask;
    }
}

}  // namespace velmora
