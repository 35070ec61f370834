// Recordings against what should have been sent: each comparison must see a
// lost, added, changed, reordered or mistimed message and name the first one.
#include <gtest/gtest.h>

#include "tests/live/record_compare.h"

namespace velmora::live_test {
namespace {

std::vector<MidiLine> Lines(const std::string& text) {
    std::string error;
    auto lines = ParseJsonLines(text, error);
    EXPECT_TRUE(lines) << error;
    return lines.value_or(std::vector<MidiLine>{});
}

// spt 100: tick t is due at frame 100 t.
const char* const kPlayed = R"({"tick": 0, "port": 0, "status": 144, "data1": 60, "data2": 90}
{"tick": 0, "port": 1, "status": 176, "data1": 7, "data2": 100}
{"tick": 10, "port": 0, "status": 128, "data1": 60, "data2": 64}
{"tick": 10, "port": 0, "status": 144, "data1": 60, "data2": 80}
)";

TEST(RecordCompare, TicksAgainstFramesFindTheFirstDifferenceOfAPort) {
    const struct {
        const char* name;
        const char* recorded;
        const char* verdict;  // empty: the same
    } cases[] = {
        {"in time, ports interleaved otherwise",
         R"({"tick": 0, "port": 0, "status": 144, "data1": 60, "data2": 90, "frame": 255}
{"tick": 9, "port": 0, "status": 128, "data1": 60, "data2": 64, "frame": 744}
{"tick": 0, "port": 1, "status": 176, "data1": 7, "data2": 100, "frame": 0}
{"tick": 10, "port": 0, "status": 144, "data1": 60, "data2": 80, "frame": 1256})",
         ""},
        {"a cycle and a frame late",
         R"({"tick": 0, "port": 0, "status": 144, "data1": 60, "data2": 90, "frame": 257}
{"tick": 0, "port": 1, "status": 176, "data1": 7, "data2": 100, "frame": 0})",
         "port 0, message 1: expected tick 0 (frame 0) status 0x90, 60, 90, got frame 257 status 0x90, 60, 90: 257 "
         "frames away, more than one cycle (256)"},
        {"a message lost",
         R"({"tick": 0, "port": 0, "status": 144, "data1": 60, "data2": 90, "frame": 0}
{"tick": 10, "port": 0, "status": 144, "data1": 60, "data2": 80, "frame": 1000}
{"tick": 0, "port": 1, "status": 176, "data1": 7, "data2": 100, "frame": 0})",
         "port 0, message 2: expected tick 10 (frame 1000) status 0x80, 60, 64, got frame 1000 status 0x90, 60, 80"},
        {"the last message lost",
         R"({"tick": 0, "port": 0, "status": 144, "data1": 60, "data2": 90, "frame": 0}
{"tick": 10, "port": 0, "status": 128, "data1": 60, "data2": 64, "frame": 1000}
{"tick": 0, "port": 1, "status": 176, "data1": 7, "data2": 100, "frame": 0})",
         "port 0, message 3: expected tick 10 (frame 1000) status 0x90, 60, 80, got nothing (2 recorded of 3)"},
        {"a message on a port play never sent on",
         R"({"tick": 0, "port": 0, "status": 144, "data1": 60, "data2": 90, "frame": 0}
{"tick": 10, "port": 0, "status": 128, "data1": 60, "data2": 64, "frame": 1000}
{"tick": 10, "port": 0, "status": 144, "data1": 60, "data2": 80, "frame": 1000}
{"tick": 0, "port": 1, "status": 176, "data1": 7, "data2": 100, "frame": 0}
{"tick": 0, "port": 2, "status": 176, "data1": 7, "data2": 100, "frame": 0})",
         "port 2, message 1: expected nothing (0 sent by play), got frame 0 status 0xB0, 7, 100"},
        {"a recording without frames",
         R"({"tick": 0, "port": 0, "status": 144, "data1": 60, "data2": 90})",
         "port 0, message 1: expected tick 0 (frame 0) status 0x90, 60, 90, got no frame, status 0x90, 60, 90"},
    };
    for (const auto& c : cases) {
        const Comparison result = CompareWithTicks(Lines(kPlayed), Lines(c.recorded), 100.0, 256);
        EXPECT_EQ(result.same, *c.verdict == '\0') << c.name << ": " << result.text;
        if (*c.verdict != '\0') {
            EXPECT_EQ(result.text, c.verdict) << c.name;
        }
    }
}

TEST(RecordCompare, ExactWantsEveryFrame) {
    const auto written = Lines(R"({"tick": 0, "status": 144, "data1": 60, "data2": 90, "frame": 0}
{"tick": 1, "status": 128, "data1": 60, "data2": 0, "frame": 230})");
    auto recorded = written;
    EXPECT_TRUE(CompareExact(written, recorded).same);
    recorded[1].frame = 231;
    EXPECT_EQ(CompareExact(written, recorded).text,
              "message 2: expected frame 230 status 0x80, 60, 0, got frame 231 status 0x80, 60, 0");
    recorded.pop_back();
    EXPECT_EQ(CompareExact(written, recorded).text,
              "message 2: expected frame 230 status 0x80, 60, 0, got nothing (1 recorded of 2)");
}

// Two channels; the plugin adds keyswitches, struck and let go at once, and CCs.
const char* const kSentNotes = R"({"tick": 0, "status": 144, "data1": 40, "data2": 90}
{"tick": 0, "status": 145, "data1": 41, "data2": 90}
{"tick": 1, "status": 128, "data1": 40, "data2": 64}
{"tick": 1, "status": 144, "data1": 50, "data2": 90}
{"tick": 2, "status": 129, "data1": 41, "data2": 64}
{"tick": 2, "status": 128, "data1": 50, "data2": 64}
)";

