#include <gtest/gtest.h>

#include <climits>

#include "core/note_names.h"
#include "shared/note_name.h"
#include "tests/support/instance_fixture.h"

namespace velmora::test {
namespace {

TEST(NoteNames, TableOfBothMiddleCs) {
    struct Row {
        int note;
        bool alt;
        const char* name;
    };
    const Row rows[] = {{0, false, "C-2"}, {1, false, "C#-2"}, {60, false, "C3"}, {61, false, "C#3"},
                        {64, false, "E3"}, {70, false, "A#3"}, {127, false, "G8"}, {0, true, "C-1"},
                        {60, true, "C4"},  {127, true, "G9"},  {23, false, "B-1"}, {24, false, "C0"}};
    for (const Row& r : rows) {
        EXPECT_EQ(NoteName(r.note, r.alt), r.name) << r.note << (r.alt ? " alt" : "");
    }
}

TEST(NoteNames, InstanceTableFollowsTheOption) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    EXPECT_STREQ(plug->noteNames[60].data(), "C3");
    plug->altmiddlec = 1;
    plug->BuildNoteNames();
    EXPECT_STREQ(plug->noteNames[60].data(), "C4");
    EXPECT_STREQ(plug->noteNames[127].data(), "G9");
}

TEST(NoteNames, TypedNoteNames) {
    struct Row {
        const char* text;
        bool alt;
        int note;
    };
    const Row rows[] = {
        {"C3", false, 60},    {"60", false, 60},    {"D#3", false, 63},  {"Eb3", false, 63},  {"C-2", false, 0},
        {"C4", true, 60},     {"C3", true, 48},     {"ab2", false, 56},  {"c3", false, 60},   {"B#3", false, 72},
        {"Cb-1", false, 11},  {"G9", false, 139},   {"G9", true, 127},   {"xyz", false, 0},   {"H3", false, 0},
        {"-5", false, -5},    {"", false, 0},       {"C", false, 24},    {"D#", true, 15},
        // Only a lower-case b is a flat: here the octave reads from "B3", which has no digits.
        {"EB3", false, 28},
        // The octave stops at the first other character.
        {"F#4x", false, 78},  {"A 3", false, 33},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(ParseNoteName(r.text, r.alt), r.note) << '"' << r.text << '"' << (r.alt ? " alt" : "");
    }
}

TEST(NoteNames, TypedIntegers) {
    struct Row {
        const char* text;
        int value;
    };
    const Row rows[] = {
        {"42", 42},  {"+7", 7}, {"-13", -13}, {"12abc", 12}, {"xyz", 0}, {"", 0}, {"-", 0}, {"--5", 0},
        {" 5", 0},   {"007", 7}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        // Past the range of int: the nearest int, not a wrapped number.
        {"99999999999999999999", INT_MAX}, {"-2147483649", INT_MIN},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(ReadTypedInteger(r.text), r.value) << '"' << r.text << '"';
    }
    EXPECT_EQ(ParseNoteName("C99999999999", false), INT_MAX);
    EXPECT_EQ(ParseNoteName("C-99999999999", false), INT_MIN);
}

}  // namespace
}  // namespace velmora::test
