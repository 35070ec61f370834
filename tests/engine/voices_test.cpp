// Notes from the host to MIDI: articulation by colour and bank, note-on and
// note-off, the CC timing fix and the learning of played notes.
#include <gtest/gtest.h>

#include "engine/param_change.h"
#include "engine/voices.h"
#include "tests/support/host_window_tree.h"
#include "tests/support/instance_fixture.h"

namespace velmora::test {
namespace {

class VoicesTest : public ::testing::Test {
protected:
    RecordingHost host;
    PlugPtr plug = MakeInstance(host);
};

TEST_F(VoicesTest, VelocityAndNoteFromTheLevels) {
    struct Row {
        float level;
        int velocity;
    };
    int tag = 1;
    for (const Row r : {Row{1.0f, 100}, Row{0.0f, 1}, Row{0.5f, 74}, Row{2.0f, 127}, Row{2.6f, 127}}) {
        host.clearRecords();
        Play(*plug, host, tag++, 60, 0, r.level);
        EXPECT_EQ(host.midi, std::vector<std::uint32_t>{NoteOn(0, 60, r.velocity)}) << r.level;
    }
}

TEST_F(VoicesTest, ReleaseSendsNoteOffWithReleaseVelocityAndAsksForTheKill) {
    const TVoiceHandle h = Play(*plug, host, 7, 64);
    host.releaseVelocities[7] = 0.5f;
    Voice_Release(*plug, h);
    EXPECT_EQ(host.midi.back(), NoteOff(0, 64, 63));
    EXPECT_EQ(host.killRequests, std::vector<std::intptr_t>{7});
    Voice_Kill(*plug, h);
    EXPECT_EQ(host.midi.size(), 2U) << "a released voice is not turned off twice";
    EXPECT_EQ(plug->voices.liveCount(), 0);
}

TEST_F(VoicesTest, KillOfAVoiceStillSoundingTurnsItOff) {
    const TVoiceHandle h = Play(*plug, host, 7, 64);
    Voice_Kill(*plug, h);
    EXPECT_EQ(host.midi, (std::vector<std::uint32_t>{NoteOn(0, 64, 100), NoteOff(0, 64, 0)}));
    Voice_Kill(*plug, h);
    Voice_Release(*plug, h);
    EXPECT_EQ(host.midi.size(), 2U) << "a dead handle does nothing";
}

TEST_F(VoicesTest, OverlappingNotesOfOneKeySendOneNoteOff) {
    plug->allowoverlap = 1;
    host.killThrough = [this](TVoiceHandle h) { Voice_Kill(*plug, h); };
    const TVoiceHandle a = Play(*plug, host, 1, 60);
    const TVoiceHandle b = Play(*plug, host, 2, 60);
    host.clearRecords();
    Voice_Release(*plug, a);
    EXPECT_TRUE(host.midi.empty());
    Voice_Release(*plug, b);
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{NoteOff(0, 60)});

