// Articulation set files: the exact export text, import in its three modes,
// and what bad or unusual files do to an instance.
#include <gtest/gtest.h>

#include "persistence/articulation_files.h"
#include "persistence/articulation_json.h"
#include "persistence/articulation_records.h"
#include "tests/persistence/articulation_fixture.h"

namespace velmora::test {
namespace {

const std::string kDefaultObject =
    "\t\t\"name\": \"\",\n\t\t\"icon\": 55,\n\t\t\"note\": -1,\n\t\t\"notevel\": 127,\n\t\t\"prog\": -1,\n"
    "\t\t\"modw\": -1,\n\t\t\"modc\": -1\n\t}";

class ArticulationFiles : public ::testing::Test {
protected:
    void SetUp() override {
        plug_ = MakeInstance(host_);
        plug_->visible = 1;  // so repaints are counted
        host_.clearRecords();
    }
    ArticulationTable& table() { return plug_->articulations; }
    std::string file(const std::string& name) const { return temp_.file(name); }
    // Imports text written to a file of its own.
    void Import(const std::string& text, ImportMode mode) {
        const std::string path = file("in.zoltartic");
        WriteFile(path, text);
        ImportArticulations(*plug_, path, mode);
    }
    // Fields of all 64 articulations, key names by presence and path, for before/after comparisons.
    std::vector<std::string> Snapshot() const {
        std::vector<std::string> out;
        const ArticulationTable& t = plug_->articulations;
        for (int a = 0; a < kArticulations; ++a) {
            out.push_back(t.name[a] + "|" + std::to_string(t.icon[a]) + "|" + std::to_string(t.note[a]) + "|" +
                          std::to_string(t.notev[a]) + "|" + std::to_string(t.prog[a]) + "|" +
                          std::to_string(t.modw[a]) + "|" + std::to_string(t.modc[a]) + "|" +
                          (t.keyNames[a].names ? "names" : "-") + "|" + t.keyNames[a].path);
        }
        return out;
    }
    void FillFirst(int count) {
        for (int a = 0; a < count; ++a) {
            FillArticulation(table(), a);
        }
    }

