// The commands of an articulation's context menu: moving articulations with
// their key names, the shared clipboard, and single-articulation files.
#include <gtest/gtest.h>

#include "persistence/articulation_files.h"
#include "persistence/articulation_records.h"
#include "persistence/single_articulation.h"
#include "tests/persistence/articulation_fixture.h"

namespace velmora::test {
namespace {

class SingleArticulation : public ::testing::Test {
protected:
    void SetUp() override {
        plug_ = MakeInstance(host_, 1, platform_);
        plug_->visible = 1;  // so repaints are counted
    }
    ArticulationTable& table() { return plug_->articulations; }
    void FillFirst(int count) {
        for (int a = 0; a < count; ++a) {
            FillArticulation(table(), a);
        }
        host_.clearRecords();
    }
    void Run(int index, int command) { ArticulationCommand(*plug_, index, command); }
    const KeyNames* NamesOf(int a) { return table().keyNames[a].names.get(); }
    std::vector<const KeyNames*> AllNames() {
        std::vector<const KeyNames*> out;
        for (int a = 0; a < kArticulations; ++a) {
            out.push_back(NamesOf(a));
        }
        return out;
    }
    std::vector<std::string> AllNamesText() {
        std::vector<std::string> out(table().name.begin(), table().name.end());
        return out;
    }

    TempFolder temp_;
    TestPlatform platform_{temp_.path().string()};
    RecordingHost host_;
    PlugPtr plug_;
};

// --- Clear, Insert, Delete ---

TEST_F(SingleArticulation, InsertMovesArticulationsUpWithTheirKeyNames) {
    FillFirst(21);
    const auto before = AllNames();
    Run(10, kArticulationInsert);
    EXPECT_TRUE(table().isBlank(10));
    for (int a = 11; a <= 21; ++a) {
        EXPECT_EQ(table().name[a], "Art " + std::to_string(a - 1));
        EXPECT_EQ(table().note[a], a);
        EXPECT_EQ(NamesOf(a), before[a - 1]) << "key names move, not copied";
        EXPECT_EQ(table().keyNames[a].path, "/keys/" + std::to_string(a - 1) + ".txt");
    }
    EXPECT_EQ(table().name[9], "Art 9");
    EXPECT_TRUE(table().isBlank(22));
    EXPECT_EQ(StateChanges(host_), 1U);
    EXPECT_EQ(WholeRepaints(*plug_), 1);
}

TEST_F(SingleArticulation, InsertDiscardsTheLastArticulation) {
    FillFirst(64);
    Run(0, kArticulationInsert);
    EXPECT_TRUE(table().isBlank(0));
    EXPECT_EQ(table().name[63], "Art 62");
    EXPECT_EQ((*table().keyNames[63].names)[0], "key of 62");
}

TEST_F(SingleArticulation, DeleteMovesArticulationsDownWithTheirKeyNames) {
    FillFirst(64);
    const auto before = AllNames();
    Run(10, kArticulationDelete);
    for (int a = 10; a <= 62; ++a) {
        EXPECT_EQ(table().name[a], "Art " + std::to_string(a + 1));
        EXPECT_EQ(NamesOf(a), before[a + 1]);
    }
    EXPECT_EQ(table().name[9], "Art 9");
    EXPECT_TRUE(table().isBlank(63));
    EXPECT_EQ(StateChanges(host_), 1U);
}

TEST_F(SingleArticulation, InsertAndDeleteAt63TouchOnlyTheLast) {
    for (const int command : {kArticulationInsert, kArticulationDelete}) {
        SCOPED_TRACE(command);
        FillFirst(64);
        const auto names = AllNamesText();
        const auto keys = AllNames();
        Run(63, command);
        EXPECT_TRUE(table().isBlank(63));
        for (int a = 0; a < 63; ++a) {
            EXPECT_EQ(table().name[a], names[a]);
            EXPECT_EQ(NamesOf(a), keys[a]);
        }
        EXPECT_EQ(StateChanges(host_), 1U);
    }
}

TEST_F(SingleArticulation, ClearBlanksOnlyThatArticulation) {
    FillFirst(3);
    Run(1, kArticulationClear);
    EXPECT_TRUE(table().isBlank(1));
    EXPECT_EQ(table().name[0], "Art 0");
    EXPECT_EQ(table().name[2], "Art 2");
    EXPECT_EQ(StateChanges(host_), 1U);
}

// --- Menu ---

struct MenuCase {
    const char* what;
    bool used;
    bool clipboardFull;
    std::vector<int> ids;
};

class ArticulationMenuShown : public SingleArticulation, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(ArticulationMenuShown, OffersTheCommandsThatApply) {
    if (GetParam().used) {
        table().prog[4] = 3;  // a program change alone makes it not blank
    }
    Process().articulationClipboard.full = GetParam().clipboardFull;
    std::vector<int> ids;
    for (const auto& item : ArticulationMenu(*plug_, 4)) {
        ids.push_back(item.id);
        EXPECT_EQ(item.text == nullptr, item.id == kArticulationSeparator);
    }
    EXPECT_EQ(ids, GetParam().ids);
}

INSTANTIATE_TEST_SUITE_P(Menu, ArticulationMenuShown,
                         ::testing::Values(MenuCase{"blank", false, false, {1, 2, 3, 9}},
                                           MenuCase{"blank with clipboard", false, true, {1, 2, 3, 7, 9}},
                                           MenuCase{"program only", true, false, {1, 2, 3, 4, 5, 6, 8, 9}},
                                           MenuCase{"used with clipboard", true, true, {1, 2, 3, 4, 5, 6, 7, 8, 9}}),
                         [](const ::testing::TestParamInfo<MenuCase>& p) { return CaseName(p.param.what); });

TEST_F(SingleArticulation, MenuTextsAreTheCommandNames) {
    table().name[0] = "used";
    Process().articulationClipboard.full = true;
    std::vector<std::string> texts;
    for (const auto& item : ArticulationMenu(*plug_, 0)) {
        texts.push_back(item.text != nullptr ? item.text : "---");
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Clear", "Insert", "Delete", "---", "Cut", "Copy", "Paste", "Export",
                                               "Import"}));
}

