// Watching the host's colour pop-up and following the colour chosen in it.
#include "editor/colour_popup.h"

#include <algorithm>

#include "core/instance.h"
#include "core/piano_roll_windows.h"
#include "editor/typed_entry.h"

namespace velmora::editor {

namespace {

constexpr int kShift = 0x10;
constexpr int kAlt = 0x12;
// The note-colour pop-up is exactly this tall, and its pixel row 2 shows
// this colour somewhere past its first column.
constexpr int kColourPopupHeight = 164;
constexpr int kColourRow = 2;
constexpr std::uint32_t kColourMark = 0x9ED1A5;

bool OverAPianoRoll(const platform::HostWindows& windows, HWND main, const platform::ui::Rect& popup) {
    if (popup.height() != kColourPopupHeight) {
        return false;
    }
    return ForEachPianoRoll(windows, main, [&](HWND roll) {
        platform::ui::Rect r;
        return windows.windowRect(roll, r) && popup.left >= r.left && popup.top >= r.top;
    });
}

bool ShowsTheColours(const platform::HostWindows& windows, HWND popup) {
    const std::vector<std::uint32_t> row = windows.pixelRow(popup, kColourRow);
    return row.size() > 1 && std::find(row.begin() + 1, row.end(), kColourMark) != row.end();
}

}  // namespace

void WatchColourPopup(Instance& plug) {
    const platform::HostWindows& windows = plug.platform.hostWindows();
    const HWND q = windows.findTopLevel(kColourPopupClass, {});
    if (plug.colourPopup == nullptr) {
        platform::ui::Rect r;
        if (q == nullptr) {
            return;
        }
        plug.colourPopupRecognised = 0;
        if (windows.windowRect(q, r) && OverAPianoRoll(windows, plug.processState->hostMainWindow, r)) {
            plug.colourPopup = q;
        }
    } else if (q == nullptr) {
        plug.colourPopup = nullptr;
        plug.colourPopupRecognised = 0;
    } else if (plug.colourPopupRecognised == 0) {
        plug.colourPopupRecognised = ShowsTheColours(windows, q) ? 1 : 0;
    }
}

void FollowPianoRollColour(Instance& plug) {
    const int a = plug.pendingArticulation;
    plug.pendingArticulation = -1;
    if (plug.colourPopupRecognised == 0 || a < 0 || a >= kArticulations) {
        return;
    }
    const platform::HostWindows& windows = plug.platform.hostWindows();
    const bool alt = windows.keyDown(kAlt);
    const bool shift = windows.keyDown(kShift);
    plug.currentArticulation = a;
    if (!alt && !shift) {
        plug.RepaintEditor(Repaint::GridOnly);
        return;
    }
    plug.editing = a;
    if (!alt) {
        std::string name = plug.articulations.name[a];
        if (PromptEdit(plug, "Articulation name", name)) {
            plug.articulations.name[a] = name;
            plug.Host().stateChanged();
        }
    }
    plug.RepaintEditor(Repaint::Whole);
}

}  // namespace velmora::editor
