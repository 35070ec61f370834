#include "host/desktop/roll_painting.h"

#include <algorithm>
#include <cmath>

#include "shared/note_colours.h"
#include "shared/note_name.h"

namespace velmora::host {

namespace {

constexpr double kBlackKeyShare = 0.6;  // of the keyboard's width

struct Rgb {
    double r, g, b;
};

void Fill(cairo_t* cr, double x, double y, double w, double h, Rgb c, double alpha = 1.0) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

bool IsBlack(int key) {
    const int step = key % 12;
    return step == 1 || step == 3 || step == 6 || step == 8 || step == 10;
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -G_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, G_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, G_PI / 2, G_PI);
    cairo_arc(cr, x + r, y + r, r, G_PI, 3 * G_PI / 2);
    cairo_close_path(cr);
}

// One line of text; answers its width. maxWidth > 0 ellipsizes at the end.
int Text(GtkWidget* widget, cairo_t* cr, const std::string& text, double x, double y, Rgb c, const char* font,
         int maxWidth = 0, bool bold = false, bool rightAligned = false) {
    PangoLayout* layout = gtk_widget_create_pango_layout(widget, nullptr);
    PangoFontDescription* description = pango_font_description_from_string(font);
    if (bold) {
        pango_font_description_set_weight(description, PANGO_WEIGHT_BOLD);
    }
    pango_layout_set_font_description(layout, description);
    pango_font_description_free(description);
    pango_layout_set_text(layout, text.c_str(), -1);
    if (maxWidth > 0) {
        pango_layout_set_width(layout, maxWidth * PANGO_SCALE);
        pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    }
    int w = 0;
    int h = 0;
    pango_layout_get_pixel_size(layout, &w, &h);
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
    cairo_move_to(cr, rightAligned ? x - w : x, y);
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
    return w;
}

void PaintGrid(cairo_t* cr, const RollBodyLook& look) {
    const RollView& v = look.view;
    const double left = RollView::kKeyboardWidth;
    const double top = RollView::kRulerHeight;
    cairo_save(cr);
    cairo_rectangle(cr, left, top, v.width - left, v.height - top);
    cairo_clip(cr);
    for (int key = v.lowestVisibleKey(); key <= v.highestVisibleKey(); ++key) {
        const double y = v.yOfKey(key);
        Fill(cr, left, y, v.width - left, RollView::kKeyHeight, IsBlack(key) ? Rgb{0.150, 0.165, 0.180} : Rgb{0.180, 0.196, 0.212});
        // The octave's edge, between B and C, stronger than the rows' edges.
        Fill(cr, left, y + RollView::kKeyHeight - 1, v.width - left, 1,
             key % 12 == 0 ? Rgb{0.075, 0.082, 0.090} : Rgb{0.130, 0.142, 0.155});
    }
    const std::int64_t step = look.grid.step();
    const std::int64_t beat = v.ppq;
    const std::int64_t bar = 4 * beat;
    const std::int64_t first = v.tickAt(left) / step * step;
    for (std::int64_t t = first;; t += step) {
        const double x = std::floor(v.xOfTick(t));
        if (x >= v.width) {
            break;
        }
        const double alpha = t % bar == 0 ? 0.20 : t % beat == 0 ? 0.085 : 0.035;
        Fill(cr, x, top, 1, v.height - top, {1, 1, 1}, alpha);
    }
    cairo_restore(cr);
}

void PaintNotes(GtkWidget* body, cairo_t* cr, const RollBodyLook& look) {
    const RollView& v = look.view;
    cairo_save(cr);
    cairo_rectangle(cr, RollView::kKeyboardWidth, RollView::kRulerHeight, v.width - RollView::kKeyboardWidth,
                    v.height - RollView::kRulerHeight);
    cairo_clip(cr);
    const std::vector<ScoreEvent>& events = *look.events;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const ScoreEvent& e = events[i];
        if (e.kind != EventKind::Note || e.instance != look.instance) {
            continue;
        }
        const double x0 = std::round(v.xOfTick(e.tick));
        const double x1 = std::round(v.xOfTick(e.tick + e.length));
        const double y = v.yOfKey(e.key);
        if (x1 < RollView::kKeyboardWidth || x0 > v.width || y + RollView::kKeyHeight < RollView::kRulerHeight || y > v.height) {
            continue;
        }
        const double w = std::max(3.0, x1 - x0 - 1);
        RoundedRect(cr, x0 + 0.5, y + 1.5, w, RollView::kKeyHeight - 3, 2.5);
        cairo_pattern_t* fill = cairo_pattern_create_linear(0, y + 1, 0, y + RollView::kKeyHeight - 1);
        const NoteColourRgb c = NoteColour(e.colour);
        const auto stop = [&](double at, double shade) {
            const double k = shade >= 0 ? shade : 0;
            const double d = shade < 0 ? -shade : 0;
            cairo_pattern_add_color_stop_rgb(fill, at, (c.r + (1 - c.r) * k) * (1 - d), (c.g + (1 - c.g) * k) * (1 - d),
                                             (c.b + (1 - c.b) * k) * (1 - d));
        };
        stop(0, 0.28);
        stop(1, -0.08);
        cairo_set_source(cr, fill);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(fill);
        const bool active = look.activeNote && *look.activeNote == i;
        if (active) {
            cairo_set_source_rgb(cr, 1, 1, 1);
            cairo_set_line_width(cr, 1.5);
        } else {
            SetNoteColour(cr, e.colour, -0.55);
            cairo_set_line_width(cr, 1);
        }
        cairo_stroke(cr);
        if (w >= 30) {
            cairo_save(cr);
            cairo_rectangle(cr, x0 + 1, y, w - 2, RollView::kKeyHeight);
            cairo_clip(cr);
            Text(body, cr, NoteName(e.key, false), x0 + 4, y + 1, {0.08, 0.09, 0.10}, "Sans 7");
            cairo_restore(cr);
        }
    }
    if (look.playhead) {
        const double x = std::floor(v.xOfTick(*look.playhead));
        Fill(cr, x, RollView::kRulerHeight, 1, v.height - RollView::kRulerHeight, {0.95, 0.96, 0.97}, 0.75);
    }
    cairo_restore(cr);
}

