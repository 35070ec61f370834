#pragma once
// What the editor draws with: bitmap copies, fills and text at editor units,
// then one stretch of the whole picture onto the window. Interface thread.
#include <string>
#include <string_view>

#include "platform/ui/bitmap.h"
#include "platform/ui/geometry.h"

namespace platform::ui {

class Window;

// Text layout flags, as the editor's texts use them.
enum TextFlags : unsigned {
    kTextSingleLine = 1u << 0,
    kTextCentre = 1u << 1,          // horizontally
    kTextVerticalCentre = 1u << 2,  // with a single line
    kTextWordEllipsis = 1u << 3,    // "..." where the text leaves the rectangle
    kTextWordWrap = 1u << 4,
};

// A font of the editor's face at a cell height in editor units.
struct Font {
    std::string face;
    int height = 0;
};

class Canvas {
public:
    virtual ~Canvas() = default;
    // Copies the w x h rectangle at (sx, sy) of the bitmap to (dx, dy). A
    // bitmap with alpha is blended over what is there; one without is copied.
    // Parts of the source outside the bitmap draw nothing.
    virtual void copy(const Bitmap& source, int sx, int sy, int w, int h, int dx, int dy) = 0;
    virtual void fill(const Rect& rect, Colour colour) = 0;
    // UTF-8 text in the rectangle, transparent background.
    virtual void text(std::string_view utf8, const Rect& rect, const Font& font, Colour colour, unsigned flags) = 0;
    // The whole picture drawn so far, stretched by `scale` (nearest neighbour,
    // as a copy-mode stretch does) onto the window, from (0,0).
    virtual void stretchOnto(Window& window, float scale) = 0;
};

}  // namespace platform::ui
