// States of versions 1 to 8 and the conversions and placement rules they carry.
#include <gtest/gtest.h>

#include "persistence/project_state.h"
#include "platform/byte_stream.h"
#include "tests/support/instance_fixture.h"
#include "tests/persistence/state_fixture.h"
#include "tests/support/state_writer.h"

namespace velmora::test {
namespace {

TEST(ProjectStateVersions, VersionOneNotesAndIcons) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    StateDescription s = FullSizeState(1);
    s.channel = 3;
    s.port = 2;
    s.articulations[0].note = 24;
    s.articulations[15].note = 127;
    s.articulations.resize(20);
    s.articulations[17].note = 30;  // beyond the 16 the version stores
    Restore(*plug, s);
    const ArticulationTable& art = plug->articulations;
    EXPECT_EQ(art.note[0], 24);
    EXPECT_EQ(art.icon[0], 1);
    EXPECT_EQ(art.note[1], -1);
    EXPECT_EQ(art.icon[1], kDefaultIcon);
    EXPECT_EQ(art.note[15], 127);
    EXPECT_EQ(art.note[17], -1);
    EXPECT_EQ(plug->channel, 3);
    EXPECT_EQ(plug->port, 2);
    EXPECT_EQ(plug->oldparams, 1);
    EXPECT_EQ(plug->stateVersion, 1);
}

TEST(ProjectStateVersions, VersionTwoUaccFlagTurnsNotesIntoCC32Values) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    StateDescription s = FullSizeState(2);
    s.uaccFlag = 1;
    s.ccghosting = 1;
    s.articulations[0].note = 10;
    s.articulations[5].note = -1;  // written as 0
    Restore(*plug, s);
    const ArticulationTable& art = plug->articulations;
    EXPECT_EQ(art.note[0], -1);
    EXPECT_EQ(art.modw[0], 10);
    EXPECT_EQ(art.modc[0], 32);
    EXPECT_EQ(art.note[5], -1);
    EXPECT_EQ(art.modw[5], -1);
    EXPECT_EQ(art.modc[5], 32);
    EXPECT_EQ(art.modc[16], -1) << "only the first bank";
    EXPECT_EQ(plug->ccghosting, 1);

    s.uaccFlag = 0;
    Restore(*plug, s);
    EXPECT_EQ(art.note[0], 10);
    EXPECT_EQ(art.modc[0], -1);
}

TEST(ProjectStateVersions, VersionsThreeToFiveConvertUaccAndModWheel) {
    for (std::uint32_t v : {3U, 4U, 5U}) {
        RecordingHost host;
        auto plug = MakeInstance(host);
        StateDescription s = FullSizeState(v);
        s.articulations[0].modw = 64;  // mod wheel wins over UACC
        s.articulations[0].uacc = 10;
        s.articulations[1].uacc = 10;
        s.articulations[2].note = 36;
        s.articulations[2].icon = 4;
        s.articulations[2].name = "Pizz";
        s.controllers.resize(3);
        s.controllers[2].value = 77;
        s.tab = 2;
        s.editing = 5;
        Restore(*plug, s);
        const ArticulationTable& art = plug->articulations;
        EXPECT_EQ(art.modw[0], 64) << v;
        EXPECT_EQ(art.modc[0], 1) << v;
        EXPECT_EQ(art.prog[0], -1) << v;
        EXPECT_EQ(art.modw[1], 10) << v;
        EXPECT_EQ(art.modc[1], 32) << v;
        EXPECT_EQ(art.prog[1], -1) << v;
        EXPECT_EQ(art.modc[3], -1) << v;
        EXPECT_EQ(art.note[2], 36) << v;
        EXPECT_EQ(art.icon[2], 4) << v;
        EXPECT_EQ(art.name[2], "Pizz") << v;
        EXPECT_EQ(plug->controllers.value[2], 77) << v;
        EXPECT_EQ(plug->controllers.value[3], 127) << v;
        EXPECT_EQ(plug->tab, 2) << v;
        EXPECT_EQ(plug->editing, 5) << v;
        EXPECT_EQ(plug->oldparams, 1) << v;
    }
}

