// The wheel and the keys, sent as window messages while the test holds the
// modifier keys it names.
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "core/process_state.h"
#include "editor/message_handler.h"
#include "tests/editor/editor_fixture.h"

namespace velmora::test {
namespace {

using platform::ui::WindowEvent;

// Virtual key codes: the modifiers by side, as the editor reads them.
constexpr int kShift = 0xA0, kRightShift = 0xA1, kCtrl = 0xA2, kRightCtrl = 0xA3, kAlt = 0xA4, kRightAlt = 0xA5;
constexpr int kBackspace = 0x08, kPageUp = 0x21, kPageDown = 0x22, kLeft = 0x25, kUp = 0x26, kRight = 0x27,
              kDown = 0x28, kInsert = 0x2D, kDelete = 0x2E;

using Held = std::set<int>;

class HeldKeys final : public platform::KeyboardState {
public:
    Held held;
    bool keyHeld(int key) const override { return held.count(key) != 0; }
    bool controlHeld() const override { return keyHeld(kCtrl) || keyHeld(kRightCtrl); }
};

class KeyboardPlatform final : public platform::Platform {
public:
    const platform::KeyboardState& keyboardState() const override { return keyboard; }
    HeldKeys keyboard;
};

class KeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Each test starts without a stored scale.
        std::filesystem::remove(platform::SettingsStore::currentUser().filePath());
        plug = MakeInstance(host, 1, keyboard);
        plug->visible = 1;
        plug->tab = 0;
        host.clearRecords();
    }

    void key(int code, Held held = {}) {
        keyboard.keyboard.held = std::move(held);
        WindowEvent e;
        e.kind = WindowEvent::Kind::KeyDown;
        e.key = code;
        EXPECT_TRUE(editor::HandleEditorMessage(*plug, e));
    }
    void wheel(int delta, Held held = {}) {
        keyboard.keyboard.held = std::move(held);
        WindowEvent e;
        e.kind = WindowEvent::Kind::Wheel;
        e.delta = delta;
        e.x = 20;
        e.y = 20;
        EXPECT_TRUE(editor::HandleEditorMessage(*plug, e));
    }
    void move(int x, int y) {
        keyboard.keyboard.held.clear();
        WindowEvent e;
        e.kind = WindowEvent::Kind::MouseMove;
        e.x = x;
        e.y = y;
        editor::HandleEditorMessage(*plug, e);
    }

    KeyboardPlatform keyboard;
    RecordingHost host;
    PlugPtr plug;
};

// --- The articulation commands ---

struct ArticulationKeyCase {
    const char* what;
    int tab;
    int key;
    Held held;
    bool clipboardFull;       // holding an articulation named "Clip"
    std::intptr_t answer;     // to the message box, 0 = none scripted (answers OK)
    const char* names;        // articulations 0..4 afterwards, "-" for a blank one
    const char* clipboard;    // the clipboard's articulation afterwards, "" while empty
    const char* asked;        // the message box's text, "" for none
    std::size_t changes;      // host message 48
};

void PrintTo(const ArticulationKeyCase& c, std::ostream* os) { *os << c.what; }

class ArticulationKeys : public KeysTest, public ::testing::WithParamInterface<ArticulationKeyCase> {};

std::string Names(const Instance& p) {
    std::string out;
    for (int a = 0; a < 5; ++a) {
        out += a == 0 ? "" : " ";
        out += p.articulations.isBlank(a) ? "-" : p.articulations.name[static_cast<std::size_t>(a)];
    }
    return out;
}

constexpr const char* kClearQuestion = "Are you sure you want to clear this articulation?";
constexpr const char* kDeleteQuestion = "Are you sure you want to delete this articulation?";

TEST_P(ArticulationKeys, ActOnTheEditedArticulation) {
    const ArticulationKeyCase& c = GetParam();
    const char* names[] = {"A", "B", "C", "D", "E"};
    for (int a = 0; a < 5; ++a) {
        plug->articulations.name[static_cast<std::size_t>(a)] = names[a];
    }
    plug->editing = 1;
    plug->tab = c.tab;
    ArticulationClipboard& clip = plug->processState->articulationClipboard;
    clip = ArticulationClipboard{};
    if (c.clipboardFull) {
        clip.full = true;
        clip.articulation.name = "Clip";
    }
    if (c.answer != 0) {
        host.messageBoxAnswers.push_back(c.answer);
    }

    key(c.key, c.held);

    EXPECT_EQ(Names(*plug), c.names);
    EXPECT_EQ(clip.full ? clip.articulation.name : "", c.clipboard);
    const auto boxes = host.callsWithId(plug::FHD_MessageBox);
    if (*c.asked == '\0') {
        EXPECT_TRUE(boxes.empty()) << boxes.size() << " asked";
    } else {
        ASSERT_EQ(boxes.size(), 1U);
        EXPECT_EQ(boxes[0].text, c.asked);
        EXPECT_EQ(boxes[0].value, plug::kMsgYesNoWarning);
    }
    EXPECT_EQ(host.callsWithId(plug::FHD_StateChanged).size(), c.changes);
    EXPECT_EQ(plug->editing, 1);
}

