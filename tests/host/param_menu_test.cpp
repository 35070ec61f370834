// The reference host's own parameter menu, offered to the plugin entry by
// entry and run on its request, against the plugin itself.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/plugin_library.h"
#include "host/reference_host.h"
#include "sdk/plug_constants.h"

namespace velmora::test {
namespace {

class ReferenceParamMenu : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(library.ok()) << library.error();
        host.echoMessages = false;
        plug = library.create(&host, 1);
        ASSERT_NE(plug, nullptr);
        host.addInstance(plug);
    }
    void TearDown() override {
        if (plug != nullptr) {
            plug->DestroyObject();
        }
    }
    const TParamMenuEntry* Entry(TPluginTag tag, std::intptr_t parameter, std::intptr_t entry) {
        return reinterpret_cast<const TParamMenuEntry*>(host.Dispatcher(tag, plug::FHD_ParamMenuText, parameter, entry));
    }
    void Run(std::intptr_t parameter, std::intptr_t entry) { host.Dispatcher(1, plug::FHD_ParamMenu, parameter, entry); }
    int Value(int parameter) { return plug->ProcessParam(parameter, -1, plug::REC_GetValue); }

    host::PluginLibrary library{VELMORA_PLUGIN_PATH};
    host::ReferenceHost host;
    TFruityPlug* plug = nullptr;
};

TEST_F(ReferenceParamMenu, AnswersEachEntryWithItsTextAndFlags) {
    const struct {
        const char* text;
        std::int32_t flags;
    } expected[] = {
        {"Edit events", 0},
        {"-", 0},
        {"Reset to default value", 0},
        {"Link to controller...", plug::kParamMenuGreyed},
        {"Create automation clip", plug::kParamMenuTicked},
    };
    for (std::intptr_t j = 0; j < 5; ++j) {
        const TParamMenuEntry* e = Entry(1, 11, j);
        ASSERT_NE(e, nullptr) << j;
        EXPECT_STREQ(e->Name, expected[j].text);
        EXPECT_EQ(e->Flags, expected[j].flags);
    }
    EXPECT_EQ(Entry(1, 11, 5), nullptr) << "past the last entry";
    EXPECT_EQ(Entry(1, 11, -1), nullptr);
    EXPECT_EQ(Entry(1, -1, 0), nullptr) << "no such parameter";
    EXPECT_EQ(Entry(1, plug->Info->NumParams, 0), nullptr) << "no such parameter";
    EXPECT_EQ(Entry(2, 11, 0), nullptr) << "no such instance";
}

// The default is the value the parameter had when the host added the
// instance: CC 11's slot starts at 127.
TEST_F(ReferenceParamMenu, ResetSetsTheDefaultThroughTheParameterOperation) {
    plug->ProcessParam(11, 50, plug::REC_UpdateValue);
    ASSERT_EQ(Value(11), 50);
    Run(11, 2);
    EXPECT_EQ(Value(11), 127);
    ASSERT_EQ(host.paramMenuRuns().size(), 1U);
    EXPECT_EQ(host.paramMenuRuns()[0].instance, 0);
    EXPECT_EQ(host.paramMenuRuns()[0].parameter, 11);
    EXPECT_EQ(host.paramMenuRuns()[0].entry, "Reset to default value");
}

TEST_F(ReferenceParamMenu, OtherEntriesAreRecordedAndChangeNothing) {
    plug->ProcessParam(11, 50, plug::REC_UpdateValue);
    Run(11, 0);
    Run(11, 4);
    Run(11, 1);   // a separator
    Run(11, 3);   // greyed
    Run(11, 5);   // past the menu
    Run(-1, 2);   // no such parameter
    EXPECT_EQ(Value(11), 50);
    std::vector<std::string> entries;
    for (const auto& r : host.paramMenuRuns()) {
        EXPECT_EQ(r.parameter, 11);
        entries.push_back(r.entry);
    }
    EXPECT_EQ(entries, (std::vector<std::string>{"Edit events", "Create automation clip"}));
}

}  // namespace
}  // namespace velmora::test
