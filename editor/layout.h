#pragma once
// Where things are in the editor (editor units) and the colours of its text.
#include "platform/ui/geometry.h"

namespace velmora::editor {

using platform::ui::Colour;
using platform::ui::Rect;

// Panels, by `tab`.
inline constexpr int kArticulationPanel = 0;
inline constexpr int kControllerPanel = 1;
inline constexpr int kGeneralPanel = 2;
inline constexpr int kIconPicker = 3;

// Sub-pages of the General panel (`generalPage`).
inline constexpr int kGeneralPage = 0;
inline constexpr int kAutomationPage = 1;
inline constexpr int kAdvancedPage = 2;

inline constexpr Colour kTextColour = 0xBCBBB6;
inline constexpr Colour kValueColour = 0xD9B27C;
inline constexpr Colour kMutedValueColour = 0x9E6859;
inline constexpr Colour kMutedLabelColour = 0x62615C;
inline constexpr Colour kSoloLabelColour = 0xE4543B;
inline constexpr Colour kControllerOnColour = 0xF4F4F4;
inline constexpr Colour kControllerOffColour = 0x6A777A;
inline constexpr Colour kSelectedPageFill = 0x21272B;
inline constexpr Colour kSelectedPageText = 0x85EA78;
inline constexpr Colour kStampColour = 0x807F7A;

// A point inside a rectangle whose right and bottom edges count as inside.
constexpr bool Inside(int x, int y, int left, int top, int right, int bottom) {
    return x >= left && x <= right && y >= top && y <= bottom;
}

// Grid cell c (0..15): column and row, and the box the mouse hovers it in.
constexpr int GridColumn(int c) { return c % 8; }
constexpr int GridRow(int c) { return c / 8; }
constexpr bool InGridCell(int c, int x, int y) {
    return Inside(x, y, 9 + 28 * GridColumn(c), 9 + 44 * GridRow(c), 33 + 28 * GridColumn(c), 48 + 44 * GridRow(c));
}
// The grid cell under a point, -1 for none.
constexpr int GridCellAt(int x, int y) {
    for (int c = 0; c < 16; ++c) {
        if (InGridCell(c, x, y)) {
            return c;
        }
    }
    return -1;
}

// Tab button k (0..2).
constexpr bool InTabButton(int k, int x, int y) { return Inside(x, y, 6 + 45 * k, 185, 51 + 45 * k, 230); }

// Where icon k's cell starts in the icon strip, plus the 2-pixel margin.
// Numbers no strip holds (a typed icon id has no limit) land far beyond its
// edge, where nothing is drawn, instead of overflowing.
constexpr int IconSourceX(long long icon) {
    const long long x = 32 * icon + 2;
    constexpr long long kFar = 1LL << 30;
    return static_cast<int>(x < -kFar ? -kFar : x > kFar ? kFar : x);
}

// The icon picker: the first row of the strip shown at the scroll position.
constexpr int PickerFirstRow(int stripWidth, float scroll) {
    const int rows = (stripWidth / 32) / 8;
    const int scrollable = rows - 5 > 0 ? rows - 5 : 0;
    return static_cast<int>(static_cast<float>(scrollable) * scroll);
}

}  // namespace velmora::editor
