#pragma once
// A plugin form: the host's window around one instance's editor, a child
// window of the workspace (class "TPluginForm") with a caption to move it by.
// It holds the sheet (class "TVectorSheet"), a window of its own whose id is
// handed to the plugin as the editor's parent, sized to the editor. The form
// is kept, hidden, while the instance lives: the editor window stays a child
// of its sheet, and the form opens again where it was.
#include <gtk/gtk.h>

#include <functional>
#include <string>

#include "host/desktop/caption_strip.h"

namespace velmora::host {

class Workspace;

inline constexpr char kPluginFormClass[] = "TPluginForm";
inline constexpr char kSheetClass[] = "TVectorSheet";

class PluginForm {
public:
    struct Handlers {
        // The caption's close box, or Ctrl+W while the form is the active one.
        std::function<void()> closeRequested;
        // The form is on the screen with its sheet at this size: once it is
        // mapped and again after each resize.
        std::function<void(int width, int height)> placed;
    };
    // first: where the form opens the first time, in the workspace.
    PluginForm(Workspace& workspace, const std::string& title, GdkPoint first, Handlers handlers);
    ~PluginForm();
    PluginForm(const PluginForm&) = delete;
    PluginForm& operator=(const PluginForm&) = delete;

    // Shows the form with its sheet at the editor's size, on top; answers the
    // sheet's X11 window id, the parent to hand the plugin.
    unsigned long show(int width, int height);
    void hide();
    bool shown() const { return shown_; }
    void present();
    void fit(int width, int height);
    void setTitle(const std::string& title);
    // A note drawn on the sheet, for an editor that cannot appear in it.
    void setPlaceholder(const std::string& text) { placeholder_ = text; }

    GtkWidget* widget() const { return frame_; }
    unsigned long windowId() const;
    unsigned long areaId() const;

private:
    static gboolean OnMapped(GtkWidget*, GdkEvent*, gpointer self);
    static void OnAllocated(GtkWidget*, GdkRectangle* allocation, gpointer self);
    static gboolean OnSheetDraw(GtkWidget* sheet, cairo_t* cr, gpointer self);
    void tellPlaced();

    Workspace& workspace_;
    Handlers handlers_;
    std::string title_;
    GtkWidget* frame_ = nullptr;    // the form's own window
    CaptionBehaviour captionBehaviour_;
    GtkWidget* caption_ = nullptr;
    GtkWidget* sheet_ = nullptr;
    std::string placeholder_;
    bool shown_ = false;
    bool mapped_ = false;
    int toldWidth_ = 0;
    int toldHeight_ = 0;
};

}  // namespace velmora::host
