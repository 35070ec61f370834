// Host automation becoming control changes, in both parameter layouts.
#include <gtest/gtest.h>

#include "engine/param_change.h"
#include "tests/support/instance_fixture.h"

namespace velmora::test {
namespace {

class ParamChangeTest : public ::testing::Test {
protected:
    void Change(int index, int value) { ProcessParam(*plug, index, value, plug::REC_UpdateValue); }
    RecordingHost host;
    PlugPtr plug = MakeInstance(host);
};

TEST_F(ParamChangeTest, CcLayoutSendsSlotsThroughTheChannelStateAndRecordsTheValue) {
    Change(11, 90);  // Expression slot
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{CC(0, 11, 90)});
    EXPECT_EQ(plug->controllers.value[2], 90);
    EXPECT_EQ(Process().ports->ccValue[plug->PortKeyOfInstance()][11], 90);
}

TEST_F(ParamChangeTest, CcWithoutSlotIsSentDirectly) {
    plug->channel = 19;
    Change(7, 50);
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{CC(3, 7, 50)});
    EXPECT_EQ(Process().ports->ccValue[plug->PortKeyOfInstance()][7], kNoCCValue);
}

TEST_F(ParamChangeTest, OldParamsShiftsTheCcNumber) {
    plug->oldparams = 1;
    Change(0, 70);  // parameter 0 meant CC 1
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{CC(0, 1, 70)});
    EXPECT_EQ(plug->controllers.value[0], 70);
}

TEST_F(ParamChangeTest, LockedSlotKeepsItsValue) {
    plug->controllers.lock[2] = 1;
    plug->controllers.value[2] = 40;
    Change(11, 90);
    EXPECT_EQ(plug->controllers.value[2], 40);
    // The lock holds the sampler at the slot's value instead of the automation's.
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{CC(0, 11, 40)});
}

TEST_F(ParamChangeTest, Cc128SlotSendsTheValueAsProgramChange) {
    plug->oldparams = 1;
    plug->controllers.cc[6] = kCCAsProgram;
    Change(127, 17);  // CC number 127 + 1
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{Program(0, 17)}) << Describe(host.midi);
    EXPECT_EQ(plug->controllers.value[6], 127) << "the slot's value is not changed";
}

TEST_F(ParamChangeTest, OptimiseAutomationDropsRepeatsOnlyWhilePlaying) {
    struct Row {
        int optimise;
        int playing;
        std::size_t sent;  // of two equal values
    };
    for (const Row r : {Row{1, 1, 1}, Row{1, 0, 2}, Row{0, 1, 2}}) {
        plug->optimiseauto = r.optimise;
        plug->playing = static_cast<std::uint8_t>(r.playing);
        Process().ports->ccValue[plug->PortKeyOfInstance()].fill(kNoCCValue);
        host.clearRecords();
        Change(1, 64);
        Change(1, 64);
        EXPECT_EQ(host.midi.size(), r.sent) << r.optimise << r.playing;
    }
}

TEST_F(ParamChangeTest, OptimiseAutomationSeesValuesOfOtherInstancesOnTheSameChannel) {
    auto other = MakeInstance(host, 2);
    other->channel = plug->channel;
    plug->playing = other->playing = 1;
    ProcessParam(*other, 1, 64, plug::REC_UpdateValue);
    host.clearRecords();
    Change(1, 64);
    EXPECT_TRUE(host.midi.empty());
    // A CC without a slot is always sent.
    Change(7, 3);
    Change(7, 3);
    EXPECT_EQ(host.midi.size(), 2U);
}

TEST_F(ParamChangeTest, ArticulationParameterSendsNoCc) {
    Change(128, 64);
    EXPECT_TRUE(host.midi.empty());
}

TEST_F(ParamChangeTest, SlotLayoutSendsTheSlotDirectly) {
    plug->paramknob = 1;
    plug->articulationParamIndex = 96;
    plug->controllers.cc[7] = kCCAsProgram;
    plug->controllers.cc[8] = 74;
    plug->controllers.lock[8] = 1;
    Change(2, 80);  // slot 2: Expression
    Change(7, 5);   // program slot
    Change(8, 9);   // locked
    Change(9, 9);   // unassigned
    EXPECT_EQ(host.midi, (std::vector<std::uint32_t>{CC(0, 11, 80), Program(0, 5)})) << Describe(host.midi);
    EXPECT_EQ(plug->controllers.value[2], 80);
    EXPECT_EQ(plug->controllers.value[8], 127);
    EXPECT_EQ(Process().ports->ccValue[plug->PortKeyOfInstance()][11], kNoCCValue) << "no CC table in this layout";
}

}  // namespace
}  // namespace velmora::test
