// velmora-host editor against the stub plugin's fake editor: what the host
// sends the editor, what it prints of the plugin's calls, how it answers the
// editor's questions and where the editor's settings go.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/run_command.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// A folder with a two-instance session and a user's settings folder of its
// own, so no run can reach the real user's settings.
class EditorCommand : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir / "config" / "ZOLT Velmora");
        std::ofstream(dir / "session.json") << R"({"instances": [{}, {"options": {"articbanks": true}}]})";
        std::ofstream(userSettings) << "Software\\\\Image-Line\\\\Shared\\\\General\tMain PPI\ts\t96\n";
    }
    void TearDown() override { fs::remove_all(dir); }

    struct Outcome {
        int status = 0;  // exit status
        std::string out;
        std::string err;
    };
    Outcome Run(const std::string& script, const std::string& options, const std::string& plugin = VELMORA_STUB_EDITOR_PLUGIN_PATH,
                const std::string& environment = "") {
        std::ofstream(dir / "script.jsonl") << script;
        const std::string command = environment + " XDG_CONFIG_HOME='" + (dir / "config").string() + "' '" +
                                    VELMORA_HOST_PATH + "' editor '" + (dir / "session.json").string() + "' --script '" +
                                    (dir / "script.jsonl").string() + "' --plugin '" + plugin + "' " + options + " 2>'" +
                                    (dir / "err").string() + "'";
        Outcome o;
        o.out = RunCommand(command, o.status);
        o.status = WIFEXITED(o.status) ? WEXITSTATUS(o.status) : -1;
        o.err = ReadAll(dir / "err");
        return o;
    }
    std::string File(const char* name) const { return (dir / name).string(); }
    // The demo session's editor, through the plugin itself.
    Outcome RunDemo(const std::string& script, const std::string& options) {
        fs::copy(fs::path(VELMORA_HOST_PATH).parent_path() / "examples/demo", dir,
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        return Run(script, options, VELMORA_PLUGIN_PATH);
    }

    // One folder per test, so tests run side by side do not meet.
    const fs::path dir = fs::temp_directory_path() /
                         (std::string("velmora-editor-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    const fs::path userSettings = dir / "config" / "ZOLT Velmora" / "settings.txt";
};

TEST_F(EditorCommand, DrivesTheEditorAndPrintsEveryCallInOrder) {
    const std::string script = R"({"answer":"prompt","text":"Spiccato"}
{"do":"move","x":10,"y":20}
{"do":"click","button":"left","x":28,"y":207}

{"do":"press","button":"right","x":5,"y":6}
{"do":"wheel","delta":-240,"x":7,"y":8}
{"do":"activate","active":true}
{"do":"resize","width":640,"height":480}
{"do":"hold","keys":["ctrl","shift"]}
{"do":"key","key":"P"}
{"do":"key","key":"P"}
{"answer":"messagebox","result":"yes"}
{"do":"key","key":"M"}
{"do":"key","key":"M"}
{"do":"hold","keys":[]}
{"do":"snapshot","out":")" + File("during.png") + R"("}
{"do":"key","key":"S"}
{"do":"key","key":"U"}
{"do":"idle"}
)";
    const Outcome o = Run(script, "--instance 2 --host-version 20500000 --snapshot '" + File("after.png") +
                                      "' --listing --save-state '" + File("saved.state") + "'");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    const std::vector<std::string> lines = Lines(o.out);
    ASSERT_GE(lines.size(), 2U) << o.out;
    // The show: the editor reads the private settings and the host's version.
    EXPECT_EQ(lines[0], R"({"call":"dispatcher","id":22,"index":0,"text":"shown"})");
    EXPECT_NE(lines[1].find("Main PPI 96, host version 20500000\"}"), std::string::npos) << lines[1];
    const std::vector<std::string> rest(lines.begin() + 2, lines.end());
    const std::vector<std::string> expected = {
        R"({"call":"hint","text":"move 10 20"})",
        R"({"call":"hint","text":"down 1 28 207"})",
        R"({"call":"hint","text":"up 1 28 207"})",
        R"({"call":"hint","text":"down 2 5 6"})",
        R"({"call":"param","index":5,"value":6})",
        R"({"call":"midi","port":2,"status":177,"data1":5,"data2":6})",
        R"({"call":"hint","text":"wheel -240 7 8"})",
        R"({"call":"hint","text":"activate 1"})",
        R"({"call":"hint","text":"size 640 480"})",
        // Held keys answer by their generic and side codes alike.
        R"({"call":"hint","text":"key 80 ctrl shift"})",
        R"({"call":"prompt","caption":"Rename \"Legato\"\\","text":"Legato"})",
        R"({"call":"hint","text":"renamed to Spiccato"})",
        R"({"call":"hint","text":"key 80 ctrl shift"})",
        R"({"call":"prompt","caption":"Rename \"Legato\"\\","text":"Legato"})",
        R"({"call":"hint","text":"rename cancelled"})",
        R"({"call":"hint","text":"key 77 ctrl shift"})",
        R"({"call":"messagebox","text":"Replace all?\n","style":52})",
        R"({"call":"hint","text":"messagebox answered 6"})",
        R"({"call":"hint","text":"key 77 ctrl shift"})",
        R"({"call":"messagebox","text":"Replace all?\n","style":52})",
        R"({"call":"hint","text":"messagebox answered 7"})",
        R"({"call":"hint","text":"key 83"})",
        R"({"call":"resize","width":1280,"height":960})",
        R"({"call":"hint","text":"key 85"})",
        "{\"call\":\"hint\",\"text\":\"caf\xEF\xBF\xBD \\t\\u0001\"}",
        R"({"call":"hint","text":"idle"})",
        R"({"call":"hint","text":"paint"})",
        // --listing, of the instance shown only.
        R"({"instances": [{"id": 2}]})",
        // The hide.
        R"({"call":"dispatcher","id":45,"index":0,"text":"hidden"})",
        R"({"call":"dispatcher","id":2,"index":0,"value":0})",
    };
    EXPECT_EQ(rest, expected);
    EXPECT_EQ(ReadAll(File("during.png")), "stub picture 640x480\n");
    EXPECT_EQ(ReadAll(File("after.png")), "stub picture 1280x960\n");
    EXPECT_EQ(ReadAll(File("saved.state")), "stub state");
}

