// What the first instance starts for the whole process.
#include <gtest/gtest.h>

#include "editor/skin.h"
#include "persistence/icon_template.h"
#include "tests/support/bmp_writer.h"
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

TEST_F(StartUp, FirstInstanceLoadsTheSkinAndTheLastReleasesIt) {
    {
        auto first = MakePlugin(host_, 1, platform_);
        const editor::Skin& skin = editor::ProcessSkin();
        ASSERT_TRUE(skin.loaded());
        EXPECT_EQ(skin.icons.width, 7392);
        EXPECT_EQ(skin.knob.height, 2176);
    }
    EXPECT_FALSE(editor::ProcessSkin().loaded()) << "the last instance releases the skin";
}

// A "Notation.bmp" beside the plugin replaces the icon strip; one that cannot
// be read leaves the built-in strip and says why in the debug log.
TEST_F(StartUp, NotationFileReplacesTheIconStripOrIsRefused) {
    struct Case {
        const char* what;
        bmp_writer::Bytes file;
        int stripWidth;
        bool refused;
    };
    bmp_writer::Image strip{64 * 10, 56, std::vector<std::uint32_t>(64 * 10 * 56, 0x336699)};
    bmp_writer::Bytes eightBit = bmp_writer::bmpFile(strip, {});
    bmp_writer::put16(eightBit, bmp_writer::kBitsAt, 8);
    const Case cases[] = {
        {"24-bit", bmp_writer::bmpFile(strip, {}), 640, false},
        {"32-bit top-down", bmp_writer::bmpFile(strip, {.bits = 32, .topDown = true}), 640, false},
        {"8-bit", eightBit, 7392, true},
        {"cut short", bmp_writer::Bytes(eightBit.begin(), eightBit.begin() + 30), 7392, true},
    };
    const std::string path = temp_.path().string() + "/Plugins/Fruity/Generators/ZOLT Velmora/Notation.bmp";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(path, std::string(c.file.begin(), c.file.end()));
        host_.clearRecords();
        auto plug = MakePlugin(host_, 1, platform_);
        EXPECT_EQ(editor::ProcessSkin().icons.width, c.stripWidth);
        bool told = false;
        for (const std::string& line : host_.debugLines()) {
            told = told || line.find("Notation.bmp refused: ") != std::string::npos;
        }
        EXPECT_EQ(told, c.refused);
    }
}

}  // namespace
}  // namespace velmora::test
