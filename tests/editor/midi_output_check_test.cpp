// Control and a right click under the General panel's sub-page labels send
// one message of each channel-message kind, straight to the host.
#include <cstdint>
#include <vector>

#include "tests/editor/command_fixture.h"

namespace velmora::test {
namespace {

struct MidiCheckCase {
    const char* what;
    int port;
    int channel;
    bool control;
    int x, y;
    std::uint32_t low;    // status bits 0-3
    std::uint32_t data1;  // empty words: nothing sent
    std::uint32_t data2;
    bool sent;
};

class MidiOutputCheck : public CommandTest, public ::testing::WithParamInterface<MidiCheckCase> {};

TEST_P(MidiOutputCheck, SendsSevenMessagesOnePerKind) {
    const MidiCheckCase& c = GetParam();
    plug->tab = 2;
    plug->port = c.port;
    plug->channel = c.channel;
    // A muted port and channel hears the check too.
    plug->Ports().mute[static_cast<std::size_t>(plug->PortKeyOfInstance())] = 1;
    if (c.control) {
        hold({kRightControlKey});
    }
    rightClick(c.x, c.y);
    std::vector<std::uint32_t> expected;
    if (c.sent) {
        for (std::uint32_t status = 0x80; status <= 0xE0; status += 0x10) {
            expected.push_back((status | c.low) | (c.data1 << 8) | (c.data2 << 16) |
                               (static_cast<std::uint32_t>(c.port) << 24));
        }
    }
    EXPECT_EQ(host.midi, expected) << Describe(host.midi);
    EXPECT_TRUE(host.dispatches.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, MidiOutputCheck, ::testing::Values(
    MidiCheckCase{"first channel", 0, 0, true, 28, 94, 0x0, 0x7F, 0x7F, true},
    MidiCheckCase{"bit 4 rides in data 2", 7, 21, true, 110, 104, 0x5, 0x7F, 0xFF, true},
    MidiCheckCase{"bit 5 rides in data 1", 200, 37, true, 60, 100, 0x5, 0xFF, 0x7F, true},
    MidiCheckCase{"last extended channel", 255, 63, true, 60, 100, 0xF, 0xFF, 0xFF, true},
    MidiCheckCase{"per-colour channel", 3, kChannelPerColour, true, 60, 100, 0x0, 0x7F, 0x7F, true},
    MidiCheckCase{"without control", 0, 0, false, 60, 100, 0, 0, 0, false},
    MidiCheckCase{"left of the area", 0, 0, true, 27, 100, 0, 0, 0, false},
    MidiCheckCase{"below the area", 0, 0, true, 60, 105, 0, 0, 0, false}),
    CaseName());

TEST_F(CommandTest, MidiOutputCheckOnlyOnTheGeneralPanel) {
    hold({kRightControlKey});
    for (const int tab : {0, 1}) {
        plug->tab = tab;
        rightClick(60, 100);
    }
    EXPECT_TRUE(host.midi.empty()) << Describe(host.midi);
}

}  // namespace
}  // namespace velmora::test
