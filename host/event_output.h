#pragma once
// What the plugin sent, for people and for programs.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "host/midi_file.h"

namespace velmora::host {

// One JSON object per MIDI word, in send order.
std::string EventsAsJsonLines(const std::vector<SentMessage>& sent);
// One MIDI word's message in words, note names as a person reads them
// ("note on   C4   ( 60) vel 90", "CC 1   = 64"); port and channel left out.
std::string MidiMessageInWords(std::uint32_t word);
// A table with tick, instance, port, channel and the message in words.
std::string EventsAsTable(const std::vector<SentMessage>& sent);

}  // namespace velmora::host
