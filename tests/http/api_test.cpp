// The JSON API: the listing byte for byte, every command with its limits,
// and the articulation array in both directions.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "http/api.h"
#include "tests/support/instance_fixture.h"

namespace velmora::test {
namespace {

std::string Golden(const std::string& name) {
    std::ifstream in(std::string(VELMORA_HTTP_GOLDEN_DIR) + "/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string Get(const std::string& path) { return http::ApiResponse("GET", path, ""); }

TEST(ApiListing, TwoInstancesByteForByte) {
    RecordingHost host;
    auto a = MakeInstance(host, 1);
    auto b = MakeInstance(host, 2);
    a->volume = 100;
    a->pan = 64;
    a->pitch = -50;
    a->port = 3;
    a->channel = 256;
    a->visible = 1;
    a->tab = 0;
    a->editing = 5;
    a->bankstart = 16;
    a->controllerstart = 6;
    a->midiextend = 1;
    a->holdkeyswitch = 1;
    a->paramknob = 1;
    a->articbanks = 1;
    a->optimiseauto = 0;
    ArticulationTable& t = a->articulations;
    t.set(0, Articulation{"Say \"hi\"", 3, 24, 100, 5, 7, 32});
    t.name[1] = "Back\\slash";
    t.modc[1] = kModSecondKeyswitch;
    t.modw[1] = 30;
    t.name[63] = "Last";
    t.note[63] = 127;
    t.keyNames[0].names = std::make_unique<KeyNames>();
    (*t.keyNames[0].names)[5] = "Low";
    (*t.keyNames[0].names)[140] = "Top \"C\"";
    t.keyNames[0].title = "Violin keys";
    t.keyNames[2].names = std::make_unique<KeyNames>();
    a->controllers.set(6, Controller{"Mod \"wheel\"", 2, 64, 1, 0, 12, 1});
    b->channel = 1;
    b->minimised = 1;
    b->articulations.keyNames[0].missing = 1;
    b->articulations.keyNames[0].title = "gone";

    std::string expected = Golden("two_instances.json");
    ASSERT_FALSE(expected.empty());
    expected = ReplaceAll(expected, "@ID1@", std::to_string(a->apiId));
    expected = ReplaceAll(expected, "@ID2@", std::to_string(b->apiId));
    EXPECT_EQ(Get("/api"), expected);
}

class ApiCommands : public ::testing::Test {
protected:
    std::string Id() const { return std::to_string(plug->apiId); }
    RecordingHost host;
    PlugPtr plug = MakeInstance(host);
};

TEST_F(ApiCommands, NumbersAreLimitedAsEachFieldAllows) {
    struct Row {
        const char* command;
        const char* value;
        std::int32_t Instance::*field;
        std::int32_t expected;
    };
    const Row rows[] = {
        {"port", "3", &Instance::port, 3},           {"port", "256", &Instance::port, 255},
        {"port", "-1", &Instance::port, 255},        {"channel", "16", &Instance::channel, 16},
        {"channel", "64", &Instance::channel, 63},   {"channel", "256", &Instance::channel, 256},
        {"channel", "-3", &Instance::channel, 63},   {"tab", "5", &Instance::tab, 2},
        {"tab", "-1", &Instance::tab, 2},            {"tab", "0", &Instance::tab, 0},
        {"editing", "64", &Instance::editing, 63},   {"editing", "-2", &Instance::editing, 63},
        {"bankstart", "32", &Instance::bankstart, 32},
        {"controllerstart", "-4", &Instance::controllerstart, 0},
        {"controllerstart", "96", &Instance::controllerstart, 95},
        {"port", "  +12abc", &Instance::port, 12},   {"port", "abc", &Instance::port, 0},
        {"port", "99999999999", &Instance::port, 255},
    };
    for (const Row& r : rows) {
        Get("/api/" + Id() + "/" + r.command + "=" + r.value);
        EXPECT_EQ((*plug).*(r.field), r.expected) << r.command << "=" << r.value;
    }
}

TEST_F(ApiCommands, IdZeroReachesEveryInstanceAndOtherIdsNone) {
    auto other = MakeInstance(host, 2);
    const std::string all = Get("/api/0/port=3");
    EXPECT_EQ(plug->port, 3);
    EXPECT_EQ(other->port, 3);
    EXPECT_NE(all.find("\"id\":\t\t" + std::to_string(other->apiId)), std::string::npos);
    EXPECT_EQ(Get("/api/4000000000/port=9"), "{\n\t\"instances\":\n\t[\n\n\t]\n}\n");
    EXPECT_EQ(plug->port, 3);
    // Base prefixes: the same id in hexadecimal.
    char hex[32];
    std::snprintf(hex, sizeof(hex), "0x%x", plug->apiId);
    Get(std::string("/api/") + hex + "/port=7");
    EXPECT_EQ(plug->port, 7);
    EXPECT_EQ(other->port, 3);
}

TEST_F(ApiCommands, OptionsTakeTrueOnlyAndUnknownKeysChangeNothing) {
    Get("/api/" + Id() + "/options/midiextend=true");
    EXPECT_EQ(plug->midiextend, 1);
    Get("/api/" + Id() + "/options/midiextend=TRUE");
    EXPECT_EQ(plug->midiextend, 0);
    Get("/api/" + Id() + "/options/parameterccs=yes");
    EXPECT_EQ(plug->paramknob, 1);
    Get("/api/" + Id() + "/options/parameterccs=true");
    EXPECT_EQ(plug->paramknob, 0);
    Get("/api/" + Id() + "/options/showsingle=false");
    EXPECT_EQ(Process().showsingle, 0);
    host.clearRecords();
    Get("/api/" + Id() + "/options/nosuchoption=true");
    Get("/api/" + Id() + "/options/midiextend");  // no value
    EXPECT_TRUE(host.callsWithId(plug::FHD_StateChanged).empty());
}

TEST_F(ApiCommands, ArticulationAndControllerFields) {
    Get("/api/" + Id() + "/articulations/63/note=60");
    Get("/api/" + Id() + "/articulations/64/note=61");
    Get("/api/" + Id() + "/articulations/3/name=Legato Fast");
    Get("/api/" + Id() + "/articulations/3/notev=-5");
    Get("/api/" + Id() + "/articulations/3/colour=2");
    Get("/api/" + Id() + "/articulations/x/note=2");
    Get("/api/" + Id() + "/controllers/95/cc=74");
    Get("/api/" + Id() + "/controllers/96/cc=75");
    Get("/api/" + Id() + "/controllers/7/default=33");
    Get("/api/" + Id() + "/controllers/7/name=Air=flow");
    EXPECT_EQ(plug->articulations.note[63], 60);
    EXPECT_EQ(plug->articulations.name[3], "Legato Fast");
    EXPECT_EQ(plug->articulations.notev[3], -5);
    EXPECT_EQ(plug->controllers.cc[95], 74);
    EXPECT_EQ(plug->controllers.defaultValue[7], 33);
    EXPECT_EQ(plug->controllers.name[7], "Air=flow") << "the value is all after the first =";
    // Every real change tells the host the saved state changed.
    EXPECT_EQ(host.callsWithId(plug::FHD_StateChanged).size(), 6U);
    EXPECT_TRUE(host.midi.empty()) << "commands send nothing to MIDI";
}

TEST_F(ApiCommands, CommandsLogWhileDebugging) {
    plug->debugLog = 1;
    Get("/api/" + Id() + "/tab=0");
    const auto lines = host.debugLines();
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_NE(lines[0].find(" : Server command tab (null) (null) (0)"), std::string::npos) << lines[0];
}

TEST_F(ApiCommands, JsonGetGivesTheArticulationArray) {
    EXPECT_EQ(Get("/api/" + Id() + "/json"), "[\n]\n");
    plug->articulations.name[1] = "Pizz";
    EXPECT_EQ(Get("/api/" + Id() + "/json"),
              "[\n\t{\n\t\t\"name\": \"\",\n\t\t\"icon\": 55,\n\t\t\"note\": -1,\n\t\t\"notevel\": 127,\n\t\t\"prog\": -1,\n"
              "\t\t\"modw\": -1,\n\t\t\"modc\": -1\n\t},\n\t{\n\t\t\"name\": \"Pizz\",\n\t\t\"icon\": 55,\n\t\t\"note\": -1,\n"
              "\t\t\"notevel\": 127,\n\t\t\"prog\": -1,\n\t\t\"modw\": -1,\n\t\t\"modc\": -1\n\t}\n]\n");
    // Id 0 and unknown ids list instead.
    EXPECT_EQ(Get("/api/0/json").rfind("{\n\t\"instances\"", 0), 0U);
    EXPECT_EQ(Get("/api/77777/json"), "{\n\t\"instances\":\n\t[\n\n\t]\n}\n");
}

TEST_F(ApiCommands, JsonPutReplacesOnlyWithAValidSet) {
    plug->articulations.name[10] = "Kept?";
    http::ApiResponse("PUT", "/api/" + Id() + "/json",
                      R"([{"name": "A", "note": 24}, {"name": "B", "notevel": 90}, {"name": "C", "uacc": 5, "prog": 6}])");
    EXPECT_EQ(plug->articulations.name[0], "A");
    EXPECT_EQ(plug->articulations.note[0], 24);
    EXPECT_EQ(plug->articulations.notev[1], 90);
    EXPECT_EQ(plug->articulations.prog[2], 6);
    for (int a = 3; a < kArticulations; ++a) {
        EXPECT_TRUE(plug->articulations.isBlank(a)) << a;
    }
    struct Row {
        const char* what;
        std::string body;
    };
    std::string tooMany = "[";
    for (int i = 0; i < 65; ++i) {
        tooMany += i == 0 ? "{}" : ",{}";
    }
    tooMany += "]";
    for (const Row& r : {Row{"not JSON", "[{"}, Row{"an object", R"({"name": "X"})"}, Row{"65 elements", tooMany},
                         Row{"empty body", ""}}) {
        host.clearRecords();
        http::ApiResponse("PUT", "/api/" + Id() + "/json", r.body);
        EXPECT_EQ(plug->articulations.name[0], "A") << r.what;
        EXPECT_EQ(host.callsWithId(plug::FHD_StateChanged).size(), 1U) << "the host is told either way: " << r.what;
    }
    // Other methods do nothing with json.
    http::ApiResponse("POST", "/api/" + Id() + "/json", "[]");
    EXPECT_EQ(plug->articulations.name[0], "A");
}

}  // namespace
}  // namespace velmora::test
