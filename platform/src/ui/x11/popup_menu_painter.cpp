#include "popup_menu_painter.h"

#include "ui/text_options.h"

#include <glib.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

#include "platform/ui/fonts.h"

namespace platform::ui::x11 {

namespace {

constexpr double kPoints = 10.0;
// No menu text is worth measuring beyond this; longer ones are cut anyway.
constexpr std::size_t kMaxTextBytes = 1024;

void SetColour(cairo_t* cr, Colour colour) {
    cairo_set_source_rgb(cr, static_cast<double>((colour >> 16) & 0xFFu) / 255.0,
                         static_cast<double>((colour >> 8) & 0xFFu) / 255.0,
                         static_cast<double>(colour & 0xFFu) / 255.0);
}

void Fill(cairo_t* cr, int x, int y, int width, int height, Colour colour) {
    SetColour(cr, colour);
    cairo_rectangle(cr, x, y, width, height);
    cairo_fill(cr);
}

// Pango draws nothing for invalid UTF-8, so bad bytes become replacement
// characters instead of leaving a blank entry.
std::string Valid(const std::string& text) {
    const std::size_t length = std::min(text.size(), kMaxTextBytes);
    gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(length));
    std::string result(valid);
    g_free(valid);
    return result;
}

void PaintEdges(cairo_t* cr, int width, int height) {
    Fill(cr, 0, 0, width, height, menu_colours::kWindow);
    Fill(cr, 0, 0, width, 1, menu_colours::kEdgeLight);
    Fill(cr, 0, 0, 1, height, menu_colours::kEdgeLight);
    Fill(cr, 0, height - 1, width, 1, menu_colours::kEdgeDark);
    Fill(cr, width - 1, 0, 1, height, menu_colours::kEdgeDark);
}

// A check mark centred in the tick column, scaled with the row.
void PaintTick(cairo_t* cr, const Rect& row, int column, Colour colour) {
    const double cx = row.left + column / 2.0;
    const double cy = row.top + row.height() / 2.0;
    const double s = row.height() / 24.0;
    SetColour(cr, colour);
    cairo_set_line_width(cr, 2.0 * s);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, cx - 4.5 * s, cy + 0.5 * s);
    cairo_line_to(cr, cx - 1.5 * s, cy + 3.5 * s);
    cairo_line_to(cr, cx + 4.5 * s, cy - 3.5 * s);
    cairo_stroke(cr);
}

}  // namespace

MenuText::MenuText() {
    map_ = pango_cairo_font_map_new();
    context_ = pango_font_map_create_context(map_);
    SetEditorTextOptions(context_);
    font_ = pango_font_description_new();
    const std::string family = ResolvedFamily("sans-serif");
    pango_font_description_set_family(font_, family.empty() ? "Sans" : family.c_str());
    pango_font_description_set_size(font_, static_cast<gint>(kPoints * PANGO_SCALE));
    PangoLayout* probe = layoutFor("Ag");
    PangoRectangle logical{};
    pango_layout_get_pixel_extents(probe, nullptr, &logical);
    g_object_unref(probe);
    lineHeight_ = std::max(logical.height, 1);
}

MenuText::~MenuText() {
    pango_font_description_free(font_);
    g_object_unref(context_);
    g_object_unref(map_);
}

PangoLayout* MenuText::layoutFor(const std::string& text) const {
    PangoLayout* layout = pango_layout_new(context_);
    pango_layout_set_font_description(layout, font_);
    pango_layout_set_single_paragraph_mode(layout, TRUE);
    const std::string valid = Valid(text);
    pango_layout_set_text(layout, valid.data(), static_cast<int>(valid.size()));
    return layout;
}

int MenuText::width(const std::string& text) const {
    PangoLayout* layout = layoutFor(text);
    PangoRectangle logical{};
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    g_object_unref(layout);
    return logical.width;
}

void MenuText::draw(cairo_t* cr, const std::string& text, int x, int y, int maxWidth, Colour colour) const {
    SetColour(cr, colour);
    pango_cairo_update_context(cr, context_);
    PangoLayout* layout = layoutFor(text);
    pango_layout_set_width(layout, std::max(maxWidth, 1) * PANGO_SCALE);
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
}

MenuMetrics MetricsFor(const MenuText& text) {
    MenuMetrics metrics;
    metrics.rowHeight = std::max(22, text.lineHeight() + 8);
    return metrics;
}

void PaintMenu(cairo_t* cr, const std::vector<MenuEntry>& entries, const MenuLayout& layout, const MenuMetrics& metrics,
               int highlighted, const MenuText& text) {
    PaintEdges(cr, layout.width, layout.height);
    const std::size_t count = std::min(entries.size(), layout.rows.size());
    for (std::size_t i = 0; i < count; ++i) {
        const MenuEntry& e = entries[i];
        const Rect& row = layout.rows[i];
        if (e.separator) {
            Fill(cr, row.left + 2, row.top + row.height() / 2, row.width() - 4, 1, menu_colours::kSeparator);
            continue;
        }
        const bool lit = static_cast<int>(i) == highlighted && !e.greyed;
        if (lit) {
            Fill(cr, row.left, row.top, row.width(), row.height(), menu_colours::kHighlight);
        }
        const Colour ink = e.greyed ? menu_colours::kGreyedText
                           : lit    ? menu_colours::kHighlightText
                                    : menu_colours::kText;
        if (e.ticked) {
            // On the amber row the green would drown; the tick takes the text's ink there.
            PaintTick(cr, row, metrics.tickColumn, e.greyed || lit ? ink : menu_colours::kTick);
        }
        const int top = row.top + (row.height() - text.lineHeight()) / 2;
        text.draw(cr, e.text, row.left + metrics.tickColumn, top, layout.textWidth, ink);
    }
}

}  // namespace platform::ui::x11
