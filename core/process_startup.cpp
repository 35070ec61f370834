#include "core/process_startup.h"

#include "core/plugin_instance.h"
#include "http/server_control.h"
#include "persistence/icon_template.h"

namespace velmora {

namespace {
// Filled by the editor work.
void LoadSharedFontsAndSkin() {}
}  // namespace

void ProcessStartUp(ZOLTVSTExprPlug& first) {
    ProcessState& p = Process();
    LoadIconTemplate();
    LoadSharedFontsAndSkin();
    p.ports = std::make_unique<SharedPortState>();
    p.savedFormPosX = kUnknownFormPos;
    p.savedFormPosY = kUnknownFormPos;
    p.httpApiEnabled = static_cast<int>(first.platform.settings().readDword(platform::kVelmoraKey, "HTTP API").value_or(0));
    p.hostMainWindow = reinterpret_cast<HWND>(first.Host().dispatcher(plug::FHD_GetMainWindow));
}

void ProcessTearDown(ZOLTVSTExprPlug& last) {
    http::StopServer(last);
    ReleaseProcessState();
}

void StartHttpServerIfEnabled(ZOLTVSTExprPlug& first) {
    if (Process().httpApiEnabled != 0) {
        http::StartServer(first);
    }
}

}  // namespace velmora
