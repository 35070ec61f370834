#include "host/desktop/midi_monitor.h"

namespace velmora::host {

namespace {

enum Column { kTime, kInstance, kPort, kChannel, kMessage, kColumns };

void AddColumn(GtkWidget* view, const char* title, int column, bool monospace, float align) {
    GtkCellRenderer* cell = gtk_cell_renderer_text_new();
    g_object_set(cell, "xalign", static_cast<gfloat>(align), "ypad", 0, nullptr);
    if (monospace) {
        g_object_set(cell, "family", "Monospace", nullptr);
    }
    GtkTreeViewColumn* c = gtk_tree_view_column_new_with_attributes(title, cell, "text", column, nullptr);
    gtk_tree_view_column_set_alignment(c, align);
    gtk_tree_view_column_set_expand(c, column == kMessage ? TRUE : FALSE);
    gtk_tree_view_append_column(GTK_TREE_VIEW(view), c);
}

}  // namespace

MidiMonitor::MidiMonitor() {
    store_ = gtk_list_store_new(kColumns, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING);
    view_ = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store_));
    gtk_tree_view_set_enable_search(GTK_TREE_VIEW(view_), FALSE);
    gtk_widget_set_can_focus(view_, FALSE);
    AddColumn(view_, "Time", kTime, true, 1.0f);
    AddColumn(view_, "Inst", kInstance, false, 1.0f);
    AddColumn(view_, "Port", kPort, false, 1.0f);
    AddColumn(view_, "Ch", kChannel, false, 1.0f);
    AddColumn(view_, "Message", kMessage, true, 0.0f);
    scroller_ = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroller_), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scroller_), GTK_SHADOW_IN);
    gtk_container_add(GTK_CONTAINER(scroller_), view_);
    g_object_ref_sink(scroller_);
}

MidiMonitor::~MidiMonitor() {
    if (scroll_ != 0) {
        g_source_remove(scroll_);
    }
    g_object_unref(scroller_);
    g_object_unref(store_);
}

void MidiMonitor::add(const MonitorLine& line) {
    GtkTreeIter row;
    gtk_list_store_insert_with_values(store_, &row, -1, kTime, line.time.c_str(), kInstance, line.instance.c_str(), kPort,
                                      line.port.c_str(), kChannel, line.channel.c_str(), kMessage, line.message.c_str(), -1);
    if (++rows_ > static_cast<int>(kMonitorLines)) {
        GtkTreeIter first;
        if (gtk_tree_model_get_iter_first(GTK_TREE_MODEL(store_), &first)) {
            gtk_list_store_remove(store_, &first);
            --rows_;
        }
    }
    if (scroll_ == 0) {
        scroll_ = g_idle_add_full(G_PRIORITY_LOW, &MidiMonitor::OnScroll, this, nullptr);
    }
}

void MidiMonitor::clear() {
    gtk_list_store_clear(store_);
    rows_ = 0;
}

gboolean MidiMonitor::OnScroll(gpointer self) {
    auto& monitor = *static_cast<MidiMonitor*>(self);
    monitor.scroll_ = 0;
    if (monitor.rows_ > 0) {
        GtkTreePath* last = gtk_tree_path_new_from_indices(monitor.rows_ - 1, -1);
        gtk_tree_view_scroll_to_cell(GTK_TREE_VIEW(monitor.view_), last, nullptr, FALSE, 0.0f, 0.0f);
        gtk_tree_path_free(last);
    }
    return G_SOURCE_REMOVE;
}

}  // namespace velmora::host
