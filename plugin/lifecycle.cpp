// Construction and destruction of the plugin instance.
#include "core/plugin_info.h"
#include "editor/drag.h"
#include "engine/voices.h"
#include "plugin/boundary.h"
#include "plugin/editor_window.h"
#include "plugin/plugin.h"
#include "plugin/process_startup.h"

using namespace velmora;

ZOLTVSTExprPlug::ZOLTVSTExprPlug(TPluginTag tag, TFruityPlugHost* host, HINSTANCE module, platform::Platform& services)
    : TCPPFruityPlug(tag, host), Instance(host, tag, module, services) {
    logIdentity = static_cast<const TFruityPlug*>(this);
    Info = &PluginInfo();
    // The editor window: hidden until the host shows it. Its messages reach
    // the editor inside the exception boundary.
    AttachEditorWindow(*this);
    if (processState->instanceCount == 1) {
        ProcessStartUp(*this);
    }
}

ZOLTVSTExprPlug::~ZOLTVSTExprPlug() {
    EditorHandle = nullptr;
    Guarded(Host(), logIdentity, "DestroyObject", [&] {
        editor::EndDrag(*this, false);
        Session_KillAllVoices(*this);
        ProcessWithoutInstance(*this, processState->instanceCount == 1);
    });
}

void ZOLTVSTExprPlug::DestroyObject() {
    delete this;  // the destructor guards its own steps
}
