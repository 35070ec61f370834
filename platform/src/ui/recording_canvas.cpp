// The canvas that lists its operations.
#include "platform/ui/recording_canvas.h"

#include "platform/ui/window.h"

namespace platform::ui {

void RecordingCanvas::copy(const Bitmap& source, int sx, int sy, int w, int h, int dx, int dy) {
    ops.push_back({.kind = CanvasOp::Kind::Copy,
                   .source = source.id,
                   .from = {sx, sy, sx + w, sy + h},
                   .to = {dx, dy, dx + w, dy + h}});
}

void RecordingCanvas::fill(const Rect& rect, Colour colour) {
    ops.push_back({.kind = CanvasOp::Kind::Fill, .to = rect, .colour = colour});
}

void RecordingCanvas::text(std::string_view utf8, const Rect& rect, const Font& font, Colour colour, unsigned flags) {
    ops.push_back({.kind = CanvasOp::Kind::Text,
                   .to = rect,
                   .text = std::string(utf8),
                   .fontHeight = font.height,
                   .colour = colour,
                   .flags = flags});
}

void RecordingCanvas::stretchOnto(Window& window, float scale) {
    ops.push_back({.kind = CanvasOp::Kind::Stretch, .to = {0, 0, window.width(), window.height()}, .scale = scale});
}

}  // namespace platform::ui
