// Which hint the host gets for a position, and when it gets it.
#include "editor/hints.h"
#include "tests/editor/editor_fixture.h"

namespace velmora::test {
namespace {

struct HintCase {
    const char* what;
    int tab, page;
    int x, y;
    std::function<void(Instance&, RecordingHost&)> set;
    const char* text;
};

class HintRegions : public EditorTest, public ::testing::WithParamInterface<HintCase> {};

TEST_P(HintRegions, TextAtPosition) {
    const HintCase& c = GetParam();
    plug->tab = c.tab;
    plug->processState->generalPage = c.page;
    if (c.set) c.set(*plug, host);
    EXPECT_EQ(editor::HintAt(*plug, c.x, c.y).text, c.text);
}

void Named(Instance& p, RecordingHost&) { p.articulations.name[3] = "Spiccato"; }
void Table(Instance& p, RecordingHost&) { p.articulations.keyNames[0].names = std::make_unique<KeyNames>(); }
void OldHost(Instance&, RecordingHost& h) { h.HostVersion = 11000000; }
void SecondKeyswitch(Instance& p, RecordingHost&) { p.articulations.modc[0] = -2; }
void Velocity(Instance& p, RecordingHost&) { p.articulations.modc[0] = -3; }
void Unassigned(Instance& p, RecordingHost&) {
    for (int s = 0; s < 6; ++s) p.controllers.cc[s] = kUnassignedCC;
}
void Slots(Instance& p, RecordingHost&) {
    p.controllers.cc[0] = 11;
    p.controllers.value[0] = 90;
    p.controllers.name[0] = "Expression";
}

const char* kMute = "Click to toggle if this ZOLT Velmora instance is muted. Hold CTRL and click to toggle solo";

INSTANTIATE_TEST_SUITE_P(Table, HintRegions, ::testing::Values(
    HintCase{"unnamed cell", 0, 0, 10, 10, nullptr, "Articulation 1. Edit the properties below or right click for more"},
    HintCase{"named cell", 1, 0, 9 + 28 * 3, 20, Named, "Spiccato - An articulation. Edit the properties below or right click for more"},
    HintCase{"no grid on the General panel", 2, 0, 10, 20, nullptr, ""},
    HintCase{"pan", 2, 1, 120, 122, nullptr, "Toggle whether pan, volume and pitch are sent over this channel"},
    HintCase{"midi extend edge", 2, 2, 28, 146, nullptr, "Utilise MIDI Extend to use up to 64 MIDI channels through one port"},
    HintCase{"left of midi extend", 2, 2, 27, 140, nullptr, ""},
    HintCase{"preserve", 2, 0, 110, 132, nullptr, "Preserve port and channel when switching between presets"},
    HintCase{"single editor", 2, 0, 130, 140, nullptr, "Only ever show a single Velmora editor in FL Studio to reduce clutter"},
    HintCase{"single editor on old host", 2, 0, 130, 140, OldHost, ""},
    HintCase{"http", 2, 2, 10, 122, nullptr, "Enable the HTTP based API (http://localhost:8000/api)"},
    HintCase{"sustain", 2, 1, 10, 170, nullptr, "Release any sustain peddle controllers held down when the transport stops"},
    HintCase{"pages", 1, 0, 6, 102, nullptr, "Change between the various controller pages to configure more controls. Right click to rename"},
    HintCase{"first slot unassigned", 1, 0, 180, 110, Unassigned, "A parameter controller. Right click to configure"},
    HintCase{"first slot", 1, 0, 230, 125, Slots, "Expression (CC 11 @ 90) - A parameter controller. Right click to configure"},
    HintCase{"fifth well", 1, 0, 12 + 45 * 4, 161, Unassigned, "A parameter controller. Right click to configure"},
    HintCase{"key names", 0, 0, 220, 110, nullptr, "Create, load or save custom keyboard naming schemes. Right click to configure"},
    HintCase{"remove key names", 0, 0, 220, 110, Table, "Remove a custom or loaded keyboard naming scheme map"},
    HintCase{"key names left of the button", 0, 0, 214, 110, Table, "Create, load or save custom keyboard naming schemes. Right click to configure"},
    HintCase{"mute on the picker", 3, 0, 160, 220, nullptr, kMute},
    HintCase{"third tab", 3, 0, 97, 200, nullptr, "Switch to the general configuration panel"},
    HintCase{"icon", 0, 0, 20, 140, nullptr, "Configure the icon for this articulation. Left-click drag to change, right click for manual entry"},
    HintCase{"cc number", 0, 0, 120, 140, nullptr, "Set a CC when playing notes of this articulation. Left-click drag to change, right click for manual entry"},
    HintCase{"cc gap", 0, 0, 147, 140, nullptr, ""},
    HintCase{"second keyswitch", 0, 0, 130, 140, SecondKeyswitch, "Configure the secondary keyswitch. Left-click drag to change, right click for manual entry"},
    HintCase{"velocity", 0, 0, 130, 140, Velocity, "Configure the velocity used for notes of this articulation. Left-click drag to change, right click for manual entry"},
    HintCase{"program", 0, 0, 200, 140, nullptr, "Send a program change command when playing notes of this articulation. Left-click drag to change, right click for manual entry"},
    HintCase{"port", 2, 0, 160, 200, nullptr, "Set the port for this instance of ZOLT Velmora. Left-click drag to change, right click for manual entry"},
    HintCase{"channel", 1, 0, 224, 215, nullptr, "Set the channel for this instance of ZOLT Velmora. Left-click drag to change, right click for manual entry"},
    HintCase{"name below the key names row", 0, 0, 50, 122, nullptr, "Configure the name of this articulation. Right click to change"},
    HintCase{"no name on the controller panel", 1, 0, 50, 122, nullptr, ""},
    HintCase{"reset state", 2, 2, 200, 125, nullptr, "Make sure that keyswitches, CCs and control changes are always made when switching articulation"}),
    CaseName());

TEST_F(EditorTest, SameRegionIsSentOnceAndEmptyOnce) {
    plug->tab = 0;
    editor::UpdateHint(*plug, 10, 10);
    editor::UpdateHint(*plug, 12, 14);  // same cell
    editor::UpdateHint(*plug, 2, 2);    // nothing
    editor::UpdateHint(*plug, 3, 2);
    editor::UpdateHint(*plug, 40, 10);  // next cell
    ASSERT_EQ(host.hints.size(), 3U);
    EXPECT_EQ(host.hints[1], "");
    EXPECT_EQ(host.hints[2], "Articulation 2. Edit the properties below or right click for more");
}

TEST_F(EditorTest, NeighbourOptionOnOneRowSendsItsHint) {
    plug->tab = 2;
    plug->processState->generalPage = 1;
    editor::UpdateHint(*plug, 110, 136);  // UACC
    editor::UpdateHint(*plug, 120, 136);  // Kontakt fix, same row
    editor::UpdateHint(*plug, 110, 136);
    ASSERT_EQ(host.hints.size(), 3U);
    EXPECT_EQ(host.hints[0], "Show articulation names on CC32 (Spitfire Audio UACC support)");
    EXPECT_EQ(host.hints[1], "Make sure Velmora CCs are sent a few ticks before notes (Kontakt workaround)");
    EXPECT_EQ(host.hints[2], host.hints[0]);
}

TEST_F(EditorTest, ControllerHintFollowsTheValue) {
    plug->tab = 1;
    Slots(*plug, host);
    editor::UpdateHint(*plug, 180, 110);
    plug->controllers.value[0] = 91;
    editor::UpdateHint(*plug, 180, 110);
    ASSERT_EQ(host.hints.size(), 2U);
    EXPECT_EQ(host.hints[1], "Expression (CC 11 @ 91) - A parameter controller. Right click to configure");
}

}  // namespace
}  // namespace velmora::test
