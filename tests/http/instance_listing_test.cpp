// The instance listing, byte for byte where it matters: head and tail,
// separators between instances, field lines, options in order, entries.
#include <gtest/gtest.h>

#include "core/options.h"
#include "http/instance_listing.h"
#include "tests/support/instance_fixture.h"

namespace velmora::test {
namespace {

std::string ListingOf(std::initializer_list<const Instance*> plugs) {
    std::string text;
    InstanceListing listing(text);
    for (const auto* p : plugs) {
        listing.add(*p);
    }
    listing.finish();
    return text;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(InstanceListing, EmptyListing) { EXPECT_EQ(ListingOf({}), "{\n\t\"instances\":\n\t[\n\n\t]\n}\n"); }

TEST(InstanceListing, InstanceObjectLines) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    plug->volume = 200;
    plug->pitch = -1200;
    plug->channel = 256;
    plug->visible = 1;
    const std::string text = ListingOf({plug.get()});
    const std::string head = "{\n\t\"instances\":\n\t[\n\t\t{\n\t\t\t\"id\":\t\t" + std::to_string(plug->apiId) +
                             ",\n\t\t\t\"volume\":\t200,\n\t\t\t\"pan\":\t\t0,\n\t\t\t\"pitch\":\t-1200,\n"
                             "\t\t\t\"port\":\t\t0,\n\t\t\t\"channel\":\t256,\n\t\t\t\"visible\":\ttrue,\n"
                             "\t\t\t\"minimised\":\tfalse,\n\t\t\t\"tab\":\t\t1,\n\t\t\t\"editing\":\t0,\n"
                             "\t\t\t\"bankstart\":\t\t0,\n\t\t\t\"controllerstart\":\t\t0,\n\t\t\t\"options\":\n\t\t\t{\n"
                             "\t\t\t\t\"midiextend\": false,\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_TRUE(Contains(text, "\t\t\t\t\"parameterccs\": true,\n"));
    EXPECT_TRUE(Contains(text, "\t\t\t\t\"showsingle\": true,\n\t\t\t\t\"articbanks\": false\n\t\t\t},\n"));
    EXPECT_TRUE(Contains(text, "\t\t\t\"articulations\":\n\t\t\t[\n\t\t\t\t{\"name\": \"\", \"icon\": 55, \"note\": -1, "
                               "\"notev\": 127, \"prog\": -1, \"modw\": -1, \"modc\": -1},\n\t\t\t\t{"));
    EXPECT_TRUE(Contains(text, "\t\t\t\"controllers\":\n\t\t\t[\n\n\t\t\t\t{\"name\": \"Dynamics\", \"type\": 0, "
                               "\"default\": 127, \"cc\": 1, \"on\": 1, \"value\": 127, \"lock\": 0},"));
    EXPECT_TRUE(Contains(text, "\t\t\t\"pianokeys\":\n\t\t\t{\n\t\t\t\t\"missing\": false,\n\t\t\t\t\"name\": \"\",\n"
                               "\t\t\t\t\"mappings\":\n\t\t\t\t[\n\t\t\t\t\t{},\n"));
    const std::string tail = "},\n\t\t\t\t\t{}\n\t\t\t\t]\n\t\t\t}\n\t\t}\n\t]\n}\n";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST(InstanceListing, OptionsFollowTheApiTableAndEntriesEscapeNames) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    plug->paramknob = 1;
    plug->holdkeyswitch = 1;
    plug->articulations.name[0] = "Say \"hi\"\\\n";
    plug->articulations.keyNames[1].names = std::make_unique<KeyNames>();
    (*plug->articulations.keyNames[1].names)[5] = "Five";
    (*plug->articulations.keyNames[1].names)[140] = "Tab\there";
    const std::string text = ListingOf({plug.get()});
    EXPECT_TRUE(Contains(text, "\"parameterccs\": false,"));
    EXPECT_TRUE(Contains(text, "\"holdkeyswitch\": true,"));
    EXPECT_TRUE(Contains(text, "{\"name\": \"Say \\\"hi\\\"\\\\\\n\", \"icon\""));
    EXPECT_TRUE(Contains(text, "\t\t\t\t\t{},\n\t\t\t\t\t{\"5\": \"Five\", \"140\": \"Tab\\there\"},\n"));
    std::size_t previous = 0;
    for (const OptionDescription& o : OptionTable()) {
        const std::size_t at = text.find(std::string("\"") + o.apiKey + "\": ");
        ASSERT_NE(at, std::string::npos) << o.apiKey;
        EXPECT_GT(at, previous) << o.apiKey << " out of order";
        previous = at;
    }
}

// Escaping makes a name up to six times longer: names, titles and key names
// far beyond one entry's usual size come out whole.
TEST(InstanceListing, LongEscapedNamesListInFull) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    std::string escaped;
    for (int i = 0; i < 700; ++i) {
        escaped += "\\u001f";
    }
    const std::string name(700, '\x1f');
    plug->articulations.name[63] = name;
    plug->controllers.name[0] = name;
    plug->articulations.keyNames[0].title = name;
    plug->articulations.keyNames[63].names = std::make_unique<KeyNames>();
    (*plug->articulations.keyNames[63].names)[147] = name;
    const std::string text = ListingOf({plug.get()});
    EXPECT_TRUE(Contains(text, "\t\t\t\t{\"name\": \"" + escaped + "\", \"icon\": 55,"));
    EXPECT_TRUE(Contains(text, "\t\t\t\t{\"name\": \"" + escaped + "\", \"type\": "));
    EXPECT_TRUE(Contains(text, "\t\t\t\t\"name\": \"" + escaped + "\",\n"));
    EXPECT_TRUE(Contains(text, "\t\t\t\t\t{\"147\": \"" + escaped + "\"}\n\t\t\t\t]\n"));
    EXPECT_TRUE(text.ends_with("\n\t\t}\n\t]\n}\n"));
}

TEST(InstanceListing, SecondInstanceCarriesTheSeparatorAndIdsDiffer) {
    RecordingHost host;
    auto a = MakeInstance(host, 1);
    auto b = MakeInstance(host, 2);
    EXPECT_NE(a->apiId, 0U);
    EXPECT_NE(a->apiId, b->apiId);
    const std::string text = ListingOf({a.get(), b.get()});
    EXPECT_TRUE(Contains(text, "\t\t},\n\t\t{\n\t\t\t\"id\":\t\t" + std::to_string(b->apiId) + ",\n"));
}

}  // namespace
}  // namespace velmora::test
