// The last step before the host: the mute table and MIDI Extend.
#include <gtest/gtest.h>

#include "engine/midi_out.h"
#include "engine/voices.h"
#include "tests/support/instance_fixture.h"

namespace velmora::test {
namespace {

class MidiOutTest : public ::testing::Test {
protected:
    RecordingHost host;
    PlugPtr plug = MakeInstance(host);
};

TEST_F(MidiOutTest, MidiExtendRecodesKindsAndCarriesHighChannelBits) {
    struct Row {
        const char* what;
        int channel;
        std::uint32_t in;
        std::uint32_t out;
    };
    const Row rows[] = {
        {"CC on channel 20", 20, CC(4, 11, 64), PackMessage(0xC4, 11, 64 | 0x80, 0)},
        {"program becomes note-off with 0", 20, Program(4, 9), PackMessage(0x84, 9, 0x80, 0)},
        {"note-off velocity 0 becomes 1", 20, NoteOff(4, 60, 0), PackMessage(0x84, 60, 1 | 0x80, 0)},
        {"note-off keeps a velocity", 4, NoteOff(4, 60, 30), NoteOff(4, 60, 30)},
        {"note-on is never changed in kind", 37, NoteOn(5, 60, 100), PackMessage(0x95, 60 | 0x80, 100, 0)},
        {"bend becomes poly pressure", 48, Bend(0, 8192), PackMessage(0xA0, 0 | 0x80, 64 | 0x80, 0)},
        {"poly pressure becomes bend", 0, PackMessage(0xA3, 1, 2, 5), PackMessage(0xE3, 1, 2, 5)},
    };
    plug->midiextend = 1;
    for (const Row& r : rows) {
        host.clearRecords();
        plug->channel = r.channel;
        Session_MIDIOut(*plug, r.in);
        EXPECT_EQ(host.midi, std::vector<std::uint32_t>{r.out}) << r.what << ": " << Describe(host.midi);
    }
}

TEST_F(MidiOutTest, WithoutMidiExtendMessagesPassUnchanged) {
    Session_MIDIOut(*plug, CC(4, 11, 64, 3));
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{CC(4, 11, 64, 3)});
}

TEST_F(MidiOutTest, MutedPortChannelDropsEverythingIncludingNoteOffs) {
    const TVoiceHandle h = Play(*plug, host, 1, 60);
    Process().ports->mute[plug->PortKeyOfInstance()] = 1;
    host.clearRecords();
    Voice_Release(*plug, h);
    Session_SendCC(*plug, 0, 0, 1, 2);
    EXPECT_TRUE(host.midi.empty()) << Describe(host.midi);

    // Another channel of the same port is not muted.
    plug->channel = 1;
    Session_SendCC(*plug, 0, 1, 1, 2);
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{CC(1, 1, 2)});
}

TEST_F(MidiOutTest, SendHelpersPackPortAndLowBits) {
    Session_SendNote(*plug, 7, 17, 0, 60, 90);
    Session_SendNote(*plug, 7, 17, 1, 60, 90);
    Session_SendProgram(*plug, 7, 2, 300);
    EXPECT_EQ(host.midi, (std::vector<std::uint32_t>{NoteOn(1, 60, 90, 7), NoteOff(1, 60, 0, 7),
                                                     PackMessage(0xC2, 300 & 0xFF, 0, 7)}));
}

TEST_F(MidiOutTest, SendNoteLogsWhileDebugging) {
    plug->debugLog = 1;
    Session_SendNote(*plug, 1, 2, 1, 60, 0);
    const auto lines = host.debugLines();
    ASSERT_EQ(lines.size(), 1U);
    char expected[128];
    std::snprintf(expected, sizeof(expected), "ZOLT Velmora [%p] : MIDI out 1 2 60 0 (1)", static_cast<void*>(plug.get()));
    EXPECT_EQ(lines[0], expected);
}

}  // namespace
}  // namespace velmora::test
