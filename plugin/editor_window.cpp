#include "plugin/editor_window.h"

#include "editor/message_handler.h"
#include "plugin/boundary.h"
#include "plugin/plugin.h"

namespace velmora {

void AttachEditorWindow(ZOLTVSTExprPlug& plug) {
    plug.EditorHandle = static_cast<HWND>(plug.editorWindow->nativeHandle());
    plug.editorWindow->setHandler([&plug](const platform::ui::WindowEvent& event) {
        return Guarded(plug.Host(), plug.logIdentity, "EditorMessage", false,
                       [&] { return editor::HandleEditorMessage(plug, event); });
    });
}

}  // namespace velmora
