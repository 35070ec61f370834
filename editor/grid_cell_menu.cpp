// A right click on a grid cell opens the articulation context menu.
#include "core/instance.h"
#include "editor/command_hooks.h"
#include "editor/layout.h"
#include "persistence/single_articulation.h"

namespace velmora::editor {

bool GridCellMenu(Instance& plug, int x, int y) {
    const int c = GridCellAt(x, y);
    if (c < 0) {
        return false;
    }
    ArticulationCommand(plug, plug.bankstart + c, kArticulationShowMenu);
    return true;
}

}  // namespace velmora::editor
