#pragma once
// Showing and hiding the editor inside the host's window (the host's
// show-editor message). Interface thread.
#include "sdk/plug_types.h"

namespace velmora {
class Instance;
}

namespace velmora::editor {

// Shows the editor as a child of `parent`, or hides it when `parent` is null.
void ShowEditor(Instance& plug, HWND parent);

}  // namespace velmora::editor
