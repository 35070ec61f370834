// The icon template.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

#include "persistence/build_layout.h"
#include "persistence/icon_template.h"
#include "tests/persistence/articulation_fixture.h"

namespace velmora::test {
namespace {

struct TemplateCase {
    const char* what;
    std::string text;
    std::vector<std::string> names;
    std::vector<int> numbers;
};

class IconTemplateText : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(IconTemplateText, GivesTheEntriesInFileOrder) {
    const IconTemplate t = ParseIconTemplate(GetParam().text);
    EXPECT_EQ(t.names, GetParam().names);
    EXPECT_EQ(t.numbers, GetParam().numbers);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IconTemplateText,
    ::testing::Values(
        TemplateCase{"file order, not sorted, duplicates kept",
                     R"({"other": 1, "articulationicons": {"Trill": 12, "legato": 0, "Legato": 3, "Trill": 4}})",
                     {"Trill", "legato", "Legato", "Trill"},
                     {12, 0, 3, 4}},
        TemplateCase{"values that are not 32-bit integers skipped",
                     R"({"articulationicons": {"a": 1.5, "b": "3", "c": true, "d": 4294967296, "e": -7,
                        "f": null, "g": [1], "h": 2147483648, "i": 2147483647}})",
                     {"e", "i"},
                     {-7, 2147483647}},
        TemplateCase{"names are UTF-8 bytes as held and end at a zero byte",
                     "{\"articulationicons\": {\"D\xc3\xa9tach\xc3\xa9\": 1, \"bad\xff\": 2, \"cut\\u0000off\": 3}}",
                     {"D\xc3\xa9tach\xc3\xa9", "bad\xff", "cut"},
                     {1, 2, 3}},
        TemplateCase{"empty icon object", R"({"articulationicons": {}})", {}, {}},
        TemplateCase{"icons not an object", R"({"articulationicons": [["legato", 0]]})", {}, {}},
        TemplateCase{"no icons member", R"({"icons": {"legato": 0}})", {}, {}},
        TemplateCase{"root an array", R"([{"articulationicons": {"legato": 0}}])", {}, {}},
        TemplateCase{"not JSON", R"({"articulationicons": {"legato": 0})", {}, {}},
        TemplateCase{"empty text", "", {}, {}},
        TemplateCase{"deep nesting", "{\"articulationicons\": {\"x\": 1}, \"deep\": " + std::string(100000, '[') +
                                         std::string(100000, ']') + "}",
                     {"x"},
                     {1}},
        TemplateCase{"unterminated deep nesting", "{\"deep\": " + std::string(100000, '{'), {}, {}}),
    [](const ::testing::TestParamInfo<TemplateCase>& p) { return CaseName(p.param.what); });

// The template the build lays out beside the plugin, read the way the plugin reads it.
TEST(ShippedIconTemplate, NamesPlayingTechniquesForIconsZeroToNMinusOne) {
    TestPlatform root(build::kRootFolder);
    RecordingHost host;
    auto plug = MakeInstance(host, 1, root);
    LoadIconTemplate();
    const auto& names = Process().iconNames;
    const auto& numbers = Process().iconNumbers;
    ASSERT_GE(names.size(), 10U) << "articulations.zolttemplate missing from the plugin folder of the build tree";
    ASSERT_EQ(numbers.size(), names.size());
    std::set<std::string> folded;
    for (std::size_t k = 0; k < names.size(); ++k) {
        EXPECT_EQ(numbers[k], static_cast<int>(k)) << names[k];
        std::string lower = names[k];
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        EXPECT_TRUE(folded.insert(lower).second) << "names are looked up without regard to case: " << names[k];
    }
    for (const char* technique : {"legato", "staccato", "spiccato", "pizzicato", "tremolo", "trill", "marcato",
                                  "col legno", "harmonics", "sul ponticello"}) {
        EXPECT_TRUE(folded.count(technique)) << technique;
    }
}

}  // namespace
}  // namespace velmora::test
