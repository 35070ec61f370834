// A controller slot's context menu: what it offers, the assignment with its
// CC validation, the slot commands, the clipboard between instances and the
// host's own parameter commands with CC ghosting.
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "editor/controller_cc.h"
#include "editor/controller_menu.h"
#include "tests/editor/controller_fixture.h"

namespace velmora::test {
namespace {

using ControllerMenu = ControllerTest;

constexpr int kLeftControlKey = 0xA2;

const Shown kSeparator{129, "", true};

std::vector<Shown> AssignedMenu(const char* lock, bool paste, std::vector<Shown> hostEntries = {}) {
    std::vector<Shown> m = {{134, "Reassign controller"}, {126, "Unassign controller"}, {127, "Rename controller"},
                            {128, "Swap controller type"}, {131, lock},                    {132, "Copy controller"}};
    if (paste) {
        m.push_back({133, "Paste controller"});
    }
    m.push_back(kSeparator);
    m.insert(m.end(), hostEntries.begin(), hostEntries.end());
    m.push_back({130, "Set as default"});
    return m;
}

// --- What the menu offers ---

TEST_F(ControllerMenu, OffersBySlotLockAndClipboard) {
    Assign(*plug, 1, kUnassignedCC);
    plug->controllers.lock[2] = 1;
    rightClickControl(1);  // unassigned, clipboard empty
    rightClickControl(0);  // assigned, unlocked
    plug->processState->controllerClipboard.full = true;
    rightClickControl(1);  // unassigned, clipboard full
    rightClickControl(2);  // assigned, locked
    ASSERT_EQ(menusShown().size(), 4U);
    EXPECT_EQ(Spelled(menusShown()[0]), (std::vector<Shown>{{126, "Assign controller"}}));
    EXPECT_EQ(Spelled(menusShown()[1]), AssignedMenu("Lock controller value", false));
    EXPECT_EQ(Spelled(menusShown()[2]), (std::vector<Shown>{{126, "Assign controller"}, {133, "Paste controller"}}));
    EXPECT_EQ(Spelled(menusShown()[3]), AssignedMenu("Unlock controller value", true));
}

TEST_F(ControllerMenu, AsksTheHostForItsEntriesUntilItHasNone) {
    // CC 11 on the slider: the host knows it as parameter 11.
    host.paramMenuEntries = {
        {{11, 0}, {"-", 0}},  // left out: the menu has its separator already
        {{11, 1}, {"Edit events", 0}},
        {{11, 2}, {"--- more ---", plug::kParamMenuGreyed}},
        {{11, 3}, {"Link", plug::kParamMenuGreyed}},
        {{11, 4}, {"Automate", plug::kParamMenuTicked}},
        {{11, 5}, {"Both", plug::kParamMenuGreyed | plug::kParamMenuTicked}},
        {{11, 7}, {"never asked", 0}},
        {{12, 6}, {"another parameter's", 0}},
    };
    Assign(*plug, 0, 11, "Expression");
    rightClickControl(0);
    ASSERT_EQ(menusShown().size(), 1U);
    EXPECT_EQ(Spelled(menusShown()[0]), AssignedMenu("Lock controller value", false,
                                                     {{1025, "Edit events"},
                                                      {0, "", true},
                                                      {1027, "Link", false, true},
                                                      {1028, "Automate", false, false, true},
                                                      {1029, "Both", false, true, true}}));
    std::vector<std::intptr_t> asked;
    for (const auto& c : host.callsWithId(plug::FHD_ParamMenuText)) {
        EXPECT_EQ(c.index, 11);
        asked.push_back(c.value);
    }
    EXPECT_EQ(asked, (std::vector<std::intptr_t>{0, 1, 2, 3, 4, 5, 6}));
}

TEST_F(ControllerMenu, AnUnassignedSlotAsksTheHostNothing) {
    Assign(*plug, 1, kUnassignedCC);
    rightClickControl(1);
    EXPECT_TRUE(host.callsWithId(plug::FHD_ParamMenuText).empty());
}

struct PlaceCase {
    const char* what;
    int x, y;
    int slot;
};

class MenuPlace : public ControllerTest, public ::testing::WithParamInterface<PlaceCase> {};

// Shift goes straight to the assignment, which shows which slot was hit.
TEST_P(MenuPlace, AShiftRightClickAssignsTheSlotUnderTheMouse) {
    const PlaceCase& c = GetParam();
    plug->controllerstart = 12;
    hold({kLeftShiftKey});
    host.promptAnswers = {"99"};
    rightClick(c.x, c.y);
    for (int s = 12; s < 18; ++s) {
        EXPECT_EQ(plug->controllers.cc[static_cast<std::size_t>(s)], s == c.slot ? 99 : kUnassignedCC) << "slot " << s;
    }
    EXPECT_TRUE(menusShown().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, MenuPlace, ::testing::Values(
    PlaceCase{"slider top left", 174, 105, 12},
    PlaceCase{"slider bottom right", 230, 125, 12},
    PlaceCase{"first knob", 12, 161, 13},
    PlaceCase{"third knob", 102, 127, 15},
    PlaceCase{"last knob", 226, 161, 17},
    PlaceCase{"below the row", 226, 162, -1},
    PlaceCase{"right of the slider", 231, 105, -1}), CaseName());

// --- Assigning ---

TEST(TypedControllerNumber, AcceptsNumbersAndOnlyAPlainZero) {
    const struct {
        const char* text;
        std::optional<int> cc;
    } cases[] = {
        {"300", 127}, {"-4", 0},   {"0", 0},         {"127", 127},     {"12abc", 12}, {"+5", 5},
        {"00", {}},   {"x", {}},   {"", {}},         {"-0", {}},       {" 0", {}},    {"0x10", {}},
        {"99999999999", 127},      {"-99999999999", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(editor::TypedControllerNumber(c.text), c.cc) << '"' << c.text << '"';
    }
}

struct AssignCase {
    const char* what;
    std::string typed;
    int cc;  // kUnassignedCC: refused
};

class AssignTyped : public ControllerTest, public ::testing::WithParamInterface<AssignCase> {};

TEST_P(AssignTyped, StoresTheLimitedNumberOrRefusesIt) {
    const AssignCase& c = GetParam();
    Assign(*plug, 1, kUnassignedCC);
    host.promptAnswers = {c.typed};
    answerMenu({126});
    rightClickControl(1);
    ASSERT_EQ(host.prompts.size(), 1U);
    EXPECT_EQ(host.prompts[0].caption, "Controller CC");
    EXPECT_EQ(host.prompts[0].text, "");
    EXPECT_EQ(plug->controllers.cc[1], c.cc);
    const auto boxes = host.callsWithId(plug::FHD_MessageBox);
    if (c.cc == kUnassignedCC) {
        ASSERT_EQ(boxes.size(), 1U);
        EXPECT_EQ(boxes[0].text, "Invalid CC #. Please enter a CC controller number between 0 and 127");
        EXPECT_EQ(boxes[0].value, plug::kMsgError);
        EXPECT_TRUE(ChangeMessages(host).empty());
        EXPECT_EQ(plug->controllers.name[1], "");
    } else {
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(ChangeMessages(host), (std::vector<std::intptr_t>{plug::FHD_NamesChanged, plug::FHD_StateChanged}));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, AssignTyped, ::testing::Values(
    AssignCase{"above 127", "300", 127},
    AssignCase{"negative", "-4", 0},
    AssignCase{"zero", "0", 0},
    AssignCase{"double zero", "00", kUnassignedCC},
    AssignCase{"not a number", "x", kUnassignedCC}), CaseName());

TEST_F(ControllerMenu, AssigningNamesOnlyAnUnnamedSlot) {
    Assign(*plug, 1, kUnassignedCC, "");
    Assign(*plug, 2, kUnassignedCC, "Mine");
    host.promptAnswers = {"5", "6"};
    answerMenu({126, 126});
    rightClickControl(1);
    rightClickControl(2);
    EXPECT_EQ(plug->controllers.name[1], "New control");
    EXPECT_EQ(plug->controllers.name[2], "Mine");
}

TEST_F(ControllerMenu, ReassignPromptsWithTheCurrentCC) {
    host.promptAnswers = {"33", "34"};
    answerMenu({134});
    rightClickControl(2);  // Expression, CC 11: from the menu
    hold({kLeftShiftKey});
    rightClickControl(2);  // Shift on an assigned slot assigns too, never unassigns
    ASSERT_EQ(host.prompts.size(), 2U);
    EXPECT_EQ(host.prompts[0].text, "11");
    EXPECT_EQ(host.prompts[1].text, "33");
    EXPECT_EQ(plug->controllers.cc[2], 34);
    EXPECT_EQ(plug->controllers.name[2], "Expression");
}

TEST_F(ControllerMenu, ACancelledAssignmentChangesNothing) {
    answerMenu({134});
    rightClickControl(2);
    EXPECT_EQ(host.prompts.size(), 1U);
    EXPECT_EQ(plug->controllers.cc[2], 11);
    EXPECT_TRUE(ChangeMessages(host).empty());
}

// --- Slot commands ---

TEST_F(ControllerMenu, UnassignFreesTheSlot) {
    answerMenu({126});
    const int repaints = WholeRepaints(*plug);
    rightClickControl(2);
    EXPECT_EQ(plug->controllers.cc[2], kUnassignedCC);
    EXPECT_TRUE(host.prompts.empty());
    EXPECT_EQ(ChangeMessages(host), (std::vector<std::intptr_t>{plug::FHD_NamesChanged, plug::FHD_StateChanged}));
    EXPECT_EQ(WholeRepaints(*plug) - repaints, 1);
}

TEST_F(ControllerMenu, RenameFromTheMenu) {
    host.promptAnswers = {"Intensity"};
    answerMenu({127});
    rightClickControl(2);
    ASSERT_EQ(host.prompts.size(), 1U);
    EXPECT_EQ(host.prompts[0].caption, "Controller Name");
    EXPECT_EQ(host.prompts[0].text, "Expression");
    EXPECT_EQ(plug->controllers.name[2], "Intensity");
    EXPECT_EQ(ChangeMessages(host), (std::vector<std::intptr_t>{plug::FHD_NamesChanged, plug::FHD_StateChanged}));
}

TEST_F(ControllerMenu, SwappingTheTypeThreeTimesReturnsToTheFirstLook) {
    answerMenu({128, 128, 128});
    std::vector<int> types;
    for (int i = 0; i < 3; ++i) {
        rightClickControl(2);
        types.push_back(plug->controllers.type[2]);
    }
    EXPECT_EQ(types, (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(ChangeMessages(host), std::vector<std::intptr_t>(3, plug::FHD_StateChanged));
}

TEST_F(ControllerMenu, ATypeRestoredOutOfRangeSwapsIntoTheThree) {
    for (int damaged : {-7, 5, std::numeric_limits<int>::max()}) {
        plug->controllers.type[2] = damaged;
        answerMenu({128});
        rightClickControl(2);
        EXPECT_GE(plug->controllers.type[2], 0) << damaged;
        EXPECT_LT(plug->controllers.type[2], 3) << damaged;
    }
}

TEST_F(ControllerMenu, SetAsDefaultTakesTheValue) {
    plug->controllers.value[2] = 77;
    answerMenu({130});
    rightClickControl(2);
    EXPECT_EQ(plug->controllers.defaultValue[2], 77);
    EXPECT_EQ(ChangeMessages(host), std::vector<std::intptr_t>{plug::FHD_StateChanged});
}

TEST_F(ControllerMenu, LockSwitchesWithoutTellingTheHost) {
    answerMenu({131, 131});
    rightClickControl(2);
    EXPECT_EQ(plug->controllers.lock[2], 1);
    rightClickControl(2);
    EXPECT_EQ(plug->controllers.lock[2], 0);
    EXPECT_TRUE(ChangeMessages(host).empty());
}

TEST_F(ControllerMenu, CopyOnOneInstanceAndPasteOnAnother) {
    RecordingHost otherHost;
    PlugPtr other = Make(otherHost, 2);
    Assign(*plug, 3, 74, "Brightness", 2, 88);
    plug->controllers.defaultValue[3] = 64;
    plug->controllers.lock[3] = 1;
    plug->controllers.on[3] = 0;
    answerMenu({132});
    rightClickControl(3);
    Assign(*other, 1, kUnassignedCC);
    answerMenu({133, 133});
    rightClickControl(*other, 1);  // unassigned
    rightClickControl(*other, 2);  // assigned; a paste can be repeated
    for (int s : {1, 2}) {
        const Controller pasted = other->controllers.get(s);
        EXPECT_EQ(pasted.name, "Brightness");
        EXPECT_EQ(pasted.cc, 74);
        EXPECT_EQ(pasted.type, 2);
        EXPECT_EQ(pasted.value, 88);
        EXPECT_EQ(pasted.defaultValue, 64);
        EXPECT_EQ(pasted.lock, 1);
        EXPECT_EQ(pasted.on, 0);
    }
    EXPECT_EQ(ChangeMessages(otherHost), (std::vector<std::intptr_t>{plug::FHD_NamesChanged, plug::FHD_StateChanged,
                                                                      plug::FHD_NamesChanged, plug::FHD_StateChanged}));
    EXPECT_TRUE(ChangeMessages(host).empty()) << "a copy changes nothing";
}

// Only what the menu offered runs: a paste with an empty clipboard, a host
// entry past the host's menu, a greyed entry or a separator choose nothing.
TEST_F(ControllerMenu, AnIdTheMenuDidNotOfferDoesNothing) {
    host.paramMenuEntries = {{{11, 0}, {"Edit", 0}}, {{11, 1}, {"-", 0}}, {{11, 2}, {"Greyed", plug::kParamMenuGreyed}}};
    const Controller before = plug->controllers.get(2);
    answerMenu({133, 1027, 1026, 1025, 129, 999});
    for (int i = 0; i < 6; ++i) {
        rightClickControl(2);
    }
    EXPECT_EQ(plug->controllers.get(2).cc, before.cc);
    EXPECT_EQ(plug->controllers.get(2).name, before.name);
    EXPECT_TRUE(host.callsWithId(plug::FHD_ParamMenu).empty());
    EXPECT_TRUE(ChangeMessages(host).empty());
}

// --- The host's commands and CC ghosting ---

TEST_F(ControllerMenu, AHostEntryRunsOnThisHostForTheSlotsParameter) {
    plug->oldparams = 1;
    host.paramMenuEntries = {{{10, 0}, {"Edit", 0}}, {{10, 1}, {"Reset", 0}}};
    answerMenu({1025});
    rightClickControl(2);  // CC 11 less the old offset
    const auto runs = host.callsWithId(plug::FHD_ParamMenu);
    ASSERT_EQ(runs.size(), 1U);
    EXPECT_EQ(runs[0].index, 10);
    EXPECT_EQ(runs[0].value, 1);
}

// This instance ghosts its CCs on port 0 channel 0; around it: a non-ghosting
// instance on the same channel (B), a ghosting one (C), a non-ghosting one on
// another channel (D) and another non-ghosting one on the same channel (E).
class Ghosting : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        plug->ccghosting = 1;
        b = Make(hostB, 2);
        c = Make(hostC, 3);
        c->ccghosting = 1;
        d = Make(hostD, 4);
        e = Make(hostE, 5);
        // Each instance takes a channel of its own at creation.
        for (Instance* p : {plug.get(), b.get(), c.get(), d.get(), e.get()}) {
            p->port = 0;
            p->channel = p == d.get() ? 1 : 0;
        }
        for (RecordingHost* h : {&host, &hostB, &hostC, &hostD, &hostE}) {
            h->paramMenuEntries = {{{11, 0}, {"Edit", 0}}, {{11, 1}, {"Reset", plug::kParamMenuTicked}}};
        }
        hostE.paramMenuEntries[{11, 2}] = {"E only", 0};
    }
    static std::size_t Runs(const RecordingHost& h) { return h.callsWithId(plug::FHD_ParamMenu).size(); }

    RecordingHost hostB, hostC, hostD, hostE;
    PlugPtr b, c, d, e;
};

TEST_F(Ghosting, WithControlTheEntriesComeFromTheLastNonGhostingPartner) {
    hold({kRightControlKey});
    answerMenu({1026});
    rightClickControl(2);
    ASSERT_EQ(menusShown().size(), 1U);
    EXPECT_EQ(Spelled(menusShown()[0]),
              AssignedMenu("Lock controller value", false,
                           {{1024, "Edit (non-ghosted)"},
                            {1025, "Reset (non-ghosted)", false, false, true},
                            {1026, "E only (non-ghosted)"}}));
    EXPECT_TRUE(host.callsWithId(plug::FHD_ParamMenuText).empty());
    // The entry runs on every non-ghosting partner, each on its own host.
    EXPECT_EQ(Runs(host), 0U);
    EXPECT_EQ(Runs(hostB), 1U);
    EXPECT_EQ(Runs(hostC), 0U);
    EXPECT_EQ(Runs(hostD), 0U);
    ASSERT_EQ(Runs(hostE), 1U);
    EXPECT_EQ(hostE.callsWithId(plug::FHD_ParamMenu)[0].index, 11);
    EXPECT_EQ(hostE.callsWithId(plug::FHD_ParamMenu)[0].value, 2);
}

TEST_F(Ghosting, WithoutControlOrGhostingTheEntriesAreThisHosts) {
    const struct {
        const char* what;
        bool control;
        int ghosting;
    } cases[] = {{"no Control key", false, 1}, {"not ghosting", true, 0}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        for (RecordingHost* h : {&host, &hostB, &hostE}) {
            h->clearRecords();
        }
        testPlatform.menus.shown.clear();
        plug->ccghosting = k.ghosting;
        if (k.control) {
            hold({kLeftControlKey});
        } else {
            hold({});
        }
        answerMenu({1025});
        rightClickControl(2);
        ASSERT_EQ(menusShown().size(), 1U);
        EXPECT_EQ(Spelled(menusShown()[0]),
                  AssignedMenu("Lock controller value", false, {{1024, "Edit"}, {1025, "Reset", false, false, true}}));
        EXPECT_EQ(Runs(host), 1U);
        EXPECT_EQ(Runs(hostB) + Runs(hostE), 0U);
    }
}

TEST_F(Ghosting, WithoutANonGhostingPartnerThisHostAnswers) {
    b->ccghosting = 1;
    e->channel = 2;
    hold({kRightControlKey});
    answerMenu({1024});
    rightClickControl(2);
    ASSERT_EQ(menusShown().size(), 1U);
    EXPECT_EQ(Spelled(menusShown()[0]),
              AssignedMenu("Lock controller value", false, {{1024, "Edit"}, {1025, "Reset", false, false, true}}));
    EXPECT_EQ(Runs(host), 1U);
    EXPECT_EQ(Runs(hostB) + Runs(hostC) + Runs(hostD) + Runs(hostE), 0U);
}

}  // namespace
}  // namespace velmora::test
