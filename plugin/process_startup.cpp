#include "plugin/process_startup.h"

#include <sstream>
#include <string>

#include "editor/skin.h"
#include "http/server_control.h"
#include "persistence/icon_template.h"
#include "plugin/plugin.h"

namespace velmora {

namespace {

// The editor's face and bitmaps; a refused "Notation.bmp" is told in the debug log.
void LoadSharedFontsAndSkin(ZOLTVSTExprPlug& first) {
    const std::string& folder = first.processState->installFolder;
    editor::RegisterEditorFont(folder);
    std::string debugLines;
    editor::LoadSkin(editor::ProcessSkin(), folder + "/Plugins/Fruity/Generators/ZOLT Velmora/Notation.bmp", debugLines);
    // Said whatever the debug switch: no instance has had the chance to turn it on yet.
    std::istringstream lines(debugLines);
    for (std::string line; std::getline(lines, line);) {
        line.insert(0, "ZOLT Velmora : ");
        first.Host().debugLine(line.c_str());
    }
}

}  // namespace

void ProcessStartUp(ZOLTVSTExprPlug& first) {
    LoadIconTemplate();
    LoadSharedFontsAndSkin(first);
    if (first.processState->httpApiEnabled != 0) {
        http::StartServer(first);
    }
}

void ProcessWithoutInstance(ZOLTVSTExprPlug& leaving, bool last) {
    if (last) {
        http::StopServer(leaving);
        editor::ReleaseSkin(editor::ProcessSkin());
    } else {
        http::ForgetInstance(leaving);
    }
}

}  // namespace velmora