TEST_F(SingleArticulation, ShowingTheMenuRunsTheChoiceAndCancellingDoesNothing) {
    FillFirst(2);
    ArticulationCommand(*plug_, 1, kArticulationShowMenu);  // dismissed
    ASSERT_EQ(platform_.menus.shown.size(), 1U);
    std::vector<int> offered;
    for (const auto& entry : platform_.menus.shown[0]) {
        offered.push_back(entry.id);
    }
    EXPECT_EQ(offered, (std::vector<int>{1, 2, 3, 4, 5, 6, 8, 9}));
    EXPECT_TRUE(platform_.menus.shown[0][3].separator);
    EXPECT_EQ(table().name[1], "Art 1");
    EXPECT_TRUE(host_.dispatches.empty());
    EXPECT_EQ(WholeRepaints(*plug_), 0);

    platform_.menus.answers.push_back(kArticulationClear);
    ArticulationCommand(*plug_, 1, kArticulationShowMenu);
    EXPECT_TRUE(table().isBlank(1));
    EXPECT_EQ(StateChanges(host_), 1U);
}

TEST_F(SingleArticulation, OtherCommandsOnlyRepaint) {
    FillFirst(64);
    const auto names = AllNamesText();
    for (const int command : {kArticulationSeparator, 10, -1, 1000}) {
        Run(5, command);
    }
    ArticulationCommand(*plug_, 5, kArticulationShowMenu);  // no menu to show: as if cancelled
    EXPECT_EQ(AllNamesText(), names);
    EXPECT_TRUE(host_.dispatches.empty());
    EXPECT_EQ(WholeRepaints(*plug_), 4);
}

TEST_F(SingleArticulation, IndexesOutsideTheTableAreRefused) {
    FillFirst(64);
    const auto names = AllNamesText();
    for (const int index : {-1, 64, 1 << 20}) {
        for (int command = 0; command <= 9; ++command) {
            Run(index, command);
        }
    }
    EXPECT_EQ(AllNamesText(), names);
    EXPECT_TRUE(host_.dispatches.empty());
    EXPECT_FALSE(Process().articulationClipboard.full);
}

TEST_F(SingleArticulation, CutCopyAndExportDoNothingOnABlankArticulation) {
    FillFirst(3);
    ClearArticulation(table(), 1);
    for (const int command : {kArticulationCut, kArticulationCopy, kArticulationExport}) {
        Run(1, command);
    }
    EXPECT_FALSE(Process().articulationClipboard.full);
    EXPECT_EQ(table().name[2], "Art 2") << "Cut did not delete";
    EXPECT_TRUE(platform_.dialogs.saved.empty());
    EXPECT_TRUE(host_.dispatches.empty());
    EXPECT_EQ(WholeRepaints(*plug_), 0);
}

// --- Clipboard ---

