#include "plugin/process_startup.h"

#include "http/server_control.h"
#include "persistence/icon_template.h"
#include "plugin/plugin.h"

namespace velmora {

namespace {
// Filled by the editor work.
void LoadSharedFontsAndSkin() {}
}  // namespace

void ProcessStartUp(ZOLTVSTExprPlug& first) {
    LoadIconTemplate();
    LoadSharedFontsAndSkin();
    if (first.processState->httpApiEnabled != 0) {
        http::StartServer(first);
    }
}

void ProcessWithoutInstance(ZOLTVSTExprPlug& leaving, bool last) {
    if (last) {
        http::StopServer(leaving);
    } else {
        http::ForgetInstance(leaving);
    }
}

}  // namespace velmora
