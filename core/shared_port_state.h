#pragma once
// What was last sent to each MIDI port and channel, shared by every instance
// of the process so instances driving one sampler channel do not repeat each
// other's switches.
#include <array>
#include <cstdint>

#include "core/limits.h"

namespace velmora {

inline constexpr std::int32_t kNothingSent = 255;
inline constexpr std::int32_t kForgotten = -1;
inline constexpr std::int32_t kNoCCValue = 128;

// Per-colour instances (`channel` 256) get a key of their own behind the
// port/channel keys: port × 64 + 256 would be channel 0 of port + 4, and every
// key below 16384 already belongs to a real port/channel pair.
inline constexpr int kPortChannelKeys = kPorts * kChannelsPerPort;
inline constexpr int kPortKeys = kPortChannelKeys + kPorts;

// Keys stay inside the tables for any port and channel, also values no editor
// allows (a damaged project): the port wraps to its byte, as it is sent, and
// the channel to the six bits MIDI Extend can carry.
constexpr int PortKey(std::int32_t port, std::int32_t channel) {
    const int p = port & (kPorts - 1);
    if (channel == kChannelPerColour) {
        return kPortChannelKeys + p;
    }
    return p * kChannelsPerPort + (channel & (kChannelsPerPort - 1));
}

struct SharedPortState {
    SharedPortState();

    std::array<std::uint8_t, kPortKeys> mute;
    std::array<std::int32_t, kPortKeys> ksNote;
    std::array<std::int32_t, kPortKeys> ksVelocity;
    std::array<std::int32_t, kPortKeys> program;
    std::array<std::int32_t, kPortKeys> modifier;
    std::array<std::array<std::int32_t, kMidiCCs>, kPortKeys> ccValue;
};

}  // namespace velmora