TEST_F(SingleArticulation, CopyInOneInstanceAndPasteInAnother) {
    FillFirst(4);
    Run(2, kArticulationCopy);
    EXPECT_TRUE(host_.callsWithId(plug::FHD_StateChanged).empty()) << "copy changes no saved state";
    table().name[2] = "changed after copy";
    (*table().keyNames[2].names)[0] = "changed after copy";

    auto other = MakeInstance(host_, 2, platform_);
    host_.clearRecords();
    ArticulationCommand(*other, 7, kArticulationPaste);
    ArticulationCommand(*other, 8, kArticulationPaste);  // paste can be repeated
    for (const int a : {7, 8}) {
        const ArticulationTable& t = other->articulations;
        EXPECT_EQ(t.name[a], "Art 2");
        EXPECT_EQ(std::vector<int>({t.icon[a], t.note[a], t.notev[a], t.prog[a], t.modw[a], t.modc[a]}),
                  std::vector<int>({2, 3, 100, 4, 5, 7}));
        ASSERT_TRUE(t.keyNames[a].names);
        EXPECT_EQ((*t.keyNames[a].names)[0], "key of 2");
        EXPECT_EQ(t.keyNames[a].path, "/keys/2.txt");
        EXPECT_EQ(t.keyNames[a].title, "2");
    }
    EXPECT_NE(other->articulations.keyNames[7].names.get(), other->articulations.keyNames[8].names.get())
        << "each paste gets its own key names";
    EXPECT_EQ(StateChanges(host_), 2U) << "paste changes the saved state, so the host is told";
}

TEST_F(SingleArticulation, PasteReplacesKeyNamesEvenWithNone) {
    FillFirst(2);
    table().keyNames[0].clear();
    Run(0, kArticulationCopy);
    Run(1, kArticulationPaste);
    EXPECT_EQ(table().name[1], "Art 0");
    EXPECT_FALSE(table().keyNames[1].names) << "a copy without key names pastes none";
    EXPECT_TRUE(table().keyNames[1].path.empty());
}

TEST_F(SingleArticulation, PasteWithAnEmptyClipboardChangesNothing) {
    FillFirst(2);
    Run(1, kArticulationPaste);
    EXPECT_EQ(table().name[1], "Art 1");
    EXPECT_EQ(StateChanges(host_), 0U);
}

TEST_F(SingleArticulation, CutCopiesThenDeletes) {
    FillFirst(5);
    Run(1, kArticulationCut);
    EXPECT_EQ(table().name[1], "Art 2");
    EXPECT_TRUE(table().isBlank(63));
    EXPECT_EQ(StateChanges(host_), 1U);
    Run(4, kArticulationPaste);
    EXPECT_EQ(table().name[4], "Art 1");
    EXPECT_EQ((*table().keyNames[4].names)[0], "key of 1");
}

// --- Single-articulation files ---

TEST_F(SingleArticulation, ExportWritesOneElementThroughTheSaveDialog) {
    FillFirst(3);
    table().name[1] = "Col \"legno\"";
    const std::string path = temp_.file("one.zoltartic");
    platform_.dialogs.saveAnswers.push_back(path);
    Run(1, kArticulationExport);
    ASSERT_EQ(platform_.dialogs.saved.size(), 1U);
    EXPECT_EQ(platform_.dialogs.saved[0].title, "Exporting articulation to file");
    EXPECT_EQ(platform_.dialogs.saved[0].filter, "JSON instrument files|*.zoltartic");
    EXPECT_EQ(platform_.dialogs.saved[0].extension, "zoltartic");
    EXPECT_EQ(ReadFile(path),
              "[\n\t{\n\t\t\"name\": \"Col \\\"legno\\\"\",\n\t\t\"icon\": 1,\n\t\t\"note\": 2,\n\t\t\"notevel\": 100,\n"
              "\t\t\"prog\": 3,\n\t\t\"modw\": 4,\n\t\t\"modc\": 7\n\t}\n]\n");
    EXPECT_EQ(MessageBoxes(host_), (std::vector<MessageBoxCall>{{"Articulation exported!", plug::kMsgPlain}}));
    EXPECT_EQ(StateChanges(host_), 0U);
}

TEST_F(SingleArticulation, ExportCancelledOrUncreatable) {
    FillFirst(1);
    Run(0, kArticulationExport);  // no answer scripted: cancelled
    EXPECT_TRUE(host_.dispatches.empty());
    platform_.dialogs.saveAnswers.push_back(temp_.file("no/folder/one.zoltartic"));
    Run(0, kArticulationExport);
    EXPECT_EQ(MessageBoxes(host_), (std::vector<MessageBoxCall>{
                                       {"Could not export articulation file. Please try again.", plug::kMsgError}}));
}

