// The controller panel: the page's six slots.
#include <cstdio>

#include "core/instance.h"
#include "editor/layout.h"
#include "editor/paint_parts.h"

namespace velmora::editor {

using namespace platform::ui;

namespace {

constexpr int kFrameSize = 34;

enum ControllerType { kKnob = 0, kButton = 1, kFader = 2 };

// The frame of a 64-frame strip (knob, fader, slider) that shows a value 0..127.
int StripFrame(int value) { return static_cast<int>(static_cast<float>(value) / 127.0f * 63.0f); }

Colour NameColour(const ControllerTable& c, int s) {
    return c.on[static_cast<std::size_t>(s)] != 0 ? kControllerOnColour : kControllerOffColour;
}

}  // namespace

void PaintControllerPanel(const PaintContext& p) {
    const auto& plug = p.plug;
    const int page = plug.controllerstart / kControllersPerPage;
    p.canvas.copy(p.skin.main, 240, 122, 229, 73, 5, 102);

    if (page >= 0 && page < kPages && !plug.pageNames[static_cast<std::size_t>(page)].empty()) {
        p.canvas.text(plug.pageNames[static_cast<std::size_t>(page)], {8, 104, 94, 120}, p.fonts.shared.height16,
                      kTextColour, kTextSingleLine | kTextWordEllipsis);
    } else {
        char title[32];
        std::snprintf(title, sizeof(title), "Controllers %i", page + 1);
        p.canvas.text(title, {8, 104, 94, 120}, p.fonts.shared.height16, kTextColour, kTextSingleLine | kTextWordEllipsis);
    }

    const ControllerTable& c = plug.controllers;
    const int first = plug.controllerstart;
    if (first < 0 || first + kControllersPerPage > kControllers) {
        return;
    }
    const auto f = static_cast<std::size_t>(first);
    if (c.cc[f] != kUnassignedCC) {
        p.canvas.copy(p.skin.slider, 0, 24 * StripFrame(c.value[f]), 56, 24, 174, 105);
        p.canvas.text(c.name[f], {116, 108, 166, 120}, p.fonts.height11, NameColour(c, first),
                      kTextSingleLine | kTextWordEllipsis);
    }
    for (int k = 0; k < 5; ++k) {
        const int s = first + 1 + k;
        const auto i = static_cast<std::size_t>(s);
        if (c.cc[i] == kUnassignedCC) {
            continue;
        }
        const int x = 12 + 45 * k;
        switch (c.type[i]) {
            case kKnob: p.canvas.copy(p.skin.knob, 0, kFrameSize * StripFrame(c.value[i]), kFrameSize, kFrameSize, x, 127); break;
            case kButton: p.canvas.copy(p.skin.button, 0, kFrameSize * (c.value[i] / 64), kFrameSize, kFrameSize, x, 127); break;
            case kFader: p.canvas.copy(p.skin.fader, 0, kFrameSize * StripFrame(c.value[i]), kFrameSize, kFrameSize, x, 127); break;
            default: break;
        }
        p.canvas.text(c.name[i], {8 + 45 * k, 161, 50 + 45 * k, 171}, p.fonts.height11, NameColour(c, s),
                      kTextCentre | kTextSingleLine | kTextWordEllipsis);
    }
}

}  // namespace velmora::editor
