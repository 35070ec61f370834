#pragma once
// The notation font the icons are drawn from, with its glyphs reached by
// their names (noteheads.s2, scripts.staccato, ...).
#include <cairo.h>

#include <string>

namespace velmora::skin {

struct GlyphBox {
    double x, y, width, height;  // ink box relative to the glyph's origin
    double advance;
};

class MusicFont {
public:
    // Throws with a message naming the package to install when the file is
    // missing or lacks the named glyphs.
    explicit MusicFont(const std::string& path);
    ~MusicFont();
    MusicFont(const MusicFont&) = delete;
    MusicFont& operator=(const MusicFont&) = delete;

    const std::string& path() const { return path_; }
    std::string family() const;
    // The glyph's index; throws on a name the font does not have.
    unsigned long Glyph(const std::string& name) const;
    GlyphBox Measure(cairo_t* cr, const std::string& name, double size) const;
    // Draws the glyph with its origin at (x, y).
    void Draw(cairo_t* cr, const std::string& name, double size, double x, double y) const;

private:
    void Use(cairo_t* cr, double size) const;

    std::string path_;
    struct FreeType;
    FreeType* ft_;
    cairo_font_face_t* face_;
};

}  // namespace velmora::skin