TEST(RecordCompare, NotesPerChannelIgnoreSwitchesButNotLossOrOrder) {
    const struct {
        const char* name;
        const char* recorded;
        const char* verdict;
    } cases[] = {
        {"with switches below and inside the played keys, channels interleaved otherwise",
         R"({"tick": 0, "status": 145, "data1": 24, "data2": 100}
{"tick": 0, "status": 129, "data1": 24, "data2": 0}
{"tick": 0, "status": 177, "data1": 32, "data2": 20}
{"tick": 0, "status": 145, "data1": 45, "data2": 127}
{"tick": 0, "port": 1, "status": 145, "data1": 33, "data2": 1}
{"tick": 0, "status": 145, "data1": 45, "data2": 0}
{"tick": 0, "status": 144, "data1": 40, "data2": 90}
{"tick": 0, "status": 145, "data1": 41, "data2": 90}
{"tick": 1, "status": 144, "data1": 40, "data2": 0}
{"tick": 1, "status": 144, "data1": 50, "data2": 90}
{"tick": 2, "status": 128, "data1": 50, "data2": 64}
{"tick": 2, "status": 129, "data1": 41, "data2": 64})",
         ""},
        {"a note-off lost",
         R"({"tick": 0, "status": 144, "data1": 40, "data2": 90}
{"tick": 0, "status": 145, "data1": 41, "data2": 90}
{"tick": 1, "status": 144, "data1": 50, "data2": 90}
{"tick": 2, "status": 129, "data1": 41, "data2": 64}
{"tick": 2, "status": 128, "data1": 50, "data2": 64})",
         "channel 1, note message 2: sent note-off 40, got note-on 50 (sent 2 note-ons and 2 note-offs on channel 1, "
         "got 2 note-ons and 1 note-offs)"},
        {"a note-on moved before an earlier note-off",
         R"({"tick": 0, "status": 144, "data1": 40, "data2": 90}
{"tick": 0, "status": 145, "data1": 41, "data2": 90}
{"tick": 1, "status": 144, "data1": 50, "data2": 90}
{"tick": 1, "status": 128, "data1": 40, "data2": 64}
{"tick": 2, "status": 129, "data1": 41, "data2": 64}
{"tick": 2, "status": 128, "data1": 50, "data2": 64})",
         "channel 1, note message 2: sent note-off 40, got note-on 50 (sent 2 note-ons and 2 note-offs on channel 1, "
         "got 2 note-ons and 2 note-offs)"},
        {"a note on the wrong channel",
         R"({"tick": 0, "status": 144, "data1": 40, "data2": 90}
{"tick": 0, "status": 146, "data1": 41, "data2": 90}
{"tick": 1, "status": 128, "data1": 40, "data2": 64}
{"tick": 1, "status": 144, "data1": 50, "data2": 90}
{"tick": 2, "status": 129, "data1": 41, "data2": 64}
{"tick": 2, "status": 128, "data1": 50, "data2": 64})",
         "channel 2, note message 1: sent note-on 41, got note-off 41 (sent 1 note-ons and 1 note-offs on channel 2, "
         "got 0 note-ons and 1 note-offs)"},
        {"a note in the played range let go after another message of its port",
         R"({"tick": 0, "status": 144, "data1": 40, "data2": 90}
{"tick": 0, "status": 145, "data1": 41, "data2": 90}
{"tick": 0, "status": 145, "data1": 45, "data2": 127}
{"tick": 0, "status": 177, "data1": 32, "data2": 20}
{"tick": 0, "status": 129, "data1": 45, "data2": 0}
{"tick": 1, "status": 128, "data1": 40, "data2": 64}
{"tick": 1, "status": 144, "data1": 50, "data2": 90}
{"tick": 2, "status": 129, "data1": 41, "data2": 64}
{"tick": 2, "status": 128, "data1": 50, "data2": 64})",
         "channel 2, note message 2: sent note-off 41, got note-on 45 (sent 1 note-ons and 1 note-offs on channel 2, "
         "got 2 note-ons and 2 note-offs)"},
    };
    for (const auto& c : cases) {
        const Comparison result = CompareNotes(Lines(kSentNotes), Lines(c.recorded));
        EXPECT_EQ(result.same, *c.verdict == '\0') << c.name << ": " << result.text;
        if (*c.verdict != '\0') {
            EXPECT_EQ(result.text, c.verdict) << c.name;
        }
    }
}

TEST(RecordLines, WritesThePlayShapeAndRefusesBadLinesByNumber) {
    MidiLine line;
    line.tick = 7;
    line.frame = 1608;
    line.port = 3;
    line.status = 0xE0;
    line.data1 = 1;
    line.data2 = 64;
    EXPECT_EQ(JsonLine(line), "{\"tick\": 7, \"port\": 3, \"status\": 224, \"data1\": 1, \"data2\": 64, \"frame\": 1608}\n");
    const auto back = Lines(JsonLine(line) + "\n" + JsonLine(line, false));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].port, 3);
    EXPECT_EQ(back[0].frame, 1608);
    EXPECT_EQ(back[1].port, 0);

    std::string error;
    EXPECT_FALSE(ParseJsonLines("{\"tick\": 0, \"status\": 144, \"data1\": 1, \"data2\": 2}\n{\"tick\": 1}\n", error));
    EXPECT_EQ(error, "line 2: \"tick\", \"status\", \"data1\" and \"data2\" must be integers");
    EXPECT_FALSE(ParseJsonLines("\n[1]\n", error));
    EXPECT_EQ(error, "line 2: not a JSON object");
}

}  // namespace
}  // namespace velmora::live_test
