// `velmora-host gui`: starts GTK on X11, tells the plugin the screen's
// density, and runs the desktop host.
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>

#include "host/desktop/desktop.h"
#include "host/desktop/desktop_app.h"
#include "host/desktop/screen_density.h"
#include "platform/settings_store.h"

namespace velmora::host {

int RunDesktop(const DesktopOptions& options) {
    // The plugin's editors are X11 windows: a Wayland session runs this through XWayland.
    gdk_set_allowed_backends("x11");
    // Keys that other programs send to a window (XSendEvent, as xdotool's
    // "key --window" does) arrive as core events, which GTK reads only with
    // its core event handling; the host's windows need nothing of XInput 2.
    g_setenv("GDK_CORE_DEVICE_EVENTS", "1", FALSE);
    if (gtk_init_check(nullptr, nullptr) == FALSE) {
        const char* display = std::getenv("DISPLAY");
        std::fprintf(stderr, "velmora-host: cannot open the display %s\n", display != nullptr ? display : "(DISPLAY is not set)");
        return 1;
    }
    // Before any instance exists: the plugin's scale rule reads it at creation.
    const char* resources = XResourceManagerString(gdk_x11_display_get_xdisplay(gdk_display_get_default()));
    const int ppi = MainPpiFromDpi(XftDpiFromResources(resources != nullptr ? resources : ""));
    if (!WriteMainPpi(platform::SettingsStore::currentUser(), ppi)) {
        std::fprintf(stderr, "velmora-host: warning: cannot write the screen's density (%d PPI) to the settings\n", ppi);
    }
    DesktopApp app(options);
    if (!app.start()) {
        return 1;
    }
    app.run();
    return 0;
}

}  // namespace velmora::host
