// The option table: one row per option, read by saved states, the API and
// the defaults alike.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/options.h"
#include "tests/support/instance_fixture.h"

namespace velmora::test {
namespace {

TEST(Options, EveryOptionSetsAndReadsThroughTheApiKey) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    for (const OptionDescription& o : OptionTable()) {
        SetOptionApiValue(o, *plug, *plug->processState, true);
        EXPECT_TRUE(OptionApiValue(o, *plug, *plug->processState)) << o.apiKey;
        SetOptionApiValue(o, *plug, *plug->processState, false);
        EXPECT_FALSE(OptionApiValue(o, *plug, *plug->processState)) << o.apiKey;
    }
    SetOptionApiValue(*FindOptionByApiKey("parameterccs"), *plug, *plug->processState, false);
    EXPECT_EQ(plug->paramknob, 1) << "the API's parameterccs is paramknob's inverse";
    SetOptionApiValue(*FindOptionByApiKey("showsingle"), *plug, *plug->processState, false);
    EXPECT_EQ(plug->processState->showsingle, 0) << "the single-editor switch is process-wide";
}

TEST(Options, KeysAreUniqueAndLookedUpAsEachSideCompares) {
    std::set<std::string> api;
    std::set<std::string> state;
    for (const OptionDescription& o : OptionTable()) {
        EXPECT_TRUE(api.insert(o.apiKey).second) << o.apiKey;
        EXPECT_TRUE(state.insert(o.stateKey).second) << o.stateKey;
    }
    EXPECT_EQ(OptionTable().size(), 17U);
    EXPECT_EQ(FindOptionByApiKey("MidiExtend"), nullptr) << "API keys compare exactly";
    ASSERT_NE(FindOptionByStateKey("MIDIXTEND"), nullptr) << "state keys compare in any letter case";
    EXPECT_STREQ(FindOptionByStateKey("MIDIXTEND")->apiKey, "midiextend");
}

// A fresh instance holds each option's default, and the defaults put back
// exactly the options they reset.
TEST(Options, DefaultsMatchTheTable) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    for (const OptionDescription& o : OptionTable()) {
        EXPECT_EQ(OptionValue(o, *plug, *plug->processState), o.defaultValue) << o.apiKey;
        SetOptionValue(o, *plug, *plug->processState, o.defaultValue == 0 ? 1 : 0);
    }
    plug->Session_SetDefaults();
    for (const OptionDescription& o : OptionTable()) {
        const std::int32_t expected = o.resetByDefaults ? o.defaultValue : (o.defaultValue == 0 ? 1 : 0);
        EXPECT_EQ(OptionValue(o, *plug, *plug->processState), expected) << o.apiKey;
    }
}

TEST(Options, StoredWordsConvertByKind) {
    struct Case {
        const char* stateKey;
        std::uint32_t stored;
        std::int32_t value;
        std::int32_t written;
    };
    const Case cases[] = {
        {"ghost", 3, 1, 1},           // low bit only
        {"ghost", 2, 0, 0},
        {"paramknob", 0, 0, 0},
        {"articbanks", 2, 1, 1},      // any non-zero word is on
        {"paramknob", 7, 7, 7},       // the whole word
    };
    for (const Case& c : cases) {
        const OptionDescription* o = FindOptionByStateKey(c.stateKey);
        ASSERT_NE(o, nullptr) << c.stateKey;
        EXPECT_EQ(OptionFromStored(*o, c.stored), c.value) << c.stateKey << " " << c.stored;
        EXPECT_EQ(OptionToStored(*o, OptionFromStored(*o, c.stored)), c.written) << c.stateKey << " " << c.stored;
    }
    // A switch an old state left at another non-zero word is written as on.
    EXPECT_EQ(OptionToStored(*FindOptionByStateKey("ghost"), 54), 1);
    EXPECT_EQ(OptionToStored(*FindOptionByStateKey("preserve"), 63), 1);
}

}  // namespace
}  // namespace velmora::test
