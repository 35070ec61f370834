#include "tests/live/record_compare.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

namespace velmora::live_test {

namespace {

std::string Bytes(const MidiLine& m) {
    char text[48];
    std::snprintf(text, sizeof(text), "status 0x%02X, %d, %d", static_cast<unsigned>(m.status & 0xFF), m.data1, m.data2);
    return text;
}

bool SameBytes(const MidiLine& a, const MidiLine& b) {
    return a.status == b.status && a.data1 == b.data1 && a.data2 == b.data2;
}

std::map<int, std::vector<MidiLine>> ByPort(const std::vector<MidiLine>& lines) {
    std::map<int, std::vector<MidiLine>> ports;
    for (const MidiLine& m : lines) {
        ports[m.port].push_back(m);
    }
    return ports;
}

Comparison Differ(std::string text) { return {false, std::move(text)}; }

std::string Heard(const MidiLine& m) {
    return m.frame ? "frame " + std::to_string(*m.frame) + " " + Bytes(m) : "no frame, " + Bytes(m);
}

}  // namespace

Comparison CompareWithTicks(const std::vector<MidiLine>& expected, const std::vector<MidiLine>& recorded, double spt,
                            int cycle) {
    auto wanted = ByPort(expected);
    auto heard = ByPort(recorded);
    for (const auto& [port, lines] : heard) {
        wanted.try_emplace(port);
    }
    std::int64_t worst = 0;
    for (const auto& [port, lines] : wanted) {
        const std::vector<MidiLine>& got = heard[port];
        const std::string where = "port " + std::to_string(port) + ", message ";
        for (std::size_t i = 0; i < std::max(lines.size(), got.size()); ++i) {
            const std::string at = where + std::to_string(i + 1) + ": ";
            if (i >= lines.size()) {
                return Differ(at + "expected nothing (" + std::to_string(lines.size()) + " sent by play), got " +
                              Heard(got[i]));
            }
            const MidiLine& e = lines[i];
            const auto due = static_cast<std::int64_t>(std::llround(static_cast<double>(e.tick) * spt));
            const std::string expectedText =
                "expected tick " + std::to_string(e.tick) + " (frame " + std::to_string(due) + ") " + Bytes(e);
            if (i >= got.size()) {
                return Differ(at + expectedText + ", got nothing (" + std::to_string(got.size()) + " recorded of " +
                              std::to_string(lines.size()) + ")");
            }
            const MidiLine& g = got[i];
            if (!SameBytes(e, g) || !g.frame) {
                return Differ(at + expectedText + ", got " + Heard(g));
            }
            const std::int64_t off = *g.frame - due;
            if (std::llabs(off) > cycle) {
                return Differ(at + expectedText + ", got " + Heard(g) + ": " + std::to_string(off) +
                              " frames away, more than one cycle (" + std::to_string(cycle) + ")");
            }
            worst = std::llabs(off) > std::llabs(worst) ? off : worst;
        }
    }
    return {true, "the same " + std::to_string(expected.size()) + " messages on " + std::to_string(wanted.size()) +
                      " port(s), the farthest " + std::to_string(worst) + " frames from its tick (cycle " +
                      std::to_string(cycle) + ")"};
}

Comparison CompareExact(const std::vector<MidiLine>& written, const std::vector<MidiLine>& recorded) {
    for (std::size_t i = 0; i < std::max(written.size(), recorded.size()); ++i) {
        const std::string at = "message " + std::to_string(i + 1) + ": ";
        if (i >= recorded.size()) {
            return Differ(at + "expected " + Heard(written[i]) + ", got nothing (" + std::to_string(recorded.size()) +
                          " recorded of " + std::to_string(written.size()) + ")");
        }
        if (i >= written.size()) {
            return Differ(at + "expected nothing (" + std::to_string(written.size()) + " written), got " +
                          Heard(recorded[i]));
        }
        if (!SameBytes(written[i], recorded[i]) || written[i].frame != recorded[i].frame) {
            return Differ(at + "expected " + Heard(written[i]) + ", got " + Heard(recorded[i]));
        }
    }
    return {true, "the same " + std::to_string(written.size()) + " messages at the same frames"};
}

namespace {

struct NoteStep {
    bool on = false;
    int key = 0;
};

bool IsNote(const MidiLine& m) { return (m.status & 0xF0) == 0x80 || (m.status & 0xF0) == 0x90; }
bool IsNoteOn(const MidiLine& m) { return (m.status & 0xF0) == 0x90 && m.data2 > 0; }

bool IsSilentNoteOff(const MidiLine& m) {
    return ((m.status & 0xF0) == 0x80 || (m.status & 0xF0) == 0x90) && m.data2 == 0;
}

// A switch: a note-on whose note-off of velocity 0 is the very next message
// of its port.
std::vector<bool> SwitchMessages(const std::vector<MidiLine>& lines) {
    std::vector<bool> isSwitch(lines.size(), false);
    std::map<int, std::size_t> lastOfPort;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto last = lastOfPort.find(lines[i].port);
        if (last != lastOfPort.end()) {
            const MidiLine& on = lines[last->second];
            const MidiLine& off = lines[i];
            if (IsNoteOn(on) && IsSilentNoteOff(off) && (on.status & 0x0F) == (off.status & 0x0F) && on.data1 == off.data1) {
                isSwitch[last->second] = isSwitch[i] = true;
            }
        }
        lastOfPort[lines[i].port] = i;
    }
    return isSwitch;
}

std::map<int, std::vector<NoteStep>> NotesByChannel(const std::vector<MidiLine>& lines, int low, int high,
                                                    const std::vector<bool>& skip) {
    std::map<int, std::vector<NoteStep>> channels;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const MidiLine& m = lines[i];
        if (IsNote(m) && m.data1 >= low && m.data1 <= high && !skip[i]) {
            channels[(m.status & 0x0F) + 1].push_back({IsNoteOn(m), m.data1});
        }
    }
    return channels;
}

