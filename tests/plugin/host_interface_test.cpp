// Names, parameters and messages the host asks of an instance.
#include <gtest/gtest.h>

#include <bit>

#include "tests/support/instance_fixture.h"
#include "tests/support/plugin_fixture.h"

namespace velmora::test {
namespace {

class HostInterfaceTest : public ::testing::Test {
protected:
    std::string Name(int section, int index, int value) {
        char text[plug::kNameBufferSize] = "";
        plug->GetName(section, index, value, text);
        return text;
    }
    RecordingHost host;
    PluginPtr plug = MakePlugin(host);
};

TEST_F(HostInterfaceTest, ParameterNamesInTheCcLayout) {
    plug->controllers.cc[10] = 7;
    plug->controllers.name[10] = "Volume";
    plug->controllers.cc[11] = 7;  // a later unnamed slot does not count
    plug->controllers.cc[12] = 11;
    plug->controllers.name[12] = "Expression 2";  // the last named slot wins
    EXPECT_EQ(Name(plug::FPN_Param, 7, 0), "Volume");
    EXPECT_EQ(Name(plug::FPN_Param, 11, 0), "Expression 2");
    EXPECT_EQ(Name(plug::FPN_Param, 8, 0), "CC 8");
    plug->oldparams = 1;
    EXPECT_EQ(Name(plug::FPN_Param, 6, 0), "Volume");
    EXPECT_EQ(Name(plug::FPN_Param, 7, 0), "CC 8");
    EXPECT_EQ(Name(plug::FPN_Param, 128, 0), "Articulation");
}

TEST_F(HostInterfaceTest, ParameterNamesInTheSlotLayout) {
    plug->paramknob = 1;
    plug->articulationParamIndex = 96;
    plug->controllers.name[7].clear();
    plug->controllers.cc[7] = 20;
    struct Row {
        int index;
        const char* name;
    };
    for (const Row r : {Row{0, "Dynamics"}, Row{7, "Unnamed parameter 8"}, Row{8, "Unused parameter 9"},
                        Row{96, "Articulation"}, Row{97, "Unused controller"}}) {
        EXPECT_EQ(Name(plug::FPN_Param, r.index, 0), r.name) << r.index;
    }
    EXPECT_EQ(Name(plug::FPN_ParamValue, 5, 64), "64");
    EXPECT_EQ(Name(plug::FPN_ParamValue, 96, 127), "Articulation 64");
}

TEST_F(HostInterfaceTest, UaccValueNames) {
    plug->showuacc = 1;
    struct Row {
        int value;
        const char* name;
    };
    for (const Row r : {Row{1, "Long Generic"}, Row{0, "Unspecified"}, Row{62, "Unspecified"},
                        Row{114, "Unspecified"}, Row{113, "Longs Lower Distorted"}, Row{98, "Phrases & dynamics FX 9"},
                        Row{34, "Legato Detach\xEF\xBF\xBD"}}) {
        EXPECT_EQ(Name(plug::FPN_ParamValue, 32, r.value), r.name) << r.value;
    }
    plug->paramknob = 1;
    plug->controllers.cc[3] = 32;
    EXPECT_EQ(Name(plug::FPN_ParamValue, 3, 1), "Long Generic");
    EXPECT_EQ(Name(plug::FPN_ParamValue, 32, 1), "1") << "slot 32 is not on CC 32";
}

TEST_F(HostInterfaceTest, ArticulationParameterValueNames) {
    plug->articulations.name[0] = "Legato";
    EXPECT_EQ(Name(plug::FPN_ParamValue, 128, 2), "Legato");
    EXPECT_EQ(Name(plug::FPN_ParamValue, 128, 4), "Articulation 2");
    EXPECT_EQ(Name(plug::FPN_ParamValue, 11, 90), "CC 11: 90");
}

TEST_F(HostInterfaceTest, VoiceLevelAndColourNames) {
    EXPECT_EQ(Name(plug::FPN_VoiceLevel, 1, 0), "Unsupported parameter 1");
    plug->articbanks = 1;
    EXPECT_EQ(Name(plug::FPN_VoiceLevel, 0, 0), "Articulation Bank");
    EXPECT_EQ(Name(plug::FPN_VoiceLevelHint, 1, 0), "Unused parameter");
    EXPECT_EQ(Name(plug::FPN_VoiceLevelHint, 2, 0), "");
    EXPECT_EQ(plug->Dispatcher(plug::FPD_GetVoiceLevels, 0, 0), 2);

    plug->articulations.name[3] = "Pizz";
    plug->articulations.name[51] = "Trill";
    EXPECT_EQ(Name(plug::FPN_Color, 3, 0), "Pizz");
    plug->currentBank = 3;
    EXPECT_EQ(Name(plug::FPN_ColorHint, 3, 0), "Trill");
    EXPECT_EQ(Name(plug::FPN_Color, 16, 0), "") << "a 17th colour would name articulation 64";
}

TEST_F(HostInterfaceTest, PianoRollKeyNamesFollowTheColourAndBank) {
    plug->articulations.keyNames[18].names = std::make_unique<KeyNames>();
    (*plug->articulations.keyNames[18].names)[131 - 60] = "Middle";
    plug->currentBank = 1;
    EXPECT_EQ(Name(plug::FPN_Semitone, 60, 2), "Middle");
    EXPECT_EQ(plug->pendingArticulation, 18);
    EXPECT_EQ(plug->namesAsked, 1);
    EXPECT_EQ(Name(plug::FPN_Semitone, 61, 2), "");
    EXPECT_EQ(Name(plug::FPN_Semitone, 60, 3), "");
    EXPECT_EQ(Name(plug::FPN_Semitone, 500, 2), "") << "no entry for that note";
}

TEST_F(HostInterfaceTest, ArticulationParameterForcesAnArticulation) {
    plug->articulations.prog[63] = 9;
    plug->ProcessParam(128, 127, plug::REC_UpdateValue);
    EXPECT_EQ(plug->articulationParam, 64);
    EXPECT_EQ(plug->currentArticulation, 63);
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{Program(0, 9)});
    plug->ProcessParam(128, 1, plug::REC_UpdateValue);
    EXPECT_EQ(plug->articulationParam, 0);
}

TEST_F(HostInterfaceTest, UpdateControlRepaintsWhatTheControllerPanelShows) {
    plug->visible = 1;
    plug->ProcessParam(11, 5, plug::REC_UpdateControl);  // Expression: shown on page 0
    EXPECT_EQ(WholeRepaints(*plug), 1);
    plug->ProcessParam(7, 5, plug::REC_UpdateControl);  // no slot shown
    EXPECT_EQ(WholeRepaints(*plug), 1);
    plug->ProcessParam(128, 5, plug::REC_UpdateControl);
    EXPECT_EQ(GridRepaints(*plug), 1);
    plug->tab = 0;
    plug->ProcessParam(11, 5, plug::REC_UpdateControl);
    EXPECT_EQ(WholeRepaints(*plug), 1);
}

TEST_F(HostInterfaceTest, SamplesPerTickArriveAsFloatBits) {
    plug->Dispatcher(plug::FPD_SetSamplesPerTick, 0, std::bit_cast<std::uint32_t>(229.6875f));
    EXPECT_FLOAT_EQ(plug->samplesPerTick, 229.6875f);
}

}  // namespace
}  // namespace velmora::test
