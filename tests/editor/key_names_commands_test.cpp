// The key-names caption: its clicks with and without Shift and Control, its
// clear button and its menu.
#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "persistence/key_names.h"
#include "tests/editor/command_fixture.h"

namespace velmora::test {
namespace {

constexpr int kCaptionX = 150, kCaptionY = 112;
constexpr int kClearX = 222;  // on the clear button while the articulation has names

constexpr const char* kTextFilter = "Text files|*.txt|All files|*.*";

class KeyNamesTest : public CommandTest {
protected:
    void SetUp() override {
        CommandTest::SetUp();
        plug->editing = 4;
        loaded = folder.file("names/Strings.legato.txt");
        WriteText(loaded, "top\nsecond\n");
        other = folder.file("other/Brass.txt");
        WriteText(other, "brass\n");
    }
    KeyNameMap& map() { return plug->articulations.keyNames[4]; }
    std::string firstName() { return map().names ? (*map().names)[0] : "<no names>"; }
    // Names loaded from `loaded`, then the record of that forgotten.
    void loadFromFile() {
        ASSERT_TRUE(LoadKeyNames(*plug, 4, loaded));
        host.clearRecords();
    }
    // Names restored from a project without a file behind them.
    void storedInProject(const std::string& title = "") {
        map().names = std::make_unique<KeyNames>();
        (*map().names)[0] = "stored";
        map().title = title;
    }
    std::size_t namesChanged() const {
        std::size_t n = 0;
        for (const auto& c : host.callsWithId(plug::FHD_NamesChanged)) {
            n += c.value == plug::kNamesPianoRoll ? 1 : 0;
        }
        return n;
    }

