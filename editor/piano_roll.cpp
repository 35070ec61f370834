// Picking a note colour in the host's piano roll with synthesised input.
#include "editor/piano_roll.h"

#include "core/instance.h"
#include "core/piano_roll_windows.h"

namespace velmora::editor {

namespace {

constexpr int kHome = 0x24;
constexpr int kRight = 0x27;
constexpr int kDown = 0x28;
constexpr int kEnter = 0x0D;
constexpr int kColoursPerRow = 4;  // the older selector's grid
// Where the colour selector sits in the piano roll's client area.
constexpr platform::ui::Point kSelectorBefore12{13, 34};
constexpr platform::ui::Point kSelector{28, 50};

void Press(const platform::HostWindows& windows, int key, int times = 1) {
    for (int i = 0; i < times; ++i) {
        windows.key(key, true);
        windows.key(key, false);
    }
}

}  // namespace

bool NamesWithoutColour(std::int32_t hostVersion) {
    return hostVersion >= kHostVersionNamesWithoutColour && hostVersion < kHostVersionNamesWithColour;
}

void SelectPianoRollColour(Instance& plug, int colour) {
    const HWND main = reinterpret_cast<HWND>(plug.Host().dispatcher(plug::FHD_GetMainWindow));
    if (main == nullptr) {
        return;
    }
    const platform::HostWindows& windows = plug.platform.hostWindows();
    const bool column = plug.Host().hostVersion() >= kHostVersionColourColumn;
    platform::ui::Point p;
    platform::ui::Point before;
    const bool found = ForEachPianoRoll(windows, main, [&](HWND roll) {
        p = windows.clientToScreen(roll, column ? kSelector : kSelectorBefore12);
        before = windows.cursorPosition();
        return windows.parent(windows.windowAt(p)) == roll;
    });
    if (!found) {
        return;
    }
    windows.setCursorPosition(p);
    windows.leftButton(true);
    windows.leftButton(false);
    Press(windows, kHome);
    if (column) {
        Press(windows, kDown, colour);
    } else {
        Press(windows, kDown, colour / kColoursPerRow);
        Press(windows, kRight, colour % kColoursPerRow);
    }
    Press(windows, kEnter);
    windows.setCursorPosition(before);
}

}  // namespace velmora::editor
