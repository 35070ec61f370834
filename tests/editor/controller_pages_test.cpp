// The controller pages: the page menu on the title and the page-name prompt.
#include <string>
#include <vector>

#include "tests/editor/controller_fixture.h"

namespace velmora::test {
namespace {

using ControllerPages = ControllerTest;

TEST_F(ControllerPages, TheMenuOffersEveryPageByNameOrNumber) {
    plug->pageNames[0] = "Strings";
    plug->pageNames[15] = "Bl\xC3\xA4ser";  // UTF-8 goes to the menu as it is
    leftClick(6, 102);
    ASSERT_EQ(menusShown().size(), 1U);
    std::vector<Shown> expected;
    for (int p = 1; p <= 16; ++p) {
        expected.push_back({p, "Controllers " + std::to_string(p)});
    }
    expected[0].text = "Strings";
    expected[15].text = "Bl\xC3\xA4ser";
    EXPECT_EQ(Spelled(menusShown()[0]), expected);
}

struct PageCase {
    const char* what;
    int chosen;
    int controllerstart;
};

class PageChoice : public ControllerTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(PageChoice, ShowsThePageChosen) {
    const PageCase& c = GetParam();
    plug->controllerstart = 30;
    answerMenu({c.chosen});
    const int repaints = WholeRepaints(*plug);
    leftClick(103, 115);
    EXPECT_EQ(plug->controllerstart, c.controllerstart);
    EXPECT_EQ(WholeRepaints(*plug) - repaints, c.controllerstart != 30 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Table, PageChoice, ::testing::Values(
    PageCase{"first", 1, 0},
    PageCase{"third", 3, 12},
    PageCase{"last", 16, 90},
    PageCase{"dismissed", 0, 30},
    PageCase{"an id the menu did not offer", 17, 30}), CaseName());

// Page 3 holds slots 12 to 17: the slider is slot 12 and the last of the row 17.
TEST_F(ControllerPages, PageThreeShowsSlotsTwelveToSeventeen) {
    for (int s = 12; s < 18; ++s) {
        Assign(*plug, s, 20 + s, "slot " + std::to_string(s));
    }
    answerMenu({3});
    leftClick(50, 110);
    ASSERT_EQ(plug->controllerstart, 12);
    for (int k = 0; k < 6; ++k) {
        leftClick(kNameX[k], kNameY[k]);
    }
    for (int s = 0; s < 96; ++s) {
        EXPECT_EQ(plug->controllers.on[static_cast<std::size_t>(s)], s >= 12 && s < 18 ? 0 : 1) << "slot " << s;
    }
}

TEST_F(ControllerPages, OnlyTheTitleOpensTheMenu) {
    for (auto [x, y] : {std::pair{5, 110}, std::pair{104, 110}, std::pair{50, 101}, std::pair{50, 116}}) {
        leftClick(x, y);
    }
    EXPECT_TRUE(menusShown().empty());
}

struct RenameCase {
    const char* what;
    int x, y;
    bool answered;
    bool prompted;
};

class PageRename : public ControllerTest, public ::testing::WithParamInterface<RenameCase> {};

TEST_P(PageRename, PromptsForTheShownPagesName) {
    const RenameCase& c = GetParam();
    plug->controllerstart = 12;
    plug->pageNames[2] = "Winds";
    if (c.answered) {
        host.promptAnswers = {"Brass"};
    }
    const int repaints = WholeRepaints(*plug);
    rightClick(c.x, c.y);
    ASSERT_EQ(host.prompts.size(), c.prompted ? 1U : 0U);
    const bool renamed = c.prompted && c.answered;
    if (c.prompted) {
        EXPECT_EQ(host.prompts[0].caption, "Page name");
        EXPECT_EQ(host.prompts[0].text, "Winds");
    }
    EXPECT_EQ(plug->pageNames[2], renamed ? "Brass" : "Winds");
    EXPECT_EQ(ChangeMessages(host), renamed ? std::vector<std::intptr_t>{plug::FHD_StateChanged} : std::vector<std::intptr_t>{});
    EXPECT_EQ(WholeRepaints(*plug) - repaints, renamed ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Table, PageRename, ::testing::Values(
    RenameCase{"renamed", 6, 102, true, true},
    RenameCase{"below the click title", 103, 124, true, true},
    RenameCase{"cancelled", 50, 110, false, true},
    RenameCase{"below the title", 50, 125, true, false},
    RenameCase{"right of the title", 104, 110, true, false}), CaseName());

TEST_F(ControllerPages, AnUnnamedPageIsPromptedEmpty) {
    host.promptAnswers = {"Strings"};
    rightClick(50, 110);
    ASSERT_EQ(host.prompts.size(), 1U);
    EXPECT_EQ(host.prompts[0].text, "");
    EXPECT_EQ(plug->pageNames[0], "Strings");
}

// A page restored from a damaged project names no page: nothing is renamed.
TEST_F(ControllerPages, APageOutsideTheTableHasNoNameToPromptFor) {
    for (int start : {-6, 96, 1000}) {
        plug->controllerstart = start;
        rightClick(50, 110);
    }
    EXPECT_TRUE(host.prompts.empty());
}

}  // namespace
}  // namespace velmora::test
