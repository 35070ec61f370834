#include "tests/live/live_score.h"

#include <algorithm>
#include <cmath>

namespace velmora::live_test {

namespace {

constexpr std::uint8_t kNoteOff = 0x80;
constexpr std::uint8_t kNoteOn = 0x90;
constexpr std::uint8_t kControlChange = 0xB0;
constexpr std::uint8_t kPitchBend = 0xE0;
constexpr int kVolumeCC = 7;
constexpr int kPanCC = 10;

Cue Message(std::int64_t tick, std::int64_t frame, std::uint8_t status, int data1, int data2) {
    Cue c;
    c.tick = tick;
    c.frame = frame;
    c.size = 3;
    c.bytes = {status, static_cast<std::uint8_t>(data1 & 0x7F), static_cast<std::uint8_t>(data2 & 0x7F)};
    return c;
}

bool InByteRange(int v) { return v >= 0 && v <= 127; }

// One step of the order the reference host plays a tick in: releases first,
// then the tick's events; `order` keeps ties in score order.
struct Step {
    std::int64_t tick = 0;
    int phase = 0;  // 0 release, 1 event
    std::size_t order = 0;
    const host::ScoreEvent* event = nullptr;
};

std::string At(const host::ScoreEvent& e) { return "tick " + std::to_string(e.tick) + ": "; }

// The event as a cue, or nullopt with the reason live MIDI cannot carry it.
std::optional<Cue> EventCue(const host::ScoreEvent& e, std::int64_t frame, std::string& error) {
    switch (e.kind) {
        case host::EventKind::Note: {
            if (e.colour < 0 || e.colour > 15) {
                error = At(e) + "a note of colour " + std::to_string(e.colour) + " has no MIDI channel";
                return std::nullopt;
            }
            if (e.modx != 0.0f) {
                error = At(e) + "live MIDI carries no MOD X (a note with modx " + std::to_string(e.modx) + ")";
                return std::nullopt;
            }
            if (!InByteRange(e.key)) {
                error = At(e) + "key " + std::to_string(e.key) + " is not a MIDI key";
                return std::nullopt;
            }
            return Message(e.tick, frame, static_cast<std::uint8_t>(kNoteOn | e.colour), e.key, VelocityOfLevel(e.level));
        }
        case host::EventKind::Pitch: {
            const int bend = BendForCents(e.value);
            return Message(e.tick, frame, kPitchBend, bend & 0x7F, bend >> 7);
        }
        case host::EventKind::Volume:
        case host::EventKind::Pan:
        case host::EventKind::Param: {
            const int cc = e.kind == host::EventKind::Volume ? kVolumeCC : e.kind == host::EventKind::Pan ? kPanCC : e.index;
            if (e.kind == host::EventKind::Param && (!InByteRange(e.index) || e.index == kVolumeCC || e.index == kPanCC)) {
                error = At(e) + "parameter " + std::to_string(e.index) + " has no control change of its own";
                return std::nullopt;
            }
            if (!InByteRange(e.value)) {
                error = At(e) + "value " + std::to_string(e.value) + " does not fit a control change";
                return std::nullopt;
            }
            return Message(e.tick, frame, kControlChange, cc, e.value);
        }
        case host::EventKind::Transport: break;
    }
    Cue stop;
    stop.tick = e.tick;
    stop.frame = frame;
    stop.kind = CueKind::TransportStop;
    return stop;
}

}  // namespace

int VelocityOfLevel(float level) {
    // The plugin's own curve, in its own float arithmetic, truncated; never 0,
    // which would make the note-on a note-off.
    const float v = 127.0f * std::log(10.0f * level + 1.0f) / std::log(21.0f);
    if (!(v >= 1.0f)) {
        return 1;
    }
    return v >= 127.0f ? 127 : static_cast<int>(v);
}

int ReleaseVelocityOf(float release) {
    const float v = release * 127.0f;
    if (!(v >= 0.0f)) {
        return 0;
    }
    return v >= 127.0f ? 127 : static_cast<int>(v);
}

int BendForCents(int cents) {
    const long long bend = 8192 + std::llround(static_cast<double>(cents) * 8192.0 / 1200.0);
    return static_cast<int>(std::clamp(bend, 0LL, 16383LL));
}

std::optional<std::vector<Cue>> CuesFromSession(const host::Session& session, int instance, std::string& error) {
    std::vector<host::ScoreEvent> events = session.events;
    std::stable_sort(events.begin(), events.end(), [](const auto& a, const auto& b) { return a.tick < b.tick; });

    std::vector<Step> steps;
    std::optional<std::int64_t> stopTick;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const host::ScoreEvent& e = events[i];
        if (stopTick) {
            error = At(e) + "an event after the transport's stop (at tick " + std::to_string(*stopTick) +
                    "): the transport frame, the clock, stands still from there";
            return std::nullopt;
        }
        if (e.kind == host::EventKind::Transport) {
            if (e.value != 0 && e.tick != 0) {
                error = At(e) + "the transport starts at tick 0 or not at all: it is started before the first cycle";
                return std::nullopt;
            }
            if (e.value == 0) {
                stopTick = e.tick;
                steps.push_back({e.tick, 1, i, &e});
            }
            continue;  // the start is the player's first act
        }
        if (e.instance != instance) {
            continue;
        }
        steps.push_back({e.tick, 1, i, &e});
        if (e.kind == host::EventKind::Note) {
            steps.push_back({e.tick + e.length, 0, i, &e});
        }
    }
    std::stable_sort(steps.begin(), steps.end(), [](const Step& a, const Step& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.phase != b.phase ? a.phase < b.phase : a.order < b.order;
    });

