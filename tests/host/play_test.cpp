// The reference host's timeline: sessions and MIDI files played through the
// plugin library.
#include <gtest/gtest.h>
#include <unistd.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/midi_file.h"
#include "host/player.h"
#include "host/plugin_library.h"
#include "host/session.h"
#include "tests/support/run_command.h"

namespace velmora::host {
namespace {

Session MustParse(const std::string& json) {
    std::string error;
    auto s = ParseSession(json, ".", error);
    EXPECT_TRUE(s) << error;
    return s.value_or(Session{});
}

std::vector<SentMessage> MustPlay(const Session& s) {
    std::string error;
    auto outcome = Play(s, VELMORA_PLUGIN_PATH, error);
    EXPECT_TRUE(outcome) << error;
    return outcome ? outcome->sent : std::vector<SentMessage>{};
}

std::uint32_t Word(int status, int d1, int d2, int port = 0) {
    return static_cast<std::uint32_t>(status | (d1 << 8) | (d2 << 16) | (port << 24));
}

TEST(Session, DefaultsAndSamplesPerTick) {
    const Session s = MustParse("{}");
    EXPECT_DOUBLE_EQ(s.samplesPerTick(), 229.6875);
    EXPECT_EQ(s.instances.size(), 1U);
}

TEST(Session, RejectsWhatItCannotPlay) {
    for (const char* bad : {"[", "[]", R"({"ppq": 0})", R"({"events": [{"type": "chord"}]})",
                            R"({"events": [{"type": "note", "instance": 3}]})"}) {
        std::string error;
        EXPECT_FALSE(ParseSession(bad, ".", error)) << bad;
        EXPECT_FALSE(error.empty());
    }
}

// A session file in a folder of its own, beside one file of each kind it can
// name and a subfolder. One folder per test and process: CTest runs the tests
// of this file side by side.
struct SessionFolder {
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("velmora-session-files-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                                 "-" + std::to_string(::getpid()));
    SessionFolder() {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir / "folder");
        std::ofstream(dir / "present.zoltartic") << "[]";
        std::ofstream(dir / "present.state") << "state";
    }
    ~SessionFolder() { std::filesystem::remove_all(dir); }
    std::string write(const std::string& instances) const {
        const std::string path = (dir / "session.json").string();
        std::ofstream(path) << R"({"instances": )" << instances << "}";
        return path;
    }
    std::string file(const char* name) const { return (dir / name).string(); }
};

TEST(Session, NamesTheFileItCannotFind) {
    const SessionFolder folder;
    const struct {
        const char* instances;
        std::string error;
    } cases[] = {
        {R"([{"articulations": "missing.zoltartic"}])",
         "session: instance 1: articulations file \"" + folder.file("missing.zoltartic") + "\" does not exist"},
        {R"([{"articulations": "present.zoltartic"}, {"state": "gone.state"}])",
         "session: instance 2: state file \"" + folder.file("gone.state") + "\" does not exist"},
        {R"([{"state": "present.state", "articulations": "/nonexistent-velmora/strings.nki"}])",
         "session: instance 1: articulations file \"/nonexistent-velmora/strings.nki\" does not exist"},
        {R"([{"state": "folder"}])", "session: instance 1: state file \"" + folder.file("folder") + "\" is a folder"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(LoadSession(folder.write(c.instances), error)) << c.instances;
        EXPECT_EQ(error, c.error);
    }
}

TEST(Session, TakesNamedFilesFromItsOwnFolder) {
    const SessionFolder folder;
    std::string error;
    const auto s = LoadSession(folder.write(R"([{"articulations": "present.zoltartic", "state": "present.state"}])"), error);
    ASSERT_TRUE(s) << error;
    EXPECT_EQ(s->instances.at(0).articulations, folder.file("present.zoltartic"));
    EXPECT_EQ(s->instances.at(0).state, folder.file("present.state"));
}

TEST(Session, VelocityLevelsComeBackAsTheVelocity) {
    // The plugin's curve, in the same single precision.
    auto curve = [](float v) {
        const float x = 127.0f * std::log(10.0f * v + 1.0f) / std::log(21.0f);
        const int r = static_cast<int>(x > 127.0f ? 127.0f : x);
        return r == 0 ? 1 : r;
    };
    for (int velocity = 1; velocity <= 127; ++velocity) {
        EXPECT_EQ(curve(LevelForVelocity(velocity)), velocity);
    }
    for (int release = 0; release <= 127; ++release) {
        EXPECT_EQ(static_cast<int>(ReleaseForVelocity(release) * 127.0f), release);
    }
}

TEST(Play, RefusesScoresThatWouldNeverEnd) {
    for (const char* json : {R"({"events": [{"type": "note", "tick": 1e15}]})",
                             R"({"events": [{"type": "note", "tick": 0, "length": 1e300}]})",
                             R"({"events": [{"type": "pan", "tick": 20000000}]})"}) {
        const Session s = MustParse(json);
        std::string error;
        EXPECT_FALSE(Play(s, VELMORA_PLUGIN_PATH, error)) << json;
        EXPECT_NE(error.find("runs past tick"), std::string::npos) << error;
    }
}

TEST(Play, NotesGoOutAtTheirTicksWithReleaseVelocity) {
    const Session s = MustParse(R"({"events": [
        {"type": "note", "tick": 2, "key": 64, "velocity": 90, "length": 3, "release": 50},
        {"type": "note", "tick": 5, "key": 64, "velocity": 91, "length": 1}]})");
    const auto sent = MustPlay(s);
    ASSERT_EQ(sent.size(), 4U);
    EXPECT_EQ(sent[0].tick, 2);
    EXPECT_EQ(sent[0].word, Word(0x90, 64, 90));
    // At tick 5 the first note ends before the second starts.
    EXPECT_EQ(sent[1].tick, 5);
    EXPECT_EQ(sent[1].word, Word(0x80, 64, 50));
    EXPECT_EQ(sent[2].word, Word(0x90, 64, 91));
    EXPECT_EQ(sent[3].tick, 6);
}

TEST(Play, TransportReachesEveryInstanceAndParametersBecomeCCs) {
    const Session s = MustParse(R"({"instances": [{}, {"channel": 4}], "events": [
        {"type": "transport", "tick": 0, "playing": true},
        {"type": "param", "tick": 1, "instance": 1, "index": 7, "value": 33},
        {"type": "pan", "tick": 2, "instance": 0, "value": 12}]})");
    const auto sent = MustPlay(s);
    ASSERT_EQ(sent.size(), 9U * 2 + 2);
    EXPECT_EQ(sent[0].instance, 0);
    EXPECT_EQ(sent[9].instance, 1);
    EXPECT_EQ(sent[9].word, Word(0xB4, 10, 0));
    EXPECT_EQ(sent[18].word, Word(0xB4, 7, 33));
    EXPECT_EQ(sent[19].word, Word(0xB0, 10, 12));
}