    // Without the option each release turns its note off.
    plug->allowoverlap = 0;
    const TVoiceHandle c = Play(*plug, host, 3, 60);
    const TVoiceHandle d = Play(*plug, host, 4, 60);
    host.clearRecords();
    Voice_Release(*plug, c);
    Voice_Release(*plug, d);
    EXPECT_EQ(host.midi.size(), 2U);
}

TEST_F(VoicesTest, ColourPicksTheArticulationAndTheSwitchPrecedesTheNote) {
    plug->articulations.note[3] = 24;
    Play(*plug, host, 1, 60, 3);
    EXPECT_EQ(host.midi, (std::vector<std::uint32_t>{NoteOn(0, 24, 127), NoteOff(0, 24), NoteOn(0, 60, 100)}));
    EXPECT_EQ(plug->currentArticulation, 3);
}

TEST_F(VoicesTest, BanksFromModX) {
    plug->articbanks = 1;
    struct Row {
        float modx;
        int bank;
    };
    int tag = 1;
    for (const Row r : {Row{-1.0f, 0}, Row{-0.4f, 1}, Row{0.0f, 0}, Row{0.2f, 2}, Row{0.6f, 3}, Row{1.0f, 3}}) {
        for (int a = 0; a < kArticulations; ++a) {
            plug->articulations.prog[a] = a;
        }
        host.clearRecords();
        Process().ports = std::make_unique<SharedPortState>();
        Play(*plug, host, tag++, 60, 2, 1.0f, r.modx);
        EXPECT_EQ(plug->currentBank, r.bank) << r.modx;
        ASSERT_FALSE(host.midi.empty());
        EXPECT_EQ(host.midi.front(), Program(0, 2 + 16 * r.bank)) << r.modx;
    }
}

TEST_F(VoicesTest, WithoutBanksModXIsIgnored) {
    plug->articulations.prog[2] = 9;
    Play(*plug, host, 1, 60, 2, 1.0f, 0.9f);
    EXPECT_EQ(host.midi.front(), Program(0, 9));
    EXPECT_EQ(plug->currentBank, 0);
}

TEST_F(VoicesTest, PerColourChannelSendsTheNoteOnTheColourChannel) {
    plug->channel = kChannelPerColour;
    const TVoiceHandle h = Play(*plug, host, 1, 60, 3);
    Voice_Release(*plug, h);
    EXPECT_EQ(host.midi, (std::vector<std::uint32_t>{NoteOn(3, 60, 100), NoteOff(3, 60)}));
}

TEST_F(VoicesTest, ReleaseVelocityCcComesFirst) {
    plug->releasetocc117 = 1;
    plug->articulations.prog[0] = 4;
    host.releaseVelocities[1] = 1.0f;
    Play(*plug, host, 1, 60);
    EXPECT_EQ(host.midi, (std::vector<std::uint32_t>{CC(0, 17, 127), Program(0, 4), NoteOn(0, 60, 100)}));
}

TEST_F(VoicesTest, PlayVelocityModifierReplacesTheVelocity) {
    plug->articulations.modc[1] = kModPlayVelocity;
    plug->articulations.modw[1] = 33;
    Play(*plug, host, 1, 60, 1);
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{NoteOn(0, 60, 33)});
}

TEST_F(VoicesTest, ForcedArticulationParameterPlaysWithoutSwitchOrPlayVelocity) {
    plug->articulations.modc[4] = kModPlayVelocity;
    plug->articulations.modw[4] = 20;
    plug->articulations.note[4] = 30;
    ProcessParam(*plug, 128, 10, plug::REC_UpdateValue);  // ⌊10 × 64 / 127⌋ = 5: articulation 4
    EXPECT_EQ(plug->articulationParam, 5);
    EXPECT_EQ(plug->currentArticulation, 4);
    EXPECT_EQ(host.midi, (std::vector<std::uint32_t>{NoteOn(0, 30, 127), NoteOff(0, 30)}));
    host.clearRecords();
    plug->articulations.note[7] = 40;
    Play(*plug, host, 1, 60, 7);
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{NoteOn(0, 60, 100)});
}

TEST_F(VoicesTest, CcTimingFixDelaysNotesToTheFifthTick) {
    plug->cctimingfix = 1;
    plug->articulations.modc[1] = 1;
    plug->articulations.modw[1] = 20;
    const TVoiceHandle first = Play(*plug, host, 1, 60, 1);
    const TVoiceHandle second = Play(*plug, host, 2, 62, 1);  // same tick: waits too
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{CC(0, 1, 20)});
    Voice_Release(*plug, second);  // before its note-on
    EXPECT_TRUE(host.killRequests.empty());
    for (int tick = 1; tick <= 4; ++tick) {
        NewTick(*plug);
        EXPECT_EQ(host.midi.size(), 1U) << "tick " << tick;
    }
    NewTick(*plug);
    EXPECT_EQ(host.midi, (std::vector<std::uint32_t>{CC(0, 1, 20), NoteOn(0, 60, 100), NoteOn(0, 62, 100)}));
    NewTick(*plug);  // the released one stops one tick after its note-on
    EXPECT_EQ(host.midi.back(), NoteOff(0, 62));
    EXPECT_EQ(host.killRequests, std::vector<std::intptr_t>{2});
    Voice_Release(*plug, first);
    EXPECT_EQ(host.midi.back(), NoteOff(0, 60));
}

