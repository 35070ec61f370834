// The canvas that lists its operations.
#include "platform/ui/recording_canvas.h"

#include "platform/ui/window.h"

namespace platform::ui {

void RecordingCanvas::copy(const Bitmap& source, int sx, int sy, int w, int h, int dx, int dy) {
    CanvasOp op;
    op.kind = CanvasOp::Kind::Copy;
    op.source = source.id;
    op.from = {sx, sy, sx + w, sy + h};
    op.to = {dx, dy, dx + w, dy + h};
    ops.push_back(std::move(op));
}

void RecordingCanvas::fill(const Rect& rect, Colour colour) {
    CanvasOp op;
    op.kind = CanvasOp::Kind::Fill;
    op.to = rect;
    op.colour = colour;
    ops.push_back(std::move(op));
}

void RecordingCanvas::text(std::string_view utf8, const Rect& rect, const Font& font, Colour colour, unsigned flags) {
    CanvasOp op;
    op.kind = CanvasOp::Kind::Text;
    op.to = rect;
    op.text = std::string(utf8);
    op.fontHeight = font.height;
    op.colour = colour;
    op.flags = flags;
    ops.push_back(std::move(op));
}

void RecordingCanvas::stretchOnto(Window& window, float scale) {
    CanvasOp op;
    op.kind = CanvasOp::Kind::Stretch;
    op.to = {0, 0, window.width(), window.height()};
    op.scale = scale;
    ops.push_back(std::move(op));
}

}  // namespace platform::ui
