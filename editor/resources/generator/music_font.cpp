#include "music_font.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <filesystem>
#include <stdexcept>

namespace velmora::skin {

struct MusicFont::FreeType {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

namespace {

const std::string kInstallHint =
    "the icons are drawn from the Emmentaler notation font (emmentaler-20.otf of Debian's lilypond-fonts); "
    "install it with scripts/bootstrap.sh or point VELMORA_MUSIC_FONT at the file";

}  // namespace

MusicFont::MusicFont(const std::string& path) : path_(path), ft_(new FreeType), face_(nullptr) {
    if (path.empty() || !std::filesystem::is_regular_file(path)) {
        delete ft_;
        throw std::runtime_error("music font not found" + (path.empty() ? std::string() : " at " + path) + ": " +
                                 kInstallHint);
    }
    if (FT_Init_FreeType(&ft_->library) != 0 || FT_New_Face(ft_->library, path.c_str(), 0, &ft_->face) != 0) {
        if (ft_->library != nullptr) {
            FT_Done_FreeType(ft_->library);
        }
        delete ft_;
        throw std::runtime_error(path + " is not a font FreeType can read: " + kInstallHint);
    }
    // A font without glyph names would leave every name unresolved.
    if (!FT_HAS_GLYPH_NAMES(ft_->face) || FT_Get_Name_Index(ft_->face, "noteheads.s2") == 0) {
        FT_Done_Face(ft_->face);
        FT_Done_FreeType(ft_->library);
        delete ft_;
        throw std::runtime_error(path + " is not the Emmentaler notation font: " + kInstallHint);
    }
    face_ = cairo_ft_font_face_create_for_ft_face(ft_->face, FT_LOAD_NO_HINTING);
    // cairo may keep the face in its caches after we let go of it, so the
    // FreeType face goes when cairo's last reference does.
    static cairo_user_data_key_t key;
    cairo_font_face_set_user_data(face_, &key, ft_, [](void* p) {
        auto* ft = static_cast<FreeType*>(p);
        FT_Done_Face(ft->face);
        FT_Done_FreeType(ft->library);
        delete ft;
    });
}

MusicFont::~MusicFont() {
    cairo_font_face_destroy(face_);
}

std::string MusicFont::family() const {
    std::string f = ft_->face->family_name != nullptr ? ft_->face->family_name : "";
    if (ft_->face->style_name != nullptr) {
        f += std::string(" ") + ft_->face->style_name;
    }
    return f;
}

unsigned long MusicFont::Glyph(const std::string& name) const {
    const FT_UInt index = FT_Get_Name_Index(ft_->face, name.c_str());
    if (index == 0) {
        throw std::runtime_error("the music font " + path_ + " has no glyph named " + name);
    }
    return index;
}

void MusicFont::Use(cairo_t* cr, double size) const {
    cairo_set_font_face(cr, face_);
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

GlyphBox MusicFont::Measure(cairo_t* cr, const std::string& name, double size) const {
    cairo_save(cr);
    Use(cr, size);
    cairo_glyph_t g{Glyph(name), 0, 0};
    cairo_text_extents_t e;
    cairo_glyph_extents(cr, &g, 1, &e);
    cairo_restore(cr);
    return {e.x_bearing, e.y_bearing, e.width, e.height, e.x_advance};
}

void MusicFont::Draw(cairo_t* cr, const std::string& name, double size, double x, double y) const {
    cairo_save(cr);
    Use(cr, size);
    cairo_glyph_t g{Glyph(name), x, y};
    cairo_show_glyphs(cr, &g, 1);
    cairo_restore(cr);
}

}  // namespace velmora::skin
