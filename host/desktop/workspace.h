#pragma once
// The main window's workspace: a window of its own (class "TWPControl"), the
// container of the piano rolls and plugin forms, each a child window that the
// user moves by its caption. Children are kept inside the workspace; the last
// one clicked or opened is on top. A child another program moves (the plugin
// puts its form back where the last one was) stays where it was put.
#include <gtk/gtk.h>

#include <functional>
#include <map>
#include <memory>

namespace velmora::host {

inline constexpr char kContainerClass[] = "TWPControl";

class Workspace {
public:
    Workspace();
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    GtkWidget* widget() const { return fixed_; }
    // Once the main window is realized: the workspace's own X11 window, labelled.
    void makeNative();
    int width() const { return gtk_widget_get_allocated_width(fixed_); }
    int height() const { return gtk_widget_get_allocated_height(fixed_); }

    // `child` has a window of its own; `caption` (inside it) moves it when dragged.
    void add(GtkWidget* child, GtkWidget* caption, int x, int y);
    void remove(GtkWidget* child);
    GdkPoint position(GtkWidget* child) const;
    void raise(GtkWidget* child);
    // To the bottom: a hidden child must not be the first a search by title finds.
    void lower(GtkWidget* child);
    // The child the last click or opening went to, if it is shown; null otherwise.
    GtkWidget* active() const;
    // The child whose window holds `window` (a window of its own or one inside it).
    GtkWidget* childOf(GdkWindow* window) const;

    // Told after a child has moved (a drag's end, or another program's move).
    void onMoved(std::function<void(GtkWidget* child)> moved) { moved_ = std::move(moved); }

private:
    struct Child;
    static gboolean OnPress(GtkWidget*, GdkEventButton* event, gpointer child);
    static gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer child);
    static gboolean OnRelease(GtkWidget*, GdkEventButton* event, gpointer child);
    static gboolean OnChildPress(GtkWidget*, GdkEventButton*, gpointer child);
    static GdkFilterReturn OnNativeEvent(GdkXEvent* xevent, GdkEvent*, gpointer child);
    static gboolean OnDrawBackground(GtkWidget* widget, cairo_t* cr, gpointer);
    void place(Child& child, int x, int y);

    GtkWidget* fixed_ = nullptr;
    std::map<GtkWidget*, std::unique_ptr<Child>> children_;
    GtkWidget* active_ = nullptr;
    std::function<void(GtkWidget*)> moved_;
};

}  // namespace velmora::host
