// The key-names caption of the articulation panel: loading, reloading,
// saving and clearing the edited articulation's piano-roll key names.
#include <optional>
#include <string>
#include <vector>

#include "core/instance.h"
#include "editor/command_hooks.h"
#include "editor/layout.h"
#include "editor/modifiers.h"
#include "persistence/key_names.h"

namespace velmora::editor {

namespace {

enum KeyNamesMenuId {
    kClearNames = 1,
    kReloadNames = 2,
    kLoadNames = 3,
    kSaveNames = 4,
};

constexpr int kCaptionLeft = 113, kCaptionTop = 106, kCaptionBottom = 119;
constexpr int kClearButtonLeft = 215, kClearButtonRight = 230;

bool HasTable(const Instance& plug, int a) { return plug.articulations.keyNames[a].names != nullptr; }

// The caption is narrower while the clear button shows beside it.
bool OnCaption(const Instance& plug, int a, int x, int y) {
    return Inside(x, y, kCaptionLeft, kCaptionTop, HasTable(plug, a) ? kClearButtonLeft : kClearButtonRight,
                  kCaptionBottom);
}

bool OnClearButton(const Instance& plug, int a, int x, int y) {
    return HasTable(plug, a) && Inside(x, y, kClearButtonLeft, kCaptionTop, kClearButtonRight, kCaptionBottom);
}

// The key names are saved with the project, so every load and clear tells the host.
void Changed(Instance& plug) {
    plug.Host().stateChanged();
    plug.RepaintEditor(Repaint::Whole);
}

void Clear(Instance& plug, int a) {
    LoadKeyNames(plug, a, std::nullopt);
    Changed(plug);
}

void Reload(Instance& plug, int a) {
    // A copy: loading rewrites the path it is given.
    const std::string path = plug.articulations.keyNames[a].path;
    LoadKeyNames(plug, a, path);
    Changed(plug);
}

void LoadChosen(Instance& plug, int a) {
    const KeyNameMap& map = plug.articulations.keyNames[a];
    const std::string pathBefore = map.path;
    const std::uint8_t missingBefore = map.missing;
    // A file that was chosen but could not be read still takes the path.
    const bool read = LoadKeyNamesFromChosenFile(plug, a);
    if (read || map.path != pathBefore || map.missing != missingBefore) {
        plug.Host().stateChanged();
    }
    plug.RepaintEditor(Repaint::Whole);
}

void CaptionClick(Instance& plug, int a) {
    if (ShiftDown(plug) && !plug.articulations.keyNames[a].path.empty()) {
        Reload(plug, a);
    } else if (!ControlDown(plug)) {
        LoadChosen(plug, a);
    } else {
        // Saving leaves where the names came from as it is.
        SaveKeyNamesToChosenFile(plug, a);
    }
}

std::vector<platform::MenuEntry> MenuEntries(const Instance& plug, int a) {
    std::vector<platform::MenuEntry> entries{{kLoadNames, "Load key names from file"}};
    if (!HasTable(plug, a)) {
        return entries;
    }
    const KeyNameMap& map = plug.articulations.keyNames[a];
    platform::MenuEntry separator;
    separator.separator = true;
    entries.push_back(separator);
    platform::MenuEntry title;
    title.text = map.title.empty() ? "[Stored in FLP]" : map.title;
    title.greyed = true;
    entries.push_back(title);
    entries.push_back({kClearNames, "Clear key names"});
    if (!map.path.empty()) {
        entries.push_back({kReloadNames, "Reload key names"});
    } else {
        entries.push_back({kSaveNames, "Save key names to file"});
    }
    return entries;
}

bool EditingValid(const Instance& plug) { return plug.editing >= 0 && plug.editing < kArticulations; }

}  // namespace

bool KeyNamesClick(Instance& plug, int x, int y) {
    if (!EditingValid(plug)) {
        return false;
    }
    const int a = plug.editing;
    if (OnCaption(plug, a, x, y)) {
        CaptionClick(plug, a);
        return true;
    }
    if (OnClearButton(plug, a, x, y)) {
        Clear(plug, a);
        return true;
    }
    return false;
}

bool KeyNamesMenu(Instance& plug, int x, int y) {
    if (!EditingValid(plug) || !OnCaption(plug, plug.editing, x, y)) {
        return false;
    }
    const int a = plug.editing;
    switch (plug.platform.popupMenus().track(MenuEntries(plug, a))) {
        case kClearNames: Clear(plug, a); break;
        case kReloadNames: Reload(plug, a); break;
        case kLoadNames: LoadChosen(plug, a); break;
        case kSaveNames: SaveKeyNamesToChosenFile(plug, a); break;
        default: break;  // dismissed, or the greyed title
    }
    return true;
}

}  // namespace velmora::editor