// Yes and No as the host answers them.
constexpr std::intptr_t kYes = plug::kMsgAnswerYes;
constexpr std::intptr_t kNo = 7;

INSTANTIATE_TEST_SUITE_P(Table, ArticulationKeys, ::testing::Values(
    ArticulationKeyCase{"ctrl X cuts", 0, 'X', {kCtrl}, false, 0, "A C D E -", "B", "", 1},
    ArticulationKeyCase{"shift Delete cuts without asking", 0, kDelete, {kShift}, false, 0, "A C D E -", "B", "", 1},
    ArticulationKeyCase{"X alone does nothing", 0, 'X', {}, false, 0, "A B C D E", "", "", 0},
    ArticulationKeyCase{"right ctrl C copies", 0, 'C', {kRightCtrl}, true, 0, "A B C D E", "B", "", 0},
    ArticulationKeyCase{"ctrl Insert copies", 1, kInsert, {kCtrl}, false, 0, "A B C D E", "B", "", 0},
    ArticulationKeyCase{"ctrl V pastes", 0, 'V', {kCtrl}, true, 0, "A Clip C D E", "Clip", "", 1},
    ArticulationKeyCase{"ctrl V with nothing to paste", 0, 'V', {kCtrl}, false, 0, "A B C D E", "", "", 0},
    ArticulationKeyCase{"ctrl shift V inserts then pastes", 0, 'V', {kCtrl, kRightShift}, true, 0, "A Clip B C D", "Clip", "", 2},
    ArticulationKeyCase{"ctrl shift V with nothing to paste", 0, 'V', {kCtrl, kShift}, false, 0, "A B C D E", "", "", 0},
    ArticulationKeyCase{"shift Insert pastes and does not insert", 0, kInsert, {kShift}, true, 0, "A Clip C D E", "Clip", "", 1},
    ArticulationKeyCase{"Insert inserts", 1, kInsert, {}, true, 0, "A - B C D", "Clip", "", 1},
    ArticulationKeyCase{"Backspace clears on yes", 0, kBackspace, {}, false, kYes, "A - C D E", "", kClearQuestion, 1},
    ArticulationKeyCase{"Backspace on no", 0, kBackspace, {}, false, kNo, "A B C D E", "", kClearQuestion, 0},
    ArticulationKeyCase{"Delete deletes on yes", 1, kDelete, {}, false, kYes, "A C D E -", "", kDeleteQuestion, 1},
    ArticulationKeyCase{"Delete on no", 0, kDelete, {}, false, kNo, "A B C D E", "", kDeleteQuestion, 0},
    ArticulationKeyCase{"ctrl Delete deletes without asking", 0, kDelete, {kRightCtrl}, false, 0, "A C D E -", "", "", 1},
    ArticulationKeyCase{"not on the General panel", 2, kDelete, {kCtrl}, false, 0, "A B C D E", "", "", 0},
    ArticulationKeyCase{"not in the icon picker", 3, 'X', {kCtrl}, false, 0, "A B C D E", "", "", 0}
), CaseName{});

// --- Keys of every panel ---

struct NavigationCase {
    const char* what;
    bool articbanks;
    int editing, bankstart;
    int key;
    Held held;
    int editingAfter, bankstartAfter;
    bool repainted;
};

void PrintTo(const NavigationCase& c, std::ostream* os) { *os << c.what; }

class NavigationKeys : public KeysTest, public ::testing::WithParamInterface<NavigationCase> {};