    TempFolder temp_;
    RecordingHost host_;
    PlugPtr plug_;
};

// --- Export ---

TEST_F(ArticulationFiles, ExportWritesTheExactLayout) {
    table().name[1] = "Legato";
    table().icon[1] = 3;
    table().note[1] = 24;
    table().notev[1] = 100;
    table().prog[1] = 0;
    table().modw[1] = 64;
    table().modc[1] = kModSecondKeyswitch;
    const std::string path = file("set.zoltartic");
    ASSERT_TRUE(ExportArticulations(*plug_, path));
    EXPECT_EQ(ReadFile(path), "[\n\t{\n" + kDefaultObject +
                                  ",\n\t{\n\t\t\"name\": \"Legato\",\n\t\t\"icon\": 3,\n\t\t\"note\": 24,\n"
                                  "\t\t\"notevel\": 100,\n\t\t\"prog\": 0,\n\t\t\"modw\": 64,\n\t\t\"modc\": -2\n\t}\n]\n");
    EXPECT_EQ(MessageBoxes(host_), (std::vector<MessageBoxCall>{{"2 articulations exported!", plug::kMsgPlain}}));
}

TEST_F(ArticulationFiles, ExportRunsToTheLastArticulationInUse) {
    table().prog[5] = 12;
    const std::string path = file("five.zoltartic");
    ASSERT_TRUE(ExportArticulations(*plug_, path));
    std::string expected = "[";
    for (int a = 0; a < 5; ++a) {
        expected += (a == 0 ? "\n\t{\n" : ",\n\t{\n") + kDefaultObject;
    }
    expected += ",\n\t{\n\t\t\"name\": \"\",\n\t\t\"icon\": 55,\n\t\t\"note\": -1,\n\t\t\"notevel\": 127,\n"
                "\t\t\"prog\": 12,\n\t\t\"modw\": -1,\n\t\t\"modc\": -1\n\t}\n]\n";
    EXPECT_EQ(ReadFile(path), expected);
    EXPECT_EQ(MessageBoxes(host_), (std::vector<MessageBoxCall>{{"6 articulations exported!", plug::kMsgPlain}}));
    EXPECT_EQ(StateChanges(host_), 0U) << "export changes nothing";
}

TEST_F(ArticulationFiles, ExportOfABlankInstanceIsAnEmptyArray) {
    const std::string path = file("blank.zoltartic");
    ASSERT_TRUE(ExportArticulations(*plug_, path));
    EXPECT_EQ(ReadFile(path), "[\n]\n");
    EXPECT_EQ(MessageBoxes(host_), (std::vector<MessageBoxCall>{{"0 articulations exported!", plug::kMsgPlain}}));
}

TEST_F(ArticulationFiles, KeyNamesAloneMakeAnArticulationCount) {
    table().keyNames[2].path = "/gone/keys.txt";  // only a key-name path: empty, but not blank
    const std::string path = file("keys.zoltartic");
    ASSERT_TRUE(ExportArticulations(*plug_, path));
    EXPECT_EQ(ParseArticulationSet(ReadFile(path)).elements.size(), 3U);
}

TEST_F(ArticulationFiles, ExportToAFileThatCannotBeCreatedReportsTheError) {
    table().prog[0] = 1;
    const std::string path = file("no/such/folder/set.zoltartic");
    EXPECT_FALSE(ExportArticulations(*plug_, path));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(MessageBoxes(host_), (std::vector<MessageBoxCall>{
                                       {"Could not export articulation file. Please try again.", plug::kMsgError}}));
}

TEST_F(ArticulationFiles, NamesNeedingEscapesRoundTrip) {
    const std::string names[] = {
        "say \"legato\"", "back\\slash", std::string("bell\x01\x1f", 6), "tab\there\nline\rcr\b\f", "Pizzicato \xc3\xa9",
        "bad \xff\xfe bytes", "/slash and \x7f",
    };
    for (int a = 0; a < static_cast<int>(std::size(names)); ++a) {
        table().name[a] = names[a];
    }
    const std::string path = file("names.zoltartic");
    ASSERT_TRUE(ExportArticulations(*plug_, path));
    const std::string text = ReadFile(path);
    EXPECT_NE(text.find("\"name\": \"say \\\"legato\\\"\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"name\": \"back\\\\slash\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"name\": \"bell\\u0001\\u001f\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"name\": \"tab\\there\\nline\\rcr\\b\\f\""), std::string::npos) << text;

    auto other = MakeInstance(host_, 2);
    ImportArticulations(*other, path, ImportMode::Replace);
    for (int a = 0; a < static_cast<int>(std::size(names)); ++a) {
        EXPECT_EQ(other->articulations.name[a], names[a]) << "articulation " << a;
    }
}

TEST_F(ArticulationFiles, ExportThenReplaceImportRestoresEveryField) {
    FillFirst(64);
    const std::string path = file("all.zoltartic");
    ASSERT_TRUE(ExportArticulations(*plug_, path));
    auto other = MakeInstance(host_, 2);
    ImportArticulations(*other, path, ImportMode::Replace);
    for (int a = 0; a < kArticulations; ++a) {
        const Articulation want = table().get(a);
        const Articulation got = other->articulations.get(a);
        EXPECT_EQ(got.name, want.name);
        EXPECT_EQ(std::tie(got.icon, got.note, got.notev, got.prog, got.modw, got.modc),
                  std::tie(want.icon, want.note, want.notev, want.prog, want.modw, want.modc))
            << "articulation " << a;
    }
}

// --- Import ---

TEST_F(ArticulationFiles, ReplaceStoresTheElementsAndBlanksTheRest) {
    FillFirst(10);
    Import(R"([{"name": "Spiccato", "icon": 4, "note": 30, "notevel": 90, "prog": 5, "modw": 2, "modc": 64},
               {"note": 31}])",
           ImportMode::Replace);
    EXPECT_EQ(table().name[0], "Spiccato");
    EXPECT_EQ(std::vector<int>({table().icon[0], table().note[0], table().notev[0], table().prog[0], table().modw[0],
                                table().modc[0]}),
              std::vector<int>({4, 30, 90, 5, 2, 64}));
    EXPECT_EQ(table().note[1], 31);
    EXPECT_TRUE(table().name[1].empty()) << "members a file lacks are at their defaults after a replace";
    EXPECT_FALSE(table().keyNames[1].names) << "key names go with the replaced articulations";
    for (int a = 2; a < kArticulations; ++a) {
        EXPECT_TRUE(table().isBlank(a)) << a;
    }
    EXPECT_EQ(StateChanges(host_), 1U);
    EXPECT_TRUE(MessageBoxes(host_).empty());
    EXPECT_EQ(WholeRepaints(*plug_), 1);
}

