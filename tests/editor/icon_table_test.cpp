// The generator's icon table and the icon template shipped with the plugin
// name the same techniques for the same icons.
#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "editor/resources/icon_table.h"

namespace velmora::editor::skin {
namespace {

std::map<std::string, int> ShippedTemplate() {
    std::ifstream in(VELMORA_ICON_TEMPLATE_SOURCE);
    std::stringstream text;
    text << in.rdbuf();
    rapidjson::Document doc;
    doc.Parse(text.str().c_str());
    std::map<std::string, int> entries;
    if (doc.HasParseError() || !doc.IsObject() || !doc.HasMember("articulationicons") ||
        !doc["articulationicons"].IsObject()) {
        ADD_FAILURE() << VELMORA_ICON_TEMPLATE_SOURCE << " is not an icon template";
        return entries;
    }
    for (const auto& entry : doc["articulationicons"].GetObject()) {
        EXPECT_TRUE(entry.value.IsInt()) << entry.name.GetString();
        entries[entry.name.GetString()] = entry.value.IsInt() ? entry.value.GetInt() : -1;
    }
    return entries;
}

TEST(IconTemplate, EveryNameIsTheIconDrawnForIt) {
    const std::map<std::string, int> entries = ShippedTemplate();
    ASSERT_FALSE(entries.empty());
    for (const auto& [name, number] : entries) {
        ASSERT_GE(number, 0) << name;
        ASSERT_LT(number, static_cast<int>(std::size(kIcons))) << name;
        EXPECT_EQ(name, kIcons[number].technique) << "icon " << number;
    }
}

TEST(IconTemplate, NamesEveryTechniqueTheTableDraws) {
    const std::map<std::string, int> entries = ShippedTemplate();
    for (const IconRecipe& icon : kIcons) {
        if (*icon.technique != '\0') {
            EXPECT_EQ(entries.count(icon.technique), 1U) << icon.technique << " (icon " << icon.number << ")";
        }
    }
}

}  // namespace
}  // namespace velmora::editor::skin
