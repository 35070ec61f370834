// The click that gives a small host form the keyboard.
#include "editor/focus_click.h"

#include "core/instance.h"

namespace velmora::editor {

namespace {

// The click's place: this far in from the editor window's right and bottom edges.
constexpr int kFromRight = 5;
constexpr int kFromBottom = 60;

}  // namespace

void FocusClickCountdown(Instance& plug) {
    if (plug.clickCountdown <= 0) {
        return;
    }
    if (--plug.clickCountdown != 0) {
        return;
    }
    const platform::HostWindows& windows = plug.platform.hostWindows();
    platform::ui::Rect r;
    if (!plug.editorWindow || !windows.windowRect(static_cast<HWND>(plug.editorWindow->nativeHandle()), r)) {
        return;
    }
    const platform::ui::Point before = windows.cursorPosition();
    windows.setCursorPosition({r.right - kFromRight, r.bottom - kFromBottom});
    windows.leftButton(true);
    windows.leftButton(false);
    windows.setCursorPosition(before);
}

}  // namespace velmora::editor