TEST(ProjectStateVersions, FlagsOfVersionsThreeToSevenByVersion) {
    struct Case {
        std::uint32_t version;
        std::int32_t ccghosting;
        std::int32_t midiextend;
        std::int32_t cctimingfix;
    };
    // Every flag is stored as 3: the versions that mask keep 1.
    const Case cases[] = {{3, 3, 0, 0}, {4, 1, 1, 0}, {5, 1, 1, 0}, {6, 1, 1, 0}, {7, 1, 1, 1}};
    for (const Case& c : cases) {
        RecordingHost host;
        auto plug = MakeInstance(host);
        StateDescription s = FullSizeState(c.version);
        s.ccghosting = 3;
        s.midiextend = 3;
        s.cctimingfix = 3;
        Restore(*plug, s);
        EXPECT_EQ(plug->ccghosting, c.ccghosting) << c.version;
        EXPECT_EQ(plug->midiextend, c.midiextend) << c.version;
        EXPECT_EQ(plug->cctimingfix, c.cctimingfix) << c.version;
    }
}

TEST(ProjectStateVersions, VersionsSixAndSevenStoreEverythingAsIs) {
    for (std::uint32_t v : {6U, 7U}) {
        RecordingHost host;
        auto plug = MakeInstance(host);
        plug->cc64release = 0;
        plug->allchannelomni = 0;
        StateDescription s = FullSizeState(v);
        s.articulations[4] = {40, 127, 8, -1, 20, 74, 3, "Trem", "", {}};
        s.pages[1] = "Page two";
        s.controllers[0].cc = 0;  // "none" in these versions
        s.controllers[1] = {90, 7, 2, 64, 0, 0, "Volume"};
        s.controllerstart = 6;
        s.editing = 4;
        s.tab = 0;
        Restore(*plug, s);
        const ArticulationTable& art = plug->articulations;
        EXPECT_EQ(art.note[4], 40) << v;
        EXPECT_EQ(art.prog[4], 8) << v;
        EXPECT_EQ(art.modw[4], 20) << v;
        EXPECT_EQ(art.modc[4], 74) << v;
        EXPECT_EQ(art.icon[4], 3) << v;
        EXPECT_EQ(art.name[4], "Trem") << v;
        EXPECT_EQ(plug->pageNames[1], "Page two") << v;
        EXPECT_EQ(plug->controllers.cc[0], kUnassignedCC) << v;
        EXPECT_EQ(plug->controllers.cc[2], kUnassignedCC) << v;
        const Controller c = plug->controllers.get(1);
        EXPECT_EQ(c.value, 90);
        EXPECT_EQ(c.cc, 7);
        EXPECT_EQ(c.type, 2);
        EXPECT_EQ(c.defaultValue, 64);
        EXPECT_EQ(c.on, 0);
        EXPECT_EQ(c.name, "Volume");
        EXPECT_EQ(plug->controllerstart, 6) << v;
        EXPECT_EQ(plug->editing, 4) << v;
        EXPECT_EQ(plug->tab, 0) << v;
        EXPECT_EQ(plug->cc64release, 1) << v;
        EXPECT_EQ(plug->allchannelomni, 1) << v;
        EXPECT_EQ(plug->oldparams, 1) << v;
    }
}

TEST(ProjectStateVersions, VersionSixOnlyUnassignsTheStoredControllers) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    StateDescription s = FullSizeState(6);
    s.controllers.resize(2);
    s.controllers[1].cc = 0;
    Restore(*plug, s);
    EXPECT_EQ(plug->controllers.cc[1], kUnassignedCC);
    EXPECT_EQ(plug->controllers.cc[0], kUnassignedCC);
    EXPECT_EQ(plug->controllers.cc[2], 11) << "a default the state does not hold";
}

