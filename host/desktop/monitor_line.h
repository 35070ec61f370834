#pragma once
// A line of the desktop's MIDI monitor: what an instance sent, when, where,
// and the message in words as `velmora-host play` prints it.
#include <cstddef>
#include <cstdint>
#include <string>

namespace velmora::host {

// The monitor keeps this many lines; older ones scroll away.
inline constexpr std::size_t kMonitorLines = 400;

struct MonitorLine {
    std::string time;      // since the host started, "m:ss.mmm"
    std::string instance;  // 1-based
    std::string port;
    std::string channel;   // 1-16; "-" for system messages
    std::string message;
};

// seconds: since the host started; instance: 0-based (-1: not known).
MonitorLine MidiMonitorLine(double seconds, int instance, std::uint32_t word);

}  // namespace velmora::host
