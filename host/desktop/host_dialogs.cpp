#include "host/desktop/host_dialogs.h"

#include <filesystem>

#include "host/desktop/message_box_style.h"

namespace velmora::host {

namespace {

GtkMessageType TypeOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error: return GTK_MESSAGE_ERROR;
        case MessageIcon::Question: return GTK_MESSAGE_QUESTION;
        case MessageIcon::Warning: return GTK_MESSAGE_WARNING;
        case MessageIcon::Information: return GTK_MESSAGE_INFO;
        case MessageIcon::Plain: return GTK_MESSAGE_OTHER;
    }
    return GTK_MESSAGE_OTHER;
}

gboolean OnMapped(GtkWidget* dialog, GdkEvent*, gpointer shown) {
    const auto& tell = *static_cast<const DialogShown*>(shown);
    if (tell) {
        tell(GTK_WINDOW(dialog));
    }
    return FALSE;
}

// Runs the dialog, telling `shown` once it is mapped; answers its response.
gint Run(GtkWidget* dialog, const DialogShown& shown) {
    const gulong handler = g_signal_connect(dialog, "map-event", G_CALLBACK(OnMapped), const_cast<DialogShown*>(&shown));
    const gint response = gtk_dialog_run(GTK_DIALOG(dialog));
    g_signal_handler_disconnect(dialog, handler);
    return response;
}

}  // namespace

std::optional<std::string> RunPrompt(GtkWindow* parent, const std::string& caption, const std::string& text,
                                     const DialogShown& shown) {
    GtkWidget* dialog = gtk_dialog_new_with_buttons(caption.c_str(), parent,
                                                    static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
                                                    "_Cancel", GTK_RESPONSE_CANCEL, "_OK", GTK_RESPONSE_OK, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_MOUSE);
    gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_text(GTK_ENTRY(entry), text.c_str());
    gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
    gtk_entry_set_width_chars(GTK_ENTRY(entry), 36);
    GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
    gtk_container_set_border_width(GTK_CONTAINER(content), 12);
    gtk_box_pack_start(GTK_BOX(content), entry, TRUE, TRUE, 0);
    gtk_widget_show_all(dialog);
    gtk_widget_grab_focus(entry);
    std::optional<std::string> answer;
    if (Run(dialog, shown) == GTK_RESPONSE_OK) {
        answer = gtk_entry_get_text(GTK_ENTRY(entry));
    }
    gtk_widget_destroy(dialog);
    return answer;
}

int RunMessageBox(GtkWindow* parent, const std::string& title, const std::string& text, int style,
                  const DialogShown& shown) {
    const MessageBoxLook look = LookOfMessageBox(style);
    GtkWidget* dialog = gtk_message_dialog_new(parent, static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
                                               TypeOf(look.icon), GTK_BUTTONS_NONE, "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), title.c_str());
    for (const MessageButton& b : look.buttons) {
        gtk_dialog_add_button(GTK_DIALOG(dialog), b.label, b.result);
    }
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), look.defaultResult);
    const gint response = Run(dialog, shown);
    gtk_widget_destroy(dialog);
    return response > 0 ? response : look.dismissedResult;
}

std::optional<std::string> ChooseSessionFile(GtkWindow* parent, bool save, const std::string& current,
                                             const DialogShown& shown) {
    GtkWidget* dialog = gtk_file_chooser_dialog_new(save ? "Save Session As" : "Open Session", parent,
                                                    save ? GTK_FILE_CHOOSER_ACTION_SAVE : GTK_FILE_CHOOSER_ACTION_OPEN,
                                                    "_Cancel", GTK_RESPONSE_CANCEL, save ? "_Save" : "_Open",
                                                    GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    GtkFileFilter* sessions = gtk_file_filter_new();
    gtk_file_filter_set_name(sessions, "Sessions (*.json)");
    gtk_file_filter_add_pattern(sessions, "*.json");
    gtk_file_chooser_add_filter(chooser, sessions);
    GtkFileFilter* all = gtk_file_filter_new();
    gtk_file_filter_set_name(all, "All files");
    gtk_file_filter_add_pattern(all, "*");
    gtk_file_chooser_add_filter(chooser, all);
    if (save) {
        gtk_file_chooser_set_do_overwrite_confirmation(chooser, TRUE);
        if (!current.empty()) {
            gtk_file_chooser_set_filename(chooser, current.c_str());
        } else {
            gtk_file_chooser_set_current_name(chooser, "session.json");
        }
    } else if (!current.empty()) {
        const std::string folder = std::filesystem::path(current).parent_path().string();
        gtk_file_chooser_set_current_folder(chooser, folder.empty() ? "." : folder.c_str());
    }
    std::optional<std::string> path;
    if (Run(dialog, shown) == GTK_RESPONSE_ACCEPT) {
        if (gchar* chosen = gtk_file_chooser_get_filename(chooser)) {
            path = chosen;
            g_free(chosen);
        }
    }
    gtk_widget_destroy(dialog);
    return path;
}

void ShowHostError(GtkWindow* parent, const std::string& text) {
    GtkWidget* dialog = gtk_message_dialog_new(parent, static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
                                               GTK_MESSAGE_ERROR, GTK_BUTTONS_OK, "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), "Velmora Host");
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}

}  // namespace velmora::host
