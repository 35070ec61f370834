#pragma once
// How the editor's text is rendered, wherever the platform sets it (the
// canvas, the pop-up menus): grey antialiasing with slight hinting and
// whole-pixel metrics, crisp at small sizes without the colour fringes of
// subpixel rendering.
#include <pango/pangocairo.h>

namespace platform::ui {

inline void SetEditorTextOptions(PangoContext* context) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
}

}  // namespace platform::ui
