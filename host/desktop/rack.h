#pragma once
// The rack: one row per instance of the session with its number, display
// name, port and channel, and the button that opens its editor. The rows keep
// their places, so a test can find a button by the position the host logs.
#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/instance_places.h"

namespace velmora::host {

class Rack {
public:
    struct ButtonPlace {
        int x = 0;  // in the main window's coordinates
        int y = 0;
        int width = 0;
        int height = 0;
    };

    // editor: the "Editor" button of an instance (0-based) was pressed.
    explicit Rack(std::function<void(int instance)> editor);
    ~Rack();
    Rack(const Rack&) = delete;
    Rack& operator=(const Rack&) = delete;

    GtkWidget* widget() const { return frame_; }

    void setInstances(const std::vector<std::string>& names);
    void rename(int instance, const std::string& name);
    void setPlace(int instance, const InstancePlace& place);
    // The row of an instance whose editor is open is marked.
    void setEditorOpen(int instance, bool open);
    int count() const { return static_cast<int>(rows_.size()); }

    // Where an instance's button is in `window`; false before it is laid out.
    bool buttonPlace(int instance, GtkWidget* window, ButtonPlace& place) const;
    // Told when a button's place changes once the window is laid out.
    void onButtonMoved(std::function<void(int instance)> moved) { moved_ = std::move(moved); }

private:
    struct Row {
        GtkWidget* number = nullptr;
        GtkWidget* name = nullptr;
        GtkWidget* port = nullptr;
        GtkWidget* channel = nullptr;
        GtkWidget* button = nullptr;
        int instance = 0;
        Rack* rack = nullptr;
    };
    static void OnClicked(GtkButton*, gpointer row);
    static void OnAllocated(GtkWidget*, GdkRectangle*, gpointer row);
    void clear();

    std::function<void(int)> editor_;
    std::function<void(int)> moved_;
    GtkWidget* frame_ = nullptr;
    GtkWidget* grid_ = nullptr;
    std::vector<std::unique_ptr<Row>> rows_;
};

}  // namespace velmora::host
