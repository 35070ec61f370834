// Sessions written back: the JSON reads back as the same session, and a
// session saved with its instances' states restores every instance as it was.
#include <gtest/gtest.h>

#include <rapidjson/document.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "host/player.h"
#include "host/plugin_library.h"
#include "host/session.h"
#include "host/session_save.h"

namespace velmora::host {
namespace {

TEST(SessionSave, JsonReadsBackAsTheSameSession) {
    std::string error;
    const auto original = ParseSession(R"({"sampleRate": 48000, "bpm": 93.5, "ppq": 192,
        "instances": [{"port": 2, "channel": 9, "options": {"allowoverlap": true, "showuacc": false}}, {}],
        "events": [
          {"type": "transport", "tick": 0, "playing": true},
          {"type": "note", "tick": 4, "instance": 1, "key": 61, "velocity": 77, "length": 30, "colour": 3,
           "modx": 0.37, "release": 64},
          {"type": "note", "tick": 4, "key": 20, "level": 0.5},
          {"type": "param", "tick": 9, "instance": 1, "index": 12, "value": 1000},
          {"type": "pan", "tick": 10, "value": -20},
          {"type": "volume", "tick": 11, "value": 80},
          {"type": "pitch", "tick": 12, "value": 150},
          {"type": "transport", "tick": 400, "playing": false}]})",
                                       ".", error);
    ASSERT_TRUE(original) << error;
    const auto again = ParseSession(SessionJson(*original), ".", error);
    ASSERT_TRUE(again) << error << "\n" << SessionJson(*original);
    EXPECT_EQ(again->sampleRate, 48000.0);
    EXPECT_EQ(again->bpm, 93.5);
    EXPECT_EQ(again->ppq, 192);
    ASSERT_EQ(again->instances.size(), 2U);
    EXPECT_EQ(again->instances[0].port, 2);
    EXPECT_EQ(again->instances[0].channel, 9);
    EXPECT_EQ(again->instances[0].options, original->instances[0].options);
    EXPECT_FALSE(again->instances[1].port);
    ASSERT_EQ(again->events.size(), original->events.size());
    for (std::size_t i = 0; i < again->events.size(); ++i) {
        const ScoreEvent& a = again->events[i];
        const ScoreEvent& b = original->events[i];
        EXPECT_EQ(a.kind, b.kind) << i;
        EXPECT_EQ(a.tick, b.tick) << i;
        EXPECT_EQ(a.instance, b.instance) << i;
        if (a.kind == EventKind::Note) {
            // Levels are floats: they must come back bit for bit.
            EXPECT_EQ(a.key, b.key) << i;
            EXPECT_EQ(a.level, b.level) << i;
            EXPECT_EQ(a.length, b.length) << i;
            EXPECT_EQ(a.colour, b.colour) << i;
            EXPECT_EQ(a.modx, b.modx) << i;
            EXPECT_EQ(a.release, b.release) << i;
        } else {
            EXPECT_EQ(a.index, b.index) << i;
            EXPECT_EQ(a.value, b.value) << i;
        }
    }
}

// A folder for one test's files, gone afterwards.
struct Folder {
    std::filesystem::path dir;
    explicit Folder(const char* name) : dir(std::filesystem::temp_directory_path() / name) {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    ~Folder() { std::filesystem::remove_all(dir); }
};

void Append(void* out, const char* text, std::size_t length) { static_cast<std::string*>(out)->append(text, length); }

// The instances as the plugin lists them, without the ids it hands out per process.
std::string Listing(ReferenceHost& host) {
    std::vector<TFruityPlug*> plugs;
    for (std::size_t i = 0; i < host.instanceCount(); ++i) {
        plugs.push_back(host.instance(static_cast<int>(i)));
    }
    std::string error;
    const HostExtension* extension = HostExtensionOf(plugs.front(), error);
    std::string text;
    EXPECT_TRUE(extension != nullptr && extension->listInstances(plugs.data(), static_cast<int>(plugs.size()), Append, &text) != 0)
        << error;
    return std::regex_replace(text, std::regex("\"id\":\\s*[0-9]+"), "\"id\": _");
}

TEST(SessionSave, StatesBesideTheSessionRestoreEveryInstance) {
    const Folder folder("velmora-session-save");
    const PluginLibrary library(VELMORA_PLUGIN_PATH);
    ASSERT_TRUE(library.ok()) << library.error();
    std::string error;
    const auto session = ParseSession(R"({"instances": [
        {"articulations": "strings.zoltartic", "options": {"showuacc": true}},
        {"port": 2, "channel": 5, "options": {"allowoverlap": true}}],
        "events": [{"type": "note", "tick": 0, "instance": 1, "key": 64}]})",
                                      std::string(VELMORA_ROOT_DIR) + "/examples/demo", error);
    ASSERT_TRUE(session) << error;
    const std::string path = (folder.dir / "mine.json").string();
    std::string before;
    {
        ReferenceHost host;
        SessionInstances instances(library, *session, host);
        ASSERT_TRUE(instances.ok()) << instances.error();
        before = Listing(host);
        ASSERT_TRUE(SaveSessionWithStates(*session, {host.instance(0), host.instance(1)}, path, error)) << error;
    }
    // The instances name their state files and nothing the states already hold.
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    rapidjson::Document saved;
    saved.Parse(text.str().c_str());
    ASSERT_TRUE(saved.IsObject()) << text.str();
    const auto& setups = saved["instances"];
    ASSERT_EQ(setups.Size(), 2U);
    for (rapidjson::SizeType i = 0; i < 2; ++i) {
        const std::string name = "mine.instance-" + std::to_string(i + 1) + ".state";
        EXPECT_EQ(setups[i].MemberCount(), 1U) << text.str();
        EXPECT_EQ(std::string(setups[i]["state"].GetString()), name);
        EXPECT_TRUE(std::filesystem::is_regular_file(folder.dir / name));
    }
    EXPECT_EQ(saved["events"].Size(), 1U);

    const auto reloaded = LoadSession(path, error);
    ASSERT_TRUE(reloaded) << error;
    ReferenceHost host;
    SessionInstances instances(library, *reloaded, host);
    ASSERT_TRUE(instances.ok()) << instances.error();
    EXPECT_EQ(Listing(host), before);
}

TEST(SessionSave, AFailedSaveSaysWhereAndLeavesNoSession) {
    const Folder folder("velmora-session-save-fails");
    const PluginLibrary library(VELMORA_PLUGIN_PATH);
    ASSERT_TRUE(library.ok()) << library.error();
    Session session;
    session.instances.emplace_back();
    ReferenceHost host;
    SessionInstances instances(library, session, host);
    ASSERT_TRUE(instances.ok()) << instances.error();
    const std::string path = (folder.dir / "missing-folder" / "s.json").string();
    std::string error;
    EXPECT_FALSE(SaveSessionWithStates(session, {host.instance(0)}, path, error));
    EXPECT_EQ(error, "cannot write " + (folder.dir / "missing-folder" / "s.instance-1.state").string());
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace velmora::host
