// Show and hide, with the single-editor rule of newer hosts.
#include "editor/window_lifecycle.h"

#include "core/instance.h"
#include "editor/drag.h"
#include "editor/form_position.h"

namespace velmora::editor {

namespace {

constexpr std::int32_t kHostVersionSingleEditor = 12000000;
constexpr std::int32_t kHostVersionFocusClick = 12005000;
constexpr int kFocusClickIdles = 8;
constexpr int kSmallHostWindow = 400;  // pixels of client height

bool SingleEditor(const Instance& plug) {
    return plug.Host().hostVersion() >= kHostVersionSingleEditor && plug.processState->showsingle != 0;
}

void Hide(Instance& plug) {
    // A drag cut short by the host leaves no hidden or confined pointer behind.
    EndDrag(plug, false);
    if (SingleEditor(plug)) {
        plug.processState->sharedTab = plug.tab;
        SaveFormPosition(plug, static_cast<HWND>(plug.editorWindow->nativeHandle()));
    }
    plug.parentWindow = nullptr;
    plug.visible = 0;
    plug.editorWindow->hide();
}

void Show(Instance& plug, HWND parent) {
    if (SingleEditor(plug)) {
        for (Instance* other : plug.processState->instanceList) {
            if (other != &plug && other->visible != 0) {
                other->Host().dispatcher(plug::FHD_CloseEditor);
            }
        }
        plug.tab = plug.processState->sharedTab;
        plug.restoreFormPos = 1;
    }
    plug.parentWindow = parent;
    plug.visible = 1;
    plug.editorWindow->show(parent);
    const std::int32_t version = plug.Host().hostVersion();
    int height = 0;
    if (version >= kHostVersionSingleEditor && version < kHostVersionFocusClick &&
        plug.platform.hostWindows().clientHeight(parent, height) && height <= kSmallHostWindow) {
        plug.clickCountdown = kFocusClickIdles;
    }
}

}  // namespace

void ShowEditor(Instance& plug, HWND parent) {
    if (parent == nullptr) {
        Hide(plug);
    } else {
        Show(plug, parent);
    }
}

}  // namespace velmora::editor