std::string Step(const NoteStep& s) { return std::string(s.on ? "note-on " : "note-off ") + std::to_string(s.key); }

std::string Counts(const std::vector<NoteStep>& steps) {
    const auto ons = std::count_if(steps.begin(), steps.end(), [](const NoteStep& s) { return s.on; });
    return std::to_string(ons) + " note-ons and " + std::to_string(static_cast<long>(steps.size()) - ons) + " note-offs";
}

}  // namespace

Comparison CompareNotes(const std::vector<MidiLine>& sent, const std::vector<MidiLine>& recorded) {
    int low = 128;
    int high = -1;
    for (const MidiLine& m : sent) {
        if (IsNote(m)) {
            low = std::min(low, m.data1);
            high = std::max(high, m.data1);
        }
    }
    auto wanted = NotesByChannel(sent, low, high, std::vector<bool>(sent.size(), false));
    auto heard = NotesByChannel(recorded, low, high, SwitchMessages(recorded));
    for (const auto& [channel, steps] : heard) {
        wanted.try_emplace(channel);
    }
    std::size_t total = 0;
    for (const auto& [channel, steps] : wanted) {
        const std::vector<NoteStep>& got = heard[channel];
        const std::string counts = " (sent " + Counts(steps) + " on channel " + std::to_string(channel) + ", got " +
                                   Counts(got) + ")";
        for (std::size_t i = 0; i < std::max(steps.size(), got.size()); ++i) {
            const std::string at = "channel " + std::to_string(channel) + ", note message " + std::to_string(i + 1) + ": ";
            if (i >= got.size()) {
                return Differ(at + "sent " + Step(steps[i]) + ", got nothing" + counts);
            }
            if (i >= steps.size()) {
                return Differ(at + "sent nothing, got " + Step(got[i]) + counts);
            }
            if (steps[i].on != got[i].on || steps[i].key != got[i].key) {
                return Differ(at + "sent " + Step(steps[i]) + ", got " + Step(got[i]) + counts);
            }
        }
        total += steps.size();
    }
    return {true, "the same " + std::to_string(total) + " note-ons and note-offs of keys " + std::to_string(low) + ".." +
                      std::to_string(high) + " in order on " + std::to_string(wanted.size()) + " channel(s)"};
}

}  // namespace velmora::live_test