TEST_F(EditorCommand, ABadLineStopsTheRunBeforeAnyLineRuns) {
    const Outcome o = Run("{\"do\":\"snapshot\",\"out\":\"" + File("never.png") +
                              "\"}\n\n{\"do\":\"jump\"}\n{\"do\":\"idle\"}\n",
                          "");
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.err, "velmora-host: script line 3: unknown \"do\": \"jump\"\n");
    EXPECT_EQ(o.out, "") << "the editor was never shown";
    EXPECT_FALSE(fs::exists(File("never.png")));
}

// The editor's settings live in a copy of the user's for one run: --ppi goes
// into the copy, what the editor writes stays there, and the copy is removed.
TEST_F(EditorCommand, SettingsGoToAPrivateCopy) {
    const std::string before = ReadAll(userSettings);
    const struct {
        const char* options;
        const char* ppi;
    } cases[] = {
        {"--ppi 192", "Main PPI 192"},
        {"", "Main PPI 96"},  // the user's own, copied
    };
    for (const auto& c : cases) {
        const Outcome o = Run("", c.options);
        ASSERT_EQ(o.status, 0) << o.err;
        const std::vector<std::string> lines = Lines(o.out);
        ASSERT_GE(lines.size(), 2U) << o.out;
        const std::string prefix = R"({"call":"hint","text":"settings )";
        ASSERT_EQ(lines[1].rfind(prefix, 0), 0U) << lines[1];
        const std::string path = lines[1].substr(prefix.size(), lines[1].find(": Main PPI") - prefix.size());
        EXPECT_NE(lines[1].find(std::string(c.ppi) + ", host version 21000000"), std::string::npos) << lines[1];
        EXPECT_EQ(path.rfind(dir.string(), 0), std::string::npos) << "not the user's folder: " << path;
        EXPECT_FALSE(fs::exists(fs::path(path).parent_path().parent_path())) << "removed at exit: " << path;
        EXPECT_EQ(ReadAll(userSettings), before) << c.options;
    }
}