TEST(ScorePlayer, PacedInStretchesItSendsWhatOneRunSends) {
    std::string error;
    const auto demo = LoadSession(std::string(VELMORA_ROOT_DIR) + "/examples/demo/session.json", error);
    ASSERT_TRUE(demo) << error;
    const auto whole = Play(*demo, VELMORA_PLUGIN_PATH, error);
    ASSERT_TRUE(whole) << error;
    ASSERT_FALSE(whole->sent.empty());

    const PluginLibrary library(VELMORA_PLUGIN_PATH);
    ReferenceHost host;
    SessionInstances instances(library, *demo, host);
    ASSERT_TRUE(instances.ok()) << instances.error();
    auto player = ScorePlayer::Create(host, *demo, error);
    ASSERT_TRUE(player) << error;
    // Uneven stretches, as a clock's timer delivers them; asking for a tick
    // already played plays nothing.
    for (std::int64_t tick = 0, step = 1; !player->finished(); tick += step, step = step % 13 + 1) {
        player->playThrough(tick);
        player->playThrough(tick - 1);
    }
    ASSERT_EQ(host.sent().size(), whole->sent.size());
    for (std::size_t i = 0; i < host.sent().size(); ++i) {
        EXPECT_EQ(host.sent()[i].tick, whole->sent[i].tick) << i;
        EXPECT_EQ(host.sent()[i].instance, whole->sent[i].instance) << i;
        EXPECT_EQ(host.sent()[i].word, whole->sent[i].word) << i;
    }
}

