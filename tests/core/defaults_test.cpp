// What a new instance holds, and what restoring defaults keeps.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/instance_fixture.h"

namespace velmora::test {
namespace {

TEST(Defaults, ArticulationsAreEmptyAndBlank) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    for (int a = 0; a < kArticulations; ++a) {
        EXPECT_TRUE(plug->articulations.isBlank(a)) << a;
    }
    EXPECT_EQ(plug->articulations.icon[0], 55);
    EXPECT_EQ(plug->articulations.notev[63], 127);
}

TEST(Defaults, EmptyIgnoresTheNameButBlankDoesNot) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    ArticulationTable& t = plug->articulations;
    t.name[3] = "Legato";
    EXPECT_TRUE(t.isEmpty(3));
    EXPECT_FALSE(t.isBlank(3));
    t.name[4].clear();
    t.keyNames[4].path = "/keys.txt";
    EXPECT_TRUE(t.isEmpty(4));
    EXPECT_FALSE(t.isBlank(4));
    t.modc[5] = kModSecondKeyswitch;
    EXPECT_FALSE(t.isEmpty(5));
}

TEST(Defaults, ControllerSlotsWithSixPresets) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    const ControllerTable& c = plug->controllers;
    const std::vector<std::string> names = {"Dynamics", "Breath", "Expression", "Speed", "Vibrato", "Hold"};
    const std::vector<int> ccs = {1, 2, 11, 16, 21, 64};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(c.name[i], names[i]);
        EXPECT_EQ(c.cc[i], ccs[i]);
        EXPECT_EQ(c.on[i], 1);
        EXPECT_EQ(c.lock[i], 0);
    }
    EXPECT_EQ(c.type[5], 1);
    EXPECT_EQ(c.value[5], 0);
    EXPECT_EQ(c.defaultValue[5], 0);
    EXPECT_EQ(c.value[0], 127);
    for (int i = 6; i < kControllers; ++i) {
        EXPECT_EQ(c.cc[i], kUnassignedCC) << i;
        EXPECT_TRUE(c.name[i].empty());
        EXPECT_EQ(c.value[i], 127);
        EXPECT_EQ(c.defaultValue[i], 127);
    }
}

TEST(Defaults, OptionsAndParameterLayout) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    EXPECT_EQ(plug->cc64release, 1);
    EXPECT_EQ(plug->allchannelomni, 1);
    EXPECT_EQ(plug->optimiseauto, 1);
    EXPECT_EQ(plug->ccghosting + plug->midiextend + plug->cctimingfix + plug->articbanks + plug->holdkeyswitch, 0);
    EXPECT_EQ(plug->paramknob, 0);
    EXPECT_EQ(plug->articulationParamIndex, 128);
    EXPECT_EQ(plug->tab, 1);
    EXPECT_EQ(plug->fresh, 1);
    EXPECT_EQ(plug->stateVersion, 10);
    EXPECT_EQ(plug->clickedNote, -1);
    EXPECT_EQ(plug->lastProgram, kNothingSent);
}

TEST(Defaults, SetDefaultsKeepsPlacementOnceRestoredAndFreesKeyNames) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    plug->articulations.keyNames[2].names = std::make_unique<KeyNames>();
    plug->articulations.keyNames[2].path = "/k.txt";
    plug->articulations.note[2] = 30;
    plug->port = 9;
    plug->channel = 4;
    plug->pan = 40;
    Process().showsingle = 0;

    plug->Session_SetDefaults();  // still fresh: back to the creation-order place
    EXPECT_EQ(plug->port, 0);
    EXPECT_EQ(plug->channel, 0);
    EXPECT_FALSE(plug->articulations.keyNames[2].names);
    EXPECT_TRUE(plug->articulations.isBlank(2));
    EXPECT_EQ(plug->pan, 40) << "channel values are not defaults";
    EXPECT_EQ(Process().showsingle, 1);

    plug->fresh = 0;
    plug->port = 9;
    plug->Session_SetDefaults();
    EXPECT_EQ(plug->port, 9);

    plug->fresh = 1;
    plug->preserveport = 1;
    plug->Session_SetDefaults();
    EXPECT_EQ(plug->port, 9);
}

// The host's screen density and the user's editor scale.
class ScaleTest : public ::testing::Test {
protected:
    void TearDown() override { std::filesystem::remove(platform::SettingsStore::currentUser().filePath()); }
};

TEST_F(ScaleTest, MainPpiScalesTheEditor) {
    platform::SettingsStore::currentUser().writeString(platform::kHostGeneralKey, "Main PPI", "144");
    RecordingHost host;
    auto plug = MakeInstance(host);
    EXPECT_FLOAT_EQ(plug->scaleFactor, 1.5f);
    EXPECT_EQ(plug->editorWindow->width(), 360);
    EXPECT_EQ(plug->editorWindow->height(), 355);
}

TEST_F(ScaleTest, UserScaleWinsOnNewHostsOnly) {
    platform::SettingsStore::currentUser().writeString(platform::kVelmoraKey, "UI Scale", "2.000000");
    RecordingHost host;
    auto plug = MakeInstance(host);
    EXPECT_FLOAT_EQ(plug->scaleFactor, 2.0f);
    EXPECT_EQ(plug->editorWindow->width(), 480);
    EXPECT_EQ(host.callsWithId(plug::FHD_EditorResized).size(), 1U);
    plug.reset();

    RecordingHost old;
    old.HostVersion = 11000000;
    auto oldPlug = MakeInstance(old);
    EXPECT_FLOAT_EQ(oldPlug->scaleFactor, 1.0f);
    EXPECT_TRUE(old.callsWithId(plug::FHD_EditorResized).empty());
}

}  // namespace
}  // namespace velmora::test
