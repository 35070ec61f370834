// The desktop's piano roll without a display: how it edits the score's
// notes, how its colour selector takes keys on hosts of either layout, and
// how it asks the plugin for the names of its keys.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/desktop/colour_selector.h"
#include "host/desktop/key_names.h"
#include "host/desktop/roll_notes.h"
#include "sdk/plug_constants.h"

namespace velmora::host {
namespace {

ScoreEvent Note(int instance, std::int64_t tick, int key, std::int64_t length, int colour) {
    ScoreEvent e;
    e.kind = EventKind::Note;
    e.instance = instance;
    e.tick = tick;
    e.key = key;
    e.length = length;
    e.colour = colour;
    return e;
}

ScoreEvent Param(std::int64_t tick) {
    ScoreEvent e;
    e.kind = EventKind::Param;
    e.tick = tick;
    return e;
}

// Two instances' notes and a parameter event in one score, as a session has them.
std::vector<ScoreEvent> Score() {
    return {Note(0, 0, 60, 96, 0), Param(48), Note(1, 0, 60, 96, 5), Note(0, 48, 60, 96, 2), Note(0, 192, 62, 24, 1)};
}

TEST(RollNotes, TheNoteUnderThePointerIsTheInstancesTopmost) {
    const std::vector<ScoreEvent> score = Score();
    const struct {
        int instance;
        std::int64_t tick;
        int key;
        std::optional<std::size_t> hit;
    } cases[] = {
        {0, 0, 60, 0},              // only the first note covers tick 0
        {0, 60, 60, 3},             // both cover it: the later one is drawn on top
        {0, 95, 60, 3},
        {0, 144, 60, std::nullopt}, // the end is not part of the note
        {0, 143, 60, 3},
        {1, 60, 60, 2},             // another instance's note under the same place
        {0, 200, 61, std::nullopt}, // a key without a note
        {0, 200, 62, 4},
        {2, 0, 60, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NoteAt(score, c.instance, c.tick, c.key), c.hit) << c.instance << " " << c.tick << " " << c.key;
    }
}

TEST(RollNotes, AddedNotesStartOnTheGridAndKeepToTheKeyboard) {
    const RollGrid grid{96};
    EXPECT_EQ(grid.step(), 24);
    const struct {
        std::int64_t tick;
        int key;
        std::int64_t length;
        std::int64_t wantTick;
        int wantKey;
        std::int64_t wantLength;
    } cases[] = {
        {0, 60, 96, 0, 60, 96},     {23, 60, 96, 0, 60, 96},   {24, 61, 48, 24, 61, 48},
        {119, 0, 1, 96, 0, 1},      {-5, 127, 0, 0, 127, 1},   {50, 130, 24, 48, 127, 24},
        {50, -3, 24, 48, 0, 24},
    };
    for (const auto& c : cases) {
        std::vector<ScoreEvent> score = Score();
        const std::size_t i = AddNote(score, 1, grid, c.tick, c.key, c.length, 7);
        ASSERT_EQ(i, score.size() - 1);
        const ScoreEvent& e = score[i];
        EXPECT_EQ(e.kind, EventKind::Note);
        EXPECT_EQ(e.instance, 1);
        EXPECT_EQ(e.tick, c.wantTick) << c.tick;
        EXPECT_EQ(e.key, c.wantKey) << c.key;
        EXPECT_EQ(e.length, c.wantLength) << c.length;
        EXPECT_EQ(e.colour, 7);
        // As a note of a session file without velocity and release.
        EXPECT_FLOAT_EQ(e.level, LevelForVelocity(100));
        EXPECT_FLOAT_EQ(e.release, ReleaseForVelocity(0));
    }
    EXPECT_EQ(RollGrid{2}.step(), 1) << "a resolution below four ticks to the beat still has a grid";
}

TEST(RollNotes, RemovingAndRecolouringTouchOnlyThatNote) {
    std::vector<ScoreEvent> score = Score();
    RecolourNote(score, 3, 9);
    EXPECT_EQ(score[3].colour, 9);
    EXPECT_EQ(score[0].colour, 0);
    RemoveNote(score, 3);
    ASSERT_EQ(score.size(), 4U);
    EXPECT_EQ(score[3].tick, 192) << "the later events keep their order";
    EXPECT_EQ(score[1].kind, EventKind::Param) << "other events stay in the score";
    EXPECT_EQ(NoteAt(score, 0, 60, 60), 0U);
    EXPECT_EQ(NotesEnd(score, 0), 216);
    EXPECT_EQ(NotesEnd(score, 1), 96);
    EXPECT_EQ(NotesEnd(score, 4), 0);
}

TEST(RollNotes, ADragKeepsTheGrabbedPointUnderThePointerOnTheGrid) {
    const RollGrid grid{96};
    const struct {
        NoteDrag::Kind kind;
        std::int64_t pressTick;  // on the note at tick 48, length 96, key 60
        std::int64_t toTick;
        int toKey;
        std::int64_t wantTick;
        int wantKey;
        std::int64_t wantLength;
        bool changed;
    } cases[] = {
        {NoteDrag::Kind::Move, 60, 60, 60, 48, 60, 96, false},   // not moved yet
        {NoteDrag::Kind::Move, 60, 84, 64, 72, 64, 96, true},    // a step right, four keys up
        {NoteDrag::Kind::Move, 60, 70, 60, 48, 60, 96, false},   // less than half a step
        {NoteDrag::Kind::Move, 60, 73, 60, 72, 60, 96, true},    // past half a step: the next line
        {NoteDrag::Kind::Move, 60, 0, 59, 0, 59, 96, true},      // held at the score's start
        {NoteDrag::Kind::Move, 60, 500, 200, 480, 127, 96, true},  // and at the keyboard's top
        {NoteDrag::Kind::Stretch, 140, 200, 30, 48, 60, 144, true},  // the end to the nearest line; the key stays
        {NoteDrag::Kind::Stretch, 140, 10, 60, 48, 60, 24, true},    // never shorter than a step
        {NoteDrag::Kind::Stretch, 140, 150, 60, 48, 60, 96, false},
    };
    for (const auto& c : cases) {
        std::vector<ScoreEvent> score = Score();
        const NoteDrag drag(score, 3, c.kind, c.pressTick);
        EXPECT_EQ(drag.follow(score, grid, c.toTick, c.toKey), c.changed) << c.toTick;
        EXPECT_EQ(score[3].tick, c.wantTick) << c.toTick;
        EXPECT_EQ(score[3].key, c.wantKey) << c.toTick;
        EXPECT_EQ(score[3].length, c.wantLength) << c.toTick;
        EXPECT_EQ(score[0].tick, 0) << "the other notes stay";
    }
}

// Presses keys on a selector; the colours each Enter chose.
std::vector<int> Press(ColourSelector& selector, const std::vector<SelectorKey>& keys) {
    std::vector<int> chosen;
    for (const SelectorKey k : keys) {
        if (const std::optional<int> c = selector.press(k)) {
            chosen.push_back(*c);
        }
    }
    return chosen;
}

TEST(RollColourSelector, KeysMoveByTheHostsLayout) {
    using K = SelectorKey;
    const struct {
        int hostVersion;
        std::vector<SelectorKey> keys;
        std::vector<int> chosen;
        int highlighted;
    } cases[] = {
        // What the plugin presses for colour 6: a grid of four to a row before 12000000...
        {11999999, {K::Home, K::Down, K::Right, K::Right, K::Enter}, {6}, 6},
        // ...a list from then on.
        {12000000, {K::Home, K::Down, K::Down, K::Down, K::Down, K::Down, K::Down, K::Enter}, {6}, 6},
        // On a list Right goes to the next column of eight: 1, 9, and no further.
        {21000000, {K::Home, K::Down, K::Right, K::Right, K::Enter}, {9}, 9},
        {11000000, {K::End, K::Up, K::Left, K::Enter, K::Home, K::Enter}, {10, 0}, 0},
        {21000000, {K::Home, K::Right, K::Down, K::Left, K::Enter}, {1}, 1},
        // Held at the ends, in either layout.
        {11000000, {K::Home, K::Up, K::Left, K::Enter}, {0}, 0},
        {11000000, {K::End, K::Down, K::Right, K::Enter}, {15}, 15},
        {11000000, {K::End, K::Left, K::Down, K::Enter}, {14}, 14},
        {21000000, {K::End, K::Down, K::Right, K::Enter}, {15}, 15},
        // Escape puts the highlight back on the chosen colour; Enter chooses it again.
        {21000000, {K::Down, K::Down, K::Escape, K::Enter}, {0}, 0},
        {21000000, {K::Down, K::Enter, K::Enter}, {1, 1}, 1},
    };
    for (const auto& c : cases) {
        ColourSelector selector(c.hostVersion);
        EXPECT_EQ(Press(selector, c.keys), c.chosen) << c.hostVersion;
        EXPECT_EQ(selector.highlighted(), c.highlighted) << c.hostVersion;
        EXPECT_FALSE(selector.picking());
    }
}

TEST(RollColourSelector, APickUnderWayIsNotAChoice) {
    ColourSelector selector(21000000);
    selector.choose(3);
    Press(selector, {SelectorKey::Down, SelectorKey::Down});
    EXPECT_EQ(selector.chosen(), 3);
    EXPECT_EQ(selector.highlighted(), 5);
    EXPECT_TRUE(selector.picking());
    selector.choose(20);
    EXPECT_EQ(selector.chosen(), 15) << "a click chooses one of the sixteen";
    EXPECT_FALSE(selector.picking());
}

TEST(RollColourSelector, ThePopUpsCellsFollowTheKeys) {
    for (const int version : {11000000, 21000000}) {
        const ColourSelector selector(version);
        EXPECT_EQ(selector.columns() * selector.rows(), 16);
        for (int c = 0; c < 16; ++c) {
            const SelectorCell cell = selector.cellOf(c);
            EXPECT_EQ(selector.colourAt(cell), c) << version << " " << c;
            // Down goes to the cell below, Right to the cell beside.
            ColourSelector moved(version);
            moved.highlight(c);
            moved.press(SelectorKey::Down);
            const SelectorCell below = selector.cellOf(moved.highlighted());
            if (moved.highlighted() != c) {
                const bool listed = version >= kColourListHostVersion;
                EXPECT_TRUE((below.column == cell.column && below.row == cell.row + 1) ||
                            (listed && below.column == cell.column + 1 && below.row == 0))
                    << version << " " << c;
            }
        }
        EXPECT_EQ(selector.colourAt({selector.columns(), 0}), std::nullopt);
        EXPECT_EQ(selector.colourAt({0, -1}), std::nullopt);
    }
    EXPECT_EQ(ColourSelector(11000000).columns(), 4);
    EXPECT_EQ(ColourSelector(12000000).rows(), 8);
}

// A plugin that names some keys for some colours and records every question.
class NamingPlug final : public TFruityPlug {
public:
    void DestroyObject() override {}
    std::intptr_t Dispatcher(std::intptr_t, std::intptr_t, std::intptr_t) override { return 0; }
    void Idle_Public() override {}
    void SaveRestoreState(IStream*, BOOL) override {}
    void GetName(int section, int index, int value, char* name) override {
        asked.push_back(std::to_string(section) + ":" + std::to_string(index) + ":" + std::to_string(value));
        if (section == plug::FPN_Semitone && value == 3 && index == 60) {
            std::strcpy(name, "Rename me");
        } else if (section == plug::FPN_Semitone && value == 3 && index == 62) {
            std::strcpy(name, "Staccato \xE9");  // not UTF-8
        } else if (section == plug::FPN_Semitone && value == 3 && index == 64) {
            std::memset(name, 'x', plug::kNameBufferSize);  // no terminator within the buffer
        } else if (section == plug::FPN_Color && index == 2) {
            std::strcpy(name, "Pizzicato");
        }
        // Otherwise nothing is written, as the plugin does for keys without a name.
    }
    int ProcessEvent(int, int, int) override { return 0; }
    int ProcessParam(int, int, int) override { return 0; }
    void Eff_Render(PWAV32FS, PWAV32FS, int) override {}
    void Gen_Render(PWAV32FS, int&) override {}
    TVoiceHandle TriggerVoice(PVoiceParams, std::intptr_t) override { return 0; }
    void Voice_Release(TVoiceHandle) override {}
    void Voice_Kill(TVoiceHandle) override {}
    int Voice_ProcessEvent(TVoiceHandle, int, int, int) override { return 0; }
    int Voice_Render(TVoiceHandle, PWAV32FS, int&) override { return 0; }
    void NewTick() override {}
    void MIDITick() override {}
    void MIDIIn(int&) override {}
    void MsgIn(std::intptr_t) override {}
    int OutputVoice_ProcessEvent(TOutVoiceHandle, int, int, int) override { return 0; }
    void OutputVoice_Kill(TVoiceHandle) override {}

