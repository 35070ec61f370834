// The UACC conversions of the Articulation tab's menu.
#include "editor/uacc_conversion.h"

#include <cstdio>

#include "core/instance.h"

namespace velmora::editor {

namespace {

constexpr std::int32_t kNoKeyswitch = -1;
constexpr std::int32_t kFullVelocity = 127;

void Report(Instance& plug, int converted, const char* format) {
    if (converted > 0) {
        char text[96];
        std::snprintf(text, sizeof text, format, converted);
        plug.Host().messageBox(text, plug::kMsgPlain);
        plug.Host().stateChanged();
    }
    plug.RepaintEditor(Repaint::Whole);
}

}  // namespace

int UaccKeyswitchesToControllers(ArticulationTable& t) {
    int converted = 0;
    for (int a = 0; a < kArticulations; ++a) {
        if (t.note[a] >= 0) {
            t.modc[a] = kUaccController;
            t.modw[a] = t.notev[a];
            t.notev[a] = kFullVelocity;
            t.note[a] = kNoKeyswitch;
            ++converted;
        }
    }
    return converted;
}

int UaccControllersToKeyswitches(ArticulationTable& t) {
    int converted = 0;
    for (int a = 0; a < kArticulations; ++a) {
        if (t.modc[a] == kUaccController) {
            // The velocity needs a note to ride on: the lowest one when there is none.
            if (t.note[a] < 0) {
                t.note[a] = 0;
            }
            t.notev[a] = t.modw[a];
            t.modc[a] = kModNoCC;
            t.modw[a] = -1;
            ++converted;
        }
    }
    return converted;
}

void ConvertUaccKsToCc(Instance& plug) {
    Report(plug, UaccKeyswitchesToControllers(plug.articulations), "%i articulations converted from UACC KS to UACC CC");
}

void ConvertUaccCcToKs(Instance& plug) {
    Report(plug, UaccControllersToKeyswitches(plug.articulations), "%i articulations converted from UACC CC to UACC KS");
}

}  // namespace velmora::editor
