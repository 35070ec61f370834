// Pan, volume, pitch and the controller slots: what is sent, to which
// channels, and what the transport does.
#include <gtest/gtest.h>

#include "engine/channel_state.h"
#include "tests/support/instance_fixture.h"

namespace velmora::test {
namespace {

class ChannelStateTest : public ::testing::Test {
protected:
    RecordingHost host;
    PlugPtr plug = MakeInstance(host);
};

TEST_F(ChannelStateTest, PitchBendSpansPlusMinus1200Cents) {
    struct Row {
        int cents;
        int bend;
    };
    for (const Row r : {Row{1200, 16383}, Row{0, 8192}, Row{-1200, 0}, Row{600, 12288}, Row{5000, 16383},
                        Row{-5000, 0}}) {
        host.clearRecords();
        Session_ChannelEvent(*plug, plug::FPE_Pitch, r.cents);
        EXPECT_EQ(host.midi, std::vector<std::uint32_t>{Bend(0, r.bend)}) << r.cents << ": " << Describe(host.midi);
    }
}

TEST_F(ChannelStateTest, PanOnPerColourInstanceFollowsAllChannelOmni) {
    plug->channel = kChannelPerColour;
    Session_ChannelEvent(*plug, plug::FPE_Pan, 40);
    std::vector<std::uint32_t> all;
    for (int ch = 0; ch < 16; ++ch) {
        all.push_back(CC(ch, 10, 40));
    }
    EXPECT_EQ(host.midi, all);

    host.clearRecords();
    plug->allchannelomni = 0;
    Session_ChannelEvent(*plug, plug::FPE_Volume, 90);
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{CC(0, 7, 90)});
    EXPECT_EQ(plug->volume, 90);
}

TEST_F(ChannelStateTest, GhostingDecidesWhetherChannelValuesAreSent) {
    struct Row {
        int ghosting;
        int onTransport;
        int playing;
        bool sent;
    };
    const Row rows[] = {{0, 0, 0, true}, {0, 1, 1, true}, {1, 0, 0, false},
                        {1, 0, 1, false}, {1, 1, 0, false}, {1, 1, 1, true}};
    for (const Row& r : rows) {
        host.clearRecords();
        plug->ccghosting = r.ghosting;
        plug->ccghostontransport = r.onTransport;
        plug->playing = static_cast<std::uint8_t>(r.playing);
        Session_ChannelEvent(*plug, plug::FPE_Pan, 1);
        EXPECT_EQ(!host.midi.empty(), r.sent) << r.ghosting << r.onTransport << r.playing;
        EXPECT_EQ(plug->pan, 1);
    }
}

TEST_F(ChannelStateTest, OtherEventsAreIgnored) {
    EXPECT_EQ(Session_ChannelEvent(*plug, 7, 5), 0);
    EXPECT_TRUE(host.midi.empty());
}

TEST_F(ChannelStateTest, TransportStartSendsTheChannelStateAndForgetsWhatWasSent) {
    plug->channel = 3;
    Process().ports->program[plug->PortKeyOfInstance()] = 12;
    Process().ports->ccValue[plug->PortKeyOfInstance()][11] = 100;
    Session_Transport(*plug, 1);
    EXPECT_EQ(host.midi, (std::vector<std::uint32_t>{CC(3, 10, 0), CC(3, 7, 0), Bend(3, 8192), CC(3, 1, 127),
                                                     CC(3, 2, 127), CC(3, 11, 127), CC(3, 16, 127), CC(3, 21, 127),
                                                     CC(3, 64, 0)}))
        << Describe(host.midi);
    EXPECT_EQ(plug->playing, 1);
    EXPECT_EQ(Process().ports->program[plug->PortKeyOfInstance()], kNothingSent);
    EXPECT_EQ(Process().ports->ccValue[plug->PortKeyOfInstance()][11], kNoCCValue);
}

TEST_F(ChannelStateTest, TransportStartWithGhostingSendsNothing) {
    plug->ccghosting = 1;
    Session_Transport(*plug, 1);
    EXPECT_TRUE(host.midi.empty());
}

TEST_F(ChannelStateTest, ChannelStateSkipsOffAndUnassignedSlotsAndSendsCC128AsProgram) {
    plug->controllers.on[0] = 0;
    plug->controllers.cc[6] = kCCAsProgram;
    plug->controllers.value[6] = 33;
    Session_SendChannelState(*plug, 5, -1);
    EXPECT_EQ(host.midi, (std::vector<std::uint32_t>{CC(0, 2, 127), CC(0, 11, 127), CC(0, 16, 127), CC(0, 21, 127),
                                                     CC(0, 64, 0), Program(0, 33)}))
        << Describe(host.midi);
    host.clearRecords();
    Session_SendChannelState(*plug, 5, 11);
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{CC(0, 11, 127)});
}

TEST_F(ChannelStateTest, TransportStopReleasesHoldOnce) {
    plug->controllers.cc[7] = 64;
    plug->controllers.value[7] = 100;
    plug->controllers.value[5] = 127;
    plug->channel = 18;
    Session_Transport(*plug, 0);
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{CC(2, 64, 0)});
    EXPECT_EQ(plug->controllers.value[5], 0);
    EXPECT_EQ(plug->controllers.value[7], 0);
}

TEST_F(ChannelStateTest, TransportStopWithGhostingOrWithoutReleaseSendsNothing) {
    for (int ghost : {1, 0}) {
        host.clearRecords();
        plug->controllers.value[5] = 127;
        plug->ccghosting = ghost;
        plug->cc64release = ghost;  // ghosting on, or release off
        Session_Transport(*plug, 0);
        EXPECT_TRUE(host.midi.empty());
        EXPECT_EQ(plug->controllers.value[5], 127);
    }
}

TEST_F(ChannelStateTest, TransportStopKillsEveryVoice) {
    Play(*plug, host, 21, 60);
    Play(*plug, host, 22, 64);
    host.clearRecords();
    Session_Transport(*plug, 0);
    EXPECT_EQ(host.killRequests, (std::vector<std::intptr_t>{21, 22}));
    EXPECT_EQ(plug->playing, 0);
}

}  // namespace
}  // namespace velmora::test
