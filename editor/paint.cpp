// The order of a paint.
#include "editor/paint.h"

#include <algorithm>
#include <cmath>

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
    // Only the units the stretch shows are drawn: the client size divided by
    // the scale, and never more than the client size.
    const int width = plug.editorWindow->width();
    const int height = plug.editorWindow->height();
    const float scale = plug.scaleFactor > 1.0f ? plug.scaleFactor : 1.0f;
    platform::ui::CairoCanvas canvas(std::min(width, static_cast<int>(std::ceil(static_cast<float>(width) / scale))),
                                     std::min(height, static_cast<int>(std::ceil(static_cast<float>(height) / scale))));
    PaintEditor(plug, canvas, ProcessSkin(), ProcessFonts());
}

}  // namespace velmora::editor
