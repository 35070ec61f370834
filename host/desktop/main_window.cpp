#include "host/desktop/main_window.h"

#include <gdk/gdkx.h>

#include <filesystem>

#include "host/desktop/midi_monitor.h"
#include "host/desktop/native_window.h"
#include "host/desktop/rack.h"
#include "host/desktop/workspace.h"

namespace velmora::host {

namespace {

constexpr const char* kTitle = "Velmora Host";
constexpr int kWidth = 1240;
constexpr int kHeight = 800;
constexpr int kMargin = 12;
constexpr int kSideWidth = 470;  // the rack and the monitor

constexpr const char* kStyle = R"css(
.transport-bar { padding: 6px 12px; border-bottom: 1px solid alpha(black, 0.12); }
.position { font-family: Monospace; font-size: 15pt; font-weight: bold; }
.clock { font-family: Monospace; }
.section-title { font-weight: bold; }
.piano-roll scrollbar { background-color: #2a2e32; border-color: #15181a; }
.piano-roll scrollbar slider { background-color: #5d646b; min-width: 7px; min-height: 7px; }
.piano-roll scrollbar slider:hover { background-color: #7a828a; }
)css";

void RunCommand(std::function<void()>* command) {
    if (command != nullptr && *command) {
        (*command)();
    }
}

void OnActivate(GtkMenuItem*, gpointer command) { RunCommand(static_cast<std::function<void()>*>(command)); }
void OnClicked(GtkButton*, gpointer command) { RunCommand(static_cast<std::function<void()>*>(command)); }

GtkWidget* IconButton(const char* icon, const char* label, const char* tooltip) {
    GtkWidget* button = gtk_button_new_with_mnemonic(label);
    gtk_button_set_image(GTK_BUTTON(button), gtk_image_new_from_icon_name(icon, GTK_ICON_SIZE_BUTTON));
    gtk_button_set_always_show_image(GTK_BUTTON(button), TRUE);
    gtk_widget_set_tooltip_text(button, tooltip);
    gtk_widget_set_can_focus(button, FALSE);  // Space plays and stops, wherever the focus is
    return button;
}

GtkWidget* SectionTitle(const char* text) {
    GtkWidget* label = gtk_label_new(text);
    gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
    gtk_style_context_add_class(gtk_widget_get_style_context(label), "section-title");
    return label;
}

// The server's default visual. GTK may draw its windows with another one (a
// visual chosen for OpenGL); an editor window made with the default visual
// and its parent's colormap can only be the child of a window of that visual,
// and the forms' sheets inherit the main window's.
GdkVisual* ServerDefaultVisual(GtkWidget* window) {
    GdkScreen* screen = gtk_widget_get_screen(window);
    Display* display = GDK_SCREEN_XDISPLAY(screen);
    Visual* visual = DefaultVisual(display, gdk_x11_screen_get_screen_number(screen));
    return gdk_x11_screen_lookup_visual(screen, XVisualIDFromVisual(visual));
}

void AddStyle() {
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, kStyle, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(css);
}

}  // namespace

MainWindow::MainWindow(MainWindowCommands commands, Rack& rack, MidiMonitor& monitor, Workspace& workspace)
    : commands_(std::move(commands)) {
    AddStyle();
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    if (GdkVisual* visual = ServerDefaultVisual(window_)) {
        gtk_widget_set_visual(window_, visual);
    }
    gtk_window_set_title(GTK_WINDOW(window_), kTitle);
    gtk_window_set_default_size(GTK_WINDOW(window_), kWidth, kHeight);
    gtk_window_set_role(GTK_WINDOW(window_), "main");
    gtk_window_move(GTK_WINDOW(window_), 24, 24);
    GtkAccelGroup* accelerators = gtk_accel_group_new();
    gtk_window_add_accel_group(GTK_WINDOW(window_), accelerators);

    GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_container_add(GTK_CONTAINER(window_), column);
    gtk_box_pack_start(GTK_BOX(column), buildMenus(accelerators), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(column), buildTransport(), FALSE, FALSE, 0);
    g_object_unref(accelerators);

    // Boxes only between the window and the workspace: the workspace's own
    // window is then a child of the main window's, as programs look for it.
    GtkWidget* panes = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    gtk_box_pack_start(GTK_BOX(column), panes, TRUE, TRUE, 0);
    GtkWidget* content = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
    g_object_set(content, "margin", kMargin, nullptr);
    gtk_widget_set_size_request(content, kSideWidth, -1);
    // The rack's names would pass their width on: the workspace takes what is left.
    gtk_widget_set_hexpand(content, FALSE);
    gtk_box_pack_start(GTK_BOX(panes), content, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(content), SectionTitle("Instances"), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(content), rack.widget(), FALSE, FALSE, 0);

    GtkWidget* monitorHeader = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
    gtk_widget_set_margin_top(monitorHeader, 8);
    gtk_box_pack_start(GTK_BOX(monitorHeader), SectionTitle("MIDI Output"), FALSE, FALSE, 0);
    GtkWidget* clear = gtk_button_new_with_label("Clear");
    gtk_button_set_relief(GTK_BUTTON(clear), GTK_RELIEF_NONE);
    gtk_widget_set_can_focus(clear, FALSE);
    g_signal_connect(clear, "clicked", G_CALLBACK(OnClicked), &commands_.clearMonitor);
    gtk_box_pack_end(GTK_BOX(monitorHeader), clear, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(content), monitorHeader, FALSE, FALSE, 0);
    gtk_widget_set_size_request(monitor.widget(), -1, 160);
    gtk_box_pack_start(GTK_BOX(content), monitor.widget(), TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(panes), gtk_separator_new(GTK_ORIENTATION_VERTICAL), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(panes), workspace.widget(), TRUE, TRUE, 0);

    statusbar_ = gtk_statusbar_new();
    statusContext_ = gtk_statusbar_get_context_id(GTK_STATUSBAR(statusbar_), "host");
    gtk_box_pack_end(GTK_BOX(column), statusbar_, FALSE, FALSE, 0);

    g_signal_connect(window_, "key-press-event", G_CALLBACK(OnKey), this);
    g_signal_connect(window_, "delete-event", G_CALLBACK(OnDelete), this);
    setPlaying(false);
    gtk_widget_show_all(column);
    // Realized now: instances ask for the main window as they are created.
    gtk_widget_realize(window_);
    SetWindowClass(window_, kMainWindowClass);
    workspace.makeNative();
}

MainWindow::~MainWindow() { gtk_widget_destroy(window_); }

GtkWidget* MainWindow::menuItem(GtkWidget* menu, const char* label, GtkAccelGroup* accelerators, guint key,
                                GdkModifierType modifiers, std::function<void()>* command) {
    GtkWidget* item = gtk_menu_item_new_with_mnemonic(label);
    if (key != 0) {
        gtk_widget_add_accelerator(item, "activate", accelerators, key, modifiers, GTK_ACCEL_VISIBLE);
    }
    if (command != nullptr) {
        g_signal_connect(item, "activate", G_CALLBACK(OnActivate), command);
    }
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
    return item;
}

GtkWidget* MainWindow::buildMenus(GtkAccelGroup* accelerators) {
    GtkWidget* bar = gtk_menu_bar_new();
    GtkWidget* file = gtk_menu_new();
    menuItem(file, "_Open Session…", accelerators, GDK_KEY_o, GDK_CONTROL_MASK, &commands_.open);
    menuItem(file, "_Save Session", accelerators, GDK_KEY_s, GDK_CONTROL_MASK, &commands_.save);
    menuItem(file, "Save Session _As…", accelerators, GDK_KEY_s, static_cast<GdkModifierType>(GDK_CONTROL_MASK | GDK_SHIFT_MASK),
             &commands_.saveAs);
    gtk_menu_shell_append(GTK_MENU_SHELL(file), gtk_separator_menu_item_new());
    menuItem(file, "_Quit", accelerators, GDK_KEY_q, GDK_CONTROL_MASK, &commands_.quit);
    GtkWidget* fileItem = gtk_menu_item_new_with_mnemonic("_File");
    gtk_menu_item_set_submenu(GTK_MENU_ITEM(fileItem), file);
    gtk_menu_shell_append(GTK_MENU_SHELL(bar), fileItem);

    GtkWidget* transport = gtk_menu_new();
    menuItem(transport, "_Play", accelerators, 0, GdkModifierType{}, &commands_.play);
    menuItem(transport, "_Stop", accelerators, 0, GdkModifierType{}, &commands_.stop);
    loopItem_ = gtk_check_menu_item_new_with_mnemonic("_Loop");
    gtk_widget_add_accelerator(loopItem_, "activate", accelerators, GDK_KEY_l, GDK_CONTROL_MASK, GTK_ACCEL_VISIBLE);
    g_signal_connect(loopItem_, "toggled", G_CALLBACK(+[](GtkCheckMenuItem* item, gpointer self) {
                         auto& w = *static_cast<MainWindow*>(self);
                         if (!w.syncingLoop_) {
                             gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(w.loopButton_), gtk_check_menu_item_get_active(item));
                         }
                     }),
                     this);
    gtk_menu_shell_append(GTK_MENU_SHELL(transport), loopItem_);
    gtk_menu_shell_append(GTK_MENU_SHELL(transport), gtk_separator_menu_item_new());
    menuItem(transport, "_Clear MIDI Output", accelerators, 0, GdkModifierType{}, &commands_.clearMonitor);
    GtkWidget* transportItem = gtk_menu_item_new_with_mnemonic("_Transport");
    gtk_menu_item_set_submenu(GTK_MENU_ITEM(transportItem), transport);
    gtk_menu_shell_append(GTK_MENU_SHELL(bar), transportItem);
    return bar;
}

GtkWidget* MainWindow::buildTransport() {
    GtkWidget* bar = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
    gtk_style_context_add_class(gtk_widget_get_style_context(bar), "transport-bar");
    playButton_ = IconButton("media-playback-start-symbolic", "Play", "Play the session's score (Space)");
    stopButton_ = IconButton("media-playback-stop-symbolic", "Stop", "Stop (Space)");
    loopButton_ = gtk_toggle_button_new_with_label("Loop");
    gtk_button_set_image(GTK_BUTTON(loopButton_),
                         gtk_image_new_from_icon_name("media-playlist-repeat-symbolic", GTK_ICON_SIZE_BUTTON));
    gtk_button_set_always_show_image(GTK_BUTTON(loopButton_), TRUE);
    gtk_widget_set_tooltip_text(loopButton_, "Start over at the end of the score (Ctrl+L)");
    gtk_widget_set_can_focus(loopButton_, FALSE);
    g_signal_connect(playButton_, "clicked", G_CALLBACK(OnClicked), &commands_.play);
    g_signal_connect(stopButton_, "clicked", G_CALLBACK(OnClicked), &commands_.stop);
    g_signal_connect(loopButton_, "toggled", G_CALLBACK(+[](GtkToggleButton* button, gpointer self) {
                         auto& w = *static_cast<MainWindow*>(self);
                         const bool on = gtk_toggle_button_get_active(button) != FALSE;
                         w.syncingLoop_ = true;
                         gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(w.loopItem_), on ? TRUE : FALSE);
                         w.syncingLoop_ = false;
                         if (w.commands_.loop) {
                             w.commands_.loop(on);
                         }
                     }),
                     this);
    GtkWidget* buttons = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    gtk_style_context_add_class(gtk_widget_get_style_context(buttons), "linked");
    gtk_box_pack_start(GTK_BOX(buttons), playButton_, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(buttons), stopButton_, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(bar), buttons, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(bar), loopButton_, FALSE, FALSE, 6);

