// What the first instance starts for the whole process.
#include <gtest/gtest.h>

#include "persistence/icon_template.h"
#include "tests/persistence/articulation_fixture.h"
#include "tests/support/plugin_fixture.h"

namespace velmora::test {
namespace {

class StartUp : public ::testing::Test {
protected:
    std::string templatePath() const { return IconTemplatePath(temp_.path().string()); }

    TempFolder temp_;
    TestPlatform platform_{temp_.path().string()};
    RecordingHost host_;
};

TEST_F(StartUp, FirstInstanceLoadsTheTemplateOnce) {
    WriteFile(templatePath(), R"({"articulationicons": {"Pizzicato": 8, "Tremolo": 11}})");
    auto first = MakePlugin(host_, 1, platform_);
    EXPECT_EQ(Process().iconNames, (std::vector<std::string>{"Pizzicato", "Tremolo"}));
    EXPECT_EQ(Process().iconNumbers, (std::vector<int>{8, 11}));

    WriteFile(templatePath(), R"({"articulationicons": {"Marcato": 5}})");
    auto second = MakePlugin(host_, 2, platform_);
    EXPECT_EQ(Process().iconNames, (std::vector<std::string>{"Pizzicato", "Tremolo"})) << "start-up runs once per process";
}

TEST_F(StartUp, MissingOrBrokenTemplateLeavesTheListsEmpty) {
    {
        auto plug = MakePlugin(host_, 1, platform_);
        EXPECT_TRUE(Process().iconNames.empty());
        EXPECT_TRUE(Process().iconNumbers.empty());
    }
    WriteFile(templatePath(), R"({"articulationicons": {"Legato": 0}})");
    auto plug = MakePlugin(host_, 1, platform_);
    ASSERT_EQ(Process().iconNames.size(), 1U);
    WriteFile(templatePath(), R"({"articulationicons": {"Legato": 0})");
    LoadIconTemplate();
    EXPECT_TRUE(Process().iconNames.empty()) << "a reload empties the lists before reading";
    EXPECT_TRUE(Process().iconNumbers.empty());
}

TEST_F(StartUp, ReadsTheHttpSwitchAndStartsWithTheFormPositionUnknown) {
    ASSERT_TRUE(platform_.settings().writeDword(platform::kVelmoraKey, "HTTP API", 1));
    ASSERT_TRUE(platform_.settings().writeString(platform::kVelmoraKey, "HTTP Port", "0"));  // any free port
    auto plug = MakePlugin(host_, 1, platform_);
    EXPECT_EQ(Process().httpApiEnabled, 1);
    EXPECT_EQ(Process().savedFormPosX, kUnknownFormPos);
    EXPECT_EQ(Process().savedFormPosY, kUnknownFormPos);
    ASSERT_NE(Process().ports, nullptr);
}

}  // namespace
}  // namespace velmora::test