TEST_F(EditorCommand, RefusesInOneLineWhatItCannotDrive) {
    const struct {
        const char* what;
        std::string options;
        std::string plugin;
        std::string environment;
        int status;
        std::string err;  // the line, or its start
    } cases[] = {
        {"a table of another version", "", VELMORA_STUB_PLUGIN_PATH, "", 1,
         "velmora-host: the plugin's host extension is version "},
        {"no editor entries", "", VELMORA_STUB_EDITOR_PLUGIN_PATH, "VELMORA_STUB_NO_EDITOR=1", 1,
         "velmora-host: the plugin's host extension has no headless editor\n"},
        {"services refused", "", VELMORA_STUB_EDITOR_PLUGIN_PATH, "VELMORA_STUB_REFUSE_HOST=1", 1,
         "velmora-host: the plugin refused the host's headless services\n"},
        {"no such instance", "--instance 3", VELMORA_STUB_EDITOR_PLUGIN_PATH, "", 1,
         "velmora-host: the session has no instance 3\n"},
        {"a PPI of 0", "--ppi 0", VELMORA_STUB_EDITOR_PLUGIN_PATH, "", 2, "--ppi needs a whole number above 0, not 0\n"},
    };
    for (const auto& c : cases) {
        const Outcome o = Run("", c.options, c.plugin, c.environment);
        EXPECT_EQ(o.status, c.status) << c.what;
        EXPECT_EQ(o.err.rfind(c.err, 0), 0U) << c.what << ": " << o.err;
        if (c.err.back() != '\n') {
            EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << c.what << ": one line: " << o.err;
        }
        EXPECT_EQ(o.out, "") << c.what;
    }
}

TEST_F(EditorCommand, ASnapshotThatCannotBeWrittenStopsTheScriptAndStillHides) {
    const Outcome o = Run("{\"do\":\"snapshot\",\"out\":\"/nonexistent-velmora/a.png\"}\n{\"do\":\"idle\"}\n", "");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "velmora-host: script line 1: the editor's picture could not be written to /nonexistent-velmora/a.png\n");
    EXPECT_EQ(o.out.find("idle"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find(R"({"call":"dispatcher","id":45,"index":0,"text":"hidden"})"), std::string::npos) << o.out;
}

// A PNG's width, from its header; 0 for a file that is not one.
std::uint32_t PngWidth(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) {
        return 0;
    }
    std::uint32_t width = 0;
    for (int i = 16; i < 20; ++i) {
        width = (width << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
    }
    return width;
}

TEST_F(EditorCommand, TheRealEditorTakesEventsAndDrawsAtTheHostsPpi) {
    const std::string script = "{\"do\":\"move\",\"x\":20,\"y\":20}\n{\"do\":\"snapshot\",\"out\":\"" + File("editor.png") + "\"}\n";
    const Outcome plain = RunDemo(script, "");
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_NE(plain.out.find("{\"call\":\"hint\",\"text\":\"Legato"), std::string::npos) << plain.out;
    const std::uint32_t width = PngWidth(ReadAll(File("editor.png")));
    EXPECT_GT(width, 0U);
    const Outcome doubled = RunDemo(script, "--ppi 192");
    ASSERT_EQ(doubled.status, 0) << doubled.err;
    EXPECT_EQ(PngWidth(ReadAll(File("editor.png"))), 2 * width);
}

