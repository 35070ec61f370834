#include "host/desktop/workspace.h"

#include <gdk/gdkx.h>

#include <algorithm>
#include <optional>

#include "host/desktop/native_window.h"

namespace velmora::host {

namespace {

constexpr int kMinimumWidth = 560;
constexpr int kMinimumHeight = 420;
constexpr char kEmptyText[] = "Open an editor or a piano roll from the rack";

}  // namespace

struct Workspace::Child {
    Workspace* workspace = nullptr;
    GtkWidget* widget = nullptr;
    GtkWidget* caption = nullptr;
    GtkGesture* raiser = nullptr;
    GdkWindow* native = nullptr;
    unsigned long id = 0;
    int x = 0;
    int y = 0;
    // Our own last move, until the window system reports it done: reports of
    // the moves before it are old news, not another program's.
    std::optional<GdkPoint> expected;
    bool dragging = false;
    double pressX = 0.0;  // root coordinates of the press
    double pressY = 0.0;
    int startX = 0;
    int startY = 0;
};

Workspace::Workspace() {
    fixed_ = gtk_fixed_new();
    gtk_widget_set_has_window(fixed_, TRUE);
    gtk_widget_set_hexpand(fixed_, TRUE);
    gtk_widget_set_vexpand(fixed_, TRUE);
    gtk_widget_set_size_request(fixed_, kMinimumWidth, kMinimumHeight);
    g_signal_connect(fixed_, "draw", G_CALLBACK(OnDrawBackground), this);
    g_object_ref_sink(fixed_);
}

Workspace::~Workspace() {
    while (!children_.empty()) {
        remove(children_.begin()->first);
    }
    g_object_unref(fixed_);
}

void Workspace::makeNative() {
    MakeNative(fixed_);
    SetWindowClass(fixed_, kContainerClass);
}

void Workspace::add(GtkWidget* child, GtkWidget* caption, int x, int y) {
    auto c = std::make_unique<Child>();
    c->workspace = this;
    c->widget = child;
    c->caption = caption;
    c->x = std::max(0, x);
    c->y = std::max(0, y);
    c->expected = GdkPoint{c->x, c->y};
    gtk_fixed_put(GTK_FIXED(fixed_), child, c->x, c->y);
    c->id = MakeNative(child);
    c->native = gtk_widget_get_window(child);
    gdk_window_add_filter(c->native, &Workspace::OnNativeEvent, c.get());
    gtk_widget_add_events(caption, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_BUTTON1_MOTION_MASK);
    g_signal_connect(caption, "button-press-event", G_CALLBACK(OnPress), c.get());
    g_signal_connect(caption, "motion-notify-event", G_CALLBACK(OnMotion), c.get());
    g_signal_connect(caption, "button-release-event", G_CALLBACK(OnRelease), c.get());
    // Any click inside a child brings it to the top, whatever part takes the click.
    c->raiser = gtk_gesture_multi_press_new(child);
    gtk_gesture_single_set_button(GTK_GESTURE_SINGLE(c->raiser), 0);
    gtk_event_controller_set_propagation_phase(GTK_EVENT_CONTROLLER(c->raiser), GTK_PHASE_CAPTURE);
    g_signal_connect(c->raiser, "pressed", G_CALLBACK(+[](GtkGestureMultiPress*, gint, gdouble, gdouble, gpointer self) {
                         auto& ch = *static_cast<Child*>(self);
                         ch.workspace->raise(ch.widget);
                     }),
                     c.get());
    active_ = child;
    children_[child] = std::move(c);
}

void Workspace::remove(GtkWidget* child) {
    const auto it = children_.find(child);
    if (it == children_.end()) {
        return;
    }
    Child& c = *it->second;
    g_signal_handlers_disconnect_matched(c.caption, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, &c);
    gdk_window_remove_filter(c.native, &Workspace::OnNativeEvent, &c);
    g_object_unref(c.raiser);
    if (active_ == child) {
        active_ = nullptr;
    }
    gtk_widget_destroy(child);
    children_.erase(it);
}

void Workspace::place(Child& c, int x, int y) {
    // Wholly inside the workspace, as far as it is large enough.
    const int maxX = std::max(0, width() - gtk_widget_get_allocated_width(c.widget));
    const int maxY = std::max(0, height() - gtk_widget_get_allocated_height(c.widget));
    x = std::clamp(x, 0, maxX);
    y = std::clamp(y, 0, maxY);
    if (x == c.x && y == c.y) {
        return;
    }
    c.x = x;
    c.y = y;
    c.expected = GdkPoint{x, y};
    gtk_fixed_move(GTK_FIXED(fixed_), c.widget, x, y);
}

GdkPoint Workspace::position(GtkWidget* child) const {
    const auto it = children_.find(child);
    return it != children_.end() ? GdkPoint{it->second->x, it->second->y} : GdkPoint{0, 0};
}

void Workspace::raise(GtkWidget* child) {
    const auto it = children_.find(child);
    if (it == children_.end()) {
        return;
    }
    gdk_window_raise(it->second->native);
    active_ = child;
}

void Workspace::lower(GtkWidget* child) {
    const auto it = children_.find(child);
    if (it == children_.end()) {
        return;
    }
    gdk_window_lower(it->second->native);
    if (active_ == child) {
        active_ = nullptr;
    }
}

GtkWidget* Workspace::active() const {
    return active_ != nullptr && gtk_widget_get_visible(active_) ? active_ : nullptr;
}

GtkWidget* Workspace::childOf(GdkWindow* window) const {
    for (GdkWindow* w = window; w != nullptr; w = gdk_window_get_parent(w)) {
        for (const auto& [widget, c] : children_) {
            if (c->native == w) {
                return widget;
            }
        }
    }
    return nullptr;
}

gboolean Workspace::OnPress(GtkWidget*, GdkEventButton* event, gpointer child) {
    auto& c = *static_cast<Child*>(child);
    if (event->button != GDK_BUTTON_PRIMARY || event->type != GDK_BUTTON_PRESS) {
        return FALSE;
    }
    c.dragging = true;
    c.pressX = event->x_root;
    c.pressY = event->y_root;
    c.startX = c.x;
    c.startY = c.y;
    return TRUE;
}

gboolean Workspace::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer child) {
    auto& c = *static_cast<Child*>(child);
    if (!c.dragging) {
        return FALSE;
    }
    c.workspace->place(c, c.startX + static_cast<int>(event->x_root - c.pressX), c.startY + static_cast<int>(event->y_root - c.pressY));
    return TRUE;
}

