#pragma once
// MIDI messages as JSON lines, in the shape `velmora-host play --events`
// writes: {"tick", "port", "status", "data1", "data2"}, and for recordings
// also "frame", the JACK transport frame the message was heard at.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora::live_test {

struct MidiLine {
    std::int64_t tick = 0;
    std::optional<std::int64_t> frame;
    int port = 0;
    int status = 0;
    int data1 = 0;
    int data2 = 0;
};

// One line, ending in a newline; "frame" only when the line has one, "port"
// only when `withPort`.
std::string JsonLine(const MidiLine& line, bool withPort = true);

// Every line of a JSON-lines text; blank lines are skipped. A line that is
// not an object with the numbers above is refused with its line number.
std::optional<std::vector<MidiLine>> ParseJsonLines(const std::string& text, std::string& error);
std::optional<std::vector<MidiLine>> ReadJsonLines(const std::string& path, std::string& error);

}  // namespace velmora::live_test
