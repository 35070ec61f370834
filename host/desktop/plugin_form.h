#pragma once
// A plugin form: the host's window around one instance's editor. It holds a
// native child area whose X11 window becomes the editor's parent, sized to
// the editor. The form is kept, hidden, while the instance lives: the editor
// window stays a child of its area, and the form opens again where it was.
#include <gtk/gtk.h>

#include <functional>
#include <optional>
#include <string>

namespace velmora::host {

class PluginForm {
public:
    struct Handlers {
        // The window manager's close button, or Ctrl+W.
        std::function<void()> closeRequested;
        // The form is on the screen with its area at this size: once it is
        // mapped and again after each resize.
        std::function<void(int width, int height)> placed;
    };
    // first: where the form opens the first time (screen pixels).
    PluginForm(GtkWindow* owner, const std::string& title, std::optional<GdkPoint> first, Handlers handlers);
    ~PluginForm();
    PluginForm(const PluginForm&) = delete;
    PluginForm& operator=(const PluginForm&) = delete;

    // Shows the form with its area at the editor's size; answers the area's
    // X11 window id, the parent to hand the plugin.
    unsigned long show(int width, int height);
    void hide();
    bool shown() const { return shown_; }
    void fit(int width, int height);
    void setTitle(const std::string& title);
    // A note drawn in the area, for an editor that cannot appear in it.
    void setPlaceholder(const std::string& text) { placeholder_ = text; }

    GtkWindow* window() const { return GTK_WINDOW(window_); }
    unsigned long windowId() const;
    unsigned long areaId() const;

private:
    static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer self);
    static gboolean OnKey(GtkWidget*, GdkEventKey* event, gpointer self);
    static gboolean OnMapped(GtkWidget*, GdkEvent*, gpointer self);
    static void OnAllocated(GtkWidget*, GdkRectangle* allocation, gpointer self);
    static gboolean OnDraw(GtkWidget* area, cairo_t* cr, gpointer self);
    void tellPlaced();

    Handlers handlers_;
    GtkWidget* window_ = nullptr;
    GtkWidget* area_ = nullptr;
    std::optional<GdkPoint> position_;  // where it opens next
    std::string placeholder_;
    bool shown_ = false;
    bool mapped_ = false;
    int toldWidth_ = 0;
    int toldHeight_ = 0;
};

}  // namespace velmora::host
