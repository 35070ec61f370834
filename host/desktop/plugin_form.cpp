#include "host/desktop/plugin_form.h"

#include <gdk/gdkx.h>

#include <algorithm>

namespace velmora::host {

namespace {

// Before the editor paints, and where no editor can appear.
constexpr double kAreaGrey = 0.16;

// The server's default visual. GTK may draw its windows with another one (a
// visual chosen for OpenGL); an editor window made with the default visual
// and its parent's colormap can only be the child of a window of that visual.
GdkVisual* ServerDefaultVisual(GtkWidget* window) {
    GdkScreen* screen = gtk_widget_get_screen(window);
    Display* display = GDK_SCREEN_XDISPLAY(screen);
    Visual* visual = DefaultVisual(display, gdk_x11_screen_get_screen_number(screen));
    return gdk_x11_screen_lookup_visual(screen, XVisualIDFromVisual(visual));
}

}  // namespace

PluginForm::PluginForm(GtkWindow* owner, const std::string& title, std::optional<GdkPoint> first, Handlers handlers)
    : handlers_(std::move(handlers)), position_(first) {
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    if (GdkVisual* visual = ServerDefaultVisual(window_)) {
        gtk_widget_set_visual(window_, visual);
    }
    gtk_window_set_title(GTK_WINDOW(window_), title.c_str());
    gtk_window_set_transient_for(GTK_WINDOW(window_), owner);
    gtk_window_set_type_hint(GTK_WINDOW(window_), GDK_WINDOW_TYPE_HINT_NORMAL);
    // The editor sets the size; the form follows it, larger and smaller.
    gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
    gtk_window_set_role(GTK_WINDOW(window_), "plugin-form");
    area_ = gtk_drawing_area_new();
    gtk_container_add(GTK_CONTAINER(window_), area_);
    g_signal_connect(window_, "delete-event", G_CALLBACK(OnDelete), this);
    g_signal_connect(window_, "key-press-event", G_CALLBACK(OnKey), this);
    g_signal_connect(window_, "map-event", G_CALLBACK(OnMapped), this);
    g_signal_connect(area_, "size-allocate", G_CALLBACK(OnAllocated), this);
    g_signal_connect(area_, "draw", G_CALLBACK(OnDraw), this);
}

PluginForm::~PluginForm() { gtk_widget_destroy(window_); }

unsigned long PluginForm::show(int width, int height) {
    fit(width, height);
    if (position_) {
        gtk_window_move(GTK_WINDOW(window_), position_->x, position_->y);
    }
    gtk_widget_show_all(window_);
    // The editor needs a window of the server's own to be its parent.
    gtk_widget_realize(area_);
    GdkWindow* native = gtk_widget_get_window(area_);
    gdk_window_ensure_native(native);
    // Both connections must see the window before the plugin's asks for it.
    gdk_display_sync(gtk_widget_get_display(window_));
    shown_ = true;
    return gdk_x11_window_get_xid(native);
}

void PluginForm::hide() {
    if (!shown_) {
        return;
    }
    GdkPoint where{};
    gtk_window_get_position(GTK_WINDOW(window_), &where.x, &where.y);
    position_ = where;
    gtk_widget_hide(window_);
    shown_ = false;
    mapped_ = false;
    toldWidth_ = toldHeight_ = 0;
}

void PluginForm::fit(int width, int height) {
    gtk_widget_set_size_request(area_, std::max(width, 1), std::max(height, 1));
}

void PluginForm::setTitle(const std::string& title) { gtk_window_set_title(GTK_WINDOW(window_), title.c_str()); }

unsigned long PluginForm::windowId() const {
    GdkWindow* w = gtk_widget_get_window(window_);
    return w != nullptr ? gdk_x11_window_get_xid(w) : 0;
}

unsigned long PluginForm::areaId() const {
    GdkWindow* w = gtk_widget_get_window(area_);
    return w != nullptr ? gdk_x11_window_get_xid(w) : 0;
}

void PluginForm::tellPlaced() {
    GtkAllocation a;
    gtk_widget_get_allocation(area_, &a);
    GtkRequisition wanted;
    gtk_widget_get_size_request(area_, &wanted.width, &wanted.height);
    // Only a size the editor asked for counts: the first allocation may still be the old one.
    if (!mapped_ || a.width != wanted.width || a.height != wanted.height ||
        (a.width == toldWidth_ && a.height == toldHeight_)) {
        return;
    }
    toldWidth_ = a.width;
    toldHeight_ = a.height;
    if (handlers_.placed) {
        handlers_.placed(a.width, a.height);
    }
}

gboolean PluginForm::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
    auto& form = *static_cast<PluginForm*>(self);
    if (form.handlers_.closeRequested) {
        form.handlers_.closeRequested();
    }
    return TRUE;  // kept: hidden by the close, never destroyed while its instance lives
}

gboolean PluginForm::OnKey(GtkWidget*, GdkEventKey* event, gpointer self) {
    const guint modifiers = event->state & gtk_accelerator_get_default_mod_mask();
    if (modifiers == GDK_CONTROL_MASK && gdk_keyval_to_lower(event->keyval) == GDK_KEY_w) {
        OnDelete(nullptr, nullptr, self);
        return TRUE;
    }
    return FALSE;
}

gboolean PluginForm::OnMapped(GtkWidget*, GdkEvent*, gpointer self) {
    auto& form = *static_cast<PluginForm*>(self);
    form.mapped_ = true;
    form.tellPlaced();
    return FALSE;
}

void PluginForm::OnAllocated(GtkWidget*, GdkRectangle*, gpointer self) { static_cast<PluginForm*>(self)->tellPlaced(); }

gboolean PluginForm::OnDraw(GtkWidget* area, cairo_t* cr, gpointer self) {
    const auto& form = *static_cast<PluginForm*>(self);
    cairo_set_source_rgb(cr, kAreaGrey, kAreaGrey, kAreaGrey);
    cairo_paint(cr);
    if (!form.placeholder_.empty()) {
        PangoLayout* layout = gtk_widget_create_pango_layout(area, form.placeholder_.c_str());
        pango_layout_set_width(layout, std::max(1, gtk_widget_get_allocated_width(area) - 32) * PANGO_SCALE);
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
        pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
        int w = 0;
        int h = 0;
        pango_layout_get_pixel_size(layout, &w, &h);
        cairo_set_source_rgb(cr, 0.62, 0.62, 0.62);
        cairo_move_to(cr, (gtk_widget_get_allocated_width(area) - w) / 2.0, (gtk_widget_get_allocated_height(area) - h) / 2.0);
        pango_cairo_show_layout(cr, layout);
        g_object_unref(layout);
    }
    return TRUE;
}

}  // namespace velmora::host
