// The plugin as a host sees it: loaded with dlopen and driven only through
// CreatePlugInstance and the virtual operations.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/plugin_library.h"
#include "platform/byte_stream.h"
#include "sdk/plug_constants.h"
#include "tests/support/recording_host.h"
#include "tests/support/state_writer.h"

namespace velmora::test {
namespace {

class LoadedPlugin : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(library.ok()) << library.error(); }
    TFruityPlug* Create(TPluginTag tag = 1) { return library.create(&host, tag); }
    // Options reach a loaded plugin the way a host gives them: in a saved state.
    void Restore(TFruityPlug* p, const StateDescription& state) {
        platform::MemoryStream stream(WriteState(state));
        p->SaveRestoreState(&stream, 0);
    }
    static StateDescription Version10(std::initializer_list<std::pair<const char*, std::uint32_t>> options) {
        StateDescription d;
        d.options = DefaultVersion10Options();
        d.pages.resize(16);
        d.controllers.resize(96);
        const char* names[] = {"Dynamics", "Breath", "Expression", "Speed", "Vibrato", "Hold"};
        const std::uint32_t ccs[] = {1, 2, 11, 16, 21, 64};
        for (int c = 0; c < 6; ++c) {
            d.controllers[c].name = names[c];
            d.controllers[c].cc = ccs[c];
        }
        for (const auto& [key, value] : options) {
            SetOption(d.options, key, value);
        }
        return d;
    }
    std::string Name(TFruityPlug* p, int section, int index, int value) {
        char text[plug::kNameBufferSize] = "";
        p->GetName(section, index, value, text);
        return text;
    }
    host::PluginLibrary library{VELMORA_PLUGIN_PATH};
    RecordingHost host;
};

TEST_F(LoadedPlugin, ConstructionAsksAndTellsTheHostInOrder) {
    TFruityPlug* p = Create();
    ASSERT_NE(p, nullptr);
    std::vector<std::intptr_t> ids;
    for (const auto& c : host.dispatches) {
        ids.push_back(c.id);
    }
    EXPECT_EQ(ids, (std::vector<std::intptr_t>{plug::FHD_GetProgramPath, plug::FHD_GetMainWindow,
                                               plug::FHD_Startup23, plug::FHD_Startup13}));
    EXPECT_EQ(host.dispatches[2].value, 0x555599);
    EXPECT_EQ(host.dispatches[3].value, 2);
    EXPECT_EQ(p->Info->NumParams, 129);
    EXPECT_EQ(p->HostTag, 1);
    p->DestroyObject();
}

TEST_F(LoadedPlugin, DestructionKillsVoicesAndTheLastReleasesSharedState) {
    TFruityPlug* first = Create(1);
    TFruityPlug* second = Create(2);
    host.colours[31] = 0;
    TVoiceParams levels{};
    levels.InitLevels.Vol = 1.0f;
    ASSERT_NE(second->TriggerVoice(&levels, 31), 0);
    ASSERT_NE(second->TriggerVoice(&levels, 32), 0);
    host.clearRecords();
    second->DestroyObject();
    EXPECT_EQ(host.killRequests, (std::vector<std::intptr_t>{31, 32}));
    first->DestroyObject();

    // A new first instance asks for the host's main window again: the process state started over.
    host.clearRecords();
    TFruityPlug* again = Create(3);
    EXPECT_EQ(host.callsWithId(plug::FHD_GetMainWindow).size(), 1U);
    again->DestroyObject();
}

TEST_F(LoadedPlugin, ArticulationParameterNames) {
    TFruityPlug* p = Create();
    struct Row {
        int value;
        const char* name;
    };
    for (const Row r : {Row{0, "By voice colour"}, Row{1, "By voice colour"}, Row{2, "Articulation 1"},
                        Row{127, "Articulation 64"}}) {
        EXPECT_EQ(Name(p, plug::FPN_ParamValue, 128, r.value), r.name) << r.value;
    }
    EXPECT_EQ(Name(p, plug::FPN_Param, 128, 0), "Articulation");
    EXPECT_EQ(Name(p, plug::FPN_Param, 11, 0), "Expression");
    EXPECT_EQ(Name(p, plug::FPN_Param, 7, 0), "CC 7");
    EXPECT_EQ(Name(p, plug::FPN_ParamValue, 32, 1), "CC 32: 1") << "no UACC names while the option is off";
    EXPECT_EQ(Name(p, plug::FPN_VoiceLevel, 0, 0), "Unsupported parameter 1");
    EXPECT_EQ(Name(p, plug::FPN_VoiceLevel, 2, 0), "");
    EXPECT_EQ(Name(p, plug::FPN_Color, 3, 0), "");
    EXPECT_EQ(Name(p, 3, 0, 0), "");
    p->DestroyObject();
}

