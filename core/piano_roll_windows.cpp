// The Shift-click in the piano roll that marks a note for renaming.
#include "core/piano_roll_windows.h"

#include <cstdarg>
#include <cstdio>

namespace velmora {

namespace {

constexpr int kLeftButton = 0x01;
constexpr int kLeftShift = 0xA0;
constexpr int kRightShift = 0xA1;
// Key states are written as the system's key-state word masked to its
// down bit, so a held key shows as 32768.
constexpr int kDownBit = 0x8000;

void Debug(const platform::HostWindows& windows, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Debug(const platform::HostWindows& windows, const char* format, ...) {
    char line[128];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof(line), format, args);
    va_end(args);
    windows.debugOutput(line);
}

int DownBit(const platform::HostWindows& windows, int virtualKey) { return windows.keyDown(virtualKey) ? kDownBit : 0; }

bool ClickBelow(const platform::HostWindows& windows, HWND roll, HWND colourWindow) {
    platform::ui::Rect r;
    platform::ui::Rect c;
    if (!windows.windowRect(roll, r) || !windows.windowRect(colourWindow, c)) {
        return false;
    }
    const platform::ui::Point m = windows.cursorPosition();
    Debug(windows, "Found window %p\n", colourWindow);
    Debug(windows, "  LBUTTON is %i\n", DownBit(windows, kLeftButton));
    Debug(windows, "  VK_LSHIFT is %i\n", DownBit(windows, kLeftShift));
    Debug(windows, "  VK_RSHIFT is %i\n", DownBit(windows, kRightShift));
    Debug(windows, "  MousePos.x is %i\n", m.x);
    Debug(windows, "  MousePos.y is %i\n", m.y);
    Debug(windows, "  FLPluginColorWindowRect.left  is %i\n", c.left);
    Debug(windows, "  FLPluginColorWindowRect.right is %i\n", c.right);
    Debug(windows, "  FLPluginColorWindowRect.top   is %i\n", c.top);
    Debug(windows, "  FLPluginColorWindowRect.bot   is %i\n", c.bottom);
    Debug(windows, "  FLPluginWindowRect.bot        is %i\n", r.bottom);
    const bool inside = c.left <= m.x && m.x <= c.right && c.bottom <= m.y && m.y <= r.bottom;
    const bool shift = windows.keyDown(kLeftShift) || windows.keyDown(kRightShift);
    if (inside && windows.keyDown(kLeftButton) && shift) {
        windows.debugOutput("  TRIGGERED\n");
        return true;
    }
    return false;
}

}  // namespace

bool IsPianoRollShiftClick(const platform::HostWindows& windows, HWND main) {
    if (main == nullptr) {
        return false;
    }
    return ForEachPianoRoll(windows, main, [&](HWND roll) {
        for (HWND k = windows.findChild(roll, kColourWindowClass, {}); k != nullptr;
             k = windows.findChild(roll, kColourWindowClass, {}, k)) {
            if (ClickBelow(windows, roll, k)) {
                return true;
            }
        }
        return false;
    });
}

}  // namespace velmora
