// Switching the sampler: only what the port/channel does not have yet, in
// the fixed order, shared between instances.
#include <gtest/gtest.h>

#include "engine/articulation_switch.h"
#include "engine/voices.h"
#include "tests/support/instance_fixture.h"

namespace velmora::test {
namespace {

class SwitchTest : public ::testing::Test {
protected:
    void SetArticulation(int a, int prog, int note, int notev, int modc, int modw) {
        ArticulationTable& t = plug->articulations;
        t.prog[a] = prog;
        t.note[a] = note;
        t.notev[a] = notev;
        t.modc[a] = modc;
        t.modw[a] = modw;
    }
    RecordingHost host;
    PlugPtr plug = MakeInstance(host);
};

TEST_F(SwitchTest, FullSwitchFromAFreshPortThenNothingAgain) {
    SetArticulation(0, 5, 24, 100, 32, 7);
    EXPECT_EQ(Session_CheckArticulation(*plug, 0), 2);
    EXPECT_EQ(host.midi, (std::vector<std::uint32_t>{Program(0, 5), NoteOn(0, 24, 100), NoteOff(0, 24), CC(0, 32, 7)}))
        << Describe(host.midi);
    host.clearRecords();
    EXPECT_EQ(Session_CheckArticulation(*plug, 0), 0);
    EXPECT_TRUE(host.midi.empty());
}

TEST_F(SwitchTest, ResultCodes) {
    struct Row {
        const char* what;
        int prog, note, notev, modc, modw;
        int result;
    };
    const Row rows[] = {
        {"nothing set", -1, -1, 127, -1, -1, 0},
        {"program only", 3, -1, 127, -1, -1, 1},
        {"keyswitch only", -1, 30, 127, -1, -1, 1},
        {"CC only", -1, -1, 127, 1, 20, 2},
        {"second keyswitch", -1, -1, 127, kModSecondKeyswitch, 40, 1},
        {"play velocity sends nothing", -1, -1, 127, kModPlayVelocity, 50, 0},
        {"CC kind without number", -1, -1, 127, kModNoCC, 20, 0},
    };
    for (const Row& r : rows) {
        Process().ports = std::make_unique<SharedPortState>();
        SetArticulation(1, r.prog, r.note, r.notev, r.modc, r.modw);
        EXPECT_EQ(Session_CheckArticulation(*plug, 1), r.result) << r.what;
    }
}

TEST_F(SwitchTest, TwoInstancesOnOnePortChannelShareTheSwitch) {
    auto other = MakeInstance(host, 2);
    other->port = plug->port;
    other->channel = plug->channel;
    SetArticulation(0, -1, 24, 100, -1, -1);
    other->articulations.note[0] = 24;
    other->articulations.notev[0] = 100;
    EXPECT_EQ(Session_CheckArticulation(*plug, 0), 1);
    host.clearRecords();
    EXPECT_EQ(Session_CheckArticulation(*other, 0), 0);
    EXPECT_TRUE(host.midi.empty());
    // An instance on another channel has its own record.
    other->channel = 5;
    EXPECT_EQ(Session_CheckArticulation(*other, 0), 1);
}

TEST_F(SwitchTest, SecondKeyswitchFollowsAChangedFirstKeyswitch) {
    SetArticulation(0, -1, 24, 127, kModSecondKeyswitch, 30);
    SetArticulation(1, -1, 25, 127, kModSecondKeyswitch, 30);
    Session_CheckArticulation(*plug, 0);
    host.clearRecords();
    EXPECT_EQ(Session_CheckArticulation(*plug, 1), 1);
    EXPECT_EQ(host.midi, (std::vector<std::uint32_t>{NoteOn(0, 25, 127), NoteOff(0, 25), NoteOn(0, 30, 127),
                                                     NoteOff(0, 30)}))
        << Describe(host.midi);
}

TEST_F(SwitchTest, SecondKeyswitchOnlyAfterAnotherFirstKeyswitch) {
    SetArticulation(0, -1, 24, 127, -1, -1);
    SetArticulation(1, -1, -1, 127, kModSecondKeyswitch, 30);
    Session_CheckArticulation(*plug, 0);
    host.clearRecords();
    EXPECT_EQ(Session_CheckArticulation(*plug, 1), 1);
    EXPECT_EQ(host.midi, (std::vector<std::uint32_t>{NoteOn(0, 30, 127), NoteOff(0, 30)}));
}

TEST_F(SwitchTest, ProgramChangeResendsKeyswitchAndModifier) {
    SetArticulation(0, 1, 24, 100, 32, 7);
    SetArticulation(1, 2, 24, 100, 32, 7);
    Session_CheckArticulation(*plug, 0);
    host.clearRecords();
    EXPECT_EQ(Session_CheckArticulation(*plug, 1), 2);
    EXPECT_EQ(host.midi, (std::vector<std::uint32_t>{Program(0, 2), NoteOn(0, 24, 100), NoteOff(0, 24), CC(0, 32, 7)}));
}

TEST_F(SwitchTest, KeyswitchVelocityAloneCountsAsChange) {
    SetArticulation(0, -1, 24, 100, -1, -1);
    SetArticulation(1, -1, 24, 60, -1, -1);
    Session_CheckArticulation(*plug, 0);
    host.clearRecords();
    EXPECT_EQ(Session_CheckArticulation(*plug, 1), 1);
    EXPECT_EQ(host.midi, (std::vector<std::uint32_t>{NoteOn(0, 24, 60), NoteOff(0, 24)}));
}

TEST_F(SwitchTest, ResetStateResendsWhatTheOtherArticulationDidNotUse) {
    SetArticulation(0, -1, 24, 127, -1, -1);  // A: keyswitch
    SetArticulation(1, -1, -1, -1, 1, 50);    // B: CC only
    for (int reset : {1, 0}) {
        Process().ports = std::make_unique<SharedPortState>();
        plug->resetstate = reset;
        Session_CheckArticulation(*plug, 0);
        Session_CheckArticulation(*plug, 1);
        host.clearRecords();
        Session_CheckArticulation(*plug, 0);
        if (reset != 0) {
            EXPECT_EQ(host.midi, (std::vector<std::uint32_t>{NoteOn(0, 24, 127), NoteOff(0, 24)}));
        } else {
            EXPECT_TRUE(host.midi.empty()) << Describe(host.midi);
        }
    }
}

TEST_F(SwitchTest, HeldKeyswitchWaitsForTheTicks) {
    plug->holdkeyswitch = 1;
    plug->samplesPerTick = 150.0f;
    SetArticulation(0, -1, 24, 127, -1, -1);
    Session_CheckArticulation(*plug, 0);
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{NoteOn(0, 24, 127)});
    host.clearRecords();
    NewTick(*plug);  // 250 left
    NewTick(*plug);  // 100 left
    EXPECT_TRUE(host.midi.empty());
    NewTick(*plug);  // 450 summed: released
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{NoteOff(0, 24)});
    host.clearRecords();
    NewTick(*plug);
    EXPECT_TRUE(host.midi.empty());
}

