#include <gtest/gtest.h>

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

}  // namespace
}  // namespace velmora::test