void PaintRuler(GtkWidget* body, cairo_t* cr, const RollBodyLook& look) {
    const RollView& v = look.view;
    const double h = RollView::kRulerHeight;
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(fill, 0, 0.255, 0.275, 0.298);
    cairo_pattern_add_color_stop_rgb(fill, 1, 0.200, 0.216, 0.235);
    cairo_set_source(cr, fill);
    cairo_rectangle(cr, 0, 0, v.width, h);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    Fill(cr, 0, h - 1, v.width, 1, {0.07, 0.08, 0.09});
    cairo_save(cr);
    cairo_rectangle(cr, RollView::kKeyboardWidth, 0, v.width - RollView::kKeyboardWidth, h);
    cairo_clip(cr);
    const std::int64_t beat = v.ppq;
    const std::int64_t bar = 4 * beat;
    for (std::int64_t t = v.tickAt(RollView::kKeyboardWidth) / beat * beat;; t += beat) {
        const double x = std::floor(v.xOfTick(t));
        if (x >= v.width) {
            break;
        }
        if (t % bar == 0) {
            Fill(cr, x, 3, 1, h - 4, {0.80, 0.83, 0.86}, 0.7);
            Text(body, cr, std::to_string(t / bar + 1), x + 4, 2, {0.84, 0.87, 0.89}, "Sans 8", 0, true);
        } else {
            Fill(cr, x, h - 6, 1, 5, {0.80, 0.83, 0.86}, 0.45);
        }
    }
    if (look.playhead) {
        const double x = std::floor(v.xOfTick(*look.playhead)) + 0.5;
        cairo_move_to(cr, x - 5, h - 9);
        cairo_line_to(cr, x + 5, h - 9);
        cairo_line_to(cr, x, h - 2);
        cairo_close_path(cr);
        cairo_set_source_rgb(cr, 0.95, 0.96, 0.97);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void PaintKeyboard(GtkWidget* body, cairo_t* cr, const RollBodyLook& look) {
    const RollView& v = look.view;
    const double w = RollView::kKeyboardWidth;
    const double kh = RollView::kKeyHeight;
    const double blackWidth = std::round(w * kBlackKeyShare);
    cairo_save(cr);
    cairo_rectangle(cr, 0, RollView::kRulerHeight, w, v.height - RollView::kRulerHeight);
    cairo_clip(cr);
    cairo_pattern_t* ivory = cairo_pattern_create_linear(0, 0, w, 0);
    cairo_pattern_add_color_stop_rgb(ivory, 0, 0.86, 0.88, 0.89);
    cairo_pattern_add_color_stop_rgb(ivory, 0.15, 0.93, 0.94, 0.95);
    cairo_pattern_add_color_stop_rgb(ivory, 1, 0.97, 0.975, 0.98);
    cairo_set_source(cr, ivory);
    cairo_rectangle(cr, 0, RollView::kRulerHeight, w, v.height - RollView::kRulerHeight);
    cairo_fill(cr);
    cairo_pattern_destroy(ivory);
    for (int key = v.lowestVisibleKey(); key <= v.highestVisibleKey(); ++key) {
        const double y = v.yOfKey(key);
        const bool black = IsBlack(key);
        const bool held = look.heldKey && *look.heldKey == key;
        const std::string& name = look.keyNames != nullptr ? (*look.keyNames)[static_cast<std::size_t>(key)] : std::string();
        if (black) {
            cairo_pattern_t* ebony = cairo_pattern_create_linear(0, 0, blackWidth, 0);
            cairo_pattern_add_color_stop_rgb(ebony, 0, 0.10, 0.11, 0.12);
            cairo_pattern_add_color_stop_rgb(ebony, 0.85, 0.17, 0.18, 0.20);
            cairo_pattern_add_color_stop_rgb(ebony, 1, 0.08, 0.09, 0.10);
            cairo_set_source(cr, ebony);
            cairo_rectangle(cr, 0, y, blackWidth, kh);
            cairo_fill(cr);
            cairo_pattern_destroy(ebony);
            // The white keys meet half way behind a black one.
            Fill(cr, blackWidth, y + kh / 2, w - blackWidth, 1, {0.62, 0.65, 0.68});
        } else if (key % 12 == 0 || key % 12 == 5) {
            Fill(cr, 0, y + kh - 1, w, 1, {0.55, 0.58, 0.61});
        }
        if (held) {
            SetNoteColour(cr, look.colour, 0.0, 0.7);
            cairo_rectangle(cr, 0, y, black ? blackWidth : w, kh);
            cairo_fill(cr);
        }
        if (!name.empty()) {
            // The key's name for the selected colour, and a tag of that colour.
            SetNoteColour(cr, look.colour);
            cairo_rectangle(cr, w - 5, y + 1, 4, kh - 2);
            cairo_fill(cr);
            const Rgb ink = black && !held ? Rgb{0.93, 0.94, 0.95} : Rgb{0.10, 0.11, 0.12};
            Text(body, cr, name, 4, y, ink, "Sans 7.5", static_cast<int>(w) - (key % 12 == 0 ? 40 : 12), true);
        }
        if (key % 12 == 0) {
            Text(body, cr, NoteName(key, false), w - 8, y + 1, {0.38, 0.41, 0.44}, "Sans 7", 0, false, true);
        }
    }
    Fill(cr, w - 1, RollView::kRulerHeight, 1, v.height - RollView::kRulerHeight, {0.06, 0.07, 0.08});
    cairo_restore(cr);
}

}  // namespace

void SetNoteColour(cairo_t* cr, int colour, double shade, double alpha) {
    const NoteColourRgb c = NoteColour(colour);
    const double k = shade >= 0 ? shade : 0;
    const double d = shade < 0 ? -shade : 0;
    cairo_set_source_rgba(cr, (c.r + (1 - c.r) * k) * (1 - d), (c.g + (1 - c.g) * k) * (1 - d), (c.b + (1 - c.b) * k) * (1 - d),
                          alpha);
}

void PaintRollBody(GtkWidget* body, cairo_t* cr, const RollBodyLook& look) {
    PaintGrid(cr, look);
    PaintNotes(body, cr, look);
    PaintKeyboard(body, cr, look);
    PaintRuler(body, cr, look);
}

void PaintColourStrip(GtkWidget* strip, cairo_t* cr, const ColourStripLook& look) {
    const int w = gtk_widget_get_allocated_width(strip);
    const int h = gtk_widget_get_allocated_height(strip);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(fill, 0, 0.200, 0.216, 0.235);
    cairo_pattern_add_color_stop_rgb(fill, 1, 0.165, 0.180, 0.196);
    cairo_set_source(cr, fill);
    cairo_paint(cr);
    cairo_pattern_destroy(fill);
    Fill(cr, 0, h - 1, w, 1, {0.07, 0.08, 0.09});

    const GdkRectangle& box = kSelectorBox;
    RoundedRect(cr, box.x + 0.5, box.y + 0.5, box.width, box.height, 4);
    cairo_set_source_rgb(cr, 0.118, 0.129, 0.141);
    cairo_fill_preserve(cr);
    if (look.focused) {
        SetNoteColour(cr, look.colour, 0.2);
        cairo_set_line_width(cr, 1.5);
    } else {
        cairo_set_source_rgb(cr, 0.30, 0.33, 0.36);
        cairo_set_line_width(cr, 1);
    }
    cairo_stroke(cr);
    RoundedRect(cr, box.x + 8.5, box.y + 7.5, 20, 20, 4);
    SetNoteColour(cr, look.colour);
    cairo_fill_preserve(cr);
    SetNoteColour(cr, look.colour, -0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const int textX = box.x + 38;
    const int textWidth = box.width - 38 - 20;
    Text(strip, cr, "Colour " + std::to_string(look.colour + 1) + (look.picking ? "  \u2026" : ""), textX, box.y + 3,
         {0.90, 0.92, 0.93}, "Sans 8.5", textWidth, true);
    Text(strip, cr, look.colourName.empty() ? std::string("no name") : look.colourName, textX, box.y + 17,
         look.colourName.empty() ? Rgb{0.48, 0.51, 0.54} : Rgb{0.72, 0.75, 0.78}, "Sans 7.5", textWidth);
    // The drop-down arrow.
    const double ax = box.x + box.width - 13;
    const double ay = box.y + box.height / 2.0 - 2;
    cairo_move_to(cr, ax - 4, ay);
    cairo_line_to(cr, ax + 4, ay);
    cairo_line_to(cr, ax, ay + 5);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 0.70, 0.73, 0.76);
    cairo_fill(cr);

    // What the roll edits with, and how.
    int x = box.x + box.width + 18;
    const auto field = [&](const char* label, const std::string& value) {
        const int labelWidth = Text(strip, cr, label, x, box.y + 2, {0.50, 0.53, 0.56}, "Sans 6.5", 0, true);
        const int valueWidth = Text(strip, cr, value, x, box.y + 15, {0.86, 0.88, 0.90}, "Sans 8.5");
        x += std::max({labelWidth, valueWidth, 36}) + 20;
    };
    field("SNAP", "\u00bc beat");
    field("RESOLUTION", std::to_string(look.ppq) + " PPQ");
    field("NOTES", std::to_string(look.notes));
    if (w - x > 80) {
        // A separator, then how the mouse edits.
        Fill(cr, x - 10, box.y + 3, 1, box.height - 6, {0.30, 0.33, 0.36});
        Text(strip, cr, "Click adds \u00b7 drag moves, from the end stretches \u00b7 right-click deletes \u00b7 Ctrl-click recolours",
             x, box.y + 3, {0.55, 0.58, 0.61}, "Sans 7.5", w - x - 10);
        Text(strip, cr, "Click a key to play it \u00b7 Shift-click a key to rename it", x, box.y + 17, {0.55, 0.58, 0.61},
             "Sans 7.5", w - x - 10);
    }
}

}  // namespace velmora::host
