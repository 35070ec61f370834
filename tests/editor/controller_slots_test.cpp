// One-click actions on a controller slot: switching it on and off, button
// presses, resetting to the default and renaming.
#include <string>
#include <utility>
#include <vector>

#include "tests/editor/controller_fixture.h"

namespace velmora::test {
namespace {

using ControllerSlots = ControllerTest;
using ParamChanges = std::vector<std::pair<int, int>>;

// --- Switching on and off ---

TEST_F(ControllerSlots, ANameClickSwitchesAnAssignedSlot) {
    plug->controllerstart = 6;
    Assign(*plug, 6, 30, "slider");
    Assign(*plug, 9, 31, "row");
    for (int k = 0; k < 6; ++k) {
        leftClick(kNameX[k], kNameY[k]);
    }
    leftClick(kNameX[3], kNameY[3]);
    EXPECT_EQ(plug->controllers.on[6], 0);
    EXPECT_EQ(plug->controllers.on[9], 1) << "switched twice";
    for (int s : {7, 8, 10, 11}) {
        EXPECT_EQ(plug->controllers.on[static_cast<std::size_t>(s)], 1) << "unassigned slot " << s;
    }
    EXPECT_EQ(ChangeMessages(host), std::vector<std::intptr_t>{});
}

// --- Button presses ---

struct ButtonCase {
    const char* what;
    int paramknob;
    int oldparams;
    int parameter;
};

class ButtonPress : public ControllerTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(ButtonPress, FlipsBetweenNoneAndFull) {
    const ButtonCase& c = GetParam();
    plug->paramknob = c.paramknob;
    plug->oldparams = c.oldparams;
    Assign(*plug, 3, 70, "Sustain", 1, 20);  // row position 3 on page 1
    leftClick(kControlX[3], kControlY[3]);
    EXPECT_EQ(plug->controllers.value[3], 127);
    leftClick(kControlX[3], kControlY[3]);
    EXPECT_EQ(plug->controllers.value[3], 0);
    EXPECT_EQ(host.paramChanges, (ParamChanges{{c.parameter, 127}, {c.parameter, 0}}));
    EXPECT_EQ(StatusTexts(host), (std::vector<std::string>{"CC #70 set to 127", "CC #70 set to 0"}));
    EXPECT_EQ(host.midi, (std::vector<std::uint32_t>{CC(0, 70, 127), CC(0, 70, 0)}));
}

INSTANTIATE_TEST_SUITE_P(Table, ButtonPress, ::testing::Values(
    ButtonCase{"parameters are CCs", 0, 0, 70},
    ButtonCase{"with the old offset", 0, 1, 69},
    ButtonCase{"parameters are slots", 1, 1, 3}), CaseName());

TEST_F(ControllerSlots, OnlyAnAssignedButtonInTheRowIsPressed) {
    plug->controllerstart = 6;
    Assign(*plug, 6, 40, "slider of button type", 1, 20);
    Assign(*plug, 7, 41, "knob", 0, 20);
    Assign(*plug, 8, 42, "fader", 2, 20);
    Assign(*plug, 9, kUnassignedCC, "unassigned button", 1, 20);
    for (int k = 0; k < 4; ++k) {
        leftClick(kControlX[k], kControlY[k]);
    }
    EXPECT_TRUE(host.paramChanges.empty());
    for (int s = 6; s < 10; ++s) {
        EXPECT_EQ(plug->controllers.value[static_cast<std::size_t>(s)], 20);
    }
}

// --- Reset to default ---

struct ResetCase {
    const char* what;
    int paramknob;
    int oldparams;
    int parameter;
};

class ResetParameter : public ControllerTest, public ::testing::WithParamInterface<ResetCase> {};

TEST_P(ResetParameter, ChangesTheSlotsParameter) {
    const ResetCase& c = GetParam();
    plug->paramknob = c.paramknob;
    plug->oldparams = c.oldparams;
    Assign(*plug, 2, 11, "Expression", 0, 90);
    plug->controllers.defaultValue[2] = 40;
    middleClick(kControlX[2], kControlY[2]);
    EXPECT_EQ(host.paramChanges, (ParamChanges{{c.parameter, 40}}));
    EXPECT_EQ(plug->controllers.value[2], 40);
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{CC(0, 11, 40)}) << Describe(host.midi);
    EXPECT_EQ(StatusTexts(host), std::vector<std::string>{"CC #11 set to 40"});
}

INSTANTIATE_TEST_SUITE_P(Table, ResetParameter, ::testing::Values(
    ResetCase{"old offset", 0, 1, 10},
    ResetCase{"no offset", 0, 0, 11},
    ResetCase{"parameters are slots", 1, 0, 2}), CaseName());

struct ResetPlaceCase {
    const char* what;
    int x, y;
    int slot;  // reset, or -1 for none
};

class ResetPlace : public ControllerTest, public ::testing::WithParamInterface<ResetPlaceCase> {};

TEST_P(ResetPlace, ResetsTheSlotUnderTheMouseOfAnyType) {
    const ResetPlaceCase& c = GetParam();
    plug->controllerstart = 6;
    for (int k = 0; k < 6; ++k) {
        Assign(*plug, 6 + k, 20 + k, "", k % 3, 100);
        plug->controllers.defaultValue[static_cast<std::size_t>(6 + k)] = 5;
    }
    middleClick(c.x, c.y);
    for (int s = 6; s < 12; ++s) {
        EXPECT_EQ(plug->controllers.value[static_cast<std::size_t>(s)], s == c.slot ? 5 : 100) << "slot " << s;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ResetPlace, ::testing::Values(
    ResetPlaceCase{"slider top left", 174, 105, 6},
    ResetPlaceCase{"slider bottom right", 230, 125, 6},
    ResetPlaceCase{"right of the slider", 231, 115, -1},
    ResetPlaceCase{"below the slider", 200, 126, -1},
    ResetPlaceCase{"first knob top left", 12, 127, 7},
    ResetPlaceCase{"button", 74, 144, 8},
    ResetPlaceCase{"fader", 119, 144, 9},
    ResetPlaceCase{"last knob bottom right", 226, 161, 11},
    ResetPlaceCase{"between knobs", 47, 144, -1},
    ResetPlaceCase{"on a name", 29, 167, -1}), CaseName());

TEST_F(ControllerSlots, AnUnassignedOrLockedSlotIsNotReset) {
    Assign(*plug, 1, kUnassignedCC, "", 0, 100);
    Assign(*plug, 2, 11, "locked", 0, 100);
    plug->controllers.lock[2] = 1;
    for (int s : {1, 2}) {
        plug->controllers.defaultValue[static_cast<std::size_t>(s)] = 5;
    }
    middleClick(kControlX[1], kControlY[1]);
    middleClick(kControlX[2], kControlY[2]);
    EXPECT_EQ(plug->controllers.value[1], 100);
    EXPECT_EQ(plug->controllers.value[2], 100);
    EXPECT_TRUE(host.paramChanges.empty());
    EXPECT_TRUE(StatusTexts(host).empty());
}

TEST_F(ControllerSlots, OtherPanelsResetNothing) {
    plug->controllers.value[1] = 100;
    plug->controllers.defaultValue[1] = 5;
    for (int tab : {0, 2, 3}) {
        plug->tab = tab;
        middleClick(kControlX[1], kControlY[1]);
    }
    EXPECT_EQ(plug->controllers.value[1], 100);
    EXPECT_TRUE(host.paramChanges.empty());
}

// --- Renaming by the name ---

struct NameCase {
    const char* what;
    int position;
    int cc;
    bool prompted;
};

class SlotName : public ControllerTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(SlotName, ARightClickPromptsForTheName) {
    const NameCase& c = GetParam();
    plug->controllerstart = 6;
    const int slot = 6 + c.position;
    Assign(*plug, slot, c.cc, "Old");
    host.promptAnswers = {"New"};
    const int repaints = WholeRepaints(*plug);
    rightClick(kNameX[c.position], kNameY[c.position]);
    ASSERT_EQ(host.prompts.size(), c.prompted ? 1U : 0U);
    EXPECT_EQ(plug->controllers.name[static_cast<std::size_t>(slot)], c.prompted ? "New" : "Old");
    if (!c.prompted) {
        return;
    }
    EXPECT_EQ(host.prompts[0].caption, "Controller Name");
    EXPECT_EQ(host.prompts[0].text, "Old");
    EXPECT_EQ(ChangeMessages(host), (std::vector<std::intptr_t>{plug::FHD_NamesChanged, plug::FHD_StateChanged}));
    EXPECT_EQ(WholeRepaints(*plug) - repaints, 1);
}

INSTANTIATE_TEST_SUITE_P(Table, SlotName, ::testing::Values(
    NameCase{"assigned slider", 0, 7, true},
    NameCase{"unassigned slider", 0, kUnassignedCC, false},
    NameCase{"assigned knob", 4, 7, true},
    NameCase{"unassigned knob", 5, kUnassignedCC, true}), CaseName());

TEST_F(ControllerSlots, ACancelledNameChangesNothing) {
    rightClick(kNameX[1], kNameY[1]);
    ASSERT_EQ(host.prompts.size(), 1U);
    EXPECT_EQ(plug->controllers.name[1], "Breath");
    EXPECT_TRUE(ChangeMessages(host).empty());
}

}  // namespace
}  // namespace velmora::test
