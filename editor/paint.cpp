// The order of a paint.
#include "editor/paint.h"

#include "core/instance.h"
#include "editor/layout.h"
#include "editor/paint_parts.h"
#include "platform/ui/cairo_canvas.h"

namespace velmora::editor {

void PaintEditor(Instance& plug, platform::ui::Canvas& canvas, const Skin& skin, const EditorFonts& fonts) {
    if (plug.visible == 0 || !skin.loaded()) {
        return;
    }
    const PaintFonts paintFonts{fonts};
    const PaintContext p{plug, canvas, skin, paintFonts};

    const bool picker = plug.tab == kIconPicker;
    canvas.copy(skin.main, 0, picker ? 480 : 0, 240, 240, 0, 0);
    if (picker) {
        PaintIconPicker(p);
    }
    if (plug.tab == kArticulationPanel || plug.tab == kControllerPanel) {
        PaintGrid(p);
    }
    PaintTabBar(p);
    if (plug.tab == kArticulationPanel) {
        PaintArticulationPanel(p);
    }
    PaintPortAndChannel(p);
    if (plug.tab == kControllerPanel) {
        PaintControllerPanel(p);
    }
    if (plug.tab == kGeneralPanel) {
        PaintGeneralPanel(p);
    }
    canvas.stretchOnto(*plug.editorWindow, plug.scaleFactor);
}

void PaintEditorWindow(Instance& plug) {
    if (plug.visible == 0 || !ProcessSkin().loaded()) {
        return;
    }
    platform::ui::CairoCanvas canvas(plug.editorWindow->width(), plug.editorWindow->height());
    PaintEditor(plug, canvas, ProcessSkin(), ProcessFonts());
}

}  // namespace velmora::editor
