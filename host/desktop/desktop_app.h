#pragma once
// The desktop host as a whole: the plugin library, the open session and its
// instances, the main window, the plugin forms, the piano rolls, the
// transport and the log.
// Everything runs on the GTK main thread, the plugin's interface thread; the
// transport's ticks are played there too, so nothing races.
#include <gtk/gtk.h>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "host/desktop/desktop.h"
#include "host/desktop/desktop_host.h"
#include "host/desktop/event_log.h"
#include "host/desktop/main_window.h"
#include "host/desktop/midi_monitor.h"
#include "host/desktop/piano_roll.h"
#include "host/desktop/plugin_form.h"
#include "host/desktop/plugin_loop.h"
#include "host/desktop/rack.h"
#include "host/desktop/transport.h"
#include "host/desktop/workspace.h"
#include "host/player.h"
#include "host/plugin_library.h"

namespace velmora::host {

class DesktopApp final : public DesktopListener {
public:
    explicit DesktopApp(const DesktopOptions& options);
    ~DesktopApp() override;
    DesktopApp(const DesktopApp&) = delete;
    DesktopApp& operator=(const DesktopApp&) = delete;

    // Loads the plugin and the session; false with the reason printed.
    bool start();
    void run();

    // DesktopListener
    void renamed(int instance, const std::string& name) override;
    void editorResized(int instance) override;
    void closeEditor(int instance) override;
    void namesChanged(int instance, std::intptr_t what) override;
    void statusText(int instance, const std::string& text) override;
    void stateChanged(int instance) override;
    void paramMenuRan(int instance, int parameter, const std::string& entry) override;
    void hint(int instance, const std::string& text) override;
    void midiOut(int instance, std::uint32_t word) override;
    std::optional<std::string> prompt(const std::string& caption, const std::string& text) override;
    int messageBox(int instance, const std::string& text, int style) override;

private:
    // A session and what lives as long as it: the host object its instances
    // know, the instances, their display names and forms.
    struct OpenSession {
        std::string path;
        Session session;
        std::unique_ptr<DesktopHost> host;
        std::unique_ptr<SessionInstances> instances;
        std::vector<TFruityPlug*> plugs;
        std::vector<std::string> names;
        std::vector<std::unique_ptr<PluginForm>> forms;  // made when first opened
        std::vector<bool> closing;                       // hide messages under way
        std::vector<std::unique_ptr<PianoRoll>> rolls;   // made when first opened
        bool edited = false;                             // the score has changes not saved
    };

    // Holds the plugin's loop and the transport while a dialog runs inside a
    // call of the plugin.
    class Hold {
    public:
        explicit Hold(DesktopApp& app);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        DesktopApp& app_;
    };

    // Sessions (desktop_app.cpp).
    bool openSession(const std::string& path, std::string& error);
    void closeSession();
    void openDesktop();
    void save(bool choosePath);
    void chooseAndOpen();
    void quit();
    void play();
    void stop();
    void idle();
    bool dispatchDesktop();
    void refreshPlaces();
    void updateSummary();
    std::string defaultName(int instance) const;
    std::string pluginTitle() const;
    void status(const std::string& text);

    // Editors (desktop_editors.cpp).
    void openEditor(int instance);
    void fitForm(int instance);
    PluginForm& formOf(int instance);
    GtkWindow* dialogParent() const;
    void closeChild(GdkWindow* window);
    GdkPoint nextPlace(int width, int height) const;
    void logButtons();
    void logButton(int instance);
    void logReady();
    static gboolean OnMainMapped(GtkWidget*, GdkEvent*, gpointer self);
    static gboolean OnReady(gpointer self);
    static gboolean OnRefreshPlaces(gpointer self);
    static gboolean OnQuitSignal(gpointer self);

    // Piano rolls (desktop_rolls.cpp).
    void openRoll(int instance);
    void closeRoll(int instance);
    PianoRoll& rollOf(int instance);
    PianoRoll* shownRoll(int instance) const;
    // Asks the plugin for the names of the keys in view (and key 60) in the
    // roll's colour, and of the colours; logged.
    void askNames(int instance);
    void askKeyNames(int instance, int first, int last);
    void colourChosen(int instance, int colour);
    void playKey(int instance, int key);
    void releaseKey();
    void scoreEdited(int instance);
    void followTransport();
    void logRoll(int instance);
    static gboolean OnNamesDue(gpointer self);

    DesktopOptions options_;
    EventLog log_;
    std::unique_ptr<PluginLibrary> library_;
    const HostExtension* extension_ = nullptr;
    bool desktopTried_ = false;
    bool desktopOpen_ = false;
    std::string noEditorReason_;
    Rack rack_;
    MidiMonitor monitor_;
    Workspace workspace_;
    std::unique_ptr<MainWindow> ui_;
    PluginLoop loop_;
    Transport transport_;
    std::unique_ptr<OpenSession> open_;
    gint64 startUs_ = 0;
    // While a session's instances are set up: their messages go to the status
    // bar instead of a dialog each, as a user opening a session wants.
    bool loading_ = false;
    std::vector<std::string> loadMessages_;
    bool ready_ = false;
    std::vector<Rack::ButtonPlace> loggedButtons_;
    std::vector<Rack::ButtonPlace> loggedRollButtons_;
    std::string lastHint_;
    guint refreshPlaces_ = 0;
    std::set<int> namesDue_;       // rolls whose names the plugin said changed
    guint namesSource_ = 0;
    std::intptr_t keyVoice_ = 0;   // the note a key of a roll plays
    std::map<int, GdkPoint> loggedRolls_;  // where each shown roll was last logged
    std::set<int> namesOnPlace_;           // rolls just shown, to ask names for once laid out
    guint signals_[2] = {0, 0};
};

}  // namespace velmora::host