TEST_F(VoicesTest, CcTimingFixDoesNotDelayNotesAfterTheTick) {
    plug->cctimingfix = 1;
    plug->articulations.modc[1] = 1;
    plug->articulations.modw[1] = 20;
    Play(*plug, host, 1, 60, 1);
    NewTick(*plug);
    host.clearRecords();
    Play(*plug, host, 2, 64, 1);  // no switch now
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{NoteOn(0, 64, 100)});
}

TEST_F(VoicesTest, WithoutTimingFixNoteOnIsImmediateEvenAfterCc) {
    plug->articulations.modc[1] = 1;
    plug->articulations.modw[1] = 20;
    Play(*plug, host, 1, 60, 1);
    EXPECT_EQ(host.midi, (std::vector<std::uint32_t>{CC(0, 1, 20), NoteOn(0, 60, 100)}));
}

TEST_F(VoicesTest, OutOfVoicesReturnsZeroAndSendsNothing) {
    for (int i = 0; i < kVoiceSlots; ++i) {
        TVoiceParams p = Levels(1.0f);
        ASSERT_NE(TriggerVoice(*plug, &p, i + 1), 0);
    }
    host.clearRecords();
    plug->debugLog = 1;
    plug->articulations.note[0] = 30;
    TVoiceParams p = Levels(1.0f);
    EXPECT_EQ(TriggerVoice(*plug, &p, 999999), 0);
    EXPECT_TRUE(host.midi.empty());
    const auto lines = host.debugLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.back().find("ERROR: ZOLT Instance out of voices"), std::string::npos);
}

TEST_F(VoicesTest, DraggedFieldLearnsThePlayedNote) {
    plug->editing = 5;
    plug->savedCursor = plug.get();  // any cursor: a drag is in progress
    plug->dragTarget = kDragKeyswitch;
    Play(*plug, host, 1, 48);
    EXPECT_EQ(plug->articulations.note[5], 48);
    plug->dragTarget = kDragKeyswitchVelocity;
    Play(*plug, host, 2, 48, 0, 0.5f);
    EXPECT_EQ(plug->articulations.notev[5], 74);
    plug->dragTarget = kDragModifierValue;
    plug->articulations.modc[5] = kModSecondKeyswitch;
    Play(*plug, host, 3, 50);
    EXPECT_EQ(plug->articulations.modw[5], 50);
    plug->articulations.modc[5] = kModPlayVelocity;
    Play(*plug, host, 4, 50, 0, 1.0f);
    EXPECT_EQ(plug->articulations.modw[5], 100);
    plug->articulations.modc[5] = 11;  // a CC value is not learned
    Play(*plug, host, 5, 70);
    EXPECT_EQ(plug->articulations.modw[5], 100);
    EXPECT_EQ(host.callsWithId(plug::FHD_StateChanged).size(), 4U);

    plug->savedCursor = nullptr;  // drag over
    plug->dragTarget = kDragKeyswitch;
    Play(*plug, host, 6, 72);
    EXPECT_EQ(plug->articulations.note[5], 48);
}

// A Shift-click below the piano roll's colour window: the host plays the
// clicked note.
TEST(PianoRollClick, ShiftClickRecordsNoteAndColour) {
    HostWindowTree tree;
    tree.windows.placeCursor({150, 300});
    tree.windows.hold(0x01, true);
    tree.windows.hold(0xA0, true);
    HostWindowsPlatform platform(tree.windows);
    RecordingHost host;
    auto plug = MakeInstance(host, 1, platform);
    Play(*plug, host, 1, 61, 4);
    EXPECT_EQ(plug->clickedNote, -1) << "no host main window: no piano roll";
    EXPECT_TRUE(tree.windows.log().empty());

    Process().hostMainWindow = tree.main;
    plug->articbanks = 1;
    plug->currentBank = 2;
    Play(*plug, host, 2, 62, 4, 1.0f, 0.0f);
    EXPECT_EQ(plug->clickedNote, 62);
    EXPECT_EQ(plug->clickedColour, 4 + 32) << "the bank of the previous note";

    // A note the host plays while the pointer is elsewhere leaves the mark alone.
    tree.windows.placeCursor({150, 100});
    Play(*plug, host, 3, 70, 9);
    EXPECT_EQ(plug->clickedNote, 62);
    EXPECT_EQ(plug->clickedColour, 36);
}

}  // namespace
}  // namespace velmora::test