    position_ = gtk_label_new("1.1.000");
    gtk_style_context_add_class(gtk_widget_get_style_context(position_), "position");
    gtk_widget_set_tooltip_text(position_, "Bar . beat . tick");
    gtk_box_pack_start(GTK_BOX(bar), position_, FALSE, FALSE, 12);
    time_ = gtk_label_new("0:00.000");
    gtk_style_context_add_class(gtk_widget_get_style_context(time_), "clock");
    gtk_style_context_add_class(gtk_widget_get_style_context(time_), "dim-label");
    gtk_box_pack_start(GTK_BOX(bar), time_, FALSE, FALSE, 0);

    summary_ = gtk_label_new("");
    gtk_style_context_add_class(gtk_widget_get_style_context(summary_), "dim-label");
    gtk_box_pack_end(GTK_BOX(bar), summary_, FALSE, FALSE, 0);
    return bar;
}

void MainWindow::setSessionFile(const std::string& path, bool edited) {
    std::string title =
        path.empty() ? kTitle : std::string(kTitle) + " \u2014 " + std::filesystem::path(path).filename().string();
    if (edited) {
        title += " *";
    }
    gtk_window_set_title(GTK_WINDOW(window_), title.c_str());
}

void MainWindow::setSessionSummary(const std::string& text) { gtk_label_set_text(GTK_LABEL(summary_), text.c_str()); }

void MainWindow::setStatus(const std::string& text) {
    gtk_statusbar_remove_all(GTK_STATUSBAR(statusbar_), statusContext_);
    gtk_statusbar_push(GTK_STATUSBAR(statusbar_), statusContext_, text.c_str());
}

void MainWindow::setPosition(const std::string& barBeatTick, const std::string& time) {
    if (barBeatTick != gtk_label_get_text(GTK_LABEL(position_))) {
        gtk_label_set_text(GTK_LABEL(position_), barBeatTick.c_str());
    }
    if (time != gtk_label_get_text(GTK_LABEL(time_))) {
        gtk_label_set_text(GTK_LABEL(time_), time.c_str());
    }
}

void MainWindow::setPlaying(bool playing) {
    playing_ = playing;
    gtk_widget_set_sensitive(playButton_, playing ? FALSE : TRUE);
    gtk_widget_set_sensitive(stopButton_, playing ? TRUE : FALSE);
}

unsigned long MainWindow::windowId() const {
    GdkWindow* w = gtk_widget_get_window(window_);
    return w != nullptr ? gdk_x11_window_get_xid(w) : 0;
}

gboolean MainWindow::OnKey(GtkWidget*, GdkEventKey* event, gpointer self) {
    auto& w = *static_cast<MainWindow*>(self);
    const guint modifiers = event->state & gtk_accelerator_get_default_mod_mask();
    if (modifiers == GDK_CONTROL_MASK && event->keyval >= GDK_KEY_1 && event->keyval <= GDK_KEY_9) {
        if (w.commands_.editor) {
            w.commands_.editor(static_cast<int>(event->keyval - GDK_KEY_1));
        }
        return TRUE;
    }
    if (modifiers == (GDK_CONTROL_MASK | GDK_SHIFT_MASK)) {
        // The digit's own key, whatever Shift makes of it on the layout.
        guint plain = 0;
        gdk_keymap_translate_keyboard_state(gdk_keymap_get_for_display(gdk_window_get_display(event->window)),
                                            event->hardware_keycode, GdkModifierType{}, event->group, &plain, nullptr, nullptr,
                                            nullptr);
        if (plain >= GDK_KEY_1 && plain <= GDK_KEY_9) {
            if (w.commands_.roll) {
                w.commands_.roll(static_cast<int>(plain - GDK_KEY_1));
            }
            return TRUE;
        }
    }
    if (modifiers == GDK_CONTROL_MASK && gdk_keyval_to_lower(event->keyval) == GDK_KEY_w) {
        if (w.commands_.closeChild) {
            w.commands_.closeChild(event->window);
        }
        return TRUE;
    }
    if (modifiers == 0 && event->keyval == GDK_KEY_space) {
        RunCommand(w.playing_ ? &w.commands_.stop : &w.commands_.play);
        return TRUE;
    }
    return FALSE;
}

gboolean MainWindow::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
    RunCommand(&static_cast<MainWindow*>(self)->commands_.quit);
    return TRUE;
}

}  // namespace velmora::host
