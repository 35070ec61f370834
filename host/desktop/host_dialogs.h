#pragma once
// The host's dialogs: the plugin's text prompt and message boxes, the session
// file choosers and the host's own error notes. Each runs modally and answers
// once it is closed.
#include <gtk/gtk.h>

#include <functional>
#include <optional>
#include <string>

namespace velmora::host {

// Told once a dialog's window is on the screen (for the desktop's log).
using DialogShown = std::function<void(GtkWindow* dialog)>;

// A prompt titled `caption` with an entry holding `text`: the text entered on
// OK (or Return), nullopt on Cancel or when closed. Placed at the pointer.
std::optional<std::string> RunPrompt(GtkWindow* parent, const std::string& caption, const std::string& text,
                                     const DialogShown& shown);

// A message box in the SDK's style: the buttons and icon the style asks for;
// answers the button chosen (1 OK ... 7 No), or the dismissal answer.
int RunMessageBox(GtkWindow* parent, const std::string& title, const std::string& text, int style,
                  const DialogShown& shown);

// An open (save false) or save dialog for session files; the path chosen.
std::optional<std::string> ChooseSessionFile(GtkWindow* parent, bool save, const std::string& current,
                                             const DialogShown& shown);

// The host's own error note with one OK button.
void ShowHostError(GtkWindow* parent, const std::string& text);

}  // namespace velmora::host
