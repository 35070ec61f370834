#pragma once
// The two JACK clients of velmora-jack-midi: a player that writes cues into
// its output at their transport frames, and a recorder that keeps every
// message arriving at its inputs with its transport frame. Two clients, so
// that a host between them is no feedback loop in the graph. Both process
// callbacks only touch what was allocated before activation.
#include <jack/jack.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/live/live_score.h"

namespace velmora::live_test {

// A message as written or received, at its transport frame.
struct TimedMessage {
    std::int64_t frame = 0;
    std::int64_t tick = -1;  // the cue's tick (written messages only)
    int port = 0;            // the recorder's port number (received messages only)
    std::uint8_t size = 0;   // the whole message's size; at most 3 bytes are kept
    std::array<std::uint8_t, 3> bytes{};
};

struct Player {
    jack_client_t* client = nullptr;
    jack_port_t* out = nullptr;
    std::vector<Cue> cues;
    std::vector<TimedMessage> written;  // one slot per cue, sized before activation
    std::size_t writtenCount = 0;
    std::int64_t tailFrames = 0;
    // Set by the main thread once the transport stands at frame 0: rolling
    // cycles seen before belong to an earlier position.
    std::atomic<bool> armed{false};
    std::atomic<bool> done{false};
    std::atomic<int> xruns{0};
    // Process thread only until `done`.
    std::size_t next = 0;
    std::int64_t framesSinceLast = -1;  // -1 until the last cue went out
    int late = 0;                       // cues whose frame had passed (the transport jumped)
    int refused = 0;                    // messages the port buffer had no room for
};

struct Recorder {
    jack_client_t* client = nullptr;
    std::vector<jack_port_t*> inputs;
    std::vector<int> portNumbers;  // per input: N of the source's "port-N", else its place
    std::vector<TimedMessage> received;  // the capacity, sized before activation
    std::size_t receivedCount = 0;
    std::atomic<bool> recording{false};
    std::atomic<int> xruns{0};
    int overflow = 0;  // messages beyond the capacity
};

// Registers the callbacks (process, xruns, shutdown) of both clients.
// `serverGone` is set when the server shuts a client down.
void InstallCallbacks(Player& player, Recorder& recorder, std::atomic<bool>& serverGone);

// The number a source port's name carries as "...port-N", or `fallback`.
int PortNumberOf(const std::string& portName, int fallback);

}  // namespace velmora::live_test
