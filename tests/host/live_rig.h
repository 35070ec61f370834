#pragma once
// A live session without JACK: the plugin library's instances, the live
// host and engine, cycles fed by hand and what came out with absolute frames.
// Also turns a session's score into the live MIDI a keyboard or sequencer
// would send for it, timed in transport frames.
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/live/live_engine.h"
#include "host/player.h"
#include "host/plugin_library.h"
#include "host/session.h"

namespace velmora::host::live {

struct TimedInput {
    std::int64_t frame = 0;
    LiveInput message;
};

struct HeardMessage {
    std::int64_t frame = 0;
    std::uint32_t word = 0;
};

inline LiveInput Midi(int status, int d1, int d2 = -1) {
    LiveInput in;
    in.size = d2 < 0 ? 2 : 3;
    in.bytes[0] = static_cast<std::uint8_t>(status);
    in.bytes[1] = static_cast<std::uint8_t>(d1);
    in.bytes[2] = static_cast<std::uint8_t>(d2 < 0 ? 0 : d2);
    return in;
}

// The first frame at or after tick t: where the live clock puts the tick.
inline std::int64_t FrameOfTick(std::int64_t tick, double spt) {
    return static_cast<std::int64_t>(std::ceil(static_cast<double>(tick) * spt));
}

// The score of instance `instance` as live MIDI: notes by colour on channels
// 1..16 (banks by a bank-select control change when `bankCc` >= 0), releases of a
// tick before its other events, then the events in file order. Transport
// events are not MIDI; the caller rolls the transport.
std::vector<TimedInput> LiveMidiOf(const Session& session, int instance, double spt, int bankCc = -1);

class LiveRig {
public:
    LiveRig(const Session& session, const LiveConfig& config);
    ~LiveRig();

    bool ok() const { return instances_ && instances_->ok(); }
    // One cycle; `in` holds frames of the whole run, those of this cycle are taken.
    // `bpm` is a timebase master's tempo (0: none runs).
    void cycle(std::uint32_t frames, bool rolling, const std::vector<TimedInput>& in = {}, double bpm = 0.0);
    // Cycles until `frame`, the transport rolling from frame 0.
    void runUntil(std::int64_t frame, const std::vector<TimedInput>& in, double bpm = 0.0);

    LiveHost& host() { return host_; }
    LiveEngine& engine() { return *engine_; }
    const std::vector<HeardMessage>& heard() const { return heard_; }
    std::int64_t clock() const { return clock_; }

private:
    PluginLibrary library_;
    LiveHost host_;
    std::optional<SessionInstances> instances_;
    std::optional<LiveEngine> engine_;
    std::vector<LiveMessage> out_;
    std::vector<LiveInput> cycleIn_;
    std::vector<HeardMessage> heard_;
    std::size_t nextIn_ = 0;
    std::int64_t clock_ = 0;
};

}  // namespace velmora::host::live
