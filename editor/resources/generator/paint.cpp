#include "paint.h"

#include <pango/pangocairo.h>

#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>

namespace velmora::skin {

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Image::Image(int width, int height, bool alpha)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, width, height)),
      cr_(cairo_create(surface_)) {
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot make a " + std::to_string(width) + " x " + std::to_string(height) +
                                 " image: " + cairo_status_to_string(cairo_status(cr_)));
    }
    // Opaque images start black, images with alpha transparent.
    cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr_, 0, 0, 0, alpha ? 0 : 1);
    cairo_paint(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
}

Image::~Image() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

void Image::WritePng(const std::string& path) const {
    cairo_surface_flush(surface_);
    const cairo_status_t status = cairo_surface_write_to_png(surface_, path.c_str());
    if (status != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot write " + path + ": " + cairo_status_to_string(status));
    }
}

void SetColour(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void FillRect(cairo_t* cr, double x, double y, double w, double h, Rgb c, double alpha) {
    SetColour(cr, c, alpha);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    const double pi = 3.14159265358979323846;
    r = std::min(r, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -pi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, pi / 2);
    cairo_arc(cr, x + r, y + h - r, r, pi / 2, pi);
    cairo_arc(cr, x + r, y + r, r, pi, 3 * pi / 2);
    cairo_close_path(cr);
}

void VerticalGradient(cairo_t* cr, double x, double y, double w, double h, Rgb top, Rgb bottom) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(p, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void SunkenBox(cairo_t* cr, int x, int y, int w, int h, Rgb fill) {
    FillRect(cr, x, y, w, h, palette::kEdgeDark);
    FillRect(cr, x + 1, y + h - 1, w - 1, 1, Mix(fill, palette::kEdgeLight, 0.75));
    FillRect(cr, x + w - 1, y + 1, 1, h - 1, Mix(fill, palette::kEdgeLight, 0.75));
    FillRect(cr, x + 1, y + 1, w - 2, h - 2, fill);
    // A faint inner shadow below the top edge makes the box read as recessed.
    FillRect(cr, x + 1, y + 1, w - 2, 1, Mix(fill, palette::kEdgeDark, 0.5));
}

void RaisedBox(cairo_t* cr, int x, int y, int w, int h, Rgb top, Rgb bottom) {
    VerticalGradient(cr, x, y, w, h, top, bottom);
    FillRect(cr, x, y, w, 1, Mix(top, palette::kLight, 0.22));
    FillRect(cr, x, y + 1, 1, h - 1, Mix(top, palette::kLight, 0.12));
    FillRect(cr, x, y + h - 1, w, 1, palette::kEdgeDark);
    FillRect(cr, x + w - 1, y, 1, h, Mix(bottom, palette::kEdgeDark, 0.6));
}

namespace {

const char* FamilyOf(Face face) {
    switch (face) {
    case Face::Sans:
    case Face::SansBold:
        return "DejaVu Sans";
    case Face::SansCondensed:
        return "DejaVu Sans Condensed";
    case Face::Serif:
    case Face::SerifItalic:
    case Face::SerifBoldItalic:
        return "DejaVu Serif";
    }
    return "DejaVu Sans";
}

struct DescriptionDeleter {
    void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};
using Description = std::unique_ptr<PangoFontDescription, DescriptionDeleter>;

Description Describe(Face face, double size) {
    Description d(pango_font_description_new());
    pango_font_description_set_family(d.get(), FamilyOf(face));
    if (face == Face::SansCondensed) {
        pango_font_description_set_stretch(d.get(), PANGO_STRETCH_CONDENSED);
    }
    if (face == Face::SansBold || face == Face::SerifBoldItalic) {
        pango_font_description_set_weight(d.get(), PANGO_WEIGHT_BOLD);
    }
    if (face == Face::SerifItalic || face == Face::SerifBoldItalic) {
        pango_font_description_set_style(d.get(), PANGO_STYLE_ITALIC);
    }
    pango_font_description_set_absolute_size(d.get(), size * PANGO_SCALE);
    return d;
}

// Fails once per face when fontconfig substitutes another family.
void RequireDejaVu(PangoContext* context, Face face) {
    static std::map<Face, bool> checked;
    if (checked[face]) {
        return;
    }
    Description wanted = Describe(face, 10);
    PangoFont* font = pango_context_load_font(context, wanted.get());
    std::string family;
    if (font != nullptr) {
        Description got(pango_font_describe(font));
        const char* f = pango_font_description_get_family(got.get());
        family = f != nullptr ? f : "";
        g_object_unref(font);
    }
    if (family.rfind("DejaVu", 0) != 0) {
        throw std::runtime_error(std::string("the text font ") + FamilyOf(face) + " resolves to \"" + family +
                                 "\"; install Debian's fonts-dejavu-core (scripts/bootstrap.sh)");
    }
    checked[face] = true;
}

PangoLayout* Layout(cairo_t* cr, const std::string& utf8, Face face, double size) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoContext* context = pango_layout_get_context(layout);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
    pango_layout_context_changed(layout);
    RequireDejaVu(context, face);
    Description d = Describe(face, size);
    pango_layout_set_font_description(layout, d.get());
    pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
    pango_layout_set_spacing(layout, static_cast<int>(-size * 0.18 * PANGO_SCALE));
    pango_layout_set_text(layout, utf8.c_str(), -1);
    return layout;
}

}  // namespace

void Text(cairo_t* cr, const std::string& utf8, Face face, double size, double cx, double cy, Rgb c, double alpha) {
    PangoLayout* layout = Layout(cr, utf8, face, size);
    PangoRectangle ink;
    PangoRectangle logical;
    pango_layout_get_extents(layout, &ink, &logical);
    const double inkX = static_cast<double>(ink.x) / PANGO_SCALE;
    const double inkW = static_cast<double>(ink.width) / PANGO_SCALE;
    // Horizontally by the ink; vertically by the letters' x-height band so a
    // descender or an accent does not shift a word off its line.
    const double logicalY = static_cast<double>(logical.y) / PANGO_SCALE;
    const double logicalH = static_cast<double>(logical.height) / PANGO_SCALE;
    PangoLayoutIter* it = pango_layout_get_iter(layout);
    const double baseline = static_cast<double>(pango_layout_iter_get_baseline(it)) / PANGO_SCALE;
    pango_layout_iter_free(it);
    const int lines = pango_layout_get_line_count(layout);
    double top = 0;
    if (lines == 1) {
        // Centre the band from the baseline up to about the x-height.
        const double xheight = size * 0.55;
        top = cy - (baseline - xheight / 2);
    } else {
        top = cy - (logicalY + logicalH / 2);
    }
    Saved saved(cr);
    SetColour(cr, c, alpha);
    cairo_move_to(cr, std::round((cx - (inkX + inkW / 2)) * 4) / 4, std::round(top * 4) / 4);
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
}

void MeasureText(cairo_t* cr, const std::string& utf8, Face face, double size, double& w, double& h) {
    PangoLayout* layout = Layout(cr, utf8, face, size);
    PangoRectangle ink;
    pango_layout_get_extents(layout, &ink, nullptr);
    w = static_cast<double>(ink.width) / PANGO_SCALE;
    h = static_cast<double>(ink.height) / PANGO_SCALE;
    g_object_unref(layout);
}

void DropMark(cairo_t* cr, double cx, double cy, Rgb c) {
    SetColour(cr, c);
    cairo_move_to(cr, cx - 2.5, cy - 1.25);
    cairo_line_to(cr, cx + 2.5, cy - 1.25);
    cairo_line_to(cr, cx, cy + 1.5);
    cairo_close_path(cr);
    cairo_fill(cr);
}

}  // namespace velmora::skin