TEST_F(LoadedPlugin, UaccNamesWithTheOptionOn) {
    TFruityPlug* p = Create();
    Restore(p, Version10({{"ccuacc", 1}}));
    struct Row {
        int value;
        const char* name;
    };
    for (const Row r : {Row{1, "Long Generic"}, Row{62, "Unspecified"}, Row{114, "Unspecified"},
                        Row{34, "Legato Detach\xEF\xBF\xBD"}}) {
        EXPECT_EQ(Name(p, plug::FPN_ParamValue, 32, r.value), r.name) << r.value;
    }
    p->DestroyObject();
}

TEST_F(LoadedPlugin, UnnamedCcParameterFollowsOldParams) {
    TFruityPlug* p = Create();
    EXPECT_EQ(Name(p, plug::FPN_Param, 7, 0), "CC 7");
    // Projects of old versions number parameters from CC 1.
    StateDescription old;
    old.version = 7;
    Restore(p, old);
    EXPECT_EQ(Name(p, plug::FPN_Param, 6, 0), "CC 7");
    EXPECT_EQ(Name(p, plug::FPN_Param, 0, 0), "Dynamics");
    p->DestroyObject();
}

TEST_F(LoadedPlugin, BothParameterLayouts) {
    TFruityPlug* p = Create();
    EXPECT_EQ(Name(p, plug::FPN_Param, 128, 0), "Articulation");
    host.clearRecords();
    Restore(p, Version10({{"paramknob", 1}}));
    const auto counts = host.callsWithId(plug::FHD_SetNumParams);
    ASSERT_EQ(counts.size(), 1U);
    EXPECT_EQ(counts[0].value, 97);
    EXPECT_EQ(Name(p, plug::FPN_Param, 96, 0), "Articulation");
    EXPECT_EQ(Name(p, plug::FPN_Param, 97, 0), "Unused controller");
    EXPECT_EQ(Name(p, plug::FPN_Param, 2, 0), "Expression");
    EXPECT_EQ(Name(p, plug::FPN_ParamValue, 96, 127), "Articulation 64");

    host.clearRecords();
    Restore(p, Version10({}));
    ASSERT_EQ(host.callsWithId(plug::FHD_SetNumParams).size(), 1U);
    EXPECT_EQ(host.callsWithId(plug::FHD_SetNumParams)[0].value, 129);
    EXPECT_EQ(Name(p, plug::FPN_Param, 128, 0), "Articulation");
    p->DestroyObject();
}

TEST_F(LoadedPlugin, ProcessParamConvertsMidiValuesAndAnswersSlotValues) {
    TFruityPlug* p = Create();
    EXPECT_EQ(p->ProcessParam(1, 65536, plug::REC_FromMIDI), 127);
    EXPECT_EQ(p->ProcessParam(1, 32768, plug::REC_FromMIDI), 63);
    EXPECT_EQ(p->ProcessParam(129, 5, plug::REC_UpdateValue), 5) << "beyond the parameters";
    p->ProcessParam(11, 50, plug::REC_UpdateValue);
    EXPECT_EQ(p->ProcessParam(11, 0, plug::REC_GetValue), 50);
    EXPECT_EQ(p->ProcessParam(7, 9, plug::REC_GetValue), 9) << "no slot on CC 7";
    host.clearRecords();
    p->ProcessParam(20, 100, plug::REC_UpdateValue | plug::REC_ShowHint);
    EXPECT_EQ(host.hints, std::vector<std::string>{"78"});
    p->DestroyObject();
}

TEST_F(LoadedPlugin, DispatcherAnswers) {
    TFruityPlug* p = Create();
    EXPECT_EQ(p->Dispatcher(plug::FPD_GetVoiceLevels, 0, 0), 0);
    EXPECT_EQ(p->Dispatcher(21, 0, 0), 0);
    EXPECT_EQ(p->Dispatcher(plug::FPD_DroppedFile, 0, reinterpret_cast<std::intptr_t>("/no/extension")), 0);
    EXPECT_TRUE(host.callsWithId(plug::FHD_SetInstanceName).empty());
    p->DestroyObject();
}

}  // namespace
}  // namespace velmora::test