gboolean Workspace::OnRelease(GtkWidget*, GdkEventButton* event, gpointer child) {
    auto& c = *static_cast<Child*>(child);
    if (!c.dragging || event->button != GDK_BUTTON_PRIMARY) {
        return FALSE;
    }
    c.dragging = false;
    if ((c.x != c.startX || c.y != c.startY) && c.workspace->moved_) {
        c.workspace->moved_(c.widget);
    }
    return TRUE;
}

GdkFilterReturn Workspace::OnNativeEvent(GdkXEvent* xevent, GdkEvent*, gpointer child) {
    auto& c = *static_cast<Child*>(child);
    const auto* e = static_cast<const XEvent*>(xevent);
    if (e->type != ConfigureNotify || e->xconfigure.window != c.id || c.dragging) {
        return GDK_FILTER_CONTINUE;
    }
    const int x = e->xconfigure.x;
    const int y = e->xconfigure.y;
    int atX = 0;
    int atY = 0;
    gdk_window_get_position(c.native, &atX, &atY);
    if (x == atX && y == atY) {
        c.expected.reset();  // where the toolkit put it last
        return GDK_FILTER_CONTINUE;
    }
    if (c.expected) {
        if (x == c.expected->x && y == c.expected->y) {
            c.expected.reset();
        }
        return GDK_FILTER_CONTINUE;
    }
    if (x == c.x && y == c.y) {
        return GDK_FILTER_CONTINUE;
    }
    // Moved by another program: the layout follows, so the next drag starts there.
    c.x = x;
    c.y = y;
    gtk_fixed_move(GTK_FIXED(c.workspace->fixed_), c.widget, x, y);
    if (c.workspace->moved_) {
        c.workspace->moved_(c.widget);
    }
    return GDK_FILTER_CONTINUE;
}

gboolean Workspace::OnDrawBackground(GtkWidget* widget, cairo_t* cr, gpointer self) {
    const auto& ws = *static_cast<Workspace*>(self);
    if (gtk_cairo_should_draw_window(cr, gtk_widget_get_window(widget)) == FALSE) {
        return FALSE;
    }
    const int w = gtk_widget_get_allocated_width(widget);
    const int h = gtk_widget_get_allocated_height(widget);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(fill, 0, 0.204, 0.224, 0.243);
    cairo_pattern_add_color_stop_rgb(fill, 1, 0.157, 0.173, 0.188);
    cairo_set_source(cr, fill);
    cairo_paint(cr);
    cairo_pattern_destroy(fill);
    const bool empty = std::none_of(ws.children_.begin(), ws.children_.end(),
                                    [](const auto& c) { return gtk_widget_get_visible(c.first) != FALSE; });
    if (empty) {
        PangoLayout* layout = gtk_widget_create_pango_layout(widget, kEmptyText);
        int tw = 0;
        int th = 0;
        pango_layout_get_pixel_size(layout, &tw, &th);
        cairo_set_source_rgb(cr, 0.48, 0.51, 0.54);
        cairo_move_to(cr, (w - tw) / 2.0, (h - th) / 2.0);
        pango_cairo_show_layout(cr, layout);
        g_object_unref(layout);
    }
    return FALSE;
}

}  // namespace velmora::host
