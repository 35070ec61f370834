// The host form's remembered place.
#include "editor/form_position.h"

#include "core/instance.h"
#include "core/piano_roll_windows.h"

namespace velmora::editor {

void SaveFormPosition(const Instance& plug, HWND editor) {
    const platform::HostWindows& windows = plug.platform.hostWindows();
    ProcessState& process = *plug.processState;
    ForEachPluginForm(windows, process.hostMainWindow, [&](HWND form, HWND sheet) {
        platform::ui::Rect r;
        if (editor != nullptr && windows.firstChild(sheet) == editor && windows.windowRect(form, r)) {
            const platform::ui::Point p = windows.screenToClient(windows.parent(form), {r.left, r.top});
            process.savedFormPosX = p.x;
            process.savedFormPosY = p.y;
        }
    });
}

void RestoreFormPositions(const Instance& plug) {
    const ProcessState& process = *plug.processState;
    if (process.savedFormPosX == kUnknownFormPos || process.savedFormPosY == kUnknownFormPos ||
        process.hostMainWindow == nullptr) {
        return;
    }
    const platform::HostWindows& windows = plug.platform.hostWindows();
    ForEachPluginForm(windows, process.hostMainWindow, [&](HWND form, HWND sheet) {
        const HWND shown = windows.firstChild(sheet);
        for (const Instance* live : process.instanceList) {
            if (shown != nullptr && live->editorWindow && live->editorWindow->nativeHandle() == shown) {
                windows.moveWindow(form, {process.savedFormPosX, process.savedFormPosY});
                return;
            }
        }
    });
}

}  // namespace velmora::editor
