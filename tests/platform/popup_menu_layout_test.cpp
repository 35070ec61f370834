// The geometry of the desktop's pop-up menus: rows from the texts' widths,
// the menu kept on screen at the pointer, and the row under a point.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/src/ui/x11/popup_menu_layout.h"

namespace platform::ui::x11 {
namespace {

MenuEntry Item(int id, std::string text) {
    MenuEntry e;
    e.id = id;
    e.text = std::move(text);
    return e;
}

MenuEntry Greyed(MenuEntry e) {
    e.greyed = true;
    return e;
}

MenuEntry Separator(std::string text = {}) {
    MenuEntry e;
    e.separator = true;
    e.text = std::move(text);
    return e;
}

// Seven pixels a byte: widths that are easy to work out.
int Measure(const std::string& text) { return static_cast<int>(text.size()) * 7; }

MenuMetrics Metrics() {
    MenuMetrics m;
    m.border = 1;
    m.inset = 3;
    m.rowHeight = 20;
    m.separatorHeight = 7;
    m.tickColumn = 22;
    m.trailing = 18;
    m.minTextWidth = 70;
    m.maxTextWidth = 350;
    return m;
}

// Border and inset on both sides, the tick column and the trailing space.
constexpr int kChrome = 2 * (1 + 3) + 22 + 18;

struct WidthCase {
    const char* name;
    std::vector<MenuEntry> entries;
    int textWidth;
};

TEST(PopupMenuLayout, TheTextColumnIsTheWidestTextWithinTheLimits) {
    const std::vector<WidthCase> cases = {
        {"short texts take the minimum", {Item(1, "Cut"), Item(2, "Copy")}, 70},
        {"the widest text decides", {Item(1, "Cut"), Item(2, std::string(20, 'w')), Item(3, "Paste")}, 140},
        {"a long text is cut at the maximum", {Item(1, std::string(80, 'w'))}, 350},
        {"a separator's text is not shown, so not measured", {Item(1, "Cut"), Separator(std::string(30, 'w'))}, 70},
        {"a greyed entry's text counts", {Item(1, "Cut"), Greyed(Item(2, std::string(15, 'w')))}, 105},
    };
    for (const WidthCase& c : cases) {
        SCOPED_TRACE(c.name);
        const MenuLayout layout = LayOutMenu(c.entries, Measure, Metrics());
        EXPECT_EQ(layout.textWidth, c.textWidth);
        EXPECT_EQ(layout.width, kChrome + c.textWidth);
        for (const Rect& row : layout.rows) {
            EXPECT_EQ(row.left, 4);
            EXPECT_EQ(row.right, layout.width - 4);
        }
    }
}

TEST(PopupMenuLayout, RowsStackWithSeparatorsThinnerThanEntries) {
    const std::vector<MenuEntry> entries = {Item(1, "Cut"), Separator(), Item(2, "Copy"), Separator(), Separator(),
                                            Item(3, "Paste")};
    const MenuLayout layout = LayOutMenu(entries, Measure, Metrics());
    const int r = layout.width - 4;
    const std::vector<Rect> expected = {{4, 4, r, 24},  {4, 24, r, 31}, {4, 31, r, 51},
                                        {4, 51, r, 58}, {4, 58, r, 65}, {4, 65, r, 85}};
    EXPECT_EQ(layout.rows, expected);
    EXPECT_EQ(layout.height, 85 + 4);
}

struct PlaceCase {
    const char* name;
    int width;
    int height;
    Point pointer;
    Rect screen;
    Point expected;
};

TEST(PopupMenuLayout, TheMenuOpensAtThePointerAndStaysOnScreen) {
    const Rect screen{0, 0, 1280, 1024};
    const std::vector<PlaceCase> cases = {
        {"room right and below", 200, 300, {100, 100}, screen, {100, 100}},
        {"fits exactly to the bottom-right corner", 200, 300, {1080, 724}, screen, {1080, 724}},
        {"one pixel too far right flips left", 200, 300, {1081, 100}, screen, {881, 100}},
        {"near the bottom flips up", 200, 300, {100, 900}, screen, {100, 600}},
        {"in the bottom-right corner flips both ways", 200, 300, {1279, 1023}, screen, {1079, 723}},
        {"at the top-left corner", 200, 300, {0, 0}, screen, {0, 0}},
        {"no room on either side moves it in from the right", 200, 300, {150, 100}, {0, 0, 300, 1024}, {100, 100}},
        {"taller than the screen starts at its top", 200, 1100, {100, 500}, screen, {100, 0}},
        {"a screen that does not start at 0", 200, 300, {150, 1000}, {100, 50, 400, 1024}, {150, 700}},
        {"flipping would leave a screen that does not start at 0", 200, 300, {250, 60}, {100, 50, 400, 340}, {200, 50}},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PlaceMenu(c.width, c.height, c.pointer, c.screen), c.expected);
    }
}

TEST(PopupMenuLayout, RowAtFindsTheRowUnderAPoint) {
    const std::vector<MenuEntry> entries = {Item(1, "Cut"), Separator(), Item(2, "Copy")};
    const MenuLayout layout = LayOutMenu(entries, Measure, Metrics());
    ASSERT_EQ(layout.rows.size(), 3u);
    const int right = layout.rows[0].right;
    const struct {
        const char* name;
        Point point;
        int row;
    } cases[] = {
        {"first row's top-left pixel", {4, 4}, 0},
        {"first row's last pixel", {right - 1, 23}, 0},
        {"the separator's row", {30, 27}, 1},
        {"the last row", {30, 50}, 2},
        {"the edge above the rows", {30, 3}, -1},
        {"the inset left of the rows", {3, 10}, -1},
        {"right of the rows", {right, 10}, -1},
        {"below the last row", {30, 51}, -1},
        {"outside the menu", {-5, -5}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RowAt(layout, c.point), c.row);
    }
}

}  // namespace
}  // namespace platform::ui::x11