// The placement rules of the early versions, in a running (not fresh) instance.
TEST(ProjectStateVersions, EarlyPlacementRules) {
    struct Case {
        std::uint32_t version;
        std::int32_t preserveBefore;
        std::uint32_t storedPreserve;
        bool placed;
        std::int32_t preserveAfter;
        std::int32_t tab;
    };
    // The instance shows panel 2 before the restore; the state stores panel 3.
    const Case cases[] = {
        {1, 0, 0, true, 0, 1},  {1, 1, 0, false, 1, 1},  // no panel stored: the default
        {4, 1, 0, false, 1, 3},                           // versions 3 and 4 always take the panel
        {5, 0, 1, true, 1, 2},                            // preserve now on: the panel is kept
        {5, 0, 0, true, 0, 3},  {5, 1, 0, false, 1, 2},
        {7, 0, 1, true, 1, 2},  {7, 1, 0, false, 1, 2}, {6, 0, 0, true, 0, 3},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        auto plug = MakeInstance(host);
        platform::MemoryStream none(std::vector<std::uint8_t>{});
        RestoreProjectState(*plug, none);  // no longer fresh
        plug->port = 9;
        plug->channel = 9;
        plug->tab = 2;
        plug->preserveport = c.preserveBefore;
        StateDescription s = FullSizeState(c.version);
        s.port = 4;
        s.channel = 5;
        s.preserveport = c.storedPreserve;
        s.tab = 3;
        s.editing = 6;
        Restore(*plug, s);
        const std::string what = "version " + std::to_string(c.version) + " preserve " + std::to_string(c.preserveBefore);
        EXPECT_EQ(plug->port, c.placed ? 4 : 9) << what;
        EXPECT_EQ(plug->channel, c.placed ? 5 : 9) << what;
        EXPECT_EQ(plug->preserveport, c.preserveAfter) << what;
        EXPECT_EQ(plug->tab, c.tab) << what;
        if (c.version >= 3) {
            EXPECT_EQ(plug->editing, 6) << what;
        }
    }
}

TEST(ProjectStateVersions, FreshInstanceIsPlacedWhateverItPreserves) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    plug->preserveport = 1;
    StateDescription s = FullSizeState(6);
    s.port = 4;
    s.channel = 5;
    s.tab = 3;
    Restore(*plug, s);
    EXPECT_EQ(plug->port, 4);
    EXPECT_EQ(plug->channel, 5);
    EXPECT_EQ(plug->tab, 3);
    EXPECT_EQ(plug->preserveport, 0);
}

TEST(ProjectStateVersions, VersionEightHasNoVelocityNoKeyNamesAndAppliesMidiExtendAtOnce) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    platform::MemoryStream none(std::vector<std::uint8_t>{});
    RestoreProjectState(*plug, none);
    plug->preserveport = 1;
    plug->port = 9;
    StateDescription s = FullSizeState(8);
    s.articulations[1] = {50, 127, 2, -1, 3, 4, 5, "Marcato", "", {}};
    s.options = {{"port", 2}, {"midixtend", 1}, {"ghost", 1}, {"altmiddlec", 1}, {"cctimerfix", 1}};
    Restore(*plug, s);
    const ArticulationTable& art = plug->articulations;
    EXPECT_EQ(art.note[1], 50);
    EXPECT_EQ(art.notev[1], 127);
    EXPECT_EQ(art.prog[1], 2);
    EXPECT_EQ(art.modw[1], 3);
    EXPECT_EQ(art.modc[1], 4);
    EXPECT_EQ(art.icon[1], 5);
    EXPECT_EQ(art.name[1], "Marcato");
    EXPECT_EQ(plug->port, 9) << "preserved";
    EXPECT_EQ(plug->midiextend, 1) << "not held in version 8";
    EXPECT_EQ(plug->ccghosting, 1);
    EXPECT_EQ(plug->altmiddlec, 0) << "not a version 8 key";
    EXPECT_EQ(plug->cctimingfix, 1) << "no CC-timing rule in version 8";
    EXPECT_EQ(plug->oldparams, 0);
}

}  // namespace
}  // namespace velmora::test
