#include "host/desktop/rack.h"

#include <memory>

namespace velmora::host {

namespace {

constexpr int kHeaderRow = 0;

GtkWidget* Label(const char* text, float xalign, const char* styleClass) {
    GtkWidget* label = gtk_label_new(text);
    gtk_label_set_xalign(GTK_LABEL(label), xalign);
    if (styleClass != nullptr) {
        gtk_style_context_add_class(gtk_widget_get_style_context(label), styleClass);
    }
    return label;
}

GtkWidget* Header(const char* text, float xalign) {
    GtkWidget* label = Label(text, xalign, "dim-label");
    gchar* markup = g_markup_printf_escaped("<small><b>%s</b></small>", text);
    gtk_label_set_markup(GTK_LABEL(label), markup);
    g_free(markup);
    return label;
}

}  // namespace

Rack::Rack(std::function<void(int instance, Button button)> opened) : opened_(std::move(opened)) {
    frame_ = gtk_frame_new(nullptr);
    gtk_frame_set_shadow_type(GTK_FRAME(frame_), GTK_SHADOW_IN);
    grid_ = gtk_grid_new();
    gtk_grid_set_column_spacing(GTK_GRID(grid_), 14);
    gtk_grid_set_row_spacing(GTK_GRID(grid_), 6);
    g_object_set(grid_, "margin", 10, nullptr);
    gtk_container_add(GTK_CONTAINER(frame_), grid_);
    gtk_grid_attach(GTK_GRID(grid_), Header("#", 1.0f), 0, kHeaderRow, 1, 1);
    GtkWidget* name = Header("Instance", 0.0f);
    gtk_widget_set_hexpand(name, TRUE);
    gtk_grid_attach(GTK_GRID(grid_), name, 1, kHeaderRow, 1, 1);
    gtk_grid_attach(GTK_GRID(grid_), Header("Port", 1.0f), 2, kHeaderRow, 1, 1);
    gtk_grid_attach(GTK_GRID(grid_), Header("Channel", 1.0f), 3, kHeaderRow, 1, 1);
    g_object_ref_sink(frame_);
}

Rack::~Rack() {
    clear();
    g_object_unref(frame_);
}

void Rack::clear() {
    for (const auto& row : rows_) {
        for (GtkWidget* w : {row->number, row->name, row->port, row->channel, row->button, row->rollButton}) {
            g_signal_handlers_disconnect_matched(w, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, row.get());
            gtk_widget_destroy(w);
        }
    }
    rows_.clear();
}

void Rack::setInstances(const std::vector<std::string>& names) {
    clear();
    for (std::size_t i = 0; i < names.size(); ++i) {
        auto row = std::make_unique<Row>();
        row->instance = static_cast<int>(i);
        row->rack = this;
        const int y = static_cast<int>(i) + 1;
        row->number = Label(std::to_string(i + 1).c_str(), 1.0f, "dim-label");
        row->name = Label("", 0.0f, nullptr);
        gtk_label_set_ellipsize(GTK_LABEL(row->name), PANGO_ELLIPSIZE_END);
        gtk_widget_set_hexpand(row->name, TRUE);
        row->port = Label("0", 1.0f, nullptr);
        row->channel = Label("1", 1.0f, nullptr);
        row->button = gtk_button_new_with_label("Editor");
        gtk_widget_set_tooltip_text(row->button, ("Open the editor (Ctrl+" + std::to_string(i + 1) + ")").c_str());
        row->rollButton = gtk_button_new_with_label("Piano roll");
        gtk_widget_set_tooltip_text(row->rollButton,
                                    ("Open the piano roll (Ctrl+Shift+" + std::to_string(i + 1) + ")").c_str());
        for (GtkWidget* b : {row->button, row->rollButton}) {
            g_signal_connect(b, "clicked", G_CALLBACK(OnClicked), row.get());
            g_signal_connect(b, "size-allocate", G_CALLBACK(OnAllocated), row.get());
        }
        gtk_grid_attach(GTK_GRID(grid_), row->number, 0, y, 1, 1);
        gtk_grid_attach(GTK_GRID(grid_), row->name, 1, y, 1, 1);
        gtk_grid_attach(GTK_GRID(grid_), row->port, 2, y, 1, 1);
        gtk_grid_attach(GTK_GRID(grid_), row->channel, 3, y, 1, 1);
        gtk_grid_attach(GTK_GRID(grid_), row->button, 4, y, 1, 1);
        gtk_grid_attach(GTK_GRID(grid_), row->rollButton, 5, y, 1, 1);
        rows_.push_back(std::move(row));
        rename(static_cast<int>(i), names[i]);
    }
    gtk_widget_show_all(grid_);
}

void Rack::rename(int instance, const std::string& name) {
    if (instance < 0 || instance >= count()) {
        return;
    }
    gchar* markup = g_markup_printf_escaped("<b>%s</b>", name.c_str());
    gtk_label_set_markup(GTK_LABEL(rows_[static_cast<std::size_t>(instance)]->name), markup);
    g_free(markup);
}

void Rack::setPlace(int instance, const InstancePlace& place) {
    if (instance < 0 || instance >= count()) {
        return;
    }
    const Row& row = *rows_[static_cast<std::size_t>(instance)];
    gtk_label_set_text(GTK_LABEL(row.port), std::to_string(place.port).c_str());
    gtk_label_set_text(GTK_LABEL(row.channel), std::to_string(place.channel + 1).c_str());
}

void Rack::setOpen(int instance, Button button, bool open) {
    if (instance < 0 || instance >= count()) {
        return;
    }
    const Row& row = *rows_[static_cast<std::size_t>(instance)];
    GtkStyleContext* style = gtk_widget_get_style_context(button == Button::Editor ? row.button : row.rollButton);
    if (open) {
        gtk_style_context_add_class(style, "suggested-action");
    } else {
        gtk_style_context_remove_class(style, "suggested-action");
    }
}

bool Rack::buttonPlace(int instance, Button which, GtkWidget* window, ButtonPlace& place) const {
    if (instance < 0 || instance >= count()) {
        return false;
    }
    const Row& row = *rows_[static_cast<std::size_t>(instance)];
    GtkWidget* button = which == Button::Editor ? row.button : row.rollButton;
    if (!gtk_widget_get_mapped(button)) {
        return false;
    }
    GtkAllocation a;
    gtk_widget_get_allocation(button, &a);
    int x = 0;
    int y = 0;
    if (!gtk_widget_translate_coordinates(button, window, 0, 0, &x, &y)) {
        return false;
    }
    place = {x, y, a.width, a.height};
    return true;
}

void Rack::OnClicked(GtkButton* button, gpointer row) {
    const auto& r = *static_cast<Row*>(row);
    if (r.rack->opened_) {
        r.rack->opened_(r.instance, GTK_WIDGET(button) == r.button ? Button::Editor : Button::Roll);
    }
}

void Rack::OnAllocated(GtkWidget*, GdkRectangle*, gpointer row) {
    const auto& r = *static_cast<Row*>(row);
    if (r.rack->moved_) {
        r.rack->moved_(r.instance);
    }
}

}  // namespace velmora::host
