#pragma once
// One process cycle of a live session: live MIDI in, the plugin's voice,
// channel and parameter calls at the frames the MIDI arrived, ticks at the
// frames the clock gives them, and what the plugin sent out with its frames.
// Knows nothing of JACK; the JACK client hands it a cycle at a time.
#include <cstddef>
#include <cstdint>

#include "host/live/live_host.h"

namespace velmora::host::live {

struct LiveConfig {
    int instance = 0;      // the instance the live notes play into (index)
    bool banks = false;    // a bank-select control change picks the bank of a channel's notes
    int bankCc = 0;
    double sampleRate = 44100.0;
    double bpm = 120.0;
    int ppq = 96;
};

// The transport as the cycle begins: whether it rolls, its frame, and the
// tempo a timebase master gives (0 when none does).
struct LiveTransport {
    bool rolling = false;
    std::int64_t frame = 0;
    double bpm = 0.0;
};

// One incoming MIDI message: channel messages of one to three bytes.
struct LiveInput {
    std::uint32_t frame = 0;
    std::uint8_t size = 0;
    std::uint8_t bytes[3] = {0, 0, 0};
};

struct LiveCounts {
    std::uint64_t cycles = 0;
    std::uint64_t notes = 0;        // note-ons taken
    std::uint64_t noVoice = 0;      // note-ons neither pool had room for
    std::uint64_t ignored = 0;      // messages with no meaning for the plugin
};

// The cents of a pitch-bend value, ±1200 over the full range as the plugin sends them.
int CentsOfBend(int bend);
// The MOD X level that selects bank 0..3 (the middle of each bank's range).
float BankLevel(int bank);

class LiveEngine {
public:
    LiveEngine(LiveHost& host, const LiveConfig& config);

    // Plays one cycle of `frames` frames; `in` is in frame order. Answers how
    // many messages were written to `out` (in frame order).
    std::size_t process(std::uint32_t frames, const LiveTransport& transport, const LiveInput* in, std::size_t count,
                        LiveMessage* out, std::size_t capacity);

    const LiveCounts& counts() const { return counts_; }
    double samplesPerTick() const { return spt_; }

private:
    void setTempo(double bpm);
    void runTicksThrough(double frame);
    void tick(std::uint32_t frame);
    void transport(bool playing);
    void take(const LiveInput& e);
    void noteOn(int channel, int key, int velocity);
    void noteOff(int channel, int key, int velocity);

    LiveHost& host_;
    LiveConfig config_;
    TFruityPlug* plug_ = nullptr;
    double spt_ = 1.0;
    double bpm_ = 0.0;
    double clock_ = 0.0;  // the clock's frame at the start of this cycle
    std::int64_t nextTick_ = 0;
    bool rolling_ = false;
    int bank_[16] = {};
    float levels_[128] = {};
    LiveCounts counts_;
};

}  // namespace velmora::host::live
