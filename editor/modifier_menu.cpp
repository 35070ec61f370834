// The drop mark under the modifier fields: what kind of modifier the edited
// articulation sends when it is not a CC number.
#include <vector>

#include "core/instance.h"
#include "editor/command_hooks.h"

namespace velmora::editor {

void ModifierMenu(Instance& plug) {
    if (plug.editing < 0 || plug.editing >= kArticulations) {
        return;
    }
    const std::vector<platform::MenuEntry> entries{
        {1, "Set CC to value"},
        {2, "Second keyswitch"},
        {3, "Set play velocity"},
    };
    std::int32_t modc = 0;
    switch (plug.platform.popupMenus().track(entries)) {
        case 1: modc = kModNoCC; break;
        case 2: modc = kModSecondKeyswitch; break;
        case 3: modc = kModPlayVelocity; break;
        default: return;  // dismissed
    }
    const auto a = static_cast<std::size_t>(plug.editing);
    plug.articulations.modc[a] = modc;
    plug.articulations.modw[a] = -1;
    plug.Host().stateChanged();
    plug.RepaintEditor(Repaint::Whole);
}

}  // namespace velmora::editor