    std::string loaded;
    std::string other;
};

// --- The menu's entries ---

enum class Names { None, FromFile, StoredUntitled, StoredTitled };

struct EntriesCase {
    const char* what;
    Names names;
    std::vector<std::string> entries;
};

class KeyNamesEntries : public KeyNamesTest, public ::testing::WithParamInterface<EntriesCase> {};

TEST_P(KeyNamesEntries, OfferWhatTheNamesAllow) {
    switch (GetParam().names) {
        case Names::None: break;
        case Names::FromFile: loadFromFile(); break;
        case Names::StoredUntitled: storedInProject(); break;
        case Names::StoredTitled: storedInProject("Horns"); break;
    }
    rightClick(kCaptionX, kCaptionY);
    EXPECT_EQ(onlyMenu(), GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(Table, KeyNamesEntries, ::testing::Values(
    EntriesCase{"no names", Names::None, {"3 Load key names from file"}},
    EntriesCase{"loaded from a file", Names::FromFile,
                {"3 Load key names from file", "-", "(0 Strings.legato)", "1 Clear key names", "2 Reload key names"}},
    EntriesCase{"stored in the project without a title", Names::StoredUntitled,
                {"3 Load key names from file", "-", "(0 [Stored in FLP])", "1 Clear key names", "4 Save key names to file"}},
    EntriesCase{"stored in the project with a title", Names::StoredTitled,
                {"3 Load key names from file", "-", "(0 Horns)", "1 Clear key names", "4 Save key names to file"}}),
    CaseName());

TEST_F(KeyNamesTest, AfterAFileIsLoadedTheMenuOffersReloadAndNotSave) {
    answerDialog(loaded);
    leftClick(kCaptionX, kCaptionY);
    ASSERT_EQ(firstName(), "top");
    rightClick(kCaptionX, kCaptionY);
    const std::vector<std::string> entries = onlyMenu();
    EXPECT_NE(std::find(entries.begin(), entries.end(), "2 Reload key names"), entries.end());
    EXPECT_EQ(std::find(entries.begin(), entries.end(), "4 Save key names to file"), entries.end());
}

TEST_F(KeyNamesTest, TheMenuBelongsToTheCaptionOnly) {
    loadFromFile();
    const struct {
        int tab, x, y;
        bool menu;
    } cases[] = {
        {0, 113, 106, true}, {0, 215, 119, true},
        {0, kClearX, kCaptionY, false},  // the clear button has no menu
        {0, 112, kCaptionY, false}, {0, kCaptionX, 120, false}, {1, kCaptionX, kCaptionY, false},
    };
    for (const auto& c : cases) {
        plug->tab = c.tab;
        platform.menus.shown.clear();
        rightClick(c.x, c.y);
        EXPECT_EQ(platform.menus.shown.size(), c.menu ? 1U : 0U) << c.tab << " at " << c.x << "," << c.y;
    }
}

// --- The menu's commands ---

TEST_F(KeyNamesTest, MenuClearReloadLoadAndSave) {
    loadFromFile();
    WriteText(loaded, "changed on disk\n");
    answerMenu(2);
    rightClick(kCaptionX, kCaptionY);
    EXPECT_EQ(firstName(), "changed on disk") << "reloaded";
    EXPECT_EQ(stateChanges(), 1U);

    answerMenu(3);
    answerDialog(other);
    rightClick(kCaptionX, kCaptionY);
    EXPECT_EQ(firstName(), "brass");
    EXPECT_EQ(map().path, other);
    ASSERT_EQ(platform.dialogs.asked.size(), 1U);
    const DialogAsked& open = platform.dialogs.asked[0];
    EXPECT_FALSE(open.save);
    EXPECT_EQ(open.title, "Open Text File");
    EXPECT_EQ(open.filter, kTextFilter);
    EXPECT_EQ(open.startFolder, folder.file("names")) << "starts where the names came from";
    EXPECT_EQ(stateChanges(), 2U);

    answerMenu(1);
    rightClick(kCaptionX, kCaptionY);
    EXPECT_EQ(map().names, nullptr);
    EXPECT_EQ(map().path, "");
    EXPECT_EQ(map().title, "");
    EXPECT_EQ(stateChanges(), 3U);
    EXPECT_EQ(namesChanged(), 3U) << "the piano roll hears of every change";

    storedInProject();
    const std::string saved = folder.file("saved.txt");
    answerMenu(4);
    answerDialog(saved);
    rightClick(kCaptionX, kCaptionY);
    ASSERT_EQ(platform.dialogs.asked.size(), 2U);
    const DialogAsked& save = platform.dialogs.asked[1];
    EXPECT_TRUE(save.save);
    EXPECT_EQ(save.title, "Save Text File");
    EXPECT_EQ(save.filter, kTextFilter);
    EXPECT_EQ(save.extension, "txt");
    EXPECT_EQ(ReadText(saved).substr(0, 7), "stored\n");
    EXPECT_EQ(map().path, "") << "saving does not change where the names came from";
    EXPECT_EQ(stateChanges(), 3U) << "a save changes nothing saved with the project";
}

TEST_F(KeyNamesTest, ADismissedMenuOrCancelledDialogChangesNothing) {
    loadFromFile();
    rightClick(kCaptionX, kCaptionY);  // dismissed
    answerMenu(3);
    rightClick(kCaptionX, kCaptionY);  // dialog cancelled
    EXPECT_EQ(firstName(), "top");
    EXPECT_EQ(map().path, loaded);
    EXPECT_EQ(stateChanges(), 0U);
    EXPECT_EQ(namesChanged(), 0U);
}

// --- Clicks on the caption and the clear button ---

struct CaptionCase {
    const char* what;
    std::vector<int> keys;
    bool loadedBefore;   // else no names
    int x;
    const char* dialog;  // "open", "save" or "" for none
    const char* first;   // the first name after the click
    std::size_t changes;
};

class CaptionClick : public KeyNamesTest, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(CaptionClick, LoadsReloadsSavesOrClears) {
    const CaptionCase& c = GetParam();
    if (c.loadedBefore) {
        loadFromFile();
        WriteText(loaded, "changed on disk\n");
    }
    const std::string saved = folder.file("saved.txt");
    answerDialog(std::string(c.dialog) == "save" ? saved : other);
    platform.keys.held = std::set<int>(c.keys.begin(), c.keys.end());
    leftClick(c.x, kCaptionY);

    const std::string dialog = platform.dialogs.asked.empty() ? "" : platform.dialogs.asked[0].save ? "save" : "open";
    EXPECT_EQ(dialog, c.dialog);
    EXPECT_EQ(platform.dialogs.asked.size(), dialog.empty() ? 0U : 1U);
    EXPECT_EQ(firstName(), c.first);
    EXPECT_EQ(stateChanges(), c.changes);
    if (dialog == "save") {
        EXPECT_EQ(ReadText(saved).substr(0, 4), "top\n");
        EXPECT_EQ(map().path, loaded);
        EXPECT_EQ(map().title, "Strings.legato");
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CaptionClick, ::testing::Values(
    CaptionCase{"plain opens a file", {}, false, kCaptionX, "open", "brass", 1},
    CaptionCase{"plain up to the right edge without names", {}, false, 230, "open", "brass", 1},
    CaptionCase{"plain with names opens another", {}, true, 215, "open", "brass", 1},
    CaptionCase{"shift reloads the file", {kLeftShiftKey}, true, kCaptionX, "", "changed on disk", 1},
    CaptionCase{"shift without a path opens a file", {kLeftShiftKey}, false, kCaptionX, "open", "brass", 1},
    CaptionCase{"control saves the names", {kRightControlKey}, true, kCaptionX, "save", "top", 0},
    CaptionCase{"control without names does nothing", {kRightControlKey}, false, kCaptionX, "", "<no names>", 0},
    CaptionCase{"clear button", {}, true, kClearX, "", "<no names>", 1},
    CaptionCase{"clear button's right edge", {}, true, 230, "", "<no names>", 1}),
    CaseName());

TEST_F(KeyNamesTest, TheOpenDialogStartsInTheFolderOfTheNamesPath) {
    loadFromFile();
    leftClick(kCaptionX, kCaptionY);  // cancelled
    ASSERT_EQ(platform.dialogs.asked.size(), 1U);
    EXPECT_EQ(platform.dialogs.asked[0].startFolder, folder.file("names"));
    EXPECT_EQ(firstName(), "top");
    EXPECT_EQ(stateChanges(), 0U);
}

TEST_F(KeyNamesTest, AChosenFileThatCannotBeReadStillTakesThePath) {
    storedInProject();
    const std::string gone = folder.file("gone.txt");
    answerDialog(gone);
    leftClick(kCaptionX, kCaptionY);
    EXPECT_EQ(firstName(), "stored") << "the names in use stay";
    EXPECT_EQ(map().path, gone);
    EXPECT_EQ(map().missing, 1);
    EXPECT_EQ(stateChanges(), 1U);
}

}  // namespace
}  // namespace velmora::test