TEST_F(ArticulationFiles, ReplaceWithAnEmptyArrayBlanksEverything) {
    FillFirst(64);
    Import("[\n]\n", ImportMode::Replace);
    EXPECT_EQ(UsedArticulationCount(table()), 0);
    EXPECT_EQ(StateChanges(host_), 1U);
}

TEST_F(ArticulationFiles, LaterProgramMemberWinsOverUacc) {
    Import(R"([{"uacc": 7, "prog": 9}, {"uacc": 7}, {"prog": 9, "uacc": 7}, {"prog": 3}])", ImportMode::Replace);
    EXPECT_EQ(std::vector<int>(table().prog.begin(), table().prog.begin() + 4), std::vector<int>({9, 7, 9, 3}));
}

TEST_F(ArticulationFiles, AppendStartsAfterTheLastUsedArticulationAndDropsTheSurplus) {
    FillArticulation(table(), 3);
    FillArticulation(table(), 60);
    std::string text = "[";
    for (int i = 0; i < 10; ++i) {
        text += (i ? ",{\"name\": \"e" : "{\"name\": \"e") + std::to_string(i) + "\"}";
    }
    Import(text + "]", ImportMode::Append);
    EXPECT_EQ(table().name[60], "Art 60");
    EXPECT_EQ(table().name[61], "e0");
    EXPECT_EQ(table().name[62], "e1");
    EXPECT_EQ(table().name[63], "e2");
    EXPECT_EQ(table().name[3], "Art 3") << "append resets nothing";
    EXPECT_TRUE(table().isBlank(0));
    EXPECT_EQ(StateChanges(host_), 1U);
}

TEST_F(ArticulationFiles, AppendToABlankInstanceStartsAtTheFirst) {
    Import(R"([{"name": "first"}])", ImportMode::Append);
    EXPECT_EQ(table().name[0], "first");
}

TEST_F(ArticulationFiles, AppendAfterArticulation63StoresNothing) {
    FillArticulation(table(), 63);
    const auto before = Snapshot();
    Import(R"([{"name": "none"}])", ImportMode::Append);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(StateChanges(host_), 1U);
}

TEST_F(ArticulationFiles, DropOverwritesFromTheFirstAndKeepsTheRest) {
    FillFirst(5);
    Import(R"([{"name": "dropped", "prog": 1}, {"icon": 9}])", ImportMode::Drop);
    EXPECT_EQ(table().name[0], "dropped");
    EXPECT_EQ(table().prog[0], 1);
    EXPECT_EQ(table().note[0], 1) << "members the element lacks keep their values";
    EXPECT_TRUE(table().keyNames[0].names) << "drop leaves key names alone";
    EXPECT_EQ(table().icon[1], 9);
    EXPECT_EQ(table().name[1], "Art 1");
    EXPECT_EQ(table().name[4], "Art 4");
}

// Files that store nothing: the instance keeps every articulation in every
// mode, replace included (a failed replace never wipes the user's work).
struct RefusedFile {
    const char* what;
    std::string text;
    bool parseError;
};

class RefusedFiles : public ArticulationFiles, public ::testing::WithParamInterface<RefusedFile> {};

TEST_P(RefusedFiles, LeaveTheInstanceAsItWas) {
    for (const ImportMode mode : {ImportMode::Replace, ImportMode::Append, ImportMode::Drop}) {
        SCOPED_TRACE(static_cast<int>(mode));
        FillFirst(20);
        const auto before = Snapshot();
        host_.clearRecords();
        Import(GetParam().text, mode);
        EXPECT_EQ(Snapshot(), before);
        EXPECT_EQ(StateChanges(host_), 1U) << "an opened file always ends with the notification";
        const std::vector<MessageBoxCall> expected =
            GetParam().parseError
                ? std::vector<MessageBoxCall>{{"Could not import articulation file. Please check it's a valid "
                                               "JSON-formatted articulation.",
                                               plug::kMsgError}}
                : std::vector<MessageBoxCall>{};
        EXPECT_EQ(MessageBoxes(host_), expected);
    }
}

std::string ArrayOf(int n) {
    std::string s = "[";
    for (int i = 0; i < n; ++i) {
        s += i ? ",{\"name\": \"x\"}" : "{\"name\": \"x\"}";
    }
    return s + "]";
}

