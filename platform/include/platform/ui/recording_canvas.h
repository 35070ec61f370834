#pragma once
// A canvas that lists what was drawn instead of drawing it, so a paint can be
// checked operation by operation without comparing a font's pixels.
#include <string>
#include <vector>

#include "platform/ui/canvas.h"

namespace platform::ui {

struct CanvasOp {
    enum class Kind { Copy, Fill, Text, Stretch };
    Kind kind = Kind::Copy;
    int source = 0;     // Copy: the bitmap's id
    Rect from{};        // Copy: the source rectangle
    Rect to{};          // Copy: the destination; Fill, Text: the rectangle; Stretch: (0,0)-(scaled size)
    std::string text{}; // Text
    int fontHeight = 0; // Text
    Colour colour = 0;  // Fill, Text
    unsigned flags = 0; // Text
    float scale = 0.0f; // Stretch
};

class RecordingCanvas final : public Canvas {
public:
    void copy(const Bitmap& source, int sx, int sy, int w, int h, int dx, int dy) override;
    void fill(const Rect& rect, Colour colour) override;
    void text(std::string_view utf8, const Rect& rect, const Font& font, Colour colour, unsigned flags) override;
    // Records the stretch and does not touch the window.
    void stretchOnto(Window& window, float scale) override;

    std::vector<CanvasOp> ops;
};

}  // namespace platform::ui