// Keys reach the real editor with the modifiers the script holds: Control+Up
// minimises at the editor's scale, and Right walks the edited articulation
// into the next bank, which the listing shows.
TEST_F(EditorCommand, TheRealEditorTakesKeysWithHeldModifiers) {
    std::string script = "{\"do\":\"hold\",\"keys\":[\"ctrl\"]}\n{\"do\":\"key\",\"key\":\"Up\"}\n{\"do\":\"hold\",\"keys\":[]}\n";
    for (int i = 0; i < 17; ++i) {
        script += "{\"do\":\"key\",\"key\":\"Right\"}\n";
    }
    const Outcome o = RunDemo(script, "--ppi 192 --listing");
    ASSERT_EQ(o.status, 0) << o.err;
    const std::vector<std::string> lines = Lines(o.out);
    const std::vector<std::string> minimised = {
        R"({"call":"resize","width":480,"height":200})",
        R"({"call":"dispatcher","id":2,"index":0,"value":0})",
    };
    const auto at = std::search(lines.begin(), lines.end(), minimised.begin(), minimised.end());
    EXPECT_NE(at, lines.end()) << o.out;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), minimised[0]), 1) << "the arrow keys without Control do not resize";
    for (const char* field : {"\t\"minimised\":\ttrue,", "\t\"editing\":\t17,", "\t\"bankstart\":\t\t16,"}) {
        EXPECT_NE(o.out.find(field), std::string::npos) << field << "\n" << o.out;
    }
}

// A show step hands the events to another instance's editor; on a host that
// keeps a single editor, the first one is closed through its own host call.
TEST_F(EditorCommand, AShowStepMovesTheEventsToAnotherEditor) {
    const std::string move = "{\"do\":\"move\",\"x\":20,\"y\":20}\n";
    const Outcome o = RunDemo(move + "{\"do\":\"show\",\"instance\":2}\n" + move, "");
    ASSERT_EQ(o.status, 0) << o.err;
    const std::vector<std::string> lines = Lines(o.out);
    const auto close = std::find(lines.begin(), lines.end(), R"({"call":"dispatcher","id":53,"index":0,"value":0})");
    ASSERT_NE(close, lines.end()) << o.out;
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.front().find("\"text\":\"Legato"), std::string::npos) << "the first editor's first cell";
    const auto second = std::find_if(close, lines.end(), [](const std::string& l) { return l.find("\"hint\"") != std::string::npos; });
    // The first editor would not repeat the hint of the region it already
    // showed: a second hint for the same move comes from the second editor.
    EXPECT_NE(second, lines.end()) << o.out;

    const Outcome bad = RunDemo("{\"do\":\"show\",\"instance\":3}\n", "");
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("script line 1: the session has no instance 3"), std::string::npos) << bad.err;
}

// A drag as a desktop user makes it: the editor pins the pointer at the
// press point and puts it back after every move, so each move of the script
// is a distance from the press point. Ten moves 8 pixels up are ten steps of
// the first articulation's keyswitch, which the saved state keeps.
TEST_F(EditorCommand, ADraggedKeyswitchIsInTheSavedState) {
    std::string script = R"({"do":"click","button":"left","x":28,"y":207}
{"do":"move","x":80,"y":145}
{"do":"press","button":"left","x":80,"y":145}
)";
    for (int i = 0; i < 10; ++i) {
        script += "{\"do\":\"move\",\"x\":80,\"y\":137}\n";
    }
    script += "{\"do\":\"release\",\"button\":\"left\",\"x\":80,\"y\":145}\n";
    const Outcome o = RunDemo(script, "--save-state '" + File("dragged.state") + "'");
    ASSERT_EQ(o.status, 0) << o.err;
    std::size_t changes = 0;
    for (const std::string& line : Lines(o.out)) {
        changes += line == R"({"call":"dispatcher","id":48,"index":0,"value":0})" ? 1 : 0;
    }
    EXPECT_EQ(changes, 10U) << o.out;

    int status = 0;
    const std::string listing =
        RunCommand("XDG_CONFIG_HOME='" + (dir / "config").string() + "' '" + VELMORA_HOST_PATH + "' inspect --state '" +
                       File("dragged.state") + "' --plugin '" + VELMORA_PLUGIN_PATH + "' 2>&1",
                   status);
    ASSERT_EQ(status, 0) << listing;
    // Legato's keyswitch was 24 in the demo.
    EXPECT_NE(listing.find(R"({"name": "Legato", "icon": 0, "note": 34, )"), std::string::npos) << listing;
}

