// Output that does not fit a cycle's port buffers waits for the next cycles,
// in order, and only a full queue loses anything.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "host/live/output_queue.h"

namespace velmora::host::live {
namespace {

// Port buffers with room for `room` messages a cycle each; port 9 has no port.
struct Ports {
    int room = 0;
    std::map<std::uint32_t, int> used;
    std::vector<LiveMessage> written;

    void nextCycle() { used.clear(); }
    Written operator()(const LiveMessage& m) {
        const std::uint32_t port = m.word >> 24;
        if (port == 9) {
            return Written::NoPort;
        }
        if (used[port] == room) {
            return Written::NoRoom;
        }
        ++used[port];
        written.push_back(m);
        return Written::Sent;
    }
};

LiveMessage On(std::uint32_t frame, int key, int port = 0) {
    return {frame, static_cast<std::uint32_t>(0x90 | (key << 8) | (100 << 16) | (port << 24))};
}

TEST(LiveOutputQueue, WhatDoesNotFitGoesOutFirstInTheNextCyclesInOrder) {
    OutputQueue queue(16);
    Ports ports;
    ports.room = 3;
    const std::vector<LiveMessage> first = {On(10, 1), On(20, 2, 1), On(30, 3), On(40, 4), On(50, 5), On(60, 6, 1)};
    auto write = [&ports](const LiveMessage& m) { return ports(m); };
    OutputCounts c = queue.flush(first.data(), first.size(), write);
    // Port 0 fills at its fourth message; from there on all of the cycle waits,
    // port 1's too, so neither port's order can change.
    EXPECT_EQ(c.sent, 4U);
    EXPECT_EQ(c.late, 2U);
    EXPECT_EQ(queue.waiting(), 2U);

    ports.nextCycle();
    const std::vector<LiveMessage> second = {On(5, 7)};
    c = queue.flush(second.data(), second.size(), write);
    EXPECT_EQ(c.sent, 3U);
    EXPECT_EQ(queue.waiting(), 0U);
    std::vector<std::uint32_t> keys;
    std::vector<std::uint32_t> frames;
    for (const LiveMessage& m : ports.written) {
        keys.push_back((m.word >> 8) & 0xFF);
        frames.push_back(m.frame);
    }
    EXPECT_EQ(keys, (std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6, 7}));
    // The waiting ones go at the next cycle's first frame, ahead of its own.
    EXPECT_EQ(frames, (std::vector<std::uint32_t>{10, 20, 30, 40, 0, 0, 5}));
}

TEST(LiveOutputQueue, DropsOnlyWhenThereIsNoPortOrTheQueueIsFull) {
    OutputQueue queue(2);
    Ports ports;
    ports.room = 0;
    const std::vector<LiveMessage> cycle = {On(0, 1, 9), On(1, 2), On(2, 3), On(3, 4)};
    const OutputCounts c = queue.flush(cycle.data(), cycle.size(), [&ports](const LiveMessage& m) { return ports(m); });
    EXPECT_EQ(c.sent, 0U);
    EXPECT_EQ(c.late, 2U);
    EXPECT_EQ(c.dropped, 2U);  // the portless one, and the one the full queue could not take
    EXPECT_EQ(queue.waiting(), 2U);
}

}  // namespace
}  // namespace velmora::host::live
