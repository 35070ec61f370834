#pragma once
// Drawing the editor: everything at editor units into one picture, then one
// stretch of it onto the window at the scale in force. Interface thread.
#include "editor/skin.h"
#include "platform/ui/canvas.h"

namespace velmora {
class Instance;
}

namespace velmora::editor {

// Draws the shown panel on the canvas and stretches it onto the instance's
// window. Nothing while the editor is hidden or the skin is missing.
void PaintEditor(Instance& plug, platform::ui::Canvas& canvas, const Skin& skin, const EditorFonts& fonts);

// The window's paint: a drawing canvas of the window's size, the process's
// skin and fonts.
void PaintEditorWindow(Instance& plug);

}  // namespace velmora::editor