// A controller slot's menu on the real editor offers the reference host's
// parameter menu; the host entry chosen comes back to the host, whose reset
// sets the slot's parameter back through the plugin. The Hold button (CC 64,
// the last of the row) is pressed first, so the reset has something to undo.
TEST_F(EditorCommand, TheHostsParameterMenuRunsFromAControllerSlot) {
    const std::string script = R"({"do":"click","button":"left","x":209,"y":144}
{"answer":"menu","id":1026}
{"do":"click","button":"right","x":209,"y":144}
)";
    const Outcome o = RunDemo(script, "");
    ASSERT_EQ(o.status, 0) << o.err;
    const std::vector<std::string> lines = Lines(o.out);
    const auto menu = std::find_if(lines.begin(), lines.end(),
                                   [](const std::string& l) { return l.rfind(R"({"call":"menu",)", 0) == 0; });
    ASSERT_NE(menu, lines.end()) << o.out;
    const char* hostEntries =
        R"({"id":129,"text":"","separator":true,"greyed":false,"ticked":false},)"
        R"({"id":1024,"text":"Edit events","separator":false,"greyed":false,"ticked":false},)"
        R"({"id":0,"text":"","separator":true,"greyed":false,"ticked":false},)"
        R"({"id":1026,"text":"Reset to default value","separator":false,"greyed":false,"ticked":false},)"
        R"({"id":1027,"text":"Link to controller...","separator":false,"greyed":true,"ticked":false},)"
        R"({"id":1028,"text":"Create automation clip","separator":false,"greyed":false,"ticked":true},)"
        R"({"id":130,"text":"Set as default","separator":false,"greyed":false,"ticked":false}]})";
    EXPECT_NE(menu->find(hostEntries), std::string::npos) << *menu;
    const std::vector<std::string> after(menu + 1, lines.end());
    const std::vector<std::string> expected = {
        R"({"call":"dispatcher","id":0,"index":64,"value":2})",
        R"({"call":"midi","port":0,"status":176,"data1":64,"data2":0})",
    };
    EXPECT_TRUE(std::search(after.begin(), after.end(), expected.begin(), expected.end()) != after.end()) << o.out;
    EXPECT_NE(std::find(lines.begin(), menu, R"({"call":"midi","port":0,"status":176,"data1":64,"data2":127})"), menu)
        << "the press before: " << o.out;
    EXPECT_NE(o.err.find("[instance 1] parameter 64: Reset to default value\n"), std::string::npos) << o.err;
}

