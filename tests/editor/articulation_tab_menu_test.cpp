// The Articulation tab button's menu: the entries offered, the UACC
// conversions with their counted messages, and the set and instrument files
// chosen in the file dialogs.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "persistence/articulation_files.h"
#include "persistence/nki_import.h"
#include "tests/editor/command_fixture.h"
#include "tests/support/import_fixture.h"

namespace velmora::test {
namespace {

constexpr int kTabX = 28, kTabY = 207;  // inside the Articulation tab button

const std::vector<std::string> kAlwaysOffered = {
    "10000 Convert from UACC KS to UACC CC", "10001 Convert from UACC CC to UACC KS", "10002 Export articulations",
    "10003 Import articulations", "10004 Append articulations"};

class TabMenu : public CommandTest {
protected:
    void choose(int id) {
        answerMenu(id);
        rightClick(kTabX, kTabY);
    }
    // An importer library file where the instance looks for it.
    void placeImporter() const { WriteText(ArticulationImporterPath(), "not really a library"); }
};

TEST_F(TabMenu, OffersTheInstrumentImportsOnlyWhileTheImporterIsInstalled) {
    rightClick(kTabX, kTabY);
    EXPECT_EQ(onlyMenu(), kAlwaysOffered);

    placeImporter();
    platform.menus.shown.clear();
    rightClick(kTabX, kTabY);
    std::vector<std::string> withImporter = kAlwaysOffered;
    withImporter.push_back("10005 Import from Spitfire NKI");
    withImporter.push_back("10006 Append from Spitfire NKI");
    EXPECT_EQ(onlyMenu(), withImporter);
}

TEST_F(TabMenu, OpensOnEveryPanelAndOnlyOnTheButton) {
    const struct {
        int tab, x, y;
        bool menu;
    } cases[] = {
        {0, 6, 185, true}, {1, 51, 230, true}, {2, 28, 207, true},
        {0, 5, 207, false}, {0, 28, 184, false}, {2, 28, 231, false},
    };
    for (const auto& c : cases) {
        plug->tab = c.tab;
        platform.menus.shown.clear();
        rightClick(c.x, c.y);
        EXPECT_EQ(platform.menus.shown.size(), c.menu ? 1U : 0U) << c.tab << " at " << c.x << "," << c.y;
    }
}

// --- UACC conversions ---

struct Slot {
    int index;
    Articulation a;
};

struct ConversionCase {
    const char* what;
    int menuId;
    std::vector<Slot> before;
    std::vector<Slot> after;  // the slots of `before` as they end
    const char* message;      // nullptr: none shown
};

class UaccConversion : public TabMenu, public ::testing::WithParamInterface<ConversionCase> {};

TEST_P(UaccConversion, ConvertsCountsAndTellsOnlyWhenSomethingChanged) {
    const ConversionCase& c = GetParam();
    for (const Slot& s : c.before) {
        plug->articulations.set(s.index, s.a);
    }
    const int repaints = WholeRepaints(*plug);
    choose(c.menuId);
    for (const Slot& s : c.after) {
        const Articulation got = plug->articulations.get(s.index);
        EXPECT_EQ(got.note, s.a.note) << "slot " << s.index;
        EXPECT_EQ(got.notev, s.a.notev) << "slot " << s.index;
        EXPECT_EQ(got.modw, s.a.modw) << "slot " << s.index;
        EXPECT_EQ(got.modc, s.a.modc) << "slot " << s.index;
        EXPECT_EQ(got.prog, s.a.prog) << "slot " << s.index;
        EXPECT_EQ(got.name, s.a.name) << "slot " << s.index;
    }
    if (c.message != nullptr) {
        EXPECT_EQ(messageBoxes(), (std::vector<std::pair<std::string, std::intptr_t>>{{c.message, plug::kMsgPlain}}));
        EXPECT_EQ(stateChanges(), 1U);
    } else {
        EXPECT_TRUE(messageBoxes().empty());
        EXPECT_EQ(stateChanges(), 0U);
    }
    EXPECT_GE(WholeRepaints(*plug), repaints + 1) << "repainted, converted or not";
}

// {name, icon, note, notev, prog, modw, modc}
INSTANTIATE_TEST_SUITE_P(Table, UaccConversion, ::testing::Values(
    ConversionCase{"keyswitch on the lowest note", 10000,
                   {{0, {"Legato", 55, 0, 5, 3, -1, -1}}},
                   {{0, {"Legato", 55, -1, 127, 3, 5, 32}}},
                   "1 articulations converted from UACC KS to UACC CC"},
    ConversionCase{"every keyswitch counts, a CC modifier is overwritten", 10000,
                   {{1, {"", 55, 24, 100, -1, 64, 7}}, {2, {"", 55, -1, 90, -1, -1, -1}}, {63, {"", 55, 127, 127, -1, -1, -1}}},
                   {{1, {"", 55, -1, 127, -1, 100, 32}}, {2, {"", 55, -1, 90, -1, -1, -1}}, {63, {"", 55, -1, 127, -1, 127, 32}}},
                   "2 articulations converted from UACC KS to UACC CC"},
    ConversionCase{"no keyswitch shows nothing", 10000,
                   {{4, {"Pizz", 55, -1, 127, 9, 12, 32}}},
                   {{4, {"Pizz", 55, -1, 127, 9, 12, 32}}},
                   nullptr},
    ConversionCase{"back without a keyswitch lands on note 0", 10001,
                   {{3, {"", 55, -1, 127, -1, 9, 32}}},
                   {{3, {"", 55, 0, 9, -1, -1, -1}}},
                   "1 articulations converted from UACC CC to UACC KS"},
    ConversionCase{"back keeps a keyswitch note", 10001,
                   {{0, {"", 55, 40, 100, -1, 9, 32}}, {1, {"", 55, 41, 100, -1, 9, 31}}},
                   {{0, {"", 55, 40, 9, -1, -1, -1}}, {1, {"", 55, 41, 100, -1, 9, 31}}},
                   "1 articulations converted from UACC CC to UACC KS"},
    ConversionCase{"no controller 32 shows nothing", 10001,
                   {{0, {"", 55, 12, 100, -1, 32, 7}}},
                   {{0, {"", 55, 12, 100, -1, 32, 7}}},
                   nullptr}),
    CaseName());

TEST_F(TabMenu, KeyswitchToControllerAndBackRestoresNote0Velocity5) {
    plug->articulations.set(0, {"Short", 55, 0, 5, -1, -1, -1});
    choose(10000);
    choose(10001);
    const Articulation a = plug->articulations.get(0);
    EXPECT_EQ(a.note, 0);
    EXPECT_EQ(a.notev, 5);
    EXPECT_EQ(a.modc, -1);
    EXPECT_EQ(a.modw, -1);
    EXPECT_EQ(messageBoxes().size(), 2U);
}

TEST_F(TabMenu, ADismissedMenuChangesNothing) {
    plug->articulations.set(0, {"", 55, 0, 5, -1, -1, -1});
    rightClick(kTabX, kTabY);
    EXPECT_EQ(plug->articulations.note[0], 0);
    EXPECT_TRUE(host.dispatches.empty());
    EXPECT_TRUE(platform.dialogs.asked.empty());
}

// --- Articulation set files ---

TEST_F(TabMenu, ExportWritesTheUsedArticulationsToTheChosenFile) {
    plug->articulations.set(2, {"Tremolo", 12, 30, 100, -1, -1, -1});
    const std::string path = folder.file("out.zoltartic");
    answerDialog(path);
    choose(10002);
    ASSERT_EQ(platform.dialogs.asked.size(), 1U);
    const DialogAsked& d = platform.dialogs.asked[0];
    EXPECT_TRUE(d.save);
    EXPECT_EQ(d.title, "Exporting articulations to file");
    EXPECT_EQ(d.filter, "JSON instrument files|*.zoltartic");
    EXPECT_EQ(d.extension, "zoltartic");
    EXPECT_EQ(ReadText(path), UsedArticulationsText(plug->articulations));
    EXPECT_EQ(messageBoxes(), (std::vector<std::pair<std::string, std::intptr_t>>{{"3 articulations exported!", 0}}));
    EXPECT_EQ(stateChanges(), 0U) << "an export changes nothing saved";
}

struct SetImportCase {
    const char* what;
    int menuId;
    bool chosen;
    int importedAt;  // -1: nothing imported
    bool earlierKept;
};

class SetImport : public TabMenu, public ::testing::WithParamInterface<SetImportCase> {};

TEST_P(SetImport, ReadsTheChosenFileInItsMode) {
    const SetImportCase& c = GetParam();
    plug->articulations.set(0, {"First", 55, 10, 127, -1, -1, -1});
    plug->articulations.set(5, {"Sixth", 55, 15, 127, -1, -1, -1});
    const std::string path = folder.file("in.zoltartic");
    WriteText(path, R"([{"name": "Imported", "note": 48}])");
    if (c.chosen) {
        answerDialog(path);
    }
    choose(c.menuId);

    ASSERT_EQ(platform.dialogs.asked.size(), 1U);
    EXPECT_FALSE(platform.dialogs.asked[0].save);
    EXPECT_EQ(platform.dialogs.asked[0].title, "Importing articulations from file");
    EXPECT_EQ(platform.dialogs.asked[0].filter, "JSON instrument files|*.zoltartic");
    const auto& t = plug->articulations;
    if (c.importedAt >= 0) {
        EXPECT_EQ(t.name[c.importedAt], "Imported");
        EXPECT_EQ(t.note[c.importedAt], 48);
    }
    EXPECT_EQ(t.name[5] == "Sixth", c.earlierKept);
    if (c.importedAt != 0) {
        EXPECT_EQ(t.name[0], "First");
    }
    EXPECT_EQ(stateChanges(), c.chosen ? 1U : 0U);
}

INSTANTIATE_TEST_SUITE_P(Table, SetImport, ::testing::Values(
    SetImportCase{"import replaces", 10003, true, 0, false},
    SetImportCase{"append goes after the last in use", 10004, true, 6, true},
    SetImportCase{"import cancelled", 10003, false, -1, true},
    SetImportCase{"append cancelled", 10004, false, -1, true}),
    CaseName());

// --- Instrument files, through the built importer library ---

struct NkiCase {
    const char* what;
    int menuId;
    bool control;
    int first;           // slot of the first imported entry
    bool userWorkKept;
};

class NkiImport : public TabMenu, public ::testing::WithParamInterface<NkiCase> {
protected:
    void SetUp() override {
        TabMenu::SetUp();
        plug->processState->installFolder = VELMORA_TEST_ROOT_DIR;
    }
};

TEST_P(NkiImport, RunsTheImportOnTheChosenInstrument) {
    const NkiCase& c = GetParam();
    plug->articulations.set(5, {"Mine", 55, 24, 100, -1, -1, -1});
    const std::string path = folder.file("Strings.nki");
    patch_writer::InstrumentSpec instrument = NumberedInstrument(3);
    patch_writer::ScriptSpec script;
    script.variableLines = {std::string("$3nvk5 24")};  // keyswitches from note 24
    instrument.scripts = {script};
    WriteBytes(path, InstrumentFile(instrument));
    answerDialog(path);
    if (c.control) {
        hold({kRightControlKey});
    }
    choose(c.menuId);

    ASSERT_EQ(platform.dialogs.asked.size(), 1U);
    EXPECT_EQ(platform.dialogs.asked[0].title, "Importing articulations from A Spitfire NKI");
    EXPECT_EQ(platform.dialogs.asked[0].filter, "Spitfire Kontakt Instrument|*.nki|All files|*.*");
    const auto& t = plug->articulations;
    for (int i = 0; i < 3; ++i) {
        const int slot = c.first + i;
        EXPECT_EQ(t.name[slot], "A" + std::to_string(i)) << c.what;
        // Control held asks for consecutive keyswitches from the instrument's base.
        EXPECT_EQ(t.note[slot], c.control ? 24 + i : 0) << c.what;
        EXPECT_EQ(t.notev[slot], c.control ? 127 : 10 + i) << c.what;
    }
    EXPECT_EQ(t.name[5] == "Mine", c.userWorkKept);
    EXPECT_EQ(messageBoxes(),
              (std::vector<std::pair<std::string, std::intptr_t>>{{"Imported 3 articulations", plug::kMsgError}}));
    EXPECT_EQ(stateChanges(), 1U);
}

INSTANTIATE_TEST_SUITE_P(Table, NkiImport, ::testing::Values(
    NkiCase{"import replaces", 10005, false, 0, false},
    NkiCase{"append after the last in use", 10006, false, 6, true},
    NkiCase{"import with control", 10005, true, 0, false}),
    CaseName());

TEST_F(TabMenu, ACancelledInstrumentDialogImportsNothing) {
    plug->processState->installFolder = VELMORA_TEST_ROOT_DIR;
    plug->articulations.set(5, {"Mine", 55, 24, 100, -1, -1, -1});
    for (const int id : {10005, 10006}) {
        choose(id);
    }
    EXPECT_EQ(platform.dialogs.asked.size(), 2U);
    EXPECT_EQ(plug->articulations.name[5], "Mine");
    EXPECT_TRUE(host.dispatches.empty());
}

}  // namespace
}  // namespace velmora::test