TEST_F(SwitchTest, HeldKeyswitchReleasedExactlyAt400) {
    plug->holdkeyswitch = 1;
    plug->samplesPerTick = 100.0f;
    SetArticulation(0, -1, 24, 127, -1, -1);
    Session_CheckArticulation(*plug, 0);
    host.clearRecords();
    for (int tick = 1; tick <= 3; ++tick) {
        NewTick(*plug);
    }
    EXPECT_TRUE(host.midi.empty());
    NewTick(*plug);
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{NoteOff(0, 24)});
}

TEST_F(SwitchTest, PerColourInstanceSendsKeyswitchesOnTheColourChannel) {
    plug->channel = kChannelPerColour;
    SetArticulation(19, 4, 24, 90, 1, 10);  // colour 3 of bank 1
    Session_CheckArticulation(*plug, 19);
    EXPECT_EQ(host.midi, (std::vector<std::uint32_t>{Program(0, 4), NoteOn(3, 24, 90), NoteOff(3, 24), CC(0, 1, 10)}));
}

TEST_F(SwitchTest, DebugLinesNameWhatChanged) {
    plug->debugLog = 1;
    SetArticulation(2, 5, 24, 100, 32, 7);
    Session_CheckArticulation(*plug, 2);
    char prefix[64];
    std::snprintf(prefix, sizeof(prefix), "ZOLT Velmora [%p] : ", static_cast<void*>(plug.get()));
    const std::vector<std::string> expected = {
        std::string(prefix) + "Session_CheckArticulation(2) : PROG changed from 255 to 5",
        std::string(prefix) + "Session_CheckArticulation(2) : KS1 changed from 255:255 to 24:100",
        std::string(prefix) + "MIDI out 0 0 24 100 (0)",
        std::string(prefix) + "MIDI out 0 0 24 0 (1)",
        std::string(prefix) + "Session_CheckArticulation(2) : CC32 changed from 255 to 7",
    };
    EXPECT_EQ(host.debugLines(), expected);
}

}  // namespace
}  // namespace velmora::test
