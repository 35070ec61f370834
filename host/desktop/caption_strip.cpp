#include "host/desktop/caption_strip.h"

#include <algorithm>

namespace velmora::host {

namespace {

constexpr int kCloseSize = 16;
constexpr int kCloseMargin = 4;

}  // namespace

void PaintCaption(GtkWidget* caption, cairo_t* cr, const std::string& title, bool closeHovered) {
    const int w = gtk_widget_get_allocated_width(caption);
    const int h = gtk_widget_get_allocated_height(caption);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(fill, 0, 0.275, 0.302, 0.329);
    cairo_pattern_add_color_stop_rgb(fill, 1, 0.212, 0.235, 0.259);
    cairo_set_source(cr, fill);
    cairo_paint(cr);
    cairo_pattern_destroy(fill);
    cairo_set_source_rgb(cr, 0.36, 0.39, 0.42);
    cairo_rectangle(cr, 0, 0, w, 1);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.09, 0.10, 0.11);
    cairo_rectangle(cr, 0, h - 1, w, 1);
    cairo_fill(cr);

    PangoLayout* layout = gtk_widget_create_pango_layout(caption, nullptr);
    gchar* markup = g_markup_printf_escaped("<b>%s</b>", title.c_str());
    pango_layout_set_markup(layout, markup, -1);
    g_free(markup);
    PangoFontDescription* font = pango_font_description_from_string("Sans 8.5");
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    pango_layout_set_width(layout, std::max(1, w - 16 - kCloseSize - 2 * kCloseMargin) * PANGO_SCALE);
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    int tw = 0;
    int th = 0;
    pango_layout_get_pixel_size(layout, &tw, &th);
    cairo_set_source_rgb(cr, 0.87, 0.89, 0.91);
    cairo_move_to(cr, 8, (h - th) / 2.0);
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);

    const double x = w - kCloseSize - kCloseMargin;
    const double y = (h - kCloseSize) / 2.0;
    if (closeHovered) {
        cairo_set_source_rgb(cr, 0.78, 0.27, 0.25);
        cairo_rectangle(cr, x, y, kCloseSize, kCloseSize);
        cairo_fill(cr);
    }
    cairo_set_source_rgb(cr, closeHovered ? 1.0 : 0.74, closeHovered ? 1.0 : 0.77, closeHovered ? 1.0 : 0.80);
    cairo_set_line_width(cr, 1.4);
    cairo_move_to(cr, x + 5, y + 5);
    cairo_line_to(cr, x + kCloseSize - 5, y + kCloseSize - 5);
    cairo_move_to(cr, x + kCloseSize - 5, y + 5);
    cairo_line_to(cr, x + 5, y + kCloseSize - 5);
    cairo_stroke(cr);
}

bool OnCloseBox(GtkWidget* caption, double x, double y) {
    const int w = gtk_widget_get_allocated_width(caption);
    const int h = gtk_widget_get_allocated_height(caption);
    const double left = w - kCloseSize - kCloseMargin;
    const double top = (h - kCloseSize) / 2.0;
    return x >= left && x < left + kCloseSize && y >= top && y < top + kCloseSize;
}

void PaintChildBorder(GtkWidget* child, cairo_t* cr) {
    if (gtk_cairo_should_draw_window(cr, gtk_widget_get_window(child)) == FALSE) {
        return;
    }
    cairo_set_source_rgb(cr, 0.06, 0.07, 0.08);
    cairo_paint(cr);
}

namespace {

gboolean OnCaptionDraw(GtkWidget* caption, cairo_t* cr, gpointer data) {
    const auto& b = *static_cast<CaptionBehaviour*>(data);
    PaintCaption(caption, cr, b.title ? b.title() : std::string(), b.closeHovered);
    return TRUE;
}

gboolean OnCaptionPress(GtkWidget* caption, GdkEventButton* event, gpointer data) {
    auto& b = *static_cast<CaptionBehaviour*>(data);
    if (event->button == GDK_BUTTON_PRIMARY && OnCloseBox(caption, event->x, event->y)) {
        if (b.close) {
            b.close();
        }
        return TRUE;
    }
    return FALSE;
}

void SetHovered(GtkWidget* caption, CaptionBehaviour& b, bool hovered) {
    if (hovered != b.closeHovered) {
        b.closeHovered = hovered;
        gtk_widget_queue_draw(caption);
    }
}

gboolean OnCaptionMotion(GtkWidget* caption, GdkEventMotion* event, gpointer data) {
    SetHovered(caption, *static_cast<CaptionBehaviour*>(data), OnCloseBox(caption, event->x, event->y));
    return FALSE;
}

gboolean OnCaptionLeave(GtkWidget* caption, GdkEventCrossing*, gpointer data) {
    SetHovered(caption, *static_cast<CaptionBehaviour*>(data), false);
    return FALSE;
}

}  // namespace

GtkWidget* NewCaption(CaptionBehaviour& behaviour) {
    GtkWidget* caption = gtk_drawing_area_new();
    gtk_widget_set_size_request(caption, -1, kCaptionHeight);
    gtk_widget_add_events(caption, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_BUTTON1_MOTION_MASK |
                                       GDK_POINTER_MOTION_MASK | GDK_LEAVE_NOTIFY_MASK);
    g_signal_connect(caption, "draw", G_CALLBACK(OnCaptionDraw), &behaviour);
    g_signal_connect(caption, "button-press-event", G_CALLBACK(OnCaptionPress), &behaviour);
    g_signal_connect(caption, "motion-notify-event", G_CALLBACK(OnCaptionMotion), &behaviour);
    g_signal_connect(caption, "leave-notify-event", G_CALLBACK(OnCaptionLeave), &behaviour);
    return caption;
}

}  // namespace velmora::host
