#pragma once
// What a live host sent, as recorded, against what it should have sent.
// Each comparison reports the first difference: where, what was expected and
// what came.
#include <string>
#include <vector>

#include "tests/live/record_lines.h"

namespace velmora::live_test {

struct Comparison {
    bool same = false;
    std::string text;  // a one-line summary when same, else the first difference
};

// `play --events` lines (ticks) against a recording (frames): per port the
// same messages in the same order, each heard within `cycle` frames of
// round(tick * spt).
Comparison CompareWithTicks(const std::vector<MidiLine>& expected, const std::vector<MidiLine>& recorded, double spt,
                            int cycle);

// The same messages at the same frames in the same order: the test tool
// hearing itself. Ports are not compared.
Comparison CompareExact(const std::vector<MidiLine>& written, const std::vector<MidiLine>& recorded);

// Per MIDI channel, the note-ons and note-offs (a note-on of velocity 0 is
// one) of keys in the range of the sent notes' keys, in order. What else the
// plugin sends is its articulation switches and left out: other messages,
// keys outside that range, and a note-on whose velocity-0 note-off is the next
// message of its port (a switch struck and let go at once). So the sent notes
// must not end with release velocity 0.
Comparison CompareNotes(const std::vector<MidiLine>& sent, const std::vector<MidiLine>& recorded);

}  // namespace velmora::live_test
