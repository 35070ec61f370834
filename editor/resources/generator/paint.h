#pragma once
// Drawing helpers shared by the generator's painters: colours, the image being
// drawn, boxes with bevelled edges and text through pango.
#include <cairo.h>

#include <cstdint>
#include <string>

namespace velmora::skin {

struct Rgb {
    double r, g, b;
};

constexpr Rgb Hex(std::uint32_t v) {
    return {static_cast<double>((v >> 16) & 0xFF) / 255.0, static_cast<double>((v >> 8) & 0xFF) / 255.0,
            static_cast<double>(v & 0xFF) / 255.0};
}

// t = 0 gives a, t = 1 gives b.
Rgb Mix(Rgb a, Rgb b, double t);

// The skin is dark so the code's light text (#BCBBB6, #D9B27C, #F4F4F4) reads on it.
namespace palette {
inline constexpr Rgb kWindow = Hex(0x2A2F33);
inline constexpr Rgb kWindowTop = Hex(0x30363A);
inline constexpr Rgb kWindowBottom = Hex(0x272B2F);
inline constexpr Rgb kRecess = Hex(0x202528);    // grid and picker panels
inline constexpr Rgb kWell = Hex(0x181C1F);      // icon cells; the strip's normal form sits on it
inline constexpr Rgb kBox = Hex(0x1C2124);       // value boxes the code writes numbers into
inline constexpr Rgb kEdgeLight = Hex(0x4A5258);
inline constexpr Rgb kEdgeDark = Hex(0x121517);
inline constexpr Rgb kCaption = Hex(0x8A9094);
inline constexpr Rgb kGreen = Hex(0x85EA78);
inline constexpr Rgb kAmber = Hex(0xD9B27C);
inline constexpr Rgb kLight = Hex(0xF4F4F4);
inline constexpr Rgb kDimInk = Hex(0x7E868B);
}  // namespace palette

// An image surface with its drawing context; writes itself as a PNG.
class Image {
public:
    Image(int width, int height, bool alpha);
    ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // Throws with the path and cairo's reason when the file cannot be written.
    void WritePng(const std::string& path) const;

private:
    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// Restores the context's state when it goes out of scope.
class Saved {
public:
    explicit Saved(cairo_t* cr) : cr_(cr) { cairo_save(cr_); }
    ~Saved() { cairo_restore(cr_); }
    Saved(const Saved&) = delete;
    Saved& operator=(const Saved&) = delete;

private:
    cairo_t* cr_;
};

void SetColour(cairo_t* cr, Rgb c, double alpha = 1.0);
void FillRect(cairo_t* cr, double x, double y, double w, double h, Rgb c, double alpha = 1.0);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void VerticalGradient(cairo_t* cr, double x, double y, double w, double h, Rgb top, Rgb bottom);

// A box sunk into the panel: a dark line along the top and left, a light one
// along the bottom and right, and the fill inside. The rectangle is the outer
// edge in pixels.
void SunkenBox(cairo_t* cr, int x, int y, int w, int h, Rgb fill);
// A box that stands out: light top-left edge, dark bottom-right edge, a
// gentle vertical gradient.
void RaisedBox(cairo_t* cr, int x, int y, int w, int h, Rgb top, Rgb bottom);

enum class Face { Sans, SansBold, SansCondensed, Serif, SerifItalic, SerifBoldItalic };

// Text centred in a box (pixel size of the font's em). Throws when the
// system resolves the face to a font other than DejaVu, since the skin would
// then depend on whatever font happens to be installed.
void Text(cairo_t* cr, const std::string& utf8, Face face, double size, double cx, double cy, Rgb c,
          double alpha = 1.0);
// The text's logical width and height in pixels.
void MeasureText(cairo_t* cr, const std::string& utf8, Face face, double size, double& w, double& h);

// A small downward triangle: the mark of a box that opens a list.
void DropMark(cairo_t* cr, double cx, double cy, Rgb c);

}  // namespace velmora::skin
