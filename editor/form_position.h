#pragma once
// With the single-editor option every editor opens where the last one was
// closed: the host form that holds the editor is remembered when the editor
// hides and put back there when one shows. Interface thread.
#include "sdk/plug_types.h"

namespace velmora {
class Instance;
}

namespace velmora::editor {

// Remembers, process-wide, where the host's plugin form holding `editor`
// sits in its parent. Nothing when no form holds it.
void SaveFormPosition(const Instance& plug, HWND editor);

// Moves every plugin form that holds the editor of a live instance to the
// remembered place, keeping its size. Nothing while no place is remembered.
void RestoreFormPositions(const Instance& plug);

}  // namespace velmora::editor
