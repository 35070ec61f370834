#pragma once
// The hint the host shows for what is under the mouse.
#include <string>

namespace velmora {
class Instance;
}

namespace velmora::editor {

// A region's identity and its text; identity -1 is the empty hint.
struct Hint {
    int identity = -1;
    std::string text;
    bool resend = false;  // sent again at every move (a controller's value follows a drag)
};

// The hint of the region under (x, y), editor units, on the shown panel.
Hint HintAt(const Instance& plug, int x, int y);

// Sends the hint under (x, y) when its region is not the one last sent.
void UpdateHint(Instance& plug, int x, int y);

}  // namespace velmora::editor
