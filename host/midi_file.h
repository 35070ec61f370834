#pragma once
// Standard MIDI Files: a score read from one, and what the plugin sent
// written into one.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/session.h"

namespace velmora::host {

struct SentMessage {
    std::int64_t tick = 0;
    int instance = 0;
    std::uint32_t word = 0;  // packed: status, data 1, data 2, port
};

// Notes of every track, one instance; a note's channel is its colour. The
// file's division becomes the session's ppq and its first tempo the bpm.
std::optional<Session> ReadMidiScore(const std::vector<std::uint8_t>& bytes, std::string& error);

// A type-1 file with one track per port that was sent on, at the given ppq and bpm.
std::vector<std::uint8_t> WriteMidiFile(const std::vector<SentMessage>& messages, int ppq, double bpm);

}  // namespace velmora::host
