#pragma once
// Positions and rectangles of the editor: (left, top)-(right, bottom), the
// right and bottom edges outside the rectangle, as window rectangles are.
#include <cstdint>

namespace platform::ui {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// 0xRRGGBB.
using Colour = std::uint32_t;

}  // namespace platform::ui
