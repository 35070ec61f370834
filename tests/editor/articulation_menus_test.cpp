// The articulation context menu of a grid cell and the modifier menu.
#include <string>
#include <vector>

#include "core/process_state.h"
#include "persistence/single_articulation.h"
#include "tests/editor/command_fixture.h"

namespace velmora::test {
namespace {

// --- Grid cells ---

struct CellCase {
    const char* what;
    int tab;
    int bankstart;
    int x, y;
    int articulation;  // -1: no menu
};

class GridCellMenu : public CommandTest, public ::testing::WithParamInterface<CellCase> {};

TEST_P(GridCellMenu, OpensTheContextMenuOfTheArticulationUnderTheMouse) {
    const CellCase& c = GetParam();
    plug->tab = c.tab;
    plug->bankstart = c.bankstart;
    for (int a = 0; a < kArticulations; ++a) {
        plug->articulations.name[a] = "Art " + std::to_string(a);
    }
    answerMenu(kArticulationCopy);
    rightClick(c.x, c.y);
    if (c.articulation < 0) {
        EXPECT_TRUE(platform.menus.shown.empty());
        return;
    }
    ASSERT_EQ(platform.menus.shown.size(), 1U);
    EXPECT_EQ(Spelled(platform.menus.shown[0]).front(), "1 Clear");
    ASSERT_TRUE(Process().articulationClipboard.full);
    EXPECT_EQ(Process().articulationClipboard.articulation.name, "Art " + std::to_string(c.articulation));
}

INSTANTIATE_TEST_SUITE_P(Table, GridCellMenu, ::testing::Values(
    CellCase{"first cell", 0, 0, 9, 9, 0},
    CellCase{"last cell of the second row", 0, 0, 229, 92, 15},
    CellCase{"bank 3 on the controller panel", 1, 32, 37, 53, 41},
    CellCase{"between two cells", 0, 0, 35, 20, -1},
    CellCase{"general panel", 2, 0, 9, 9, -1}),
    CaseName());

// --- Modifier menu ---

struct ModifierCase {
    const char* what;
    int chosen;
    std::int32_t modc;  // after; 7 = unchanged
    std::int32_t modw;
};

class ModifierMenu : public CommandTest, public ::testing::WithParamInterface<ModifierCase> {};

TEST_P(ModifierMenu, SetsTheModifierKindOfTheEditedArticulation) {
    const ModifierCase& c = GetParam();
    plug->editing = 9;
    plug->articulations.modc[9] = 7;
    plug->articulations.modw[9] = 100;
    answerMenu(c.chosen);
    leftClick(113, 161);
    EXPECT_EQ(onlyMenu(), (std::vector<std::string>{"1 Set CC to value", "2 Second keyswitch", "3 Set play velocity"}));
    EXPECT_EQ(plug->articulations.modc[9], c.modc);
    EXPECT_EQ(plug->articulations.modw[9], c.modw);
    EXPECT_EQ(stateChanges(), c.chosen != 0 ? 1U : 0U);
}

INSTANTIATE_TEST_SUITE_P(Table, ModifierMenu, ::testing::Values(
    ModifierCase{"set CC to value", 1, -1, -1},
    ModifierCase{"second keyswitch", 2, -2, -1},
    ModifierCase{"play velocity", 3, -3, -1},
    ModifierCase{"dismissed", 0, 7, 100}),
    CaseName());

TEST_F(CommandTest, ModifierMenuOnlyOnTheDropMarkOfTheArticulationPanel) {
    const struct {
        int tab, x, y;
        bool menu;
    } cases[] = {{0, 181, 173, true}, {0, 112, 165, false}, {0, 150, 174, false}, {1, 150, 165, false}};
    for (const auto& c : cases) {
        plug->tab = c.tab;
        platform.menus.shown.clear();
        leftClick(c.x, c.y);
        EXPECT_EQ(platform.menus.shown.size(), c.menu ? 1U : 0U) << c.tab << " at " << c.x << "," << c.y;
    }
}

}  // namespace
}  // namespace velmora::test
