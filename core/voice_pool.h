#pragma once
// The instance's voice table: 20480 preallocated slots. A new voice takes the
// first empty slot and a voice's handle is its record's address. Bit sets keep
// allocation, lookup and freeing independent of how many voices are live, and
// nothing here allocates after construction.
#include <array>
#include <bit>
#include <cstdint>

#include "core/limits.h"
#include "sdk/plug_types.h"

namespace velmora {

// Voice::delay values besides 0..4 (ticks waited for a delayed note-on).
inline constexpr std::int32_t kNoteOnSent = -1;
inline constexpr std::int32_t kStopAtNextTick = -2;

struct Voice {
    std::uint32_t msg = 0;  // packed note message
    std::intptr_t voiceTag = 0;
    std::int32_t delay = 0;
    std::uint8_t released = 0;
};

class VoicePool {
public:
    VoicePool();

    // First empty slot, or nullptr when all are taken.
    Voice* alloc(std::intptr_t voiceTag);
    // The live record named by handle, or nullptr.
    Voice* find(TVoiceHandle handle);
    void free(Voice& voice);

    static TVoiceHandle handleOf(const Voice& voice) { return reinterpret_cast<TVoiceHandle>(&voice); }
    int slotOf(const Voice& voice) const { return static_cast<int>(&voice - slots_.data()); }
    int liveCount() const { return live_; }

    // The note byte of msg is counted per note so "another voice of this
    // note" needs no scan; set msg only through here.
    void setMessage(Voice& voice, std::uint32_t msg);
    int voicesWithNote(std::uint8_t note) const { return noteCount_[note]; }

    // Voices whose note-on is still to be sent (delay other than -1).
    void setWaiting(Voice& voice, bool waiting);

    // Visits live voices (or waiting ones) in slot order. The visitor may free
    // the voice it is given (directly or through the host).
    template <class F>
    void forEachLive(F&& visit) { visitBits(used_, visit); }
    template <class F>
    void forEachWaiting(F&& visit) { visitBits(waiting_, visit); }

private:
    static constexpr int kWords = kVoiceSlots / 64;
    static constexpr int kSummaryWords = (kWords + 63) / 64;
    static_assert(kVoiceSlots % 64 == 0);
    using Bits = std::array<std::uint64_t, kWords>;

    static std::uint8_t noteOf(std::uint32_t msg) { return static_cast<std::uint8_t>(msg >> 8); }
    bool isUsed(int slot) const { return (used_[slot / 64] >> (slot % 64)) & 1U; }

    template <class F>
    void visitBits(const Bits& bits, F& visit) {
        for (int w = 0; w < kWords; ++w) {
            std::uint64_t word = bits[w];
            while (word != 0) {
                const int slot = w * 64 + std::countr_zero(word);
                word &= word - 1;
                if ((bits[w] >> (slot % 64)) & 1U) {
                    visit(slots_[slot]);
                }
            }
        }
    }

    std::array<Voice, kVoiceSlots> slots_{};
    Bits used_{};
    Bits waiting_{};
    std::array<std::uint64_t, kSummaryWords> fullWords_{};  // bit w: used_[w] has no empty slot
    std::array<std::uint16_t, 256> noteCount_{};
    int live_ = 0;
};

}  // namespace velmora
