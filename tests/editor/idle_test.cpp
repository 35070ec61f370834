// The host's idle call: the focus click a few calls after the editor shows
// in a small host window, and the order of everything idle runs.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "editor/idle.h"
#include "editor/window_lifecycle.h"
#include "tests/editor/editor_fixture.h"
#include "tests/editor/piano_roll_fixture.h"

namespace velmora::test {
namespace {

struct CountdownCase {
    const char* what;
    std::int32_t hostVersion;
    bool smallParent;  // the form's sheet (280 pixels high) or the main window (970)
    int countdown;
    friend void PrintTo(const CountdownCase& c, std::ostream* os) { *os << c.what; }
};

class FocusClickCountdown : public PianoRollTest, public ::testing::WithParamInterface<CountdownCase> {};

TEST_P(FocusClickCountdown, StartsWhenTheEditorShowsInASmallHostWindow) {
    const CountdownCase& c = GetParam();
    host.HostVersion = c.hostVersion;
    editor::ShowEditor(*plug, c.smallParent ? tree.sheet : tree.main);
    EXPECT_EQ(plug->clickCountdown, c.countdown);
}

INSTANTIATE_TEST_SUITE_P(PianoRoll, FocusClickCountdown,
                         ::testing::Values(CountdownCase{"host_12000000_small", 12000000, true, 8},
                                           CountdownCase{"host_12004999_small", 12004999, true, 8},
                                           CountdownCase{"host_12000000_tall", 12000000, false, 0},
                                           CountdownCase{"host_12005000_small", 12005000, true, 0},
                                           CountdownCase{"host_11999999_small", 11999999, true, 0}),
                         CaseName{});

TEST_F(PianoRollTest, TheEighthIdleClicksNearTheEditorsBottomRightAndPutsThePointerBack) {
    host.HostVersion = 12000000;
    editor::ShowEditor(*plug, tree.sheet);
    tree.windows.placeCursor({500, 600});
    for (int i = 0; i < 7; ++i) {
        editor::IdlePublic(*plug);
    }
    EXPECT_TRUE(tree.windows.log().empty());
    EXPECT_EQ(plug->clickCountdown, 1);
    editor::IdlePublic(*plug);
    // The editor window spans (1210, 180)-(1490, 440).
    EXPECT_EQ(tree.windows.logLines(), (std::vector<std::string>{"cursor 1485,380", "button down", "button up", "cursor 500,600"}));
    editor::IdlePublic(*plug);
    EXPECT_EQ(tree.windows.log().size(), 4U) << "once";
    EXPECT_EQ(plug->clickCountdown, 0);
}

TEST_F(PianoRollTest, NoFocusClickWhenTheEditorWindowIsNotAmongTheHostWindows) {
    plug->clickCountdown = 1;
    tree.windows.remove(tree.editor);
    editor::IdlePublic(*plug);
    EXPECT_TRUE(tree.windows.log().empty());
    EXPECT_EQ(plug->clickCountdown, 0);
}

// Focus click, key rename, form position: each step sees what the one
// before it did. The tree notes how many prompts the host had shown when
// each input reached it.
TEST_F(PianoRollTest, IdleRunsItsStepsInOrder) {
    host.HostVersion = 12000000;
    plug->processState->showsingle = 1;
    plug->processState->savedFormPosX = 40;
    plug->processState->savedFormPosY = 60;
    editor::ShowEditor(*plug, tree.sheet);
    plug->clickCountdown = 1;
    ShiftClickNote(60, 3);
    ASSERT_EQ(plug->clickedNote, 60);
    host.promptAnswers.push_back("Soft hit");
    std::vector<std::string> seen;
    tree.windows.setReaction([&](platform::ScriptedHostWindows&, const platform::HostWindowInput& input) {
        const std::string line = platform::DescribeInput(input);
        seen.push_back(line.substr(0, line.find(' ')) + " after " + std::to_string(host.prompts.size()) + " prompts");
    });
    editor::IdlePublic(*plug);
    EXPECT_EQ(seen, (std::vector<std::string>{"cursor after 0 prompts", "button after 0 prompts", "button after 0 prompts",
                                              "cursor after 0 prompts", "move after 1 prompts"}));
    EXPECT_EQ(host.prompts.size(), 1U);
}

}  // namespace
}  // namespace velmora::test
