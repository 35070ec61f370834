// The desktop's plugin forms: opening and closing editors, fitting the forms
// to them, and what the log tells about the windows.
#include <gdk/gdkx.h>

#include <algorithm>

#include "host/desktop/caption_strip.h"
#include "host/desktop/desktop_app.h"
#include "sdk/plug_constants.h"

namespace velmora::host {

namespace {

// Windows open in the workspace's top right corner, each a little further
// down and left of the last, while they fit.
constexpr int kPlaceMargin = 12;
constexpr int kCascade = 28;
// Until the plugin tells its editor's size.
constexpr int kFallbackWidth = 320;
constexpr int kFallbackHeight = 240;

}  // namespace

GdkPoint DesktopApp::nextPlace(int width, int height) const {
    int shown = 0;
    if (open_) {
        for (const auto& form : open_->forms) {
            shown += form && form->shown() ? 1 : 0;
        }
    }
    const int right = std::max(kPlaceMargin, workspace_.width() - width - kPlaceMargin - kCascade * shown);
    const int down = std::min(kPlaceMargin + kCascade * shown, std::max(kPlaceMargin, workspace_.height() - height - kPlaceMargin));
    return {right, down};
}

PluginForm& DesktopApp::formOf(int instance) {
    std::unique_ptr<PluginForm>& form = open_->forms[static_cast<std::size_t>(instance)];
    if (!form) {
        PluginForm::Handlers handlers;
        handlers.closeRequested = [this, instance] { closeEditor(instance); };
        handlers.placed = [this, instance](int w, int h) {
            const PluginForm& f = *open_->forms[static_cast<std::size_t>(instance)];
            log_.write("form", {{"instance", static_cast<std::int64_t>(instance + 1)},
                                {"window", static_cast<std::int64_t>(f.windowId())},
                                {"area", static_cast<std::int64_t>(f.areaId())},
                                {"width", static_cast<std::int64_t>(w)},
                                {"height", static_cast<std::int64_t>(h)}});
        };
        int width = kFallbackWidth;
        int height = kFallbackHeight;
        if (extension_->editorSize(open_->plugs[static_cast<std::size_t>(instance)], &width, &height) == 0) {
            width = kFallbackWidth;
            height = kFallbackHeight;
        }
        form = std::make_unique<PluginForm>(workspace_, open_->names[static_cast<std::size_t>(instance)],
                                            nextPlace(width, height + kCaptionHeight), std::move(handlers));
    }
    return *form;
}

void DesktopApp::openEditor(int instance) {
    if (!open_ || instance < 0 || static_cast<std::size_t>(instance) >= open_->plugs.size()) {
        return;
    }
    PluginForm& form = formOf(instance);
    if (form.shown()) {
        form.present();
        return;
    }
    TFruityPlug* plug = open_->plugs[static_cast<std::size_t>(instance)];
    int width = kFallbackWidth;
    int height = kFallbackHeight;
    if (extension_->editorSize(plug, &width, &height) == 0 || width <= 0 || height <= 0) {
        width = kFallbackWidth;
        height = kFallbackHeight;
    }
    form.setPlaceholder(desktopOpen_ ? std::string() : noEditorReason_);
    const unsigned long area = form.show(width, height);
    rack_.setOpen(instance, Rack::Button::Editor, true);
    // With the single-editor option the plugin closes the other forms from
    // inside this call (message 53), before it takes over the shared page.
    plug->Dispatcher(plug::FPD_ShowEditor, 0, static_cast<std::intptr_t>(area));
    fitForm(instance);
    loop_.dispatchSoon();
}

void DesktopApp::closeEditor(int instance) {
    if (!open_ || instance < 0 || static_cast<std::size_t>(instance) >= open_->forms.size()) {
        return;
    }
    const auto i = static_cast<std::size_t>(instance);
    PluginForm* form = open_->forms[i].get();
    if (form == nullptr || !form->shown() || open_->closing[i]) {
        return;
    }
    open_->closing[i] = true;
    // The plugin hides its editor while the form is still where the user
    // left it: it may note the form's position for the next one.
    if (open_->instances) {
        open_->plugs[i]->Dispatcher(plug::FPD_ShowEditor, 0, 0);
    }
    form->hide();
    open_->closing[i] = false;
    rack_.setOpen(instance, Rack::Button::Editor, false);
    log_.write("closed", {{"instance", static_cast<std::int64_t>(instance + 1)}});
    loop_.dispatchSoon();
}

void DesktopApp::editorResized(int instance) { fitForm(instance); }

void DesktopApp::fitForm(int instance) {
    if (!open_ || instance < 0 || static_cast<std::size_t>(instance) >= open_->forms.size() ||
        !open_->forms[static_cast<std::size_t>(instance)]) {
        return;
    }
    int width = 0;
    int height = 0;
    if (extension_->editorSize(open_->plugs[static_cast<std::size_t>(instance)], &width, &height) != 0 && width > 0 &&
        height > 0) {
        open_->forms[static_cast<std::size_t>(instance)]->fit(width, height);
    }
}

GtkWindow* DesktopApp::dialogParent() const { return ui_ ? GTK_WINDOW(ui_->window()) : nullptr; }

void DesktopApp::closeChild(GdkWindow* window) {
    GtkWidget* child = workspace_.childOf(window);
    if (child == nullptr) {
        child = workspace_.active();
    }
    if (!open_ || child == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < open_->forms.size(); ++i) {
        if (open_->forms[i] && open_->forms[i]->widget() == child) {
            closeEditor(static_cast<int>(i));
            return;
        }
        if (open_->rolls[i] && open_->rolls[i]->widget() == child) {
            closeRoll(static_cast<int>(i));
            return;
        }
    }
}

void DesktopApp::logButton(int instance) {
    if (instance < 0 || static_cast<std::size_t>(instance) >= loggedButtons_.size()) {
        return;
    }
    const auto i = static_cast<std::size_t>(instance);
    for (const Rack::Button which : {Rack::Button::Editor, Rack::Button::Roll}) {
        Rack::ButtonPlace place;
        if (!rack_.buttonPlace(instance, which, ui_->window(), place)) {
            continue;
        }
        Rack::ButtonPlace& logged = which == Rack::Button::Editor ? loggedButtons_[i] : loggedRollButtons_[i];
        if (place.x == logged.x && place.y == logged.y && place.width == logged.width && place.height == logged.height) {
            continue;
        }
        logged = place;
        log_.write(which == Rack::Button::Editor ? "button" : "roll-button",
                   {{"instance", static_cast<std::int64_t>(instance + 1)},
                    {"x", static_cast<std::int64_t>(place.x)},
                    {"y", static_cast<std::int64_t>(place.y)},
                    {"width", static_cast<std::int64_t>(place.width)},
                    {"height", static_cast<std::int64_t>(place.height)}});
    }
}

void DesktopApp::logButtons() {
    for (int i = 0; i < rack_.count(); ++i) {
        logButton(i);
    }
}

gboolean DesktopApp::OnMainMapped(GtkWidget* window, GdkEvent*, gpointer self) {
    g_signal_handlers_disconnect_by_func(window, reinterpret_cast<gpointer>(&DesktopApp::OnMainMapped), self);
    // Once the layout has settled: the buttons' places are final then.
    g_idle_add_full(G_PRIORITY_LOW, &DesktopApp::OnReady, self, nullptr);
    return FALSE;
}

gboolean DesktopApp::OnReady(gpointer self) {
    auto& app = *static_cast<DesktopApp*>(self);
    app.logReady();
    return G_SOURCE_REMOVE;
}

void DesktopApp::logReady() {
    logButtons();
    ready_ = true;
    log_.write("ready", {{"window", static_cast<std::int64_t>(ui_->windowId())}});
}

}  // namespace velmora::host