TEST(ScorePlayer, StopAndLoopReleaseTheNotesStillHeld) {
    const Session s = MustParse(R"({"events": [
        {"type": "note", "tick": 0, "key": 62, "velocity": 90, "length": 500, "release": 40}]})");
    const PluginLibrary library(VELMORA_PLUGIN_PATH);
    ReferenceHost host;
    SessionInstances instances(library, s, host);
    ASSERT_TRUE(instances.ok()) << instances.error();
    std::string error;
    auto player = ScorePlayer::Create(host, s, error);
    ASSERT_TRUE(player) << error;
    EXPECT_EQ(player->lastTick(), 500 + 96);
    player->playThrough(20);
    ASSERT_EQ(host.sent().size(), 1U);
    player->rewind();  // a loop going back while the note sounds
    ASSERT_EQ(host.sent().size(), 2U);
    EXPECT_EQ(host.sent()[1].word, Word(0x80, 62, 40));
    EXPECT_EQ(player->nextTick(), 0);
    player->playThrough(0);  // the score starts again
    ASSERT_EQ(host.sent().size(), 3U);
    EXPECT_EQ(host.sent()[2].word, Word(0x90, 62, 90));
    player->releaseHeldNotes();  // a stop
    ASSERT_EQ(host.sent().size(), 4U);
    EXPECT_EQ(host.sent()[3].word, Word(0x80, 62, 40));
    player->playThrough(player->lastTick());  // its end comes with nothing left to release
    EXPECT_EQ(host.sent().size(), 4U);
    EXPECT_TRUE(player->finished());
}

TEST(Play, SessionAndMidiFileOfTheSameNotesSendTheSame) {
    const Session s = MustParse(R"({"ppq": 96, "events": [
        {"type": "note", "tick": 0, "key": 60, "velocity": 100, "length": 48, "colour": 2, "release": 30},
        {"type": "note", "tick": 24, "key": 64, "velocity": 70, "length": 96, "colour": 0},
        {"type": "note", "tick": 96, "key": 67, "velocity": 127, "length": 10, "colour": 5, "release": 127}]})");
    // The same notes as a file: channel = colour.
    std::vector<SentMessage> asMessages = {
        {0, 0, Word(0x92, 60, 100)}, {24, 0, Word(0x90, 64, 70)}, {48, 0, Word(0x82, 60, 30)},
        {96, 0, Word(0x95, 67, 127)}, {106, 0, Word(0x85, 67, 127)}, {120, 0, Word(0x80, 64, 0)}};
    const auto bytes = WriteMidiFile(asMessages, 96, 120.0);
    std::string error;
    const auto fromFile = ReadMidiScore(bytes, error);
    ASSERT_TRUE(fromFile) << error;
    EXPECT_EQ(fromFile->ppq, 96);
    EXPECT_NEAR(fromFile->bpm, 120.0, 1e-9);

    const auto a = MustPlay(s);
    const auto b = MustPlay(*fromFile);
    ASSERT_EQ(a.size(), b.size());
    ASSERT_FALSE(a.empty());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].tick, b[i].tick) << i;
        EXPECT_EQ(a[i].word, b[i].word) << i;
    }
}

TEST(MidiFile, WritesOneTrackPerPortAndRefusesDamage) {
    const std::vector<SentMessage> sent = {{0, 0, Word(0x90, 60, 100, 0)}, {5, 0, Word(0xC1, 3, 0, 2)},
                                           {9, 0, Word(0x80, 60, 0, 0)}};
    const auto bytes = WriteMidiFile(sent, 480, 100.0);
    ASSERT_GE(bytes.size(), 14U);
    EXPECT_EQ(bytes[9], 1);   // type 1
    EXPECT_EQ(bytes[11], 2);  // two ports, two tracks
    EXPECT_EQ((bytes[12] << 8) | bytes[13], 480);
    std::string error;
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        std::vector<std::uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<long>(cut));
        ReadMidiScore(prefix, error);  // must not crash or read past the end
    }
    EXPECT_FALSE(ReadMidiScore({'R', 'I', 'F', 'F'}, error));
}

}  // namespace
}  // namespace velmora::host

