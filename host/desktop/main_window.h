#pragma once
// The host's main window (class "TFruityLoopsMainForm"): menu bar, transport
// bar, the rack of instances and the MIDI monitor on the left, the workspace
// with the plugin forms and piano rolls on the right, and a status bar. It
// only lays out and forwards the user's commands; the desktop decides what
// they do.
#include <gtk/gtk.h>

#include <functional>
#include <string>

namespace velmora::host {

class MidiMonitor;
class Rack;
class Workspace;

inline constexpr char kMainWindowClass[] = "TFruityLoopsMainForm";

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
    std::function<void(int instance)> roll;    // Ctrl+Shift+1 ... Ctrl+Shift+9, 0-based
    // Ctrl+W: closes the workspace's window the key went to (or the active one).
    std::function<void(GdkWindow* window)> closeChild;
};

class MainWindow {
public:
    MainWindow(MainWindowCommands commands, Rack& rack, MidiMonitor& monitor, Workspace& workspace);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    GtkWidget* window() const { return window_; }
    // "Velmora Host — <file name>", or "Velmora Host" without a session file;
    // an asterisk after it while the score has changes not saved.
    void setSessionFile(const std::string& path, bool edited = false);
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
