#pragma once
// The host's main window: menu bar, transport bar, the rack of instances, the
// MIDI monitor and a status bar. It only lays out and forwards the user's
// commands; the desktop decides what they do.
#include <gtk/gtk.h>

#include <functional>
#include <string>

namespace velmora::host {

class MidiMonitor;
class Rack;

struct MainWindowCommands {
    std::function<void()> open;
    std::function<void()> save;
    std::function<void()> saveAs;
    std::function<void()> quit;
    std::function<void()> play;
    std::function<void()> stop;
    std::function<void(bool on)> loop;
    std::function<void()> clearMonitor;
    std::function<void(int instance)> editor;  // Ctrl+1 ... Ctrl+9, 0-based
};

class MainWindow {
public:
    MainWindow(MainWindowCommands commands, Rack& rack, MidiMonitor& monitor);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    GtkWidget* window() const { return window_; }
    // "Velmora Host — <file name>", or "Velmora Host" without a session file.
    void setSessionFile(const std::string& path);
    void setSessionSummary(const std::string& text);
    void setStatus(const std::string& text);
    void setPosition(const std::string& barBeatTick, const std::string& time);
    void setPlaying(bool playing);
    // The window's X11 id; it is realized on construction.
    unsigned long windowId() const;

private:
    static gboolean OnKey(GtkWidget*, GdkEventKey* event, gpointer self);
    static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer self);
    GtkWidget* buildMenus(GtkAccelGroup* accelerators);
    GtkWidget* buildTransport();
    GtkWidget* menuItem(GtkWidget* menu, const char* label, GtkAccelGroup* accelerators, guint key,
                        GdkModifierType modifiers, std::function<void()>* command);

    MainWindowCommands commands_;
    GtkWidget* window_ = nullptr;
    GtkWidget* playButton_ = nullptr;
    GtkWidget* stopButton_ = nullptr;
    GtkWidget* loopButton_ = nullptr;
    GtkWidget* loopItem_ = nullptr;
    GtkWidget* position_ = nullptr;
    GtkWidget* time_ = nullptr;
    GtkWidget* summary_ = nullptr;
    GtkWidget* statusbar_ = nullptr;
    guint statusContext_ = 0;
    bool syncingLoop_ = false;
    bool playing_ = false;
};

}  // namespace velmora::host
