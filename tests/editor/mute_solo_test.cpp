// The "Port" and "Channel" labels: muting this instance's port and channel,
// soloing it over the whole process's mute table, and both ignored while
// the host plays.
#include <algorithm>
#include <string>
#include <utility>

#include "tests/editor/command_fixture.h"

namespace velmora::test {
namespace {

constexpr int kLabelsX = 190, kLabelsY = 222;

class MuteSolo : public CommandTest {
protected:
    void SetUp() override {
        CommandTest::SetUp();
        plug->port = 3;
        plug->channel = 4;
    }
    std::uint8_t& muted(int port, int channel) { return plug->Ports().mute[static_cast<std::size_t>(PortKey(port, channel))]; }
    std::uint8_t& own() { return plug->Ports().mute[static_cast<std::size_t>(plug->PortKeyOfInstance())]; }
    // How many keys other than this instance's are muted, and how many are not.
    std::pair<int, int> othersMutedUnmuted() {
        int on = 0, off = 0;
        const auto& mute = plug->Ports().mute;
        for (std::size_t k = 0; k < mute.size(); ++k) {
            if (k != static_cast<std::size_t>(plug->PortKeyOfInstance())) {
                (mute[k] != 0 ? on : off) += 1;
            }
        }
        return {on, off};
    }
    void solo() {
        hold({kRightControlKey});
        leftClick(kLabelsX, kLabelsY);
        hold({});
    }
};

TEST_F(MuteSolo, AClickMutesAndUnmutesThisPortAndChannelOnly) {
    const int repaints = WholeRepaints(*plug);
    leftClick(156, 217);
    EXPECT_EQ(own(), 1);
    EXPECT_EQ(othersMutedUnmuted().first, 0);
    leftClick(229, 228);
    EXPECT_EQ(own(), 0);
    EXPECT_EQ(statusTexts(), (std::vector<std::string>{"Port 3, Channel 5 muted", "Port 3, Channel 5 unmuted"}));
    EXPECT_EQ(WholeRepaints(*plug), repaints + 2);
    EXPECT_EQ(stateChanges(), 0U) << "the mute table is not saved with the project";
}

TEST_F(MuteSolo, APerColourInstanceMutesItsOwnKey) {
    plug->port = 2;
    plug->channel = kChannelPerColour;
    leftClick(kLabelsX, kLabelsY);
    EXPECT_EQ(muted(2, kChannelPerColour), 1);
    EXPECT_EQ(muted(2, 0), 0);
    EXPECT_EQ(statusTexts(), (std::vector<std::string>{"Port 2, Channel 257 muted"}));
}

TEST_F(MuteSolo, ClicksAreIgnoredWhilePlaying) {
    plug->playing = 1;
    leftClick(kLabelsX, kLabelsY);
    solo();
    EXPECT_EQ(own(), 0);
    EXPECT_EQ(othersMutedUnmuted().first, 0);
    EXPECT_TRUE(host.dispatches.empty());
}

TEST_F(MuteSolo, OutsideTheLabelsNothingIsMuted) {
    for (const auto& [x, y] : {std::pair{155, 222}, std::pair{230, 222}, std::pair{190, 216}, std::pair{190, 229}}) {
        leftClick(x, y);
    }
    EXPECT_EQ(own(), 0);
    EXPECT_TRUE(statusTexts().empty());
}

// Which keys are unmuted before the solo.
enum class Unmuted { Everything, OnlyThisKey, Nothing, OneKeyOfPort255 };

struct SoloCase {
    const char* what;
    Unmuted before;
    bool othersMuted;  // after the solo
    const char* status;
};

class Solo : public MuteSolo, public ::testing::WithParamInterface<SoloCase> {};

TEST_P(Solo, MutesEveryOtherKeyOrUnmutesThemAll) {
    const SoloCase& c = GetParam();
    auto& mute = plug->Ports().mute;
    std::fill(mute.begin(), mute.end(), c.before == Unmuted::Everything ? 0 : 1);
    if (c.before == Unmuted::OnlyThisKey) {
        own() = 0;
    } else if (c.before == Unmuted::OneKeyOfPort255) {
        muted(255, 63) = 0;
    }
    solo();
    EXPECT_EQ(own(), 0);
    const auto [mutedOthers, unmutedOthers] = othersMutedUnmuted();
    EXPECT_EQ(mutedOthers, c.othersMuted ? kPortKeys - 1 : 0);
    EXPECT_EQ(unmutedOthers, c.othersMuted ? 0 : kPortKeys - 1);
    EXPECT_EQ(muted(255, 63), c.othersMuted ? 1 : 0) << "port 255 like every other port";
    EXPECT_EQ(muted(255, kChannelPerColour), c.othersMuted ? 1 : 0);
    EXPECT_EQ(statusTexts(), (std::vector<std::string>{c.status}));
}

INSTANTIATE_TEST_SUITE_P(Table, Solo, ::testing::Values(
    SoloCase{"nothing muted", Unmuted::Everything, true, "Port 3, Channel 5 is now solo"},
    SoloCase{"only this key unmuted", Unmuted::OnlyThisKey, false, "All ports/channels unmuted"},
    SoloCase{"everything muted, this key too", Unmuted::Nothing, false, "All ports/channels unmuted"},
    SoloCase{"one key of port 255 left unmuted", Unmuted::OneKeyOfPort255, true, "Port 3, Channel 5 is now solo"}),
    CaseName());

TEST_F(MuteSolo, ASecondSoloUnmutesWhatTheFirstMutedInEveryInstance) {
    RecordingHost otherHost;
    PlugPtr other = MakeInstance(otherHost, 2, platform);
    other->port = 255;
    other->channel = 9;
    const auto otherKey = static_cast<std::size_t>(other->PortKeyOfInstance());
    solo();
    EXPECT_EQ(plug->Ports().mute[otherKey], 1) << "the other instance is silenced";
    solo();
    EXPECT_EQ(plug->Ports().mute[otherKey], 0);
    EXPECT_EQ(othersMutedUnmuted().first, 0);
    EXPECT_EQ(statusTexts(), (std::vector<std::string>{"Port 3, Channel 5 is now solo", "All ports/channels unmuted"}));
}

}  // namespace
}  // namespace velmora::test
