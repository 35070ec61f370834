// The key names the piano roll asks for, and renaming a key by Shift-clicking
// its note in the piano roll.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "editor/idle.h"
#include "editor/piano_roll_names.h"
#include "tests/editor/editor_fixture.h"
#include "tests/editor/piano_roll_fixture.h"

namespace velmora::test {
namespace {

constexpr int kMiddleC = 60;
constexpr int kEntryOfMiddleC = 71;

void Name(Instance& plug, int a, int entry, const char* text) {
    auto& keys = plug.articulations.keyNames[a];
    if (!keys.names) {
        keys.names = std::make_unique<KeyNames>();
    }
    (*keys.names)[entry] = text;
}

std::optional<std::string> Asked(Instance& plug, int note, int colour) {
    const std::string* name = editor::PianoRollKeyName(plug, note, colour);
    return name != nullptr ? std::optional<std::string>(*name) : std::nullopt;
}

struct QuestionCase {
    const char* what;
    std::int32_t hostVersion;
    int colour;
    int bank;
    int currentArticulation;
    int articulation;  // the one answered and left pending
    friend void PrintTo(const QuestionCase& c, std::ostream* os) { *os << c.what; }
};

class KeyNameQuestion : public PianoRollTest, public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(KeyNameQuestion, AnswersFromTheArticulationOfTheColourOrTheOneInUse) {
    const QuestionCase& c = GetParam();
    host.HostVersion = c.hostVersion;
    plug->currentBank = c.bank;
    plug->currentArticulation = c.currentArticulation;
    for (int a : {0, 2, 7, 18}) {
        Name(*plug, a, kEntryOfMiddleC, ("key of " + std::to_string(a)).c_str());
    }
    EXPECT_EQ(Asked(*plug, kMiddleC, c.colour), "key of " + std::to_string(c.articulation));
    EXPECT_EQ(plug->pendingArticulation, c.articulation);
    EXPECT_EQ(plug->namesAsked, 1);
}

INSTANTIATE_TEST_SUITE_P(
    PianoRoll, KeyNameQuestion,
    ::testing::Values(QuestionCase{"colour_and_bank", 21000000, 2, 1, 7, 18},
                      QuestionCase{"past_the_last_bank_counts_as_0", 21000000, 2, 4, 7, 0},
                      QuestionCase{"host_11999999_by_colour", 11999999, 2, 0, 7, 2},
                      QuestionCase{"host_12000000_the_articulation_in_use", 12000000, 2, 1, 7, 7},
                      QuestionCase{"host_12002999_the_articulation_in_use", 12002999, 18, 0, 7, 7},
                      QuestionCase{"host_12003000_by_colour", 12003000, 2, 0, 7, 2}),
    CaseName{});

TEST_F(PianoRollTest, KeyNamesCoverNotesFromMinus16To131) {
    Name(*plug, 0, 0, "top");
    Name(*plug, 0, 147, "bottom");
    EXPECT_EQ(Asked(*plug, 131, 0), "top");
    EXPECT_EQ(Asked(*plug, -16, 0), "bottom");
    EXPECT_EQ(Asked(*plug, 132, 0), std::nullopt);
    EXPECT_EQ(Asked(*plug, -17, 0), std::nullopt);
    EXPECT_EQ(Asked(*plug, kMiddleC, 1), std::nullopt) << "articulation 1 has no key names";
    EXPECT_EQ(plug->pendingArticulation, 1) << "still pending";
}

struct RenameCase {
    const char* what;
    std::int32_t hostVersion;
    const char* name;               // of the articulation renamed
    std::optional<std::string> answer;  // nullopt: cancelled
    int articulation;               // where the name goes
    const char* caption;
    friend void PrintTo(const RenameCase& c, std::ostream* os) { *os << c.what; }
};

class KeyRename : public PianoRollTest, public ::testing::WithParamInterface<RenameCase> {};

TEST_P(KeyRename, AShiftClickedNoteIsRenamedAtTheNextIdle) {
    const RenameCase& c = GetParam();
    host.HostVersion = c.hostVersion;
    plug->articulations.name[c.articulation] = c.name;
    plug->articulations.keyNames[c.articulation].title = "strings";
    if (c.answer) {
        host.promptAnswers.push_back(*c.answer);
    }
    ShiftClickNote(kMiddleC, 3);
    ASSERT_EQ(plug->clickedNote, kMiddleC);
    host.clearRecords();

    editor::IdlePublic(*plug);

    ASSERT_EQ(host.prompts.size(), 1U);
    EXPECT_EQ(host.prompts[0].caption, c.caption);
    EXPECT_EQ(host.prompts[0].text, "");
    EXPECT_EQ(host.prompts[0].x, -1);
    EXPECT_EQ(host.prompts[0].colour, -1);
    const KeyNameMap& keys = plug->articulations.keyNames[c.articulation];
    if (c.answer) {
        ASSERT_TRUE(keys.names);
        EXPECT_EQ((*keys.names)[kEntryOfMiddleC], *c.answer);
        EXPECT_EQ(keys.title, "") << "the names are the project's now";
        EXPECT_EQ(host.callsWithId(plug::FHD_StateChanged).size(), 1U);
    } else {
        EXPECT_FALSE(keys.names) << "a cancelled prompt changes nothing";
        EXPECT_EQ(keys.title, "strings");
        EXPECT_TRUE(host.callsWithId(plug::FHD_StateChanged).empty());
    }
    const auto names = host.callsWithId(plug::FHD_NamesChanged);
    ASSERT_EQ(names.size(), 1U) << "the host hears of it, confirmed or not";
    EXPECT_EQ(names[0].value, plug::kNamesPianoRoll);
    EXPECT_EQ(plug->clickedNote, -1);

    host.clearRecords();
    editor::IdlePublic(*plug);
    EXPECT_TRUE(host.prompts.empty()) << "once per click";
}

INSTANTIATE_TEST_SUITE_P(
    PianoRoll, KeyRename,
    ::testing::Values(RenameCase{"named_articulation", 21000000, "Legato", "Soft hit", 3, "Rename note Legato C3"},
                      RenameCase{"unnamed_articulation", 21000000, "", "Soft hit", 3, "Rename note C3"},
                      RenameCase{"cancelled", 21000000, "Legato", std::nullopt, 3, "Rename note Legato C3"},
                      RenameCase{"host_12000000_renames_in_articulation_0", 12000000, "Base", "Soft hit", 0,
                                 "Rename note Base C3"},
                      RenameCase{"host_12003000_by_colour", 12003000, "", "Soft hit", 3, "Rename note C3"}),
    CaseName{});

TEST_F(PianoRollTest, TheRenamedKeyIsWhatThePianoRollShowsForIt) {
    Name(*plug, 3, kEntryOfMiddleC, "old");
    Name(*plug, 3, kEntryOfMiddleC + 1, "neighbour");
    host.promptAnswers.push_back("Soft hit");
    ShiftClickNote(kMiddleC, 3);
    editor::IdlePublic(*plug);
    ASSERT_EQ(host.prompts.size(), 1U);
    EXPECT_EQ(host.prompts[0].text, "old") << "pre-filled with the current name";
    EXPECT_EQ(Asked(*plug, kMiddleC, 3), "Soft hit");
    EXPECT_EQ(Asked(*plug, kMiddleC - 1, 3), "neighbour");
}

TEST_F(PianoRollTest, ANoteOfAColourPastTheBanksIsNotRenamed) {
    plug->clickedNote = kMiddleC;
    plug->clickedColour = 64;
    host.promptAnswers.push_back("ignored");
    editor::IdlePublic(*plug);
    EXPECT_TRUE(host.prompts.empty());
    EXPECT_EQ(host.callsWithId(plug::FHD_NamesChanged).size(), 1U);
    EXPECT_EQ(plug->clickedNote, -1);
}

}  // namespace
}  // namespace velmora::test
