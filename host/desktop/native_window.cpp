#include "host/desktop/native_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <gdk/gdkx.h>

namespace velmora::host {

namespace {

constexpr char kProgram[] = "velmora-host";

}  // namespace

unsigned long MakeNative(GtkWidget* widget) {
    gtk_widget_realize(widget);
    GdkWindow* window = gtk_widget_get_window(widget);
    if (window == nullptr || gdk_window_ensure_native(window) == FALSE) {
        return 0;
    }
    return gdk_x11_window_get_xid(window);
}

unsigned long NativeId(GtkWidget* widget) {
    GdkWindow* window = gtk_widget_get_window(widget);
    return window != nullptr && gdk_window_has_native(window) != FALSE ? gdk_x11_window_get_xid(window) : 0;
}

void SetWindowClass(GtkWidget* widget, const char* className) {
    const unsigned long id = NativeId(widget);
    if (id == 0) {
        return;
    }
    XClassHint hint;
    hint.res_name = const_cast<char*>(kProgram);
    hint.res_class = const_cast<char*>(className);
    XSetClassHint(GDK_DISPLAY_XDISPLAY(gtk_widget_get_display(widget)), id, &hint);
}

void SetWindowTitle(GtkWidget* widget, const std::string& title) {
    const unsigned long id = NativeId(widget);
    if (id == 0) {
        return;
    }
    Display* display = GDK_DISPLAY_XDISPLAY(gtk_widget_get_display(widget));
    char* text = const_cast<char*>(title.c_str());
    XTextProperty property;
    // Plain Latin-1 where the title allows it, as the window's legacy name.
    if (Xutf8TextListToTextProperty(display, &text, 1, XStdICCTextStyle, &property) >= Success) {
        XSetWMName(display, id, &property);
        XFree(property.value);
    }
    XChangeProperty(display, id, XInternAtom(display, "_NET_WM_NAME", False), XInternAtom(display, "UTF8_STRING", False),
                    8, PropModeReplace, reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));
}

GdkPoint ScreenOrigin(GtkWidget* widget) {
    // From the layout, not the window system: a child's window may not have
    // reached its place yet when the layout has.
    GtkWidget* toplevel = gtk_widget_get_toplevel(widget);
    GdkPoint origin{};
    if (GdkWindow* window = gtk_widget_get_window(toplevel)) {
        gdk_window_get_origin(window, &origin.x, &origin.y);
    }
    int x = 0;
    int y = 0;
    gtk_widget_translate_coordinates(widget, toplevel, 0, 0, &x, &y);
    return {origin.x + x, origin.y + y};
}

}  // namespace velmora::host
