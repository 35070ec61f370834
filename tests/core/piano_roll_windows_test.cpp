// Finding the host's piano rolls and plugin forms, and the Shift-click in a
// piano roll that marks a note for renaming.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/piano_roll_windows.h"
#include "tests/support/host_window_tree.h"

namespace velmora::test {
namespace {

using platform::ScriptedWindow;
using platform::ui::Point;
using platform::ui::Rect;

constexpr int kLeftButton = 0x01;
constexpr int kLeftShift = 0xA0;
constexpr int kRightShift = 0xA1;

HWND Add(platform::ScriptedHostWindows& w, HWND parent, const char* cls, const char* title, Rect rect = {0, 0, 10, 10}) {
    ScriptedWindow s;
    s.parent = parent;
    s.className = cls;
    s.title = title;
    s.rect = rect;
    return w.add(s);
}

TEST(PianoRollWindows, EveryMainWindowAndContainerIsVisitedForItsFirstPianoRoll) {
    platform::ScriptedHostWindows w;
    const HWND main1 = Add(w, nullptr, "TFruityLoopsMainForm", "");
    const HWND other = Add(w, nullptr, "TOtherForm", "");
    const HWND main2 = Add(w, nullptr, "TFruityLoopsMainForm", "");
    const HWND c1 = Add(w, main1, "TWPControl", "");
    Add(w, c1, "TPanel", "Piano roll - x");
    const HWND roll1 = Add(w, c1, "TAny", "PIANO ROLL -");
    Add(w, c1, "TAny", "Piano roll -");  // not the first
    const HWND c2 = Add(w, main1, "TWPControl", "");
    Add(w, c2, "TPluginForm", "");  // a container without a piano roll
    Add(w, main1, "TOtherControl", "");
    const HWND c3 = Add(w, main2, "TWPControl", "");
    const HWND roll3 = Add(w, c3, "TAny", "Piano roll -");
    Add(w, Add(w, other, "TWPControl", ""), "TAny", "Piano roll -");  // not a main window

    std::vector<HWND> visited;
    EXPECT_FALSE(ForEachPianoRoll(w, main1, [&](HWND r) {
        visited.push_back(r);
        return false;
    }));
    EXPECT_EQ(visited, (std::vector<HWND>{roll1, roll3}));

    visited.clear();
    EXPECT_TRUE(ForEachPianoRoll(w, main1, [&](HWND r) {
        visited.push_back(r);
        return true;
    }));
    EXPECT_EQ(visited, std::vector<HWND>{roll1}) << "a visit that answers true ends the search";
    visited.clear();
    ForEachPianoRoll(w, main2, [&](HWND r) {
        visited.push_back(r);
        return false;
    });
    EXPECT_EQ(visited, std::vector<HWND>{roll3}) << "only the main windows following the given one";
}

TEST(PianoRollWindows, PluginFormsAreVisitedWithTheirSheetsUntilOneHasNone) {
    platform::ScriptedHostWindows w;
    const HWND main = Add(w, nullptr, "TFruityLoopsMainForm", "");
    const HWND c1 = Add(w, main, "TWPControl", "");
    const HWND f1 = Add(w, c1, "TPluginForm", "");
    const HWND s1 = Add(w, f1, "TVectorSheet", "");
    Add(w, c1, "TPluginForm", "");  // no sheet: the rest of this container is not searched
    const HWND f3 = Add(w, c1, "TPluginForm", "");
    Add(w, f3, "TVectorSheet", "");
    const HWND c2 = Add(w, main, "TWPControl", "");
    const HWND f4 = Add(w, c2, "TPluginForm", "");
    Add(w, f4, "TPanel", "");
    const HWND s4 = Add(w, f4, "TVectorSheet", "");

    std::vector<std::pair<HWND, HWND>> visited;
    ForEachPluginForm(w, main, [&](HWND form, HWND sheet) { visited.emplace_back(form, sheet); });
    EXPECT_EQ(visited, (std::vector<std::pair<HWND, HWND>>{{f1, s1}, {f4, s4}}));
}

TEST(PianoRollShiftClick, WritesWhatItSeesAndTriggersOnAShiftClickBelowTheColourWindow) {
    HostWindowTree tree;
    tree.windows.placeCursor({150, 300});
    tree.windows.hold(kLeftButton, true);
    tree.windows.hold(kLeftShift, true);
    EXPECT_TRUE(IsPianoRollShiftClick(tree.windows, tree.main));
    char found[64];
    std::snprintf(found, sizeof(found), "Found window %p\n", tree.colourWindow);
    std::vector<std::string> lines;
    for (const auto& input : tree.windows.log()) {
        EXPECT_EQ(input.kind, platform::HostWindowInput::Kind::Debug);
        lines.push_back(input.text);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{
                         found,
                         "  LBUTTON is 32768\n",
                         "  VK_LSHIFT is 32768\n",
                         "  VK_RSHIFT is 0\n",
                         "  MousePos.x is 150\n",
                         "  MousePos.y is 300\n",
                         "  FLPluginColorWindowRect.left  is 110\n",
                         "  FLPluginColorWindowRect.right is 200\n",
                         "  FLPluginColorWindowRect.top   is 150\n",
                         "  FLPluginColorWindowRect.bot   is 190\n",
                         "  FLPluginWindowRect.bot        is 700\n",
                         "  TRIGGERED\n",
                     }));
}

TEST(PianoRollShiftClick, TriggersOnlyInsideTheAreaWithTheButtonAndAShiftDown) {
    // The colour window spans x 110..200 and ends at y 190; the piano roll ends at y 700.
    struct Case {
        const char* what;
        Point cursor;
        std::vector<int> keys;
        bool triggered;
    };
    const std::vector<Case> cases = {
        {"left Shift", {150, 300}, {kLeftButton, kLeftShift}, true},
        {"right Shift", {150, 300}, {kLeftButton, kRightShift}, true},
        {"no Shift", {150, 300}, {kLeftButton}, false},
        {"no button", {150, 300}, {kLeftShift}, false},
        {"the colour window's bottom edge", {150, 190}, {kLeftButton, kLeftShift}, true},
        {"inside the colour window", {150, 189}, {kLeftButton, kLeftShift}, false},
        {"the piano roll's bottom edge", {150, 700}, {kLeftButton, kLeftShift}, true},
        {"below the piano roll", {150, 701}, {kLeftButton, kLeftShift}, false},
        {"left edge", {110, 300}, {kLeftButton, kLeftShift}, true},
        {"left of it", {109, 300}, {kLeftButton, kLeftShift}, false},
        {"right edge", {200, 300}, {kLeftButton, kLeftShift}, true},
        {"right of it", {201, 300}, {kLeftButton, kLeftShift}, false},
    };
    for (const Case& c : cases) {
        HostWindowTree tree;
        tree.windows.placeCursor(c.cursor);
        for (int k : c.keys) {
            tree.windows.hold(k, true);
        }
        EXPECT_EQ(IsPianoRollShiftClick(tree.windows, tree.main), c.triggered) << c.what;
        const auto lines = tree.windows.logLines();
        ASSERT_FALSE(lines.empty()) << c.what;
        EXPECT_EQ(lines.back() == "debug:   TRIGGERED", c.triggered) << c.what;
        EXPECT_EQ(lines.size(), c.triggered ? 12U : 11U) << c.what;
    }
}

TEST(PianoRollShiftClick, EveryColourWindowOfEveryPianoRollIsAsked) {
    HostWindowTree tree;
    // A second colour window beside the first, and a second main window with
    // a piano roll of its own further down the screen.
    ScriptedWindow k2;
    k2.parent = tree.pianoRoll;
    k2.className = "TWPControl";
    k2.rect = {300, 150, 400, 190};
    tree.windows.add(k2);
    const HWND main2 = Add(tree.windows, nullptr, "TFruityLoopsMainForm", "", {0, 1000, 1600, 2000});
    const HWND c = Add(tree.windows, main2, "TWPControl", "", {0, 1000, 1600, 2000});
    const HWND roll = Add(tree.windows, c, "TPianoRollForm", "Piano Roll -", {0, 1000, 1600, 2000});
    Add(tree.windows, roll, "TWPControl", "", {10, 1020, 60, 1040});
    tree.windows.hold(kLeftButton, true);
    tree.windows.hold(kRightShift, true);

    tree.windows.placeCursor({30, 1500});
    EXPECT_TRUE(IsPianoRollShiftClick(tree.windows, tree.main));
    EXPECT_EQ(tree.windows.logLines().size(), 3U * 11U + 1U) << "three colour windows asked, the last one triggered";

    tree.windows.clearLog();
    tree.windows.placeCursor({350, 300});
    EXPECT_TRUE(IsPianoRollShiftClick(tree.windows, tree.main));
    EXPECT_EQ(tree.windows.logLines().size(), 2U * 11U + 1U) << "the search ends at the first trigger";
}

TEST(PianoRollShiftClick, WithoutAMainWindowNothingIsAskedOrWritten) {
    HostWindowTree tree;
    tree.windows.placeCursor({150, 300});
    tree.windows.hold(kLeftButton, true);
    tree.windows.hold(kLeftShift, true);
    EXPECT_FALSE(IsPianoRollShiftClick(tree.windows, nullptr));
    EXPECT_TRUE(tree.windows.log().empty());
}

}  // namespace
}  // namespace velmora::test
