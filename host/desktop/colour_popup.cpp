#include "host/desktop/colour_popup.h"

#include <gdk/gdkx.h>

#include "host/desktop/native_window.h"
#include "host/desktop/roll_painting.h"

namespace velmora::host {

namespace {

constexpr int kHeaderRows = 4;  // border, shade, the accent line, shade

void Fill(cairo_t* cr, int x, int y, int w, int h, std::uint32_t rgb) {
    cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

}  // namespace

std::optional<SelectorKey> SelectorKeyOf(guint keyval) {
    switch (keyval) {
        case GDK_KEY_Home:
        case GDK_KEY_KP_Home: return SelectorKey::Home;
        case GDK_KEY_End:
        case GDK_KEY_KP_End: return SelectorKey::End;
        case GDK_KEY_Up:
        case GDK_KEY_KP_Up: return SelectorKey::Up;
        case GDK_KEY_Down:
        case GDK_KEY_KP_Down: return SelectorKey::Down;
        case GDK_KEY_Left:
        case GDK_KEY_KP_Left: return SelectorKey::Left;
        case GDK_KEY_Right:
        case GDK_KEY_KP_Right: return SelectorKey::Right;
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
        case GDK_KEY_ISO_Enter: return SelectorKey::Enter;
        case GDK_KEY_Escape: return SelectorKey::Escape;
        default: return std::nullopt;
    }
}

ColourPopup::ColourPopup(GtkWindow* owner, GdkPoint screen, const ColourSelector& selector,
                         const std::array<std::string, 16>& names, Handlers handlers)
    : selector_(selector), names_(names), handlers_(std::move(handlers)) {
    window_ = gtk_window_new(GTK_WINDOW_POPUP);
    gtk_widget_set_visual(window_, gtk_widget_get_visual(GTK_WIDGET(owner)));
    gtk_window_set_transient_for(GTK_WINDOW(window_), owner);
    gtk_window_set_type_hint(GTK_WINDOW(window_), GDK_WINDOW_TYPE_HINT_POPUP_MENU);
    gtk_widget_set_size_request(window_, kColourPopupWidth, kColourPopupHeight);
    gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
    gtk_window_move(GTK_WINDOW(window_), screen.x, screen.y);
    gtk_widget_set_app_paintable(window_, TRUE);
    gtk_widget_add_events(window_, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK |
                                       GDK_KEY_PRESS_MASK | GDK_STRUCTURE_MASK);
    g_signal_connect(window_, "draw", G_CALLBACK(OnDraw), this);
    g_signal_connect(window_, "map-event", G_CALLBACK(OnMapped), this);
    g_signal_connect(window_, "key-press-event", G_CALLBACK(OnKey), this);
    g_signal_connect(window_, "button-press-event", G_CALLBACK(OnPress), this);
    g_signal_connect(window_, "button-release-event", G_CALLBACK(OnRelease), this);
    g_signal_connect(window_, "motion-notify-event", G_CALLBACK(OnMotion), this);
    gtk_widget_realize(window_);
    SetWindowClass(window_, kColourPopupClass);
    gtk_widget_show(window_);
}

ColourPopup::~ColourPopup() {
    if (grabbed_) {
        gdk_seat_ungrab(gdk_display_get_default_seat(gtk_widget_get_display(window_)));
    }
    g_signal_handlers_disconnect_matched(window_, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, this);
    gtk_widget_destroy(window_);
}

unsigned long ColourPopup::windowId() const { return gdk_x11_window_get_xid(gtk_widget_get_window(window_)); }

void ColourPopup::refresh() { gtk_widget_queue_draw(window_); }

GdkRectangle ColourPopup::cellRect(int colour) const {
    const int width = (kColourPopupWidth - 2) / selector_.columns();
    const int height = (kColourPopupHeight - kHeaderRows) / selector_.rows();
    const SelectorCell cell = selector_.cellOf(colour);
    return {1 + cell.column * width, kHeaderRows + cell.row * height, width, height};
}

std::optional<int> ColourPopup::colourAt(double x, double y) const {
    if (x < 1 || y < kHeaderRows) {
        return std::nullopt;
    }
    const int width = (kColourPopupWidth - 2) / selector_.columns();
    const int height = (kColourPopupHeight - kHeaderRows) / selector_.rows();
    return selector_.colourAt({static_cast<int>(x - 1) / width, static_cast<int>(y - kHeaderRows) / height});
}

gboolean ColourPopup::OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self) {
    const auto& p = *static_cast<ColourPopup*>(self);
    const int w = kColourPopupWidth;
    const int h = kColourPopupHeight;
    Fill(cr, 0, 0, w, h, 0x0E1012);                   // the border
    Fill(cr, 1, 1, w - 2, h - 2, 0x23272B);
    Fill(cr, 1, 1, w - 2, 1, 0x2E3337);
    Fill(cr, 1, 2, w - 2, 1, kColourPopupAccent);     // the header line the plugin knows the pop-up by
    Fill(cr, 1, 3, w - 2, 1, 0x1A1D20);
    const bool wide = p.selector_.columns() <= 2;
    for (int c = 0; c < kNoteColourCount; ++c) {
        const GdkRectangle r = p.cellRect(c);
        if (c == p.selector_.highlighted()) {
            Fill(cr, r.x, r.y, r.width, r.height, 0x3A4147);
        }
        const int swatch = wide ? 12 : 18;
        const double sx = wide ? r.x + 7 : r.x + (r.width - swatch) / 2.0;
        const double sy = wide ? r.y + (r.height - swatch) / 2.0 : r.y + 5;
        cairo_rectangle(cr, sx + 0.5, sy + 0.5, swatch - 1, swatch - 1);
        SetNoteColour(cr, c);
        cairo_fill_preserve(cr);
        SetNoteColour(cr, c, -0.6);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        std::string label = std::to_string(c + 1);
        if (wide && !p.names_[static_cast<std::size_t>(c)].empty()) {
            label += "  " + p.names_[static_cast<std::size_t>(c)];
        }
        PangoLayout* layout = gtk_widget_create_pango_layout(widget, label.c_str());
        PangoFontDescription* font = pango_font_description_from_string(wide ? "Sans 7.5" : "Sans 7");
        if (c == p.selector_.chosen()) {
            pango_font_description_set_weight(font, PANGO_WEIGHT_BOLD);
        }
        pango_layout_set_font_description(layout, font);
        pango_font_description_free(font);
        pango_layout_set_width(layout, (wide ? r.width - 30 : r.width - 4) * PANGO_SCALE);
        pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
        if (!wide) {
            pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
        }
        int tw = 0;
        int th = 0;
        pango_layout_get_pixel_size(layout, &tw, &th);
        const bool lit = c == p.selector_.highlighted() || c == p.selector_.chosen();
        cairo_set_source_rgb(cr, lit ? 0.95 : 0.74, lit ? 0.96 : 0.77, lit ? 0.97 : 0.80);
        cairo_move_to(cr, wide ? r.x + 26 : r.x + 2, wide ? r.y + (r.height - th) / 2.0 : r.y + 26);
        pango_cairo_show_layout(cr, layout);
        g_object_unref(layout);
    }
    return TRUE;
}

gboolean ColourPopup::OnMapped(GtkWidget* widget, GdkEvent* event, gpointer self) {
    auto& p = *static_cast<ColourPopup*>(self);
    // Pointer and keyboard come here while it is open, as a menu takes them.
    GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(widget));
    p.grabbed_ = gdk_seat_grab(seat, gtk_widget_get_window(widget), GDK_SEAT_CAPABILITY_ALL, FALSE, nullptr, event, nullptr,
                               nullptr) == GDK_GRAB_SUCCESS;
    return FALSE;
}

