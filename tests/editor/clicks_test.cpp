// What a left click does at each place, and when a press and release is a click.
#include <cstdint>
#include <string>

#include "editor/skin.h"
#include "tests/editor/click_fixture.h"

namespace velmora::test {
namespace {

TEST_F(ClickTest, FocusGoesToTheEditorOnlyInsideAHostWindow) {
    int hostWindow = 0;
    leftClick(120, 60);
    EXPECT_EQ(HeadlessEditor(*plug).focusRequests(), 0);
    plug->parentWindow = &hostWindow;
    leftClick(120, 60);
    EXPECT_EQ(HeadlessEditor(*plug).focusRequests(), 1);
}

// --- Scale corner ---

struct CornerCase {
    const char* what;
    std::int32_t hostVersion;
    bool control;
    int x, y;
    float uiscale;  // after the click, from none
};

class ScaleCorner : public ClickTest, public ::testing::WithParamInterface<CornerCase> {};

TEST_P(ScaleCorner, StepsOnNewHosts) {
    const CornerCase& c = GetParam();
    host.HostVersion = c.hostVersion;
    if (c.control) hold({kRightControlKey});
    const int repaints = WholeRepaints(*plug);
    leftClick(c.x, c.y);
    EXPECT_FLOAT_EQ(plug->uiscale, c.uiscale);
    const bool stepped = c.uiscale != 0.0f;
    EXPECT_EQ(plug->editorWindow->width(), stepped ? ScaledPixels(240, c.uiscale) : 240);
    EXPECT_EQ(stateChanges(), stepped ? 1U : 0U);
    EXPECT_EQ(host.callsWithId(plug::FHD_EditorResized).size(), stepped ? 1U : 0U);
    EXPECT_EQ(WholeRepaints(*plug) - repaints, stepped ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Table, ScaleCorner, ::testing::Values(
    CornerCase{"up", 12000000, false, 235, 232, 1.5f},
    CornerCase{"down with control", 21000000, true, 239, 236, 4.0f},
    CornerCase{"old host", 11999999, false, 235, 232, 0.0f},
    CornerCase{"left of the corner", 21000000, false, 234, 236, 0.0f},
    CornerCase{"above the corner", 21000000, false, 239, 231, 0.0f}), CaseName());

// --- Icon picker ---

struct PickCase {
    const char* what;
    float scroll;
    int x, y;
    int column, row, icon;
};

class IconPick : public ClickTest, public ::testing::WithParamInterface<PickCase> {};

TEST_P(IconPick, ColumnRowAndIcon) {
    const PickCase& c = GetParam();
    plug->tab = 3;
    plug->editing = 5;
    plug->iconScroll = c.scroll;
    leftClick(c.x, c.y);
    EXPECT_EQ(plug->articulations.icon[5], c.icon);
    EXPECT_EQ(plug->tab, 0);
    EXPECT_EQ(stateChanges(), 1U);
    const auto status = host.callsWithId(plug::FHD_StatusText);
    ASSERT_EQ(status.size(), 1U);
    EXPECT_EQ(status[0].text, "Clicked " + std::to_string(c.column) + " " + std::to_string(c.row) + " (" +
                                  std::to_string(c.icon) + ")");
}

INSTANTIATE_TEST_SUITE_P(Table, IconPick, ::testing::Values(
    PickCase{"first column left edge", 0.0f, 8, 9, 0, 0, 0},
    PickCase{"first column right edge", 0.0f, 33, 36, 0, 0, 0},
    PickCase{"second column and row", 0.0f, 34, 37, 1, 1, 9},
    PickCase{"eighth column left edge", 0.0f, 190, 100, 7, 3, 31},
    PickCase{"well right edge is the eighth column", 0.0f, 216, 176, 7, 5, 47},
    PickCase{"half scrolled", 0.5f, 8, 9, 0, 0, 88},
    PickCase{"scrolled to the end", 1.0f, 216, 176, 7, 5, 231}), CaseName());

TEST_F(ClickTest, PickerRowsFollowTheLoadedStrip) {
    // A replaced strip of 80 icons has 10 rows, so the end of the scroll shows row 5 first.
    editor::Skin& skin = editor::ProcessSkin();
    const platform::ui::Bitmap builtIn = skin.icons;
    skin.icons = SizedBitmap(editor::kIconStrip, 32 * 80, 56);
    plug->tab = 3;
    plug->iconScroll = 1.0f;
    leftClick(8, 9);
    skin.icons = builtIn;
    EXPECT_EQ(plug->articulations.icon[0], 40);
}

TEST_F(ClickTest, PickerIgnoresClicksBesideTheWell) {
    plug->tab = 3;
    plug->articulations.icon[0] = 12;
    for (const auto& [x, y] : {std::pair{217, 100}, std::pair{100, 178}, std::pair{7, 100}}) {
        leftClick(x, y);
        EXPECT_EQ(plug->tab, 3) << x << "," << y;
        EXPECT_EQ(plug->articulations.icon[0], 12);
    }
    EXPECT_EQ(stateChanges(), 0U);
}

struct PickNameCase {
    const char* what;
    const char* name;
    float scroll;
    int x, y;
    const char* expected;
};

class IconPickName : public ClickTest, public ::testing::WithParamInterface<PickNameCase> {};

TEST_P(IconPickName, UnnamedArticulationTakesTheTemplateName) {
    const PickNameCase& c = GetParam();
    plug->processState->iconNames = {"Legato", "Staccato", "Legato 2", "List"};
    plug->processState->iconNumbers = {0, 1, 0, 55};
    plug->tab = 3;
    plug->articulations.name[0] = c.name;
    plug->iconScroll = c.scroll;
    leftClick(c.x, c.y);
    EXPECT_EQ(plug->articulations.name[0], c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, IconPickName, ::testing::Values(
    PickNameCase{"first entry of the icon", "", 0.0f, 10, 10, "Legato"},
    PickNameCase{"second icon", "", 0.0f, 40, 10, "Staccato"},
    PickNameCase{"named keeps its name", "Mine", 0.0f, 10, 10, "Mine"},
    PickNameCase{"icon without an entry", "", 0.0f, 70, 10, ""},
    // Row 5 at the first scroll row: icon 7 + 8 x 6 = 55.
    PickNameCase{"default icon gives no name", "", 0.05f, 216, 150, ""}), CaseName());

// --- Grid ---

struct CellCase {
    const char* what;
    int tab, bankstart;
    bool control;
    int x, y;
    int editing;  // from 5
};

class GridCellClick : public ClickTest, public ::testing::WithParamInterface<CellCase> {};

TEST_P(GridCellClick, SelectsTheArticulation) {
    const CellCase& c = GetParam();
    plug->tab = c.tab;
    plug->bankstart = c.bankstart;
    plug->editing = 5;
    if (c.control) hold({kRightControlKey});
    leftClick(c.x, c.y);
    EXPECT_EQ(plug->editing, c.editing);
}

INSTANTIATE_TEST_SUITE_P(Table, GridCellClick, ::testing::Values(
    CellCase{"first cell", 0, 0, false, 9, 9, 0},
    CellCase{"last cell of the last bank", 1, 48, false, 229, 92, 63},
    CellCase{"with control picks the colour too", 0, 16, true, 40, 60, 25},
    CellCase{"between two cells", 0, 0, false, 35, 20, 5},
    CellCase{"not on the General panel", 2, 0, false, 20, 60, 5},
    CellCase{"not in the icon picker", 3, 0, false, 220, 60, 5}), CaseName());

// --- General panel ---

TEST_F(ClickTest, GeneralSubPageLabels) {
    struct { int tab, x, y, page; } cases[] = {
        {2, 5, 92, 0}, {2, 125, 116, 1}, {2, 127, 100, 2}, {2, 54, 100, 2}, {2, 188, 100, 2}, {0, 60, 100, 2},
    };
    plug->processState->generalPage = 2;
    for (const auto& c : cases) {
        plug->tab = c.tab;
        leftClick(c.x, c.y);
        EXPECT_EQ(plug->processState->generalPage, c.page) << c.x << "," << c.y;
    }
}

TEST_F(ClickTest, VersionTextTogglesTheDebugLog) {
    plug->tab = 2;
    leftClick(8, 10);
    EXPECT_EQ(plug->debugLog, 1);
    leftClick(150, 40);
    EXPECT_EQ(plug->debugLog, 0);
    leftClick(151, 40);
    EXPECT_EQ(plug->debugLog, 0);
    plug->tab = 0;
    leftClick(100, 30);
    EXPECT_EQ(plug->debugLog, 0);
}

TEST_F(ClickTest, TabButtons) {
    struct { int from, x, y, tab; } cases[] = {
        {2, 6, 185, 0}, {2, 51, 230, 0}, {2, 52, 200, 1}, {0, 141, 230, 2}, {1, 142, 200, 1}, {3, 30, 200, 0},
    };
    for (const auto& c : cases) {
        plug->tab = c.from;
        leftClick(c.x, c.y);
        EXPECT_EQ(plug->tab, c.tab) << "from " << c.from << " at " << c.x << "," << c.y;
    }
}

// --- Click detection: within 5 units of the press on both axes, measured
// at the last move; the release position is where the click acts. ---

struct InPlaceCase {
    const char* what;
    platform::ui::MouseButton button;
    int dx, dy;
    bool click;
};

class InPlace : public ClickTest, public ::testing::WithParamInterface<InPlaceCase> {};

TEST_P(InPlace, FiveUnitsAtMost) {
    const InPlaceCase& c = GetParam();
    // Left: from the second tab button's left edge the release may land on the first.
    // Right: inside the port box.
    const int x = c.button == Button::Left ? 53 : 170;
    const int y = 200;
    plug->tab = 2;
    press(c.button, x, y);
    move(x + c.dx, y + c.dy);
    release(c.button, x + c.dx, y + c.dy);
    if (c.button == Button::Left) {
        const int expected = !c.click ? 2 : (x + c.dx <= 51 ? 0 : 1);
        EXPECT_EQ(plug->tab, expected);
    } else {
        EXPECT_EQ(host.prompts.size(), c.click ? 1U : 0U);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, InPlace, ::testing::Values(
    InPlaceCase{"left in place", platform::ui::MouseButton::Left, 0, 0, true},
    InPlaceCase{"left five left acts at the release", platform::ui::MouseButton::Left, -5, 0, true},
    InPlaceCase{"left five down", platform::ui::MouseButton::Left, 0, 5, true},
    InPlaceCase{"left six right", platform::ui::MouseButton::Left, 6, 0, false},
    InPlaceCase{"left six up", platform::ui::MouseButton::Left, 0, -6, false},
    InPlaceCase{"right five both ways", platform::ui::MouseButton::Right, 5, -5, true},
    InPlaceCase{"right six right", platform::ui::MouseButton::Right, 6, 0, false},
    InPlaceCase{"right six down", platform::ui::MouseButton::Right, 0, 6, false}), CaseName());

// --- Right clicks that reach no field ---

struct NothingCase {
    const char* what;
    int tab;
    int x, y;
};

class RightClickNothing : public ClickTest, public ::testing::WithParamInterface<NothingCase> {};

TEST_P(RightClickNothing, NoPromptNoChange) {
    const NothingCase& c = GetParam();
    plug->tab = c.tab;
    const int repaints = WholeRepaints(*plug);
    rightClick(c.x, c.y);
    EXPECT_TRUE(host.prompts.empty());
    EXPECT_EQ(plug->tab, c.tab);
    EXPECT_EQ(stateChanges(), 0U);
    EXPECT_EQ(WholeRepaints(*plug), repaints);
}

INSTANTIATE_TEST_SUITE_P(Table, RightClickNothing, ::testing::Values(
    NothingCase{"General tab button", 0, 96, 185},
    NothingCase{"General tab button far corner", 2, 141, 230},
    NothingCase{"keyswitch field on the General panel", 2, 70, 140},
    NothingCase{"name field on the General panel", 2, 50, 110},
    NothingCase{"icon field in the icon picker", 3, 30, 140}), CaseName());

}  // namespace
}  // namespace velmora::test
