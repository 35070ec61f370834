#pragma once
// The regions of a paint, in the order they are drawn.
#include "editor/skin.h"
#include "platform/ui/canvas.h"

namespace velmora {
class Instance;
}

namespace velmora::editor {

// The heights made for one paint, released after it.
struct PaintFonts {
    const EditorFonts& shared;
    platform::ui::Font height22{kEditorFace, 22};
    platform::ui::Font height14{kEditorFace, 14};
    platform::ui::Font height11{kEditorFace, 11};
};

struct PaintContext {
    const Instance& plug;
    platform::ui::Canvas& canvas;
    const Skin& skin;
    const PaintFonts& fonts;
};

void PaintIconPicker(const PaintContext& p);
void PaintGrid(const PaintContext& p);
void PaintTabBar(const PaintContext& p);
void PaintArticulationPanel(const PaintContext& p);
void PaintPortAndChannel(const PaintContext& p);
void PaintControllerPanel(const PaintContext& p);
void PaintGeneralPanel(const PaintContext& p);

}  // namespace velmora::editor
