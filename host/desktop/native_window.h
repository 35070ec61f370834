#pragma once
// The host's windows as other programs on the display find them: a widget's
// own window made an X11 window of its own, labelled with a WM_CLASS class
// and a title. GTK labels only its top-level windows, so the child windows of
// the main window (workspace, piano rolls, plugin forms) are labelled here.
#include <gtk/gtk.h>

#include <string>

namespace velmora::host {

// Realizes `widget`, which must have a window of its own, and makes that
// window an X11 window (its ancestors too); answers its id.
unsigned long MakeNative(GtkWidget* widget);
// The widget's own X11 window id; 0 before it has one.
unsigned long NativeId(GtkWidget* widget);
// WM_CLASS: the program's name, then `className`.
void SetWindowClass(GtkWidget* widget, const char* className);
// WM_NAME and _NET_WM_NAME.
void SetWindowTitle(GtkWidget* widget, const std::string& title);
// Where a widget's window's origin is on the screen.
GdkPoint ScreenOrigin(GtkWidget* widget);

}  // namespace velmora::host
