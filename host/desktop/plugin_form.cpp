#include "host/desktop/plugin_form.h"

#include <algorithm>

#include "host/desktop/caption_strip.h"
#include "host/desktop/native_window.h"
#include "host/desktop/workspace.h"

namespace velmora::host {

namespace {

// Before the editor paints, and where no editor can appear.
constexpr double kSheetGrey = 0.16;

}  // namespace

PluginForm::PluginForm(Workspace& workspace, const std::string& title, GdkPoint first, Handlers handlers)
    : workspace_(workspace), handlers_(std::move(handlers)), title_(title) {
    frame_ = gtk_event_box_new();
    g_signal_connect(frame_, "draw", G_CALLBACK(+[](GtkWidget* frame, cairo_t* cr, gpointer) {
                         PaintChildBorder(frame, cr);
                         return FALSE;
                     }),
                     nullptr);
    GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    g_object_set(column, "margin", 1, nullptr);
    gtk_container_add(GTK_CONTAINER(frame_), column);
    captionBehaviour_.title = [this] { return title_; };
    captionBehaviour_.close = [this] {
        if (handlers_.closeRequested) {
            handlers_.closeRequested();
        }
    };
    caption_ = NewCaption(captionBehaviour_);
    gtk_box_pack_start(GTK_BOX(column), caption_, FALSE, FALSE, 0);
    sheet_ = gtk_drawing_area_new();
    gtk_box_pack_start(GTK_BOX(column), sheet_, FALSE, FALSE, 0);
    gtk_widget_add_events(frame_, GDK_STRUCTURE_MASK);
    g_signal_connect(frame_, "map-event", G_CALLBACK(OnMapped), this);
    g_signal_connect(sheet_, "size-allocate", G_CALLBACK(OnAllocated), this);
    g_signal_connect(sheet_, "draw", G_CALLBACK(OnSheetDraw), this);
    gtk_widget_show_all(column);
    workspace_.add(frame_, caption_, first.x, first.y);
    SetWindowClass(frame_, kPluginFormClass);
    SetWindowTitle(frame_, title_);
    // The editor needs a window of the server's own to be its parent.
    MakeNative(sheet_);
    SetWindowClass(sheet_, kSheetClass);
}

PluginForm::~PluginForm() { workspace_.remove(frame_); }

unsigned long PluginForm::show(int width, int height) {
    fit(width, height);
    gtk_widget_show(frame_);
    workspace_.raise(frame_);
    gtk_widget_queue_draw(workspace_.widget());
    // Both connections must see the window before the plugin's asks for it.
    gdk_display_sync(gtk_widget_get_display(frame_));
    shown_ = true;
    return areaId();
}

void PluginForm::hide() {
    if (!shown_) {
        return;
    }
    gtk_widget_hide(frame_);
    workspace_.lower(frame_);
    gtk_widget_queue_draw(workspace_.widget());
    shown_ = false;
    mapped_ = false;
    toldWidth_ = toldHeight_ = 0;
}

void PluginForm::present() { workspace_.raise(frame_); }

void PluginForm::fit(int width, int height) { gtk_widget_set_size_request(sheet_, std::max(width, 1), std::max(height, 1)); }

void PluginForm::setTitle(const std::string& title) {
    title_ = title;
    SetWindowTitle(frame_, title_);
    gtk_widget_queue_draw(caption_);
}

unsigned long PluginForm::windowId() const { return NativeId(frame_); }

unsigned long PluginForm::areaId() const { return NativeId(sheet_); }

void PluginForm::tellPlaced() {
    GtkAllocation a;
    gtk_widget_get_allocation(sheet_, &a);
    GtkRequisition wanted;
    gtk_widget_get_size_request(sheet_, &wanted.width, &wanted.height);
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

gboolean PluginForm::OnMapped(GtkWidget*, GdkEvent*, gpointer self) {
    auto& form = *static_cast<PluginForm*>(self);
    form.mapped_ = true;
    form.tellPlaced();
    return FALSE;
}

void PluginForm::OnAllocated(GtkWidget*, GdkRectangle*, gpointer self) { static_cast<PluginForm*>(self)->tellPlaced(); }

gboolean PluginForm::OnSheetDraw(GtkWidget* sheet, cairo_t* cr, gpointer self) {
    const auto& form = *static_cast<PluginForm*>(self);
    cairo_set_source_rgb(cr, kSheetGrey, kSheetGrey, kSheetGrey);
    cairo_paint(cr);
    if (!form.placeholder_.empty()) {
        PangoLayout* layout = gtk_widget_create_pango_layout(sheet, form.placeholder_.c_str());
        pango_layout_set_width(layout, std::max(1, gtk_widget_get_allocated_width(sheet) - 32) * PANGO_SCALE);
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
        pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
        int w = 0;
        int h = 0;
        pango_layout_get_pixel_size(layout, &w, &h);
        cairo_set_source_rgb(cr, 0.62, 0.62, 0.62);
        cairo_move_to(cr, (gtk_widget_get_allocated_width(sheet) - w) / 2.0, (gtk_widget_get_allocated_height(sheet) - h) / 2.0);
        pango_cairo_show_layout(cr, layout);
        g_object_unref(layout);
    }
    return TRUE;
}

}  // namespace velmora::host
