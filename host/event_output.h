#pragma once
// What the plugin sent, for people and for programs.
#include <cstdio>
#include <string>
#include <vector>

#include "host/midi_file.h"

namespace velmora::host {

// One JSON object per MIDI word, in send order.
std::string EventsAsJsonLines(const std::vector<SentMessage>& sent);
// A table with tick, instance, port, channel and the message in words.
std::string EventsAsTable(const std::vector<SentMessage>& sent);

}  // namespace velmora::host
