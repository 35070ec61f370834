// The desktop's piano rolls: opening and closing them, the names the plugin
// gives their keys and colours, the keys they play, their edits of the score
// and what the log tells about them.
#include <algorithm>
#include <array>

#include "host/desktop/desktop_app.h"
#include "host/desktop/key_names.h"
#include "sdk/plug_constants.h"

namespace velmora::host {

namespace {

// A roll opens along the workspace's bottom, below a row of plugin forms
// (an editor at its usual size with its caption), each further one a little
// up and right.
constexpr int kRollMargin = 12;
constexpr int kRollCascade = 28;
constexpr int kRollLeastHeight = 300;
constexpr int kFormRow = 12 + 1 + 22 + 237 + 1;
// The key whose name the log always tells.
constexpr int kLoggedKey = 60;
constexpr int kKeyVelocity = 100;
// While a dialog runs inside a call of the plugin, names wait this long again.
constexpr guint kNamesRetryMs = 50;

}  // namespace

PianoRoll& DesktopApp::rollOf(int instance) {
    std::unique_ptr<PianoRoll>& roll = open_->rolls[static_cast<std::size_t>(instance)];
    if (!roll) {
        int shown = 0;
        for (const auto& r : open_->rolls) {
            shown += r && r->shown() ? 1 : 0;
        }
        PianoRoll::Setup setup;
        setup.instance = instance;
        setup.ppq = open_->session.ppq;
        setup.hostVersion = open_->host->HostVersion;
        setup.name = open_->names[static_cast<std::size_t>(instance)];
        setup.width = workspace_.width() - 2 * kRollMargin - kRollCascade * shown;
        setup.height = std::max(kRollLeastHeight, workspace_.height() - kFormRow - 2 * kRollMargin);
        setup.position = {kRollMargin + kRollCascade * shown,
                          std::max(kRollMargin, workspace_.height() - setup.height - kRollMargin - kRollCascade * shown)};
        PianoRoll::Handlers handlers;
        handlers.closeRequested = [this, instance] { closeRoll(instance); };
        handlers.colourChosen = [this, instance](int colour) { colourChosen(instance, colour); };
        handlers.keyDown = [this, instance](int key) { playKey(instance, key); };
        handlers.keyUp = [this] { releaseKey(); };
        handlers.scoreChanged = [this, instance] { scoreEdited(instance); };
        handlers.keysShown = [this, instance](int first, int last) { askKeyNames(instance, first, last); };
        handlers.popupOpened = [this, instance](unsigned long window) {
            log_.write("popup", {{"instance", static_cast<std::int64_t>(instance + 1)}, {"window", static_cast<std::int64_t>(window)}});
        };
        handlers.placed = [this, instance] {
            logRoll(instance);
            if (namesOnPlace_.erase(instance) != 0) {
                askNames(instance);
            }
        };
        roll = std::make_unique<PianoRoll>(workspace_, open_->session.events, setup, std::move(handlers));
    }
    return *roll;
}

PianoRoll* DesktopApp::shownRoll(int instance) const {
    if (!open_ || instance < 0 || static_cast<std::size_t>(instance) >= open_->rolls.size()) {
        return nullptr;
    }
    PianoRoll* roll = open_->rolls[static_cast<std::size_t>(instance)].get();
    return roll != nullptr && roll->shown() ? roll : nullptr;
}

void DesktopApp::openRoll(int instance) {
    if (!open_ || instance < 0 || static_cast<std::size_t>(instance) >= open_->plugs.size()) {
        return;
    }
    PianoRoll& roll = rollOf(instance);
    if (roll.shown()) {
        roll.present();
        return;
    }
    roll.show();
    rack_.setOpen(instance, Rack::Button::Roll, true);
    // Asked once the roll is laid out and shows the keys it will show.
    namesOnPlace_.insert(instance);
}

void DesktopApp::closeRoll(int instance) {
    PianoRoll* roll = shownRoll(instance);
    if (roll == nullptr) {
        return;
    }
    releaseKey();
    roll->hide();
    loggedRolls_.erase(instance);
    namesOnPlace_.erase(instance);
    rack_.setOpen(instance, Rack::Button::Roll, false);
    log_.write("roll-closed", {{"instance", static_cast<std::int64_t>(instance + 1)}});
}

void DesktopApp::askNames(int instance) {
    PianoRoll* roll = shownRoll(instance);
    if (roll == nullptr) {
        return;
    }
    TFruityPlug& plug = *open_->plugs[static_cast<std::size_t>(instance)];
    std::array<std::string, 16> colours;
    for (int c = 0; c < kNoteColourCount; ++c) {
        colours[static_cast<std::size_t>(c)] = AskColourName(plug, c);
    }
    roll->setColourNames(colours);
    const int colour = roll->colour();
    roll->forgetKeyNames();
    const auto [first, last] = roll->visibleKeys();
    roll->setKeyNames(colour, first, AskKeyNames(plug, colour, first, last));
    if (kLoggedKey < first || kLoggedKey > last) {
        roll->setKeyNames(colour, kLoggedKey, AskKeyNames(plug, colour, kLoggedKey, kLoggedKey));
    }
    log_.write("names", {{"instance", static_cast<std::int64_t>(instance + 1)},
                         {"colour", static_cast<std::int64_t>(colour)},
                         {"first", static_cast<std::int64_t>(first)},
                         {"last", static_cast<std::int64_t>(last)},
                         {"60", roll->keyName(kLoggedKey)}});
}

void DesktopApp::askKeyNames(int instance, int first, int last) {
    PianoRoll* roll = shownRoll(instance);
    if (roll == nullptr || loop_.held()) {
        return;
    }
    const int colour = roll->colour();
    roll->setKeyNames(colour, first, AskKeyNames(*open_->plugs[static_cast<std::size_t>(instance)], colour, first, last));
}

void DesktopApp::colourChosen(int instance, int colour) {
    log_.write("colour", {{"instance", static_cast<std::int64_t>(instance + 1)}, {"colour", static_cast<std::int64_t>(colour)}});
    // At once, while the pop-up is still open: the plugin tells a colour
    // chosen there by a name query that comes before the pop-up has gone.
    if (loop_.held()) {
        namesChanged(instance, plug::kNamesPianoRoll);
    } else {
        askNames(instance);
    }
}

void DesktopApp::namesChanged(int instance, std::intptr_t what) {
    if (what != plug::kNamesPianoRoll || shownRoll(instance) == nullptr) {
        return;
    }
    // Asked once the plugin's call has returned, never from inside it.
    namesDue_.insert(instance);
    if (namesSource_ == 0) {
        namesSource_ = g_timeout_add(0, &DesktopApp::OnNamesDue, this);
    }
}

gboolean DesktopApp::OnNamesDue(gpointer self) {
    auto& app = *static_cast<DesktopApp*>(self);
    if (app.loop_.held()) {
        app.namesSource_ = g_timeout_add(kNamesRetryMs, &DesktopApp::OnNamesDue, self);
        return G_SOURCE_REMOVE;
    }
    app.namesSource_ = 0;
    const std::set<int> due = std::move(app.namesDue_);
    app.namesDue_.clear();
    for (const int instance : due) {
        app.askNames(instance);
    }
    return G_SOURCE_REMOVE;
}

void DesktopApp::playKey(int instance, int key) {
    releaseKey();
    PianoRoll* roll = shownRoll(instance);
    if (roll == nullptr || loop_.held()) {
        return;
    }
    ScoreEvent note;
    note.kind = EventKind::Note;
    note.instance = instance;
    note.key = key;
    note.colour = roll->colour();
    note.level = LevelForVelocity(kKeyVelocity);
    // The plugin looks at the pointer and Shift while it starts the note: a
    // Shift-click is its cue to rename the key.
    keyVoice_ = StartNote(*open_->host, note);
    open_->host->honourKillRequests();
    log_.write("key", {{"instance", static_cast<std::int64_t>(instance + 1)},
                       {"key", static_cast<std::int64_t>(key)},
                       {"colour", static_cast<std::int64_t>(note.colour)}});
}

void DesktopApp::releaseKey() {
    if (keyVoice_ != 0 && open_ && open_->instances) {
        ReleaseNote(*open_->host, keyVoice_);
    }
    keyVoice_ = 0;
}

void DesktopApp::scoreEdited(int instance) {
    open_->edited = true;
    transport_.scoreChanged();
    ui_->setSessionFile(open_->path, true);
    updateSummary();
    std::int64_t notes = 0;
    for (const ScoreEvent& e : open_->session.events) {
        notes += e.kind == EventKind::Note && e.instance == instance ? 1 : 0;
    }
    log_.write("score", {{"instance", static_cast<std::int64_t>(instance + 1)}, {"notes", notes}});
}

void DesktopApp::followTransport() {
    if (!open_) {
        return;
    }
    const std::optional<std::int64_t> tick = transport_.playing() ? std::optional(transport_.position()) : std::nullopt;
    for (const auto& roll : open_->rolls) {
        if (roll && roll->shown()) {
            roll->setPlayhead(tick);
        }
    }
}

void DesktopApp::logRoll(int instance) {
    PianoRoll* roll = shownRoll(instance);
    if (roll == nullptr) {
        return;
    }
    const GdkPoint origin = roll->screenOrigin();
    const auto logged = loggedRolls_.find(instance);
    if (logged != loggedRolls_.end() && logged->second.x == origin.x && logged->second.y == origin.y) {
        return;
    }
    loggedRolls_[instance] = origin;
    log_.write("roll", {{"instance", static_cast<std::int64_t>(instance + 1)},
                        {"window", static_cast<std::int64_t>(roll->windowId())},
                        {"colours", static_cast<std::int64_t>(roll->colourWindowId())},
                        {"x", static_cast<std::int64_t>(origin.x)},
                        {"y", static_cast<std::int64_t>(origin.y)}});
}

}  // namespace velmora::host
