// Picking a note colour in the host's piano roll: a click on its colour
// selector, then keys through the selector's list, the pointer put back.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "editor/piano_roll.h"
#include "tests/editor/click_fixture.h"
#include "tests/editor/editor_fixture.h"
#include "tests/editor/piano_roll_fixture.h"

namespace velmora::test {
namespace {

constexpr platform::ui::Point kUserPointer{500, 600};

std::vector<std::string> Presses(const char* key, int times) {
    std::vector<std::string> lines;
    for (int i = 0; i < times; ++i) {
        lines.push_back(std::string("key ") + key + " down");
        lines.push_back(std::string("key ") + key + " up");
    }
    return lines;
}

struct SelectCase {
    const char* what;
    std::int32_t hostVersion;
    int cell;
    const char* selector;  // the selector's point on the screen
    int downs;
    int rights;
    friend void PrintTo(const SelectCase& c, std::ostream* os) { *os << c.what; }
};

class SelectColour : public PianoRollTest, public ::testing::WithParamInterface<SelectCase> {};

TEST_P(SelectColour, ClicksTheSelectorAndStepsToTheColour) {
    const SelectCase& c = GetParam();
    host.HostVersion = c.hostVersion;
    tree.windows.placeCursor(kUserPointer);
    editor::SelectPianoRollColour(*plug, c.cell);

    std::vector<std::string> expected = {std::string("cursor ") + c.selector, "button down", "button up"};
    for (const auto& lines : {Presses("0x24", 1), Presses("0x28", c.downs), Presses("0x27", c.rights), Presses("0x0D", 1)}) {
        expected.insert(expected.end(), lines.begin(), lines.end());
    }
    expected.push_back("cursor 500,600");
    EXPECT_EQ(tree.windows.logLines(), expected);
    EXPECT_EQ(tree.windows.cursorPosition(), kUserPointer);
}

// The piano roll's client area starts at (104, 122) on the screen: the
// selector is at client (13, 34) before 12000000 and (28, 50) from then.
INSTANTIATE_TEST_SUITE_P(PianoRoll, SelectColour,
                         ::testing::Values(SelectCase{"cell_6_before_12000000", 11999999, 6, "117,156", 1, 2},
                                           SelectCase{"cell_6_from_12000000", 12000000, 6, "132,172", 6, 0},
                                           SelectCase{"cell_0", 21000000, 0, "132,172", 0, 0},
                                           SelectCase{"cell_15_before_12000000", 11000000, 15, "117,156", 3, 3},
                                           SelectCase{"cell_15_from_12000000", 21000000, 15, "132,172", 15, 0}),
                         CaseName{});

// Host windows, and the editor's modifier keys held as a test says.
class WindowsAndKeysPlatform final : public platform::Platform {
public:
    explicit WindowsAndKeysPlatform(const platform::HostWindows& windows) : windows_(windows) {}
    const platform::HostWindows& hostWindows() const override { return windows_; }
    const platform::KeyboardState& keyboardState() const override { return keys; }
    HeldKeys keys;

private:
    const platform::HostWindows& windows_;
};

TEST(PianoRollColourClick, AControlClickOnAGridCellPicksItsColour) {
    HostWindowTree tree;
    WindowsAndKeysPlatform platform(tree.windows);
    RecordingHost host;
    host.mainWindow = tree.main;
    auto plug = MakeInstance(host, 1, platform);
    plug->visible = 1;
    plug->tab = 0;
    plug->bankstart = 16;
    ClickAt(*plug, platform::ui::MouseButton::Left, 40, 60);  // cell 9, without Control
    EXPECT_TRUE(tree.windows.log().empty());
    EXPECT_EQ(plug->editing, 25);

    platform.keys.held = {kRightControlKey};
    ClickAt(*plug, platform::ui::MouseButton::Left, 40, 60);
    const auto lines = tree.windows.logLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "cursor 132,172");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "key 0x28 down"), 9) << "the cell in its bank, not the articulation";
    EXPECT_EQ(plug->editing, 25);
}

TEST_F(PianoRollTest, NothingIsPressedWithoutAMainWindowOrASelectorAtThePoint) {
    struct Case {
        const char* what;
        void (*arrange)(HostWindowTree&, RecordingHost&);
    };
    const Case cases[] = {
        {"no main window", [](HostWindowTree&, RecordingHost& h) { h.mainWindow = nullptr; }},
        {"no colour window", [](HostWindowTree& t, RecordingHost&) { t.windows.remove(t.colourWindow); }},
        {"a pop-up covers the selector", [](HostWindowTree& t, RecordingHost&) { t.openPopup(164, true, {120, 160}); }},
        {"no piano roll", [](HostWindowTree& t, RecordingHost&) { t.windows.remove(t.pianoRoll); }},
    };
    for (const Case& c : cases) {
        HostWindowTree t;
        RecordingHost h;
        h.mainWindow = t.main;
        HostWindowsPlatform p(t.windows);
        auto instance = MakeInstance(h, 1, p);
        c.arrange(t, h);
        t.windows.placeCursor(kUserPointer);
        editor::SelectPianoRollColour(*instance, 6);
        EXPECT_TRUE(t.windows.log().empty()) << c.what;
    }
}

}  // namespace
}  // namespace velmora::test