    std::vector<std::string> asked;
};

TEST(RollKeyNames, EachKeyIsAskedWithTheColourAndKeepsOnlyItsOwnName) {
    NamingPlug plug;
    const std::vector<std::string> names = AskKeyNames(plug, 3, 59, 65);
    EXPECT_EQ(plug.asked, (std::vector<std::string>{"2:59:3", "2:60:3", "2:61:3", "2:62:3", "2:63:3", "2:64:3", "2:65:3"}));
    ASSERT_EQ(names.size(), 7U);
    EXPECT_EQ(names[0], "");
    EXPECT_EQ(names[1], "Rename me");
    EXPECT_EQ(names[2], "") << "a key the plugin names none must not show the last key's name";
    EXPECT_EQ(names[3], "Staccato \xEF\xBF\xBD");
    EXPECT_EQ(names[5], std::string(plug::kNameBufferSize, 'x')) << "read no further than the buffer";
    EXPECT_EQ(names[6], "");
    EXPECT_EQ(AskKeyNames(plug, 4, 60, 60), std::vector<std::string>{""}) << "another colour, another name";
    EXPECT_EQ(AskKeyNames(plug, 3, 126, 140).size(), 2U) << "only keys of the keyboard are asked";
    EXPECT_EQ(plug.asked.back(), "2:127:3");
}

TEST(RollKeyNames, ColourNamesComeFromTheColourSection) {
    NamingPlug plug;
    EXPECT_EQ(AskColourName(plug, 2), "Pizzicato");
    EXPECT_EQ(AskColourName(plug, 3), "");
    EXPECT_EQ(plug.asked, (std::vector<std::string>{"8:2:0", "8:3:0"}));
}

}  // namespace
}  // namespace velmora::host
