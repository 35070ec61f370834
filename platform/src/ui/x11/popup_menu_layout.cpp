#include "popup_menu_layout.h"

#include <algorithm>

namespace platform::ui::x11 {

MenuLayout LayOutMenu(const std::vector<MenuEntry>& entries, const MeasureText& measure, const MenuMetrics& metrics) {
    int widest = 0;
    for (const MenuEntry& e : entries) {
        if (!e.separator) {
            widest = std::max(widest, measure(e.text));
        }
    }
    MenuLayout layout;
    layout.textWidth = std::clamp(widest, metrics.minTextWidth, metrics.maxTextWidth);
    const int edge = metrics.border + metrics.inset;
    layout.width = 2 * edge + metrics.tickColumn + layout.textWidth + metrics.trailing;
    int y = edge;
    layout.rows.reserve(entries.size());
    for (const MenuEntry& e : entries) {
        const int height = e.separator ? metrics.separatorHeight : metrics.rowHeight;
        layout.rows.push_back({edge, y, layout.width - edge, y + height});
        y += height;
    }
    layout.height = y + edge;
    return layout;
}

namespace {

// One axis: at the pointer, else ending at it, else as far in as it goes.
int PlaceAlong(int size, int pointer, int low, int high) {
    if (pointer + size <= high) {
        return pointer;
    }
    if (pointer - size >= low) {
        return pointer - size;
    }
    return std::max(low, high - size);
}

}  // namespace

Point PlaceMenu(int width, int height, Point pointer, const Rect& screen) {
    return {PlaceAlong(width, pointer.x, screen.left, screen.right),
            PlaceAlong(height, pointer.y, screen.top, screen.bottom)};
}

int RowAt(const MenuLayout& layout, Point point) {
    for (std::size_t i = 0; i < layout.rows.size(); ++i) {
        const Rect& r = layout.rows[i];
        if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace platform::ui::x11
