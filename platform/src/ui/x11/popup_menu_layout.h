#pragma once
// Where a pop-up menu's entries go: rows from the texts' widths, the menu
// placed at the pointer within the screen, and the row under a point. Pure
// geometry, so every case is tested without a display.
#include <functional>
#include <string>
#include <vector>

#include "platform/popup_menus.h"
#include "platform/ui/geometry.h"

namespace platform::ui::x11 {

// Sizes in pixels.
struct MenuMetrics {
    int border = 1;           // the bevelled edge
    int inset = 4;            // between the edge and the rows, all round
    int rowHeight = 24;       // an entry's row: its text line and margins
    int separatorHeight = 9;  // a separator's row; its line is in the middle
    int tickColumn = 26;      // from a row's left to its text, where the tick goes
    int trailing = 24;        // after the longest text
    int minTextWidth = 96;    // a menu of short words is still comfortably wide
    int maxTextWidth = 480;   // longer texts are cut with an ellipsis
};

struct MenuLayout {
    int width = 0;
    int height = 0;
    int textWidth = 0;       // the text column; no text is drawn wider
    std::vector<Rect> rows;  // one per entry, in menu coordinates
};

// Width in pixels of a text as it will be drawn.
using MeasureText = std::function<int(const std::string&)>;

MenuLayout LayOutMenu(const std::vector<MenuEntry>& entries, const MeasureText& measure, const MenuMetrics& metrics);

// The menu's top-left corner on the screen: at the pointer, flipped to the
// pointer's left or above it where it would cross the right or bottom edge,
// and moved inside the screen where neither side has room.
Point PlaceMenu(int width, int height, Point pointer, const Rect& screen);

// The index of the row that holds the point (menu coordinates), -1 for none.
int RowAt(const MenuLayout& layout, Point point);

}  // namespace platform::ui::x11