    const double spt = session.samplesPerTick();
    std::vector<Cue> cues;
    cues.reserve(steps.size());
    for (const Step& s : steps) {
        if (stopTick && s.tick > *stopTick) {
            error = At(*s.event) + "a note that ends after the transport's stop (at tick " + std::to_string(*stopTick) + ")";
            return std::nullopt;
        }
        // The first frame at or after the tick: the live clock runs the tick
        // there, before the frame's MIDI, as play runs a tick before its events.
        const auto frame = static_cast<std::int64_t>(std::ceil(static_cast<double>(s.tick) * spt));
        if (s.phase == 0) {
            const host::ScoreEvent& e = *s.event;
            cues.push_back(Message(s.tick, frame, static_cast<std::uint8_t>(kNoteOff | e.colour), e.key,
                                   ReleaseVelocityOf(e.release)));
            continue;
        }
        std::optional<Cue> cue = EventCue(*s.event, frame, error);
        if (!cue) {
            return std::nullopt;
        }
        cues.push_back(*cue);
    }
    return cues;
}

std::vector<Cue> GeneratedNotes(int count, double perSecond, double sampleRate, int hold) {
    constexpr int kLowKey = 36;
    constexpr int kKeys = 61;  // 36..96
    constexpr int kOutsideKeys = 128 - kKeys;
    constexpr std::int64_t kHoldGap = 8;
    const auto length = static_cast<std::int64_t>(std::llround(0.050 * sampleRate));
    std::vector<Cue> cues;
    cues.reserve(static_cast<std::size_t>(std::max(count, 0)) * 2 + static_cast<std::size_t>(std::max(hold, 0)));
    for (int h = 0; h < hold; ++h) {
        const int k = h % kOutsideKeys;
        cues.push_back(Message(-1, h * kHoldGap, kNoteOn, k < kLowKey ? k : k + kKeys, 64));
    }
    const std::int64_t first = hold > 0 ? hold * kHoldGap + static_cast<std::int64_t>(sampleRate) : 0;
    for (int i = 0; i < count; ++i) {
        const auto start = first + static_cast<std::int64_t>(std::llround(i * sampleRate / perSecond));
        const auto channel = static_cast<std::uint8_t>(i % 16);
        const int key = kLowKey + i % kKeys;
        cues.push_back(Message(-1, start, static_cast<std::uint8_t>(kNoteOn | channel), key, 1 + (i * 37) % 127));
        cues.push_back(Message(-1, start + length, static_cast<std::uint8_t>(kNoteOff | channel), key, 1 + (i * 11) % 127));
    }
    // By frame, note-offs first within a frame; otherwise in the order made.
    std::stable_sort(cues.begin(), cues.end(), [](const Cue& a, const Cue& b) {
        if (a.frame != b.frame) {
            return a.frame < b.frame;
        }
        return (a.bytes[0] & 0xF0) == kNoteOff && (b.bytes[0] & 0xF0) != kNoteOff;
    });
    return cues;
}

}  // namespace velmora::live_test