// The Articulation tab's export, chosen in the save dialog of the host
// script, writes the same bytes as the export command on the same instance.
TEST_F(EditorCommand, AnExportChosenInTheSaveDialogWritesWhatTheExportCommandWrites) {
    const std::string chosen = File("chosen.zoltartic");
    const std::string script = "{\"answer\":\"save\",\"path\":\"" + chosen + "\"}\n"
                               "{\"answer\":\"menu\",\"id\":10002}\n"
                               "{\"do\":\"click\",\"button\":\"right\",\"x\":28,\"y\":207}\n";
    const Outcome o = RunDemo(script, "");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find(R"({"call":"menu","entries":[{"id":10000,"text":"Convert from UACC KS to UACC CC")"),
              std::string::npos)
        << o.out;
    EXPECT_NE(o.out.find(R"({"call":"save","title":"Exporting articulations to file","filter":"JSON instrument files|*.zoltartic"})"),
              std::string::npos)
        << o.out;

    const std::string exported = File("exported.zoltartic");
    int status = 0;
    RunCommand("'" + std::string(VELMORA_HOST_PATH) + "' export '" + File("session.json") + "' --instance 1 --out '" +
                   exported + "' --plugin '" + VELMORA_PLUGIN_PATH + "' 2>&1",
               status);
    ASSERT_EQ(status, 0);
    const std::string bytes = ReadAll(exported);
    EXPECT_NE(bytes.find("\"name\""), std::string::npos) << "the demo's articulations: " << bytes;
    EXPECT_EQ(ReadAll(chosen), bytes);
}

// A Shift-click in the host's piano roll plays a note; the host describes
// its windows to the plugin, whose idle call then asks for the key's new name,
// and the host's next note-name question gets it. Without Shift the same
// click marks nothing.
TEST_F(EditorCommand, AShiftClickInThePianoRollRenamesTheKey) {
    const std::string script = R"({"answer":"prompt","text":"Soft hit"}
{"do":"note","key":60,"colour":3,"shift":true}
{"do":"getname","section":2,"index":60,"value":3}
{"do":"getname","section":2,"index":61,"value":3}
{"do":"note","key":62,"colour":3,"shift":false}
)";
    const struct {
        const char* options;
        const char* caption;
        const char* asked;      // the answer to the question for note 60 of colour 3
        const char* neighbour;  // and for note 61: the new table's entries start empty
    } cases[] = {
        {"", R"({"call":"prompt","caption":"Rename note Tremolo sul ponticello C3","text":""})", R"({"name":"Soft hit"})",
         R"({"name":""})"},
        // This host renames in articulation 0 and asks names of the articulation in use (3).
        {"--host-version 12000000", R"({"call":"prompt","caption":"Rename note Legato C3","text":""})", R"({"name":null})",
         R"({"name":null})"},
    };
    for (const auto& c : cases) {
        const Outcome o = RunDemo(script, c.options);
        ASSERT_EQ(o.status, 0) << o.err;
        const std::vector<std::string> lines = Lines(o.out);
        const auto prompt = std::find(lines.begin(), lines.end(), c.caption);
        ASSERT_NE(prompt, lines.end()) << o.out;
        const auto names = std::find(prompt, lines.end(), R"({"call":"dispatcher","id":3,"index":0,"value":2})");
        EXPECT_NE(names, lines.end()) << "the host hears the piano roll's names changed\n" << o.out;
        const auto isLog = [](const std::string& l) { return l.rfind(R"({"call":"hostwindows","log":[)", 0) == 0; };
        const auto firstLog = std::find_if(prompt, lines.end(), isLog);
        ASSERT_NE(firstLog, lines.end()) << o.out;
        EXPECT_NE(firstLog->find(R"({"kind":"debug","text":"  TRIGGERED\n"})"), std::string::npos) << *firstLog;
        EXPECT_NE(firstLog->find(R"({"kind":"debug","text":"  MousePos.y is 300\n"})"), std::string::npos) << *firstLog;
        ASSERT_GE(lines.end() - firstLog, 4);
        EXPECT_EQ(firstLog[1], c.asked);
        EXPECT_EQ(firstLog[2], c.neighbour);
        const auto secondLog = std::find_if(firstLog + 1, lines.end(), isLog);
        ASSERT_NE(secondLog, lines.end()) << o.out;
        EXPECT_EQ(secondLog->find("TRIGGERED"), std::string::npos) << *secondLog;
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.find("Rename note") != std::string::npos; }), 1)
            << o.out;
    }
}

}  // namespace
}  // namespace velmora::test
