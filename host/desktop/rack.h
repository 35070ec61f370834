#pragma once
// The rack: one row per instance of the session with its number, display
// name, port and channel, and the buttons that open its editor and its piano
// roll. The rows keep their places, so a test can find a button by the
// position the host logs.
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

    enum class Button { Editor, Roll };
    // opened: the "Editor" or "Piano roll" button of an instance (0-based) was pressed.
    explicit Rack(std::function<void(int instance, Button button)> opened);
    ~Rack();
    Rack(const Rack&) = delete;
    Rack& operator=(const Rack&) = delete;

    GtkWidget* widget() const { return frame_; }

    void setInstances(const std::vector<std::string>& names);
    void rename(int instance, const std::string& name);
    void setPlace(int instance, const InstancePlace& place);
    // The button of an instance whose editor or piano roll is open is marked.
    void setOpen(int instance, Button button, bool open);
    int count() const { return static_cast<int>(rows_.size()); }

    // Where an instance's button is in `window`; false before it is laid out.
    bool buttonPlace(int instance, Button button, GtkWidget* window, ButtonPlace& place) const;
    // Told when a row's buttons may have moved once the window is laid out.
    void onButtonMoved(std::function<void(int instance)> moved) { moved_ = std::move(moved); }

private:
    struct Row {
        GtkWidget* number = nullptr;
        GtkWidget* name = nullptr;
        GtkWidget* port = nullptr;
        GtkWidget* channel = nullptr;
        GtkWidget* button = nullptr;
        GtkWidget* rollButton = nullptr;
        int instance = 0;
        Rack* rack = nullptr;
    };
    static void OnClicked(GtkButton* button, gpointer row);
    static void OnAllocated(GtkWidget*, GdkRectangle*, gpointer row);
    void clear();

    std::function<void(int, Button)> opened_;
    std::function<void(int)> moved_;
    GtkWidget* frame_ = nullptr;
    GtkWidget* grid_ = nullptr;
    std::vector<std::unique_ptr<Row>> rows_;
};

}  // namespace velmora::host
