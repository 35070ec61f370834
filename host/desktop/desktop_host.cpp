#include "host/desktop/desktop_host.h"

#include <algorithm>
#include <cstring>

#include "host/editor_session.h"
#include "host/valid_utf8.h"
#include "sdk/plug_constants.h"

namespace velmora::host {

namespace {

// Texts go on as UTF-8: the toolkit and the log take nothing else.
std::string TextOf(std::intptr_t pointer) { return ValidUtf8(reinterpret_cast<const char*>(pointer)); }

}  // namespace

int DesktopHost::indexOf(TPluginTag tag) const {
    return tag >= 1 && static_cast<std::size_t>(tag) <= instanceCount() ? static_cast<int>(tag - 1) : -1;
}

std::intptr_t DesktopHost::Dispatcher(TPluginTag sender, std::intptr_t id, std::intptr_t index, std::intptr_t value) {
    const int instance = indexOf(sender);
    // Instances call while they are being created, before the host counts
    // them; what they say then concerns no row of the desktop yet.
    switch (id) {
        case plug::FHD_GetMainWindow: return mainWindow_;
        case plug::FHD_MessageBox:
            return listener_.messageBox(instance, TextOf(index), static_cast<int>(value));
        case plug::FHD_SetInstanceName:
            if (instance >= 0) {
                listener_.renamed(instance, TextOf(value));
            }
            return 0;
        case plug::FHD_EditorResized:
            if (instance >= 0) {
                listener_.editorResized(instance);
            }
            return 0;
        case plug::FHD_CloseEditor:
            if (instance >= 0) {
                listener_.closeEditor(instance);
            }
            return 0;
        case plug::FHD_NamesChanged:
            if (instance >= 0) {
                listener_.namesChanged(instance, value);
            }
            return 0;
        case plug::FHD_StatusText: listener_.statusText(instance, TextOf(value)); return 0;
        case plug::FHD_StateChanged:
            if (instance >= 0) {
                listener_.stateChanged(instance);
            }
            return 0;
        case plug::FHD_ParamMenu: {
            // The reference host's own menu runs the entry; the desktop shows what ran.
            const std::size_t before = paramMenuRuns().size();
            ReferenceHost::Dispatcher(sender, id, index, value);
            if (paramMenuRuns().size() > before) {
                const ParamMenuRun& run = paramMenuRuns().back();
                listener_.paramMenuRan(run.instance, run.parameter, run.entry);
            }
            return 0;
        }
        default: return ReferenceHost::Dispatcher(sender, id, index, value);
    }
}

void DesktopHost::OnHint(TPluginTag sender, char* text) { listener_.hint(indexOf(sender), ValidUtf8(text)); }

void DesktopHost::MIDIOut(TPluginTag sender, std::intptr_t msg) {
    // Not recorded: a desktop session runs for hours; the monitor keeps the last lines.
    listener_.midiOut(indexOf(sender), static_cast<std::uint32_t>(msg));
}

BOOL DesktopHost::PromptEdit(int, int, char* caption, char* text, int&) {
    const std::optional<std::string> answer = listener_.prompt(ValidUtf8(caption), ValidUtf8(text));
    if (!answer || text == nullptr) {
        return 0;
    }
    std::size_t length = std::min(answer->size(), kPromptTextSize - 1);
    // A cut never splits a UTF-8 character.
    while (length < answer->size() && length > 0 && (static_cast<unsigned char>((*answer)[length]) & 0xC0) == 0x80) {
        --length;
    }
    std::memcpy(text, answer->data(), length);
    text[length] = '\0';
    return 1;
}

}  // namespace velmora::host