namespace velmora::host {
namespace {

using test::RunCommand;

TEST(HostProgram, PlaysTheBundledDemoWithSwitchesBeforeNotes) {
    int status = 0;
    const std::string out = RunCommand(std::string("\"") + VELMORA_HOST_PATH + "\" 2>&1", status);
    EXPECT_EQ(status, 0) << out;
    // The first legato note: keyswitch C0 at velocity 100, its UACC value, then the note.
    EXPECT_NE(out.find("note on   C0   ( 24) vel 100\n     0     1     0   1  note off  C0   ( 24) vel 0\n"
                       "     0     1     0   1  CC 32  = 20\n     0     1     0   1  note on   C3"),
              std::string::npos)
        << out;
    // The second instance plays the imported demo instrument on the same channel: its legato
    // switches by velocity 10 on note 0, and its second staccato note needs no switch.
    EXPECT_NE(out.find("    96     2     0   1  note on   C-2  (  0) vel 10\n    96     2     0   1  note off  C-2  (  0) vel 0\n"
                       "    96     2     0   1  note on   C2   ( 48) vel 80\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("   672     2     0   1  note on   E2   ( 52) vel 90\n   712     2     0   1  note off  E2   ( 52) vel 64\n"
                       "   720     2     0   1  note on   G2   ( 55) vel 90\n"),
              std::string::npos)
        << out;
}

TEST(HostProgram, InspectPrintsTheApiListing) {
    int status = 0;
    const std::string out = RunCommand(std::string("\"") + VELMORA_HOST_PATH + "\" inspect", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out.rfind("{\n\t\"instances\":\n\t[\n\t\t{\n\t\t\t\"id\":\t\t1,\n", 0), 0U) << out.substr(0, 200);
    EXPECT_NE(out.find("\"controllers\":"), std::string::npos);
    EXPECT_EQ(out.substr(out.size() - 6), "\n\t]\n}\n");
}

TEST(HostProgram, InspectSavesAndRestoresStates) {
    const std::string state = (std::filesystem::temp_directory_path() / "velmora-inspect.state").string();
    const std::string session = (std::filesystem::temp_directory_path() / "velmora-inspect.json").string();
    {
        std::ofstream(session) << R"({"instances": [{"port": 9, "channel": 5, "options": {"holdkeyswitch": true}}]})";
    }
    int status = 0;
    const std::string host = std::string("\"") + VELMORA_HOST_PATH + "\"";
    const std::string saved = RunCommand(host + " inspect " + session + " --save-state " + state, status);
    ASSERT_EQ(status, 0);
    ASSERT_NE(saved.find("\"port\":\t\t9,"), std::string::npos);
    const std::string restored = RunCommand(host + " inspect --state " + state, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(restored, saved) << "a fresh instance restores port, channel and options from the state";
    std::filesystem::remove(state);
    std::filesystem::remove(session);
}

TEST(HostProgram, ExportsAndSavesTheStatesOfSessionInstances) {
    const auto folder = std::filesystem::temp_directory_path() / "velmora-export-test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string host = std::string("\"") + VELMORA_HOST_PATH + "\"";
    const std::string demo = std::filesystem::path(VELMORA_HOST_PATH).parent_path().string() + "/examples/demo/session.json";
    int status = 0;
    const std::string exported = (folder / "first.zoltartic").string();
    RunCommand(host + " export " + demo + " --instance 1 --out " + exported + " 2>/dev/null", status);
    ASSERT_EQ(status, 0);
    std::ifstream in(exported);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str().rfind("[\n\t{\n\t\t\"name\": \"Legato\",\n\t\t\"icon\": 0,\n\t\t\"note\": 24,\n", 0), 0U)
        << text.str().substr(0, 200);
    EXPECT_NE(text.str().find("\"name\": \"Marcato (soft)\""), std::string::npos);
    RunCommand(host + " export " + demo + " --instance 9 --out " + exported + " 2>/dev/null", status);
    EXPECT_NE(status, 0) << "no such instance";

    RunCommand(host + " play " + demo + " --save-states " + folder.string() + " >/dev/null 2>&1", status);
    ASSERT_EQ(status, 0);
    ASSERT_TRUE(std::filesystem::exists(folder / "instance-1.state"));
    ASSERT_TRUE(std::filesystem::exists(folder / "instance-2.state"));
    const std::string listing = RunCommand(host + " inspect --state " + (folder / "instance-1.state").string(), status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(listing.find("{\"name\": \"Legato\", \"icon\": 0, \"note\": 24, \"notev\": 100"), std::string::npos);
    EXPECT_NE(listing.find("\"articbanks\": true"), std::string::npos);
    std::filesystem::remove_all(folder);
}

TEST(HostProgram, RefusesWhatItCannotRead) {
    int status = 0;
    RunCommand(std::string("\"") + VELMORA_HOST_PATH + "\" play /nonexistent/session.json 2>/dev/null", status);
    EXPECT_NE(status, 0);
    RunCommand(std::string("\"") + VELMORA_HOST_PATH + "\" frobnicate 2>/dev/null", status);
    EXPECT_NE(status, 0);
}

TEST(HostProgram, SaysInOneLineWhichFileASessionLacks) {
    const SessionFolder folder;
    const std::string session = folder.write(R"([{}, {"articulations": "strings.nki"}])");
    for (const char* command : {" play ", " inspect ", " export "}) {
        int status = 0;
        const std::string err =
            RunCommand(std::string("\"") + VELMORA_HOST_PATH + "\"" + command + session + " --out /dev/null 2>&1 >/dev/null", status);
        EXPECT_NE(status, 0) << command;
        EXPECT_EQ(err, "velmora-host: session: instance 2: articulations file \"" + folder.file("strings.nki") +
                           "\" does not exist\n")
            << command;
    }
}

}  // namespace
}  // namespace velmora::host