gboolean ColourPopup::OnKey(GtkWidget*, GdkEventKey* event, gpointer self) {
    auto& p = *static_cast<ColourPopup*>(self);
    const std::optional<SelectorKey> key = SelectorKeyOf(event->keyval);
    if (key && p.handlers_.key) {
        p.handlers_.key(*key);  // may close the pop-up
    }
    return TRUE;
}

gboolean ColourPopup::OnPress(GtkWidget*, GdkEventButton* event, gpointer self) {
    auto& p = *static_cast<ColourPopup*>(self);
    if (event->type != GDK_BUTTON_PRESS) {
        return TRUE;
    }
    const bool inside = event->x >= 0 && event->y >= 0 && event->x < kColourPopupWidth && event->y < kColourPopupHeight;
    if (!inside) {
        if (p.handlers_.dismissed) {
            p.handlers_.dismissed();  // closes the pop-up
        }
        return TRUE;
    }
    p.pressed_ = p.colourAt(event->x, event->y);
    return TRUE;
}

gboolean ColourPopup::OnRelease(GtkWidget*, GdkEventButton* event, gpointer self) {
    auto& p = *static_cast<ColourPopup*>(self);
    // Only a press that began here chooses: the release of the click that
    // opened the pop-up does not.
    const std::optional<int> colour = p.colourAt(event->x, event->y);
    if (p.pressed_ && colour == p.pressed_ && event->button == GDK_BUTTON_PRIMARY && p.handlers_.clicked) {
        p.pressed_.reset();
        p.handlers_.clicked(*colour);  // closes the pop-up
        return TRUE;
    }
    p.pressed_.reset();
    return TRUE;
}

gboolean ColourPopup::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self) {
    auto& p = *static_cast<ColourPopup*>(self);
    const std::optional<int> colour = p.colourAt(event->x, event->y);
    if (colour && *colour != p.selector_.highlighted() && p.handlers_.hovered) {
        p.handlers_.hovered(*colour);
    }
    return TRUE;
}

}  // namespace velmora::host