INSTANTIATE_TEST_SUITE_P(
    Import, RefusedFiles,
    ::testing::Values(RefusedFile{"65 elements", ArrayOf(65), false},
                      RefusedFile{"object root", R"({"name": "x", "prog": 3})", false},
                      RefusedFile{"number root", "42", false},
                      RefusedFile{"string root", "\"[]\"", false},
                      RefusedFile{"truncated", R"([{"name": "x")", true},
                      RefusedFile{"trailing text", R"([{"name": "x"}] extra)", true},
                      RefusedFile{"empty file", "", true},
                      RefusedFile{"binary", std::string("\0\x01\x02[", 4), true},
                      RefusedFile{"unterminated deep nesting", std::string(100000, '['), true}),
    [](const ::testing::TestParamInfo<RefusedFile>& p) { return CaseName(p.param.what); });

TEST_F(ArticulationFiles, AFileThatCannotBeOpenedIsIgnoredSilently) {
    FillFirst(20);
    const auto before = Snapshot();
    for (const ImportMode mode : {ImportMode::Replace, ImportMode::Append, ImportMode::Drop}) {
        ImportArticulations(*plug_, file("missing.zoltartic"), mode);
        ImportArticulations(*plug_, temp_.path().string(), mode);  // a folder opens but cannot be read
    }
    EXPECT_EQ(Snapshot(), before) << "replace clears nothing when the file cannot be read";
    EXPECT_TRUE(host_.dispatches.empty());
    EXPECT_EQ(WholeRepaints(*plug_), 0);
}

TEST_F(ArticulationFiles, MembersOfTheWrongTypeAreSkipped) {
    FillFirst(6);
    Import(R"([
        {"name": 5, "icon": 1.5, "note": "3", "notevel": true, "prog": 4294967296, "modw": 2147483648,
         "modc": -2147483649},
        7,
        {"name": null, "icon": [1], "note": {"v": 1}, "notevel": -2147483648, "prog": 2147483647, "modw": 1e2},
        "not an object",
        [1, 2],
        {"name": "last", "unknown": 1}
    ])",
           ImportMode::Drop);
    EXPECT_EQ(Snapshot()[0], "Art 0|0|1|100|2|3|7|names|/keys/0.txt") << "every member of element 0 was skipped";
    EXPECT_EQ(Snapshot()[1], "Art 1|1|2|100|3|4|7|names|/keys/1.txt") << "a number element stores nothing";
    EXPECT_EQ(table().notev[2], -2147483648) << "32-bit limits are integers";
    EXPECT_EQ(table().prog[2], 2147483647);
    EXPECT_EQ(table().modw[2], 5) << "1e2 is not written as an integer";
    EXPECT_EQ(table().name[2], "Art 2");
    EXPECT_EQ(table().name[3], "Art 3");
    EXPECT_EQ(table().name[4], "Art 4");
    EXPECT_EQ(table().name[5], "last") << "skipped elements still take their place";
}

TEST_F(ArticulationFiles, NamesKeepInvalidUtf8AndEndAtAZeroByte) {
    Import("[{\"name\": \"ab\xff\xc3\"}, {\"name\": \"cut\\u0000here\"}]", ImportMode::Replace);
    EXPECT_EQ(table().name[0], "ab\xff\xc3");
    EXPECT_EQ(table().name[1], "cut");
}

TEST_F(ArticulationFiles, DeepNestingInsideAnElementIsParsedWithoutRecursion) {
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    Import("[{\"name\": \"deep\", \"extra\": " + deep + "}, " + deep + "]", ImportMode::Replace);
    EXPECT_EQ(table().name[0], "deep");
    EXPECT_TRUE(MessageBoxes(host_).empty());
}

TEST_F(ArticulationFiles, FilesOfSeveralMegabytesImport) {
    // 64 elements, each carrying a long unknown member and a long name: about 8 MiB.
    const std::string filler(64 * 1024, 'f');
    std::string text = "[";
    for (int i = 0; i < kArticulations; ++i) {
        text += (i ? "," : "") + std::string("{\"padding\": \"") + filler + "\", \"name\": \"" + std::to_string(i) +
                filler + "\", \"prog\": " + std::to_string(i) + "}";
    }
    text += "]";
    ASSERT_GT(text.size(), 8'000'000U);
    Import(text, ImportMode::Replace);
    EXPECT_EQ(table().name[63], "63" + filler);
    EXPECT_EQ(table().prog[63], 63);

    const std::string out = file("big.zoltartic");
    ASSERT_TRUE(ExportArticulations(*plug_, out));
    auto other = MakeInstance(host_, 2);
    ImportArticulations(*other, out, ImportMode::Replace);
    EXPECT_EQ(other->articulations.name[10], "10" + filler);
}

}  // namespace
}  // namespace velmora::test
