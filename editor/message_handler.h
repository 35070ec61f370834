#pragma once
// The editor window's messages: painting, sizing, and the mouse decoded by
// position. Interface thread.
#include "platform/ui/window.h"

namespace velmora {
class Instance;
}

namespace velmora::editor {

// Answers whether the message was taken.
bool HandleEditorMessage(Instance& plug, const platform::ui::WindowEvent& event);

}  // namespace velmora::editor
