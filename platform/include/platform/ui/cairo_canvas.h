#pragma once
// The canvas that draws: a cairo image surface of the window's client size,
// text through pango with fontconfig resolving the face.
#include <memory>

#include "platform/ui/canvas.h"

namespace platform::ui {

class CairoCanvas final : public Canvas {
public:
    CairoCanvas(int width, int height);
    ~CairoCanvas() override;
    CairoCanvas(const CairoCanvas&) = delete;
    CairoCanvas& operator=(const CairoCanvas&) = delete;

    void copy(const Bitmap& source, int sx, int sy, int w, int h, int dx, int dy) override;
    void fill(const Rect& rect, Colour colour) override;
    void text(std::string_view utf8, const Rect& rect, const Font& font, Colour colour, unsigned flags) override;
    void stretchOnto(Window& window, float scale) override;

    // The picture drawn so far, unstretched (opaque).
    Bitmap picture() const;

private:
    struct Surface;
    std::unique_ptr<Surface> surface_;
};

}  // namespace platform::ui