TEST_P(NavigationKeys, OnEveryPanel) {
    const NavigationCase& c = GetParam();
    for (int tab = 0; tab < 4; ++tab) {
        plug->tab = tab;
        plug->articbanks = c.articbanks ? 1 : 0;
        plug->editing = c.editing;
        plug->bankstart = c.bankstart;
        const int repaintsBefore = WholeRepaints(*plug);

        key(c.key, c.held);

        EXPECT_EQ(plug->editing, c.editingAfter) << "panel " << tab;
        EXPECT_EQ(plug->bankstart, c.bankstartAfter) << "panel " << tab;
        EXPECT_EQ(WholeRepaints(*plug) > repaintsBefore, c.repainted) << "panel " << tab;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, NavigationKeys, ::testing::Values(
    NavigationCase{"Left within a bank", true, 17, 16, kLeft, {}, 16, 16, true},
    NavigationCase{"Left into the bank before", true, 16, 16, kLeft, {}, 15, 0, true},
    NavigationCase{"Left stops at the first and shows its bank", true, 0, 32, kLeft, {}, 0, 0, true},
    NavigationCase{"Left with ctrl", false, 5, 0, kLeft, {kCtrl}, 4, 0, true},
    NavigationCase{"Right into the next bank", true, 15, 0, kRight, {}, 16, 16, true},
    NavigationCase{"Right stops at the last", true, 63, 48, kRight, {}, 63, 48, true},
    NavigationCase{"Right without banks stops at the sixteenth", false, 15, 0, kRight, {}, 15, 0, true},
    NavigationCase{"Up a bank", true, 40, 32, kUp, {}, 40, 16, true},
    NavigationCase{"Up at the first bank", true, 0, 0, kUp, {}, 0, 0, true},
    NavigationCase{"Up without banks", false, 0, 32, kUp, {}, 0, 32, false},
    NavigationCase{"Down a bank", true, 0, 32, kDown, {}, 0, 48, true},
    NavigationCase{"Down at the last bank", true, 0, 48, kDown, {}, 0, 48, true},
    NavigationCase{"Down without banks", false, 0, 0, kDown, {}, 0, 0, false},
    NavigationCase{"ctrl Up minimises and keeps the bank", true, 40, 32, kUp, {kCtrl}, 40, 32, false},
    NavigationCase{"ctrl Down restores and keeps the bank", true, 0, 32, kDown, {kRightCtrl}, 0, 32, false}
), CaseName{});

TEST_F(KeysTest, WithArticbanksOffRightStopsAtArticulation16) {
    plug->articbanks = 0;
    for (int i = 0; i < 20; ++i) {
        key(kRight);
    }
    EXPECT_EQ(plug->editing, 15);
    EXPECT_EQ(plug->bankstart, 0);
    plug->articbanks = 1;
    key(kRight);
    EXPECT_EQ(plug->editing, 16);
    EXPECT_EQ(plug->bankstart, 16);
}

TEST_F(KeysTest, ControlUpAndDownSizeTheEditorAtItsScale) {
    plug->uiscale = 2.0f;
    plug->scaleFactor = 2.0f;
    plug->tab = 2;
    const struct {
        int key;
        Held held;
        int minimised, width, height;
    } steps[] = {
        {kUp, {kCtrl}, 1, 480, 200},
        {kUp, {kRightCtrl}, 1, 480, 200},  // already minimised: the host still hears of it
        {kDown, {kCtrl}, 0, 480, 474},
    };
    for (const auto& s : steps) {
        host.clearRecords();
        key(s.key, s.held);
        EXPECT_EQ(plug->minimised, s.minimised);
        EXPECT_EQ(plug->editorWindow->width(), s.width);
        EXPECT_EQ(plug->editorWindow->height(), s.height);
        EXPECT_EQ(host.callsWithId(plug::FHD_EditorResized).size(), 1U);
    }
    EXPECT_FLOAT_EQ(plug->uiscale, 2.0f);
}

TEST_F(KeysTest, PageKeysStepTheScale) {
    const struct {
        int key;
        float before, after;
        int width, height;
    } steps[] = {
        {kPageDown, 0.0f, 1.5f, 360, 355},
        {kPageDown, 4.0f, 0.0f, 240, 237},
        {kPageUp, 0.0f, 4.0f, 960, 948},
        {kPageUp, 1.5f, 0.0f, 240, 237},
    };
    for (int tab = 0; tab < 4; ++tab) {
        plug->tab = tab;
        for (const auto& s : steps) {
            plug->uiscale = s.before;
            host.clearRecords();
            key(s.key);
            EXPECT_FLOAT_EQ(plug->uiscale, s.after) << "panel " << tab;
            EXPECT_EQ(plug->editorWindow->width(), s.width);
            EXPECT_EQ(plug->editorWindow->height(), s.height);
            EXPECT_EQ(host.callsWithId(plug::FHD_EditorResized).size(), 1U);
        }
    }
}

// --- The wheel ---

struct WheelCase {
    const char* what;
    bool articbanks;
    int bankstart;
    int delta;
    Held held;
    int bankstartAfter;
    const char* hint;     // nullptr for none
    int currentBankAfter;  // from 3
};

void PrintTo(const WheelCase& c, std::ostream* os) { *os << c.what; }

class WheelBanks : public KeysTest, public ::testing::WithParamInterface<WheelCase> {};

TEST_P(WheelBanks, OnPanelsOtherThanThePicker) {
    const WheelCase& c = GetParam();
    for (int tab = 0; tab < 3; ++tab) {
        plug->tab = tab;
        plug->articbanks = c.articbanks ? 1 : 0;
        plug->bankstart = c.bankstart;
        plug->currentBank = 3;
        host.clearRecords();
        const int repaintsBefore = WholeRepaints(*plug);

        wheel(c.delta, c.held);

        EXPECT_EQ(plug->bankstart, c.bankstartAfter) << "panel " << tab;
        EXPECT_EQ(plug->currentBank, c.currentBankAfter) << "panel " << tab;
        const auto namesChanged = host.callsWithId(plug::FHD_NamesChanged);
        if (c.currentBankAfter != 3) {
            ASSERT_EQ(namesChanged.size(), 1U) << "panel " << tab;
            EXPECT_EQ(namesChanged[0].index, 0);
            EXPECT_EQ(namesChanged[0].value, plug::kNamesPianoRoll);
        } else {
            EXPECT_TRUE(namesChanged.empty()) << "panel " << tab;
        }
        if (c.hint == nullptr) {
            EXPECT_TRUE(host.hints.empty()) << "panel " << tab;
            EXPECT_EQ(WholeRepaints(*plug), repaintsBefore) << "panel " << tab;
        } else {
            ASSERT_EQ(host.hints.size(), 1U) << "panel " << tab;
            EXPECT_EQ(host.hints[0], c.hint);
            EXPECT_GT(WholeRepaints(*plug), repaintsBefore) << "panel " << tab;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Table, WheelBanks, ::testing::Values(
    WheelCase{"away a bank down", true, 32, 120, {}, 16, "Articulation bank 2 - moar articulations", 3},
    WheelCase{"away at the first bank", true, 0, 120, {}, 0, nullptr, 3},
    WheelCase{"towards a bank up", true, 32, -120, {}, 48, "Articulation bank 4 - moar articulations", 3},
    WheelCase{"towards at the last bank", true, 48, -240, {}, 48, nullptr, 3},
    WheelCase{"alt takes the bank to the piano roll", true, 0, -120, {kAlt}, 16, "Articulation bank 2 - moar articulations", 1},
    WheelCase{"right alt", true, 48, 120, {kRightAlt}, 32, "Articulation bank 3 - moar articulations", 2},
    WheelCase{"alt at the first bank", true, 0, 120, {kAlt}, 0, nullptr, 3},
    WheelCase{"without banks", false, 16, 120, {kAlt}, 16, nullptr, 3}
), CaseName{});

// The wheel's hint names no region, so the next move, even within the region
// last named, tells the host again what is under the mouse.
TEST_F(KeysTest, AMoveAfterTheWheelsHintSendsTheRegionsHintAgain) {
    plug->articbanks = 1;
    const struct {
        int x, y;
        const char* before;
        const char* after;
    } spots[] = {
        {20, 20, "Articulation 1. Edit the properties below or right click for more",
         "Articulation 17. Edit the properties below or right click for more"},
        {35, 20, "", ""},  // between two cells: the empty hint
    };
    for (const auto& s : spots) {
        plug->bankstart = 0;
        host.clearRecords();
        move(s.x, s.y);
        wheel(-120);
        move(s.x, s.y);
        move(s.x + 1, s.y);  // the same region: nothing new
        const std::vector<std::string> expected = {s.before, "Articulation bank 2 - moar articulations", s.after};
        EXPECT_EQ(host.hints, expected) << s.x;
    }
}

TEST_F(KeysTest, WheelScrollsThePickerWithinItsTrack) {
    plug->tab = 3;
    plug->articbanks = 1;
    plug->bankstart = 16;
    const struct {
        float before;
        int delta;
        float after;
    } cases[] = {
        {0.5f, 120, 0.45f}, {0.5f, -120, 0.55f}, {0.02f, 120, 0.0f}, {0.0f, 120, 0.0f},
        {0.98f, -120, 1.0f}, {1.0f, -120, 1.0f},
    };
    for (const auto& c : cases) {
        plug->iconScroll = c.before;
        const int repaintsBefore = WholeRepaints(*plug);
        wheel(c.delta);
        EXPECT_FLOAT_EQ(plug->iconScroll, c.after) << c.before << " by " << c.delta;
        EXPECT_GT(WholeRepaints(*plug), repaintsBefore);
    }
    // Twenty steps cross the whole track and stop at its end.
    plug->iconScroll = 0.0f;
    for (int i = 0; i < 25; ++i) {
        wheel(-120);
    }
    EXPECT_FLOAT_EQ(plug->iconScroll, 1.0f);
    EXPECT_EQ(plug->bankstart, 16) << "the picker's wheel leaves the bank";
    EXPECT_TRUE(host.hints.empty());
}

}  // namespace
}  // namespace velmora::test