TEST_F(SingleArticulation, ImportTakesTheFirstElementAndLeavesKeyNames) {
    FillFirst(3);
    const std::string path = temp_.file("two.zoltartic");
    WriteFile(path, R"([{"name": "Harmonics", "uacc": 40, "note": 12, "modc": "x"}, {"name": "second", "prog": 1}])");
    platform_.dialogs.openAnswers.push_back(path);
    Run(1, kArticulationImport);
    ASSERT_EQ(platform_.dialogs.opened.size(), 1U);
    EXPECT_EQ(platform_.dialogs.opened[0].title, "Importing articulation from file");
    EXPECT_EQ(platform_.dialogs.opened[0].filter, "JSON instrument files|*.zoltartic");
    EXPECT_EQ(table().name[1], "Harmonics");
    EXPECT_EQ(table().prog[1], 40);
    EXPECT_EQ(table().note[1], 12);
    EXPECT_EQ(table().modc[1], 7) << "a member of the wrong type is skipped";
    EXPECT_EQ(table().icon[1], 1) << "members the file lacks keep their values";
    EXPECT_EQ(table().keyNames[1].path, "/keys/1.txt");
    EXPECT_EQ(table().name[2], "Art 2") << "the second element goes nowhere";
    EXPECT_EQ(StateChanges(host_), 1U);
}

struct SingleImportCase {
    const char* what;
    std::string text;
    bool parseError;
};

class SingleImportStoresNothing : public SingleArticulation, public ::testing::WithParamInterface<SingleImportCase> {};

TEST_P(SingleImportStoresNothing, ButStillTellsTheHost) {
    FillFirst(3);
    const auto names = AllNamesText();
    const std::string path = temp_.file("in.zoltartic");
    WriteFile(path, GetParam().text);
    platform_.dialogs.openAnswers.push_back(path);
    Run(1, kArticulationImport);
    EXPECT_EQ(AllNamesText(), names);
    EXPECT_EQ(table().prog[1], 3);
    EXPECT_EQ(StateChanges(host_), 1U);
    EXPECT_EQ(WholeRepaints(*plug_), 1);
    const auto expected = GetParam().parseError
                              ? std::vector<MessageBoxCall>{{"Could not import articulation file. Please check it's a "
                                                             "valid JSON-formatted articulation.",
                                                             plug::kMsgError}}
                              : std::vector<MessageBoxCall>{};
    EXPECT_EQ(MessageBoxes(host_), expected);
}

std::string Elements(int n) {
    std::string s = "[";
    for (int i = 0; i < n; ++i) s += i ? ",{\"prog\": 99}" : "{\"prog\": 99}";
    return s + "]";
}

INSTANTIATE_TEST_SUITE_P(Import, SingleImportStoresNothing,
                         ::testing::Values(SingleImportCase{"empty array", "[]", false},
                                           SingleImportCase{"65 elements", Elements(65), false},
                                           SingleImportCase{"object root", R"({"prog": 99})", false},
                                           SingleImportCase{"first element not an object", "[5, {\"prog\": 99}]", false},
                                           SingleImportCase{"invalid JSON", R"([{"prog": 99)", true},
                                           SingleImportCase{"deep nesting", std::string(100000, '['), true}),
                         [](const ::testing::TestParamInfo<SingleImportCase>& p) { return CaseName(p.param.what); });

TEST_F(SingleArticulation, ImportCancelledOrUnopenableIsSilent) {
    FillFirst(2);
    Run(1, kArticulationImport);  // cancelled
    platform_.dialogs.openAnswers.push_back(temp_.file("missing.zoltartic"));
    Run(1, kArticulationImport);
    EXPECT_EQ(table().name[1], "Art 1");
    EXPECT_TRUE(host_.dispatches.empty());
}

TEST_F(SingleArticulation, ExportedArticulationImportsIntoAnotherSlot) {
    FillFirst(1);
    table().name[0] = "Sul ponticello \xc3\xa9\t\\";
    const std::string path = temp_.file("round.zoltartic");
    platform_.dialogs.saveAnswers.push_back(path);
    platform_.dialogs.openAnswers.push_back(path);
    Run(0, kArticulationExport);
    Run(30, kArticulationImport);
    const Articulation a = table().get(0);
    const Articulation b = table().get(30);
    EXPECT_EQ(b.name, a.name);
    EXPECT_EQ(std::tie(b.icon, b.note, b.notev, b.prog, b.modw, b.modc),
              std::tie(a.icon, a.note, a.notev, a.prog, a.modw, a.modc));
    EXPECT_FALSE(table().keyNames[30].names) << "files carry no key names";
}

}  // namespace
}  // namespace velmora::test
