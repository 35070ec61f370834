#include "host/desktop/desktop_app.h"

#include <gdk/gdkx.h>
#include <glib-unix.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>

#include "host/desktop/host_dialogs.h"
#include "host/desktop/message_box_style.h"
#include "host/desktop/monitor_line.h"
#include "host/instance_places.h"
#include "host/session_save.h"
#include "sdk/plug_constants.h"

namespace velmora::host {

namespace {

// Idle calls as the DAW gives them, and a dispatch after each.
constexpr unsigned kIdleMs = 50;

std::string Absolute(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

}  // namespace

DesktopApp::DesktopApp(const DesktopOptions& options)
    : options_(options),
      rack_([this](int instance, Rack::Button button) {
          if (button == Rack::Button::Editor) {
              openEditor(instance);
          } else {
              openRoll(instance);
          }
      }),
      loop_([this] { return dispatchDesktop(); }, [this] { idle(); }),
      transport_([this] {
          ui_->setPlaying(false);
          status("The score has ended");
      }) {
    startUs_ = g_get_monotonic_time();
}

DesktopApp::~DesktopApp() {
    for (guint& source : signals_) {
        if (source != 0) {
            g_source_remove(source);
        }
    }
    if (refreshPlaces_ != 0) {
        g_source_remove(refreshPlaces_);
    }
    if (namesSource_ != 0) {
        g_source_remove(namesSource_);
    }
    closeSession();
}

bool DesktopApp::start() {
    if (!options_.log.empty() && !log_.open(options_.log)) {
        std::fprintf(stderr, "velmora-host: cannot write %s\n", options_.log.c_str());
        return false;
    }
    library_ = std::make_unique<PluginLibrary>(options_.plugin);
    if (!library_->ok()) {
        std::fprintf(stderr, "velmora-host: %s\n", library_->error().c_str());
        return false;
    }
    MainWindowCommands commands;
    commands.open = [this] { chooseAndOpen(); };
    commands.save = [this] { save(false); };
    commands.saveAs = [this] { save(true); };
    commands.quit = [this] { quit(); };
    commands.play = [this] { play(); };
    commands.stop = [this] { stop(); };
    commands.loop = [this](bool on) { transport_.setLoop(on); };
    commands.clearMonitor = [this] { monitor_.clear(); };
    commands.editor = [this](int instance) { openEditor(instance); };
    commands.roll = [this](int instance) { openRoll(instance); };
    commands.closeChild = [this](GdkWindow* window) { closeChild(window); };
    ui_ = std::make_unique<MainWindow>(std::move(commands), rack_, monitor_, workspace_);
    workspace_.onMoved([this](GtkWidget* child) {
        if (!open_) {
            return;
        }
        for (std::size_t i = 0; i < open_->rolls.size(); ++i) {
            if (open_->rolls[i] && open_->rolls[i]->widget() == child) {
                logRoll(static_cast<int>(i));
            }
        }
    });
    rack_.onButtonMoved([this](int instance) {
        if (ready_) {
            logButton(instance);
        }
    });
    g_signal_connect(ui_->window(), "map-event", G_CALLBACK(OnMainMapped), this);
    std::string error;
    if (!openSession(options_.session, error)) {
        std::fprintf(stderr, "velmora-host: %s\n", error.c_str());
        return false;
    }
    signals_[0] = g_unix_signal_add(SIGINT, &DesktopApp::OnQuitSignal, this);
    signals_[1] = g_unix_signal_add(SIGTERM, &DesktopApp::OnQuitSignal, this);
    gtk_widget_show(ui_->window());
    loop_.start(kIdleMs);
    return true;
}

void DesktopApp::run() { gtk_main(); }

void DesktopApp::quit() {
    // Editors are hidden and instances destroyed while the loop can still
    // deliver what the plugin sends on the way.
    closeSession();
    gtk_main_quit();
}

gboolean DesktopApp::OnQuitSignal(gpointer self) {
    auto& app = *static_cast<DesktopApp*>(self);
    if (app.loop_.held()) {
        // A dialog inside a call of the plugin owns the stack; nothing below it can unwind cleanly.
        std::fflush(nullptr);
        ::_exit(1);
    }
    app.quit();
    return G_SOURCE_CONTINUE;
}

// --- sessions ---------------------------------------------------------------

bool DesktopApp::openSession(const std::string& path, std::string& error) {
    Session session;
    if (path.empty()) {
        session.instances.emplace_back();
    } else if (std::optional<Session> loaded = LoadSession(path, error)) {
        session = std::move(*loaded);
    } else {
        return false;
    }
    closeSession();
    open_ = std::make_unique<OpenSession>();
    open_->path = path.empty() ? std::string() : Absolute(path);
    open_->session = std::move(session);
    open_->host = std::make_unique<DesktopHost>(*this);
    open_->host->setMainWindow(static_cast<std::intptr_t>(ui_->windowId()));
    if (options_.hostVersion) {
        open_->host->HostVersion = *options_.hostVersion;
    }
    loading_ = true;
    loadMessages_.clear();
    open_->instances = std::make_unique<SessionInstances>(*library_, open_->session, *open_->host);
    loading_ = false;
    if (!open_->instances->ok()) {
        error = open_->instances->error();
        closeSession();
        return false;
    }
    const auto count = open_->host->instanceCount();
    for (std::size_t i = 0; i < count; ++i) {
        open_->plugs.push_back(open_->host->instance(static_cast<int>(i)));
    }
    extension_ = HostExtensionOf(open_->plugs.front(), error);
    if (extension_ == nullptr) {
        closeSession();
        return false;
    }
    open_->names.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (open_->names[i].empty()) {
            open_->names[i] = defaultName(static_cast<int>(i));
        }
    }
    open_->forms.resize(count);
    open_->closing.assign(count, false);
    open_->rolls.resize(count);
    openDesktop();
    loggedButtons_.assign(count, Rack::ButtonPlace{});
    loggedRollButtons_.assign(count, Rack::ButtonPlace{});
    rack_.setInstances(open_->names);
    refreshPlaces();
    ui_->setSessionFile(open_->path);
    updateSummary();
    std::string notes;
    for (const std::string& w : open_->instances->warnings) {
        notes += (notes.empty() ? "Warning: " : "; ") + w;
    }
    for (const std::string& m : loadMessages_) {
        notes += (notes.empty() ? "" : "; ") + m;
    }
    status(notes.empty() ? (open_->path.empty() ? std::string("New session") : "Opened " + open_->path) : notes);
    log_.write("session", {{"path", open_->path}, {"instances", static_cast<std::int64_t>(count)}});
    return true;
}

void DesktopApp::closeSession() {
    if (!open_) {
        return;
    }
    transport_.stop();
    if (ui_) {
        ui_->setPlaying(false);
    }
    releaseKey();
    namesDue_.clear();
    loggedRolls_.clear();
    namesOnPlace_.clear();
    // The rolls edit the session's score, which goes with the session.
    open_->rolls.clear();
    for (std::size_t i = 0; i < open_->forms.size(); ++i) {
        closeEditor(static_cast<int>(i));
    }
    // The instances go first: their editor windows live inside the forms'
    // areas, and the plugin takes them down on its own connection.
    open_->instances.reset();
    if (desktopOpen_ && !loop_.held()) {
        dispatchDesktop();
    }
    open_->forms.clear();
    open_.reset();
    rack_.setInstances({});
}

void DesktopApp::openDesktop() {
    if (desktopTried_) {
        return;
    }
    desktopTried_ = true;
    if (extension_->openDesktop == nullptr || extension_->desktopDispatch == nullptr) {
        noEditorReason_ = "This build of the plugin shows no editor on a desktop";
        std::fprintf(stderr, "velmora-host: the plugin has no desktop editor; its forms stay empty\n");
        return;
    }
    int fd = -1;
    if (extension_->openDesktop(gdk_display_get_name(gdk_display_get_default()), &fd) == 0 || fd < 0) {
        noEditorReason_ = "The plugin could not open the display";
        std::fprintf(stderr, "velmora-host: the plugin could not open the display; its forms stay empty\n");
        return;
    }
    desktopOpen_ = true;
    loop_.watch(fd);
}

bool DesktopApp::dispatchDesktop() {
    if (!desktopOpen_ || extension_->desktopDispatch() != 0) {
        return true;
    }
    desktopOpen_ = false;
    status("The plugin lost its display connection");
    return false;
}

void DesktopApp::idle() {
    if (!open_) {
        return;
    }
    for (TFruityPlug* plug : open_->plugs) {
        plug->Idle_Public();
        open_->host->honourKillRequests();
    }
    followTransport();
    if (transport_.playing()) {
        const std::int64_t tick = transport_.position();
        const double seconds = static_cast<double>(tick) / (open_->session.bpm * open_->session.ppq / 60.0);
        ui_->setPosition(Transport::BarBeatTick(tick, open_->session.ppq), MidiMonitorLine(seconds, 0, 0).time);
    }
}

void DesktopApp::save(bool choosePath) {
    if (!open_) {
        return;
    }
    std::string path = open_->path;
    if (choosePath || path.empty()) {
        const std::optional<std::string> chosen =
            ChooseSessionFile(GTK_WINDOW(ui_->window()), true, path, [this](GtkWindow* dialog) {
                log_.write("dialog", {{"kind", "save"}, {"title", gtk_window_get_title(dialog)}});
            });
        if (!chosen) {
            return;
        }
        path = Absolute(*chosen);
    }
    std::string error;
    if (!SaveSessionWithStates(open_->session, open_->plugs, path, error)) {
        ShowHostError(GTK_WINDOW(ui_->window()), "The session could not be saved: " + error);
        return;
    }
    open_->path = path;
    open_->edited = false;
    ui_->setSessionFile(path);
    status("Saved " + path);
    log_.write("saved", {{"path", path}});
}

void DesktopApp::chooseAndOpen() {
    const std::optional<std::string> chosen =
        ChooseSessionFile(GTK_WINDOW(ui_->window()), false, open_ ? open_->path : std::string(), [this](GtkWindow* dialog) {
            log_.write("dialog", {{"kind", "open"}, {"title", gtk_window_get_title(dialog)}});
        });
    if (!chosen) {
        return;
    }
    std::string error;
    if (!openSession(*chosen, error)) {
        ShowHostError(GTK_WINDOW(ui_->window()), "The session could not be opened: " + error);
    }
}

void DesktopApp::play() {
    if (!open_ || transport_.playing()) {
        return;
    }
    std::string error;
    if (!transport_.play(*open_->host, open_->session, error)) {
        ShowHostError(GTK_WINDOW(ui_->window()), "The score cannot be played: " + error);
        return;
    }
    ui_->setPlaying(true);
    status("Playing");
}

void DesktopApp::stop() {
    transport_.stop();
    ui_->setPlaying(false);
    ui_->setPosition(Transport::BarBeatTick(0, open_ ? open_->session.ppq : 96), MidiMonitorLine(0.0, 0, 0).time);
    status("Stopped");
}

void DesktopApp::refreshPlaces() {
    if (!open_ || extension_ == nullptr) {
        return;
    }
    if (const auto places = ListPlaces(*extension_, open_->plugs)) {
        for (std::size_t i = 0; i < places->size(); ++i) {
            rack_.setPlace(static_cast<int>(i), (*places)[i]);
        }
    }
}

void DesktopApp::updateSummary() {
    char text[160];
    std::snprintf(text, sizeof(text), "%g BPM \u00b7 %d PPQ \u00b7 %zu instance%s \u00b7 %zu events", open_->session.bpm,
                  open_->session.ppq, open_->plugs.size(), open_->plugs.size() == 1 ? "" : "s", open_->session.events.size());
    ui_->setSessionSummary(text);
}

std::string DesktopApp::pluginTitle() const {
    if (open_ && open_->host && open_->host->instanceCount() > 0) {
        const TFruityPlug* first = open_->host->instance(0);
        if (first->Info != nullptr && first->Info->LongName != nullptr) {
            return first->Info->LongName;
        }
    }
    return "Velmora Host";
}

std::string DesktopApp::defaultName(int instance) const {
    const std::string name = pluginTitle();
    return instance == 0 ? name : name + " #" + std::to_string(instance + 1);
}

void DesktopApp::status(const std::string& text) {
    if (ui_) {
        ui_->setStatus(text);
    }
}

// --- the plugin's calls -----------------------------------------------------

DesktopApp::Hold::Hold(DesktopApp& app) : app_(app) {
    app_.loop_.hold();
    app_.transport_.hold();
}

DesktopApp::Hold::~Hold() {
    app_.transport_.release();
    app_.loop_.release();
}

void DesktopApp::renamed(int instance, const std::string& name) {
    if (!open_ || instance < 0) {
        return;
    }
    const auto i = static_cast<std::size_t>(instance);
    if (open_->names.size() <= i) {
        open_->names.resize(i + 1);
    }
    open_->names[i] = name;
    rack_.rename(instance, name);
    if (i < open_->forms.size() && open_->forms[i]) {
        open_->forms[i]->setTitle(name);
    }
    if (i < open_->rolls.size() && open_->rolls[i]) {
        open_->rolls[i]->setName(name);
    }
    log_.write("renamed", {{"instance", static_cast<std::int64_t>(instance + 1)}, {"name", name}});
}

void DesktopApp::statusText(int instance, const std::string& text) {
    status(text);
    log_.write("status", {{"instance", static_cast<std::int64_t>(instance + 1)}, {"text", text}});
}

void DesktopApp::stateChanged(int) {
    // Port and channel may have moved; asked once the plugin's call is over.
    if (refreshPlaces_ == 0) {
        refreshPlaces_ = g_idle_add(&DesktopApp::OnRefreshPlaces, this);
    }
}

void DesktopApp::paramMenuRan(int instance, int parameter, const std::string& entry) {
    status("Parameter " + std::to_string(parameter) + ": " + entry);
    log_.write("param-menu", {{"instance", static_cast<std::int64_t>(instance + 1)},
                              {"parameter", static_cast<std::int64_t>(parameter)}, {"entry", entry}});
}

gboolean DesktopApp::OnRefreshPlaces(gpointer self) {
    auto& app = *static_cast<DesktopApp*>(self);
    app.refreshPlaces_ = 0;
    app.refreshPlaces();
    return G_SOURCE_REMOVE;
}

void DesktopApp::hint(int instance, const std::string& text) {
    if (text == lastHint_) {
        return;
    }
    lastHint_ = text;
    status(text);
    log_.write("hint", {{"instance", static_cast<std::int64_t>(instance + 1)}, {"text", text}});
}

void DesktopApp::midiOut(int instance, std::uint32_t word) {
    monitor_.add(MidiMonitorLine(static_cast<double>(g_get_monotonic_time() - startUs_) / 1e6, instance, word));
}

std::optional<std::string> DesktopApp::prompt(const std::string& caption, const std::string& text) {
    const Hold hold(*this);
    return RunPrompt(dialogParent(), caption, text, [&](GtkWindow* dialog) {
        log_.write("dialog", {{"kind", "prompt"}, {"title", caption}, {"text", text},
                              {"window", static_cast<std::int64_t>(gdk_x11_window_get_xid(gtk_widget_get_window(GTK_WIDGET(dialog))))}});
    });
}

int DesktopApp::messageBox(int instance, const std::string& text, int style) {
    if (loading_) {
        const int answer = LookOfMessageBox(style).dismissedResult;
        loadMessages_.push_back(text);
        log_.write("message", {{"instance", static_cast<std::int64_t>(instance + 1)}, {"text", text},
                               {"style", static_cast<std::int64_t>(style)}, {"answer", static_cast<std::int64_t>(answer)}});
        return answer;
    }
    const Hold hold(*this);
    const std::string title = pluginTitle();
    return RunMessageBox(dialogParent(), title, text, style, [&](GtkWindow* dialog) {
        log_.write("dialog", {{"kind", "message"}, {"title", title}, {"instance", static_cast<std::int64_t>(instance + 1)},
                              {"text", text}, {"style", static_cast<std::int64_t>(style)},
                              {"window", static_cast<std::int64_t>(gdk_x11_window_get_xid(gtk_widget_get_window(GTK_WIDGET(dialog))))}});
    });
}

}  // namespace velmora::host
