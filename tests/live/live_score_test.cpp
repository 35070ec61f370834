// The score as live MIDI: what velmora-jack-midi plays must be the session's
// notes and events as the live host's mapping reads them back.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/live/live_score.h"

namespace velmora::live_test {
namespace {

std::vector<Cue> CuesOf(const std::string& events, std::string& error) {
    const std::string json = R"({"sampleRate": 44100, "bpm": 120, "ppq": 96, "instances": [{}, {}], "events": [)" +
                             events + "]}";
    const auto session = host::ParseSession(json, ".", error);
    if (!session) {
        return {};
    }
    return CuesFromSession(*session, 0, error).value_or(std::vector<Cue>{});
}

struct Expected {
    std::int64_t tick;
    CueKind kind;
    std::array<std::uint8_t, 3> bytes;
};

TEST(LiveScore, PlaysTheInstancesScoreInTheReferenceHostsOrder) {
    std::string error;
    const auto cues = CuesOf(R"(
        {"type": "transport", "tick": 0, "playing": true},
        {"type": "note", "tick": 0, "instance": 0, "key": 62, "velocity": 70, "length": 96, "colour": 2, "release": 30},
        {"type": "note", "tick": 0, "instance": 1, "key": 40, "velocity": 70, "length": 10},
        {"type": "volume", "tick": 5, "instance": 1, "value": 3},
        {"type": "note", "tick": 96, "instance": 0, "key": 62, "velocity": 127, "length": 1, "colour": 2},
        {"type": "pitch", "tick": 96, "instance": 0, "value": -100},
        {"type": "param", "tick": 50, "instance": 0, "index": 11, "value": 80},
        {"type": "volume", "tick": 50, "instance": 0, "value": 100},
        {"type": "pan", "tick": 50, "instance": 0, "value": 40},
        {"type": "note", "tick": 60, "instance": 0, "key": 50, "level": 0.0, "length": 36, "colour": 15},
        {"type": "transport", "tick": 97, "playing": false})",
                             error);
    ASSERT_EQ(error, "");
    // Per tick: note-offs first (the repeated key 62 is let go before it is
    // struck again), then the events in file order; instance 2 is left out.
    const Expected want[] = {
        {0, CueKind::Midi, {0x92, 62, 70}},   {50, CueKind::Midi, {0xB0, 11, 80}},
        {50, CueKind::Midi, {0xB0, 7, 100}},  {50, CueKind::Midi, {0xB0, 10, 40}},
        {60, CueKind::Midi, {0x9F, 50, 1}},   {96, CueKind::Midi, {0x82, 62, 30}},
        {96, CueKind::Midi, {0x8F, 50, 0}},   {96, CueKind::Midi, {0x92, 62, 127}},
        {96, CueKind::Midi, {0xE0, 7509 & 0x7F, 7509 >> 7}},
        {97, CueKind::Midi, {0x82, 62, 0}},   {97, CueKind::TransportStop, {0, 0, 0}},
    };
    ASSERT_EQ(cues.size(), std::size(want));
    for (std::size_t i = 0; i < cues.size(); ++i) {
        SCOPED_TRACE("cue " + std::to_string(i));
        EXPECT_EQ(cues[i].tick, want[i].tick);
        EXPECT_EQ(cues[i].frame, static_cast<std::int64_t>(std::ceil(static_cast<double>(want[i].tick) * 229.6875)));
        EXPECT_EQ(cues[i].kind, want[i].kind);
        if (want[i].kind == CueKind::Midi) {
            EXPECT_EQ(cues[i].size, 3);
            EXPECT_EQ(cues[i].bytes, want[i].bytes);
        }
    }
}

TEST(LiveScore, ALiveHostReadsBackTheSessionsVelocitiesAndPitches) {
    for (int v = 1; v <= 127; ++v) {
        EXPECT_EQ(VelocityOfLevel(host::LevelForVelocity(v)), v) << "velocity " << v;
    }
    for (int r = 0; r <= 127; ++r) {
        EXPECT_EQ(ReleaseVelocityOf(host::ReleaseForVelocity(r)), r) << "release " << r;
    }
    // The live host's reading of a bend: round((b - 8192) * 1200 / 8192) cents.
    for (int cents = -1200; cents <= 1200; ++cents) {
        const int bend = BendForCents(cents);
        ASSERT_GE(bend, 0);
        ASSERT_LE(bend, 16383);
        EXPECT_EQ(std::lround((bend - 8192) * 1200.0 / 8192.0), cents) << "bend " << bend;
    }
    EXPECT_EQ(BendForCents(0), 8192);
    EXPECT_EQ(BendForCents(5000), 16383);
    EXPECT_EQ(BendForCents(-5000), 0);
}

TEST(LiveScore, RefusesWhatLiveMidiOrTheTransportClockCannotCarry) {
    const struct {
        const char* events;
        const char* reason;
    } cases[] = {
        {R"({"type": "transport", "tick": 10, "playing": true})", "starts at tick 0"},
        {R"({"type": "transport", "tick": 10, "playing": false}, {"type": "pan", "tick": 11, "value": 1})",
         "after the transport's stop"},
        {R"({"type": "transport", "tick": 10, "playing": false}, {"type": "pan", "tick": 10, "value": 1})",
         "after the transport's stop"},
        {R"({"type": "note", "tick": 0, "length": 20}, {"type": "transport", "tick": 10, "playing": false})",
         "ends after the transport's stop"},
        {R"({"type": "note", "tick": 0, "colour": 16})", "colour 16 has no MIDI channel"},
        {R"({"type": "note", "tick": 0, "modx": 0.5})", "no MOD X"},
        {R"({"type": "note", "tick": 0, "key": 128})", "key 128"},
        {R"({"type": "param", "tick": 0, "index": 7, "value": 1})", "parameter 7"},
        {R"({"type": "param", "tick": 0, "index": 200, "value": 1})", "parameter 200"},
        {R"({"type": "volume", "tick": 0, "value": 128})", "value 128"},
    };
    for (const auto& c : cases) {
        std::string error;
        CuesOf(c.events, error);
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.events << "\n gave: " << error;
    }
}

TEST(LiveScore, GeneratedNotesCycleChannelsAndKeysAndEndBeforeTheNextStarts) {
    const auto cues = GeneratedNotes(2000, 1000.0, 44100.0);
    ASSERT_EQ(cues.size(), 4000u);
    std::array<std::array<int, 128>, 16> held{};
    int ons = 0;
    int endsWhereOneStarts = 0;
    for (std::size_t i = 0; i < cues.size(); ++i) {
        const Cue& c = cues[i];
        const int channel = c.bytes[0] & 0x0F;
        const int key = c.bytes[1];
        ASSERT_GE(key, 36);
        ASSERT_LE(key, 96);
        if (i > 0) {
            ASSERT_LE(cues[i - 1].frame, c.frame);
        }
        if ((c.bytes[0] & 0xF0) == 0x90) {
            ASSERT_EQ(channel, ons % 16);
            ASSERT_EQ(key, 36 + ons % 61);
            ASSERT_EQ(c.frame, std::llround(ons * 44.1));
            ASSERT_GE(c.bytes[2], 1);
            ++ons;
            ASSERT_EQ(held[channel][key]++, 0) << "a key struck again while held, cue " << i;
        } else {
            // At 1000 notes a second every note ends on the frame a later one
            // starts at: the end must come first.
            ASSERT_EQ(held[channel][key]--, 1) << "a note-off of a key not held, cue " << i;
            ASSERT_GE(c.bytes[2], 1) << "a release velocity 0 reads as a switch, cue " << i;
            if (i + 1 < cues.size() && cues[i + 1].frame == c.frame && (cues[i + 1].bytes[0] & 0xF0) == 0x90) {
                ++endsWhereOneStarts;
            }
            if (i > 0 && cues[i - 1].frame == c.frame) {
                ASSERT_EQ(cues[i - 1].bytes[0] & 0xF0, 0x80) << "a note-on before a note-off of its frame, cue " << i;
            }
        }
    }
    EXPECT_EQ(ons, 2000);
    EXPECT_GT(endsWhereOneStarts, 1000);
}

}  // namespace
}  // namespace velmora::live_test
