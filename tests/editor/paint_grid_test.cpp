// The grid, tab bar, port and channel, and the icon picker, as drawn.
#include "tests/editor/editor_fixture.h"

namespace velmora::test {
namespace {

using platform::ui::Rect;

struct GridCase {
    const char* what;
    int bankstart;
    int editing;
    int current;  // currentArticulation
    int mouseX, mouseY;
    int cell;
    int iconY;    // 0 highlighted, 28 normal
    int markerY;  // 12 x (active + 2 x hovered)
};

class GridPaint : public EditorTest, public ::testing::WithParamInterface<GridCase> {};

TEST_P(GridPaint, IconAndMarkerRows) {
    const GridCase& c = GetParam();
    for (int a = 0; a < kArticulations; ++a) {
        plug->articulations.icon[a] = 100 + a;
    }
    plug->tab = 0;
    plug->bankstart = c.bankstart;
    plug->editing = c.editing;
    plug->currentArticulation = c.current;
    plug->mousePosX = c.mouseX;
    plug->mousePosY = c.mouseY;
    const auto ops = paint();

    const int col = c.cell % 8, row = c.cell / 8;
    const Op icon = One(ops, Rect{8 + 28 * col, 9 + 44 * row, 35 + 28 * col, 36 + 44 * row});
    EXPECT_EQ(icon.source, editor::kIconStrip);
    EXPECT_EQ(icon.from, (Rect{32 * (100 + c.bankstart + c.cell) + 2, c.iconY, 32 * (100 + c.bankstart + c.cell) + 29, c.iconY + 27}));
    const Op marker = One(ops, Rect{15 + 28 * col, 36 + 44 * row, 29 + 28 * col, 48 + 44 * row});
    EXPECT_EQ(marker.source, editor::kMainSkin);
    EXPECT_EQ(marker.from, (Rect{240 + 14 * c.cell, c.markerY, 254 + 14 * c.cell, c.markerY + 12}));
}

INSTANTIATE_TEST_SUITE_P(Cells, GridPaint, ::testing::Values(
    GridCase{"edited", 0, 0, 5, 0, 0, 0, 0, 0},
    GridCase{"plain", 0, 0, 5, 0, 0, 1, 28, 0},
    GridCase{"hovered", 0, 0, 5, 93, 9, 3, 0, 24},
    GridCase{"hover box right edge", 0, 0, 5, 117, 48, 3, 0, 24},
    GridCase{"active", 0, 0, 5, 0, 0, 5, 28, 12},
    GridCase{"hovered and active", 0, 0, 5, 150, 20, 5, 0, 36},
    GridCase{"second row", 0, 0, 5, 0, 0, 9, 28, 0},
    GridCase{"second bank, edited", 16, 18, 0, 0, 0, 2, 0, 0},
    GridCase{"second bank, active", 16, 0, 18, 0, 0, 2, 28, 12},
    GridCase{"last bank, last cell hovered", 48, 0, 0, 215, 90, 15, 0, 24}),
    CaseName());

TEST_F(EditorTest, BankIndicatorOnlyWithBanks) {
    plug->tab = 1;
    plug->articbanks = 0;
    EXPECT_TRUE(At(paint(), Rect{2, 6, 8, 95}).empty());
    plug->articbanks = 1;
    for (int bank = 0; bank < 4; ++bank) {
        plug->bankstart = 16 * bank;
        const Op op = One(paint(), Rect{2, 6, 8, 95});
        EXPECT_EQ(op.source, editor::kBankIndicator);
        EXPECT_EQ(op.from, (Rect{6 * bank, 0, 6 * bank + 6, 89})) << bank;
    }
}

TEST_F(EditorTest, PanelsStartWithTheirBackgroundAndEndWithOneStretch) {
    plug->scaleFactor = 2.0f;
    plug->editorWindow->setSize(480, 474);
    for (int tab = 0; tab < 4; ++tab) {
        plug->tab = tab;
        const auto ops = paint();
        ASSERT_GE(ops.size(), 2U);
        EXPECT_EQ(ops.front().source, editor::kMainSkin);
        EXPECT_EQ(ops.front().from, (Rect{0, tab == 3 ? 480 : 0, 240, tab == 3 ? 720 : 240})) << tab;
        EXPECT_EQ(ops.back().kind, Kind::Stretch);
        EXPECT_FLOAT_EQ(ops.back().scale, 2.0f);
        EXPECT_EQ(ops.back().to, (Rect{0, 0, 480, 474}));
        int stretches = 0;
        for (const Op& op : ops) stretches += op.kind == Kind::Stretch ? 1 : 0;
        EXPECT_EQ(stretches, 1);
        // The grid shows on the articulation and controller panels only.
        EXPECT_EQ(At(ops, Rect{36, 9, 63, 36}).size(), tab <= 1 ? 1U : 0U) << tab;
        // The selected tab: the picker shows the first.
        const int t = tab == 3 ? 0 : tab;
        const Op selected = One(ops, Rect{6 + 45 * t, 185, 51 + 45 * t, 230});
        EXPECT_EQ(selected.from, (Rect{239 + 45 * t, 195, 284 + 45 * t, 240}));
    }
}

TEST_F(EditorTest, NothingIsPaintedWhileHiddenOrWithoutSkin) {
    plug->visible = 0;
    EXPECT_TRUE(paint().empty());
    plug->visible = 1;
    skin.main = {};
    EXPECT_TRUE(paint().empty());
}

struct PortCase {
    const char* what;
    int port, channel;
    std::vector<int> unmutedKeys;  // every other key is muted
    bool allUnmuted;
    const char* channelText;
    platform::ui::Colour value, label;
};

class PortPaint : public EditorTest, public ::testing::WithParamInterface<PortCase> {};

TEST_P(PortPaint, ColoursFollowTheMuteTable) {
    const PortCase& c = GetParam();
    plug->port = c.port;
    plug->channel = c.channel;
    auto& mute = plug->Ports().mute;
    mute.fill(c.allUnmuted ? 0 : 1);
    for (int key : c.unmutedKeys) mute[static_cast<std::size_t>(key)] = 0;
    const auto ops = paint();
    const Op port = One(ops, Rect{156, 190, 190, 215});
    EXPECT_EQ(port.text, std::to_string(c.port));
    EXPECT_EQ(port.fontHeight, 22);
    EXPECT_EQ(port.colour, c.value);
    const Op channel = One(ops, Rect{199, 190, 225, 215});
    EXPECT_EQ(channel.text, c.channelText);
    EXPECT_EQ(channel.colour, c.value);
    const Op portLabel = One(ops, Rect{158, 218, 188, 227});
    EXPECT_EQ(portLabel.text, "Port");
    EXPECT_EQ(portLabel.fontHeight, 11);
    EXPECT_EQ(portLabel.colour, c.label);
    EXPECT_EQ(One(ops, Rect{198, 218, 226, 227}).colour, c.label);
}

INSTANTIATE_TEST_SUITE_P(Keys, PortPaint, ::testing::Values(
    PortCase{"normal", 3, 1, {}, true, "2", 0xD9B27C, 0xBCBBB6},
    PortCase{"muted", 3, 1, {}, false, "2", 0x9E6859, 0x62615C},
    PortCase{"soloed", 3, 1, {PortKey(3, 1)}, false, "2", 0xD9B27C, 0xE4543B},
    PortCase{"another unmuted", 3, 1, {PortKey(3, 1), PortKey(0, 0)}, false, "2", 0xD9B27C, 0xBCBBB6},
    PortCase{"per colour", 2, 256, {}, true, "---", 0xD9B27C, 0xBCBBB6}),
    CaseName());

TEST_F(EditorTest, PickerShowsThumbAndFortyEightCells) {
    plug->tab = 3;
    struct { float scroll; int thumbY; int firstIcon; } cases[] = {{0.0f, 6, 0}, {0.5f, 76, 88}, {1.0f, 147, 184}};
    for (const auto& c : cases) {
        plug->iconScroll = c.scroll;
        const auto ops = paint();
        const Op thumb = One(ops, Rect{223, c.thumbY, 234, c.thumbY + 34});
        EXPECT_EQ(thumb.from, (Rect{259, 486, 270, 520}));
        for (int i = 0; i < 48; ++i) {
            const int x = 8 + 26 * (i % 8), y = 9 + 28 * (i / 8);
            const Op cell = One(ops, Rect{x, y, x + 27, y + 27});
            EXPECT_EQ(cell.source, editor::kIconStrip);
            EXPECT_EQ(cell.from.left, 32 * (c.firstIcon + i) + 2) << c.scroll << " cell " << i;
            EXPECT_EQ(cell.from.top, 0);
        }
    }
    // At the bottom the last cell is icon 231, past the built-in strip's 231 icons.
    EXPECT_GE(32 * 231 + 2, skin.icons.width);
}

}  // namespace
}  // namespace velmora::test
