#include "core/process_startup.h"

#include "core/plugin_instance.h"

namespace velmora {

namespace {
// Seams filled by the files, editor and HTTP work.
void LoadIconTemplate() {}
void LoadSharedFontsAndSkin() {}
void StopHttpServer() {}
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

void ProcessTearDown() {
    StopHttpServer();
    ReleaseProcessState();
}

void StartHttpServerIfEnabled(ZOLTVSTExprPlug& /*first*/) {}

}  // namespace velmora
