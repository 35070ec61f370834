// The host's colour pop-up: watched while open over a piano roll, recognised
// by its colours, and a colour chosen in it followed by the editor.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "editor/idle.h"
#include "editor/piano_roll_names.h"
#include "tests/editor/editor_fixture.h"
#include "tests/editor/piano_roll_fixture.h"

namespace velmora::test {
namespace {

struct WatchCase {
    const char* what;
    int height;
    bool marked;
    platform::ui::Point topLeft;
    bool watched;
    bool recognised;  // from the second idle call on
    friend void PrintTo(const WatchCase& c, std::ostream* os) { *os << c.what; }
};

class PopupWatch : public PianoRollTest, public ::testing::WithParamInterface<WatchCase> {};

TEST_P(PopupWatch, OneStepPerIdleCall) {
    const WatchCase& c = GetParam();
    plug->namesAsked = 1;
    const HWND popup = tree.openPopup(c.height, c.marked, c.topLeft);
    editor::IdlePublic(*plug);
    EXPECT_EQ(plug->colourPopup, c.watched ? popup : nullptr);
    EXPECT_EQ(plug->colourPopupRecognised, 0) << "the pixels are read from the next call on";
    editor::IdlePublic(*plug);
    EXPECT_EQ(plug->colourPopup, c.watched ? popup : nullptr);
    EXPECT_EQ(plug->colourPopupRecognised, c.recognised ? 1 : 0);

    tree.closePopup();
    editor::IdlePublic(*plug);
    EXPECT_EQ(plug->colourPopup, nullptr);
    EXPECT_EQ(plug->colourPopupRecognised, 0);
}

// The piano roll's window starts at (100, 100).
INSTANTIATE_TEST_SUITE_P(
    PianoRoll, PopupWatch,
    ::testing::Values(WatchCase{"164_high_with_the_colours", 164, true, {140, 200}, true, true},
                      WatchCase{"164_high_without_the_colours", 164, false, {140, 200}, true, false},
                      WatchCase{"163_high", 163, true, {140, 200}, false, false},
                      WatchCase{"165_high", 165, true, {140, 200}, false, false},
                      WatchCase{"at_the_piano_roll_corner", 164, true, {100, 100}, true, true},
                      WatchCase{"left_of_the_piano_roll", 164, true, {99, 200}, false, false},
                      WatchCase{"above_the_piano_roll", 164, true, {140, 99}, false, false}),
    CaseName{});

TEST_F(PianoRollTest, TheColourInTheFirstColumnDoesNotCount) {
    plug->namesAsked = 1;
    const HWND popup = tree.openPopup(164, false);
    std::vector<std::uint32_t> row(120, 0xF0F0F0);
    row[0] = kPopupColourMark;
    tree.windows.setPixelRow(popup, 2, row);
    editor::IdlePublic(*plug);
    editor::IdlePublic(*plug);
    EXPECT_EQ(plug->colourPopup, popup);
    EXPECT_EQ(plug->colourPopupRecognised, 0);
    row[119] = kPopupColourMark;
    tree.windows.setPixelRow(popup, 2, row);
    editor::IdlePublic(*plug);
    EXPECT_EQ(plug->colourPopupRecognised, 1) << "the last column does";
}

TEST_F(PianoRollTest, ThePopupIsNotWatchedBeforeTheHostAsksForNoteNames) {
    tree.openPopup(164, true);
    editor::IdlePublic(*plug);
    EXPECT_EQ(plug->colourPopup, nullptr);
    editor::PianoRollKeyName(*plug, 60, 0);
    editor::IdlePublic(*plug);
    EXPECT_EQ(plug->colourPopup, tree.popup);
}

struct FollowCase {
    const char* what;
    std::vector<int> keys;
    bool prompted;
    int editing;  // from 0
    friend void PrintTo(const FollowCase& c, std::ostream* os) { *os << c.what; }
};

class FollowColour : public PianoRollTest, public ::testing::WithParamInterface<FollowCase> {};

// The user opens the pop-up, picks colour 5 and the pop-up closes; the host
// then asks for the note names of colour 5 before the next idle call.
TEST_P(FollowColour, AColourChosenInTheRecognisedPopupIsFollowed) {
    const FollowCase& c = GetParam();
    plug->articulations.name[5] = "Pizz";
    host.promptAnswers.push_back("Pizzicato");
    editor::PianoRollKeyName(*plug, 60, 0);
    editor::IdlePublic(*plug);
    tree.openPopup(164, true);
    editor::IdlePublic(*plug);
    editor::IdlePublic(*plug);
    ASSERT_EQ(plug->colourPopupRecognised, 1);

    for (int k : c.keys) {
        tree.windows.hold(k, true);
    }
    tree.closePopup();
    editor::PianoRollKeyName(*plug, 60, 5);
    host.clearRecords();
    const int grid = GridRepaints(*plug);
    const int whole = WholeRepaints(*plug);
    plug->visible = 1;
    editor::IdlePublic(*plug);

    EXPECT_EQ(plug->currentArticulation, 5);
    EXPECT_EQ(plug->editing, c.editing);
    EXPECT_EQ(plug->pendingArticulation, -1);
    if (c.prompted) {
        ASSERT_EQ(host.prompts.size(), 1U);
        EXPECT_EQ(host.prompts[0].caption, "Articulation name");
        EXPECT_EQ(host.prompts[0].text, "Pizz");
        EXPECT_EQ(plug->articulations.name[5], "Pizzicato");
        EXPECT_EQ(host.callsWithId(plug::FHD_StateChanged).size(), 1U);
    } else {
        EXPECT_TRUE(host.prompts.empty());
        EXPECT_EQ(plug->articulations.name[5], "Pizz");
    }
    if (c.keys.empty()) {
        EXPECT_EQ(GridRepaints(*plug) - grid, 1) << "the grid's marker follows";
    } else {
        EXPECT_EQ(WholeRepaints(*plug) - whole, 1);
    }
    // The watch then sees the pop-up gone.
    EXPECT_EQ(plug->colourPopup, nullptr);
    EXPECT_EQ(plug->colourPopupRecognised, 0);
}

INSTANTIATE_TEST_SUITE_P(PianoRoll, FollowColour,
                         ::testing::Values(FollowCase{"no_modifier", {}, false, 0},
                                           FollowCase{"shift_asks_for_the_name", {kLeftShiftVk}, true, 5},
                                           FollowCase{"alt_opens_it", {kLeftAltVk}, false, 5},
                                           FollowCase{"alt_and_shift_as_alt", {kLeftAltVk, kLeftShiftVk}, false, 5}),
                         CaseName{});

TEST_F(PianoRollTest, NoteNameQuestionsWithoutARecognisedPopupAreNotFollowed) {
    // An unrecognised pop-up of the right size, then a question for colour 5.
    editor::PianoRollKeyName(*plug, 60, 0);
    tree.openPopup(164, false);
    editor::IdlePublic(*plug);
    editor::IdlePublic(*plug);
    editor::PianoRollKeyName(*plug, 60, 5);
    tree.windows.hold(kLeftShiftVk, true);
    editor::IdlePublic(*plug);
    EXPECT_EQ(plug->currentArticulation, 0);
    EXPECT_EQ(plug->pendingArticulation, -1) << "taken all the same";
    EXPECT_TRUE(host.prompts.empty());
}

}  // namespace
}  // namespace velmora::test
