#include "platform/ui/bitmap.h"
#include "platform/ui/cairo_canvas.h"
#include "platform/ui/fonts.h"
#include "platform/ui/window.h"
namespace platform::ui {
std::optional<Bitmap> DecodePng(const unsigned char*, std::size_t, int, bool) { return std::nullopt; }
std::optional<Bitmap> ReadBmp(const unsigned char*, std::size_t, int, std::string&) { return std::nullopt; }
bool WritePng(const Bitmap&, const std::string&) { return false; }
struct CairoCanvas::Surface {};
CairoCanvas::CairoCanvas(int, int) {}
CairoCanvas::~CairoCanvas() = default;
void CairoCanvas::copy(const Bitmap&, int, int, int, int, int, int) {}
void CairoCanvas::fill(const Rect&, Colour) {}
void CairoCanvas::text(std::string_view, const Rect&, const Font&, Colour, unsigned) {}
void CairoCanvas::stretchOnto(Window&, float) {}
bool RegisterApplicationFont(const std::string&) { return false; }
}
