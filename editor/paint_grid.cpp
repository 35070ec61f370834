// What every panel shows: the articulation grid, the tab bar, port and
// channel; and the icon picker.
#include <cstdio>

#include "core/instance.h"
#include "editor/layout.h"
#include "editor/paint_parts.h"

namespace velmora::editor {

using platform::ui::kTextCentre;
using platform::ui::kTextSingleLine;
using platform::ui::kTextVerticalCentre;

namespace {

constexpr unsigned kCentredLine = kTextCentre | kTextSingleLine | kTextVerticalCentre;

// No other port/channel key of the mute table is unmuted: this one is soloed.
bool Soloed(const Instance& plug, int key) {
    const auto& mute = plug.processState->ports->mute;
    for (int k = 0; k < static_cast<int>(mute.size()); ++k) {
        if (k != key && mute[static_cast<std::size_t>(k)] == 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

void PaintIconPicker(const PaintContext& p) {
    const auto& plug = p.plug;
    p.canvas.copy(p.skin.main, 259, 486, 11, 34, 223, static_cast<int>(plug.iconScroll * 141.0f + 6.0f));
    const int firstRow = PickerFirstRow(p.skin.icons.width, plug.iconScroll);
    for (int i = 0; i < 48; ++i) {
        p.canvas.copy(p.skin.icons, IconSourceX(8 * firstRow + i), 0, 27, 27, 8 + 26 * (i % 8), 9 + 28 * (i / 8));
    }
}

void PaintGrid(const PaintContext& p) {
    const auto& plug = p.plug;
    for (int c = 0; c < 16; ++c) {
        const int a = plug.bankstart + c;
        const int col = GridColumn(c);
        const int row = GridRow(c);
        const bool hovered = InGridCell(c, plug.mousePosX, plug.mousePosY);
        const bool highlighted = a == plug.editing || hovered;
        const int icon = a >= 0 && a < kArticulations ? plug.articulations.icon[static_cast<std::size_t>(a)] : 0;
        p.canvas.copy(p.skin.icons, IconSourceX(icon), highlighted ? 0 : 28, 27, 27, 8 + 28 * col, 9 + 44 * row);
        const int active = a == plug.currentArticulation ? 1 : 0;
        p.canvas.copy(p.skin.main, 240 + 14 * c, 12 * (active + 2 * (hovered ? 1 : 0)), 14, 12, 15 + 28 * col, 36 + 44 * row);
    }
    if (plug.articbanks != 0) {
        p.canvas.copy(p.skin.bank, 6 * (plug.bankstart / 16), 0, 6, 89, 2, 6);
    }
}

void PaintTabBar(const PaintContext& p) {
    const int t = p.plug.tab == kIconPicker ? 0 : p.plug.tab;
    p.canvas.copy(p.skin.main, 239 + 45 * t, 195, 45, 45, 6 + 45 * t, 185);
}

void PaintPortAndChannel(const PaintContext& p) {
    const auto& plug = p.plug;
    const int key = plug.PortKeyOfInstance();
    const bool muted = plug.processState->ports->mute[static_cast<std::size_t>(key)] != 0;
    char text[16];
    std::snprintf(text, sizeof(text), "%i", plug.port);
    const Colour value = muted ? kMutedValueColour : kValueColour;
    p.canvas.text(text, {156, 190, 190, 215}, p.fonts.height22, value, kCentredLine);
    if (plug.channel == kChannelPerColour) {
        std::snprintf(text, sizeof(text), "---");
    } else {
        std::snprintf(text, sizeof(text), "%i", plug.channel + 1);
    }
    p.canvas.text(text, {199, 190, 225, 215}, p.fonts.height22, value, kCentredLine);

    const Colour label = muted ? kMutedLabelColour : Soloed(plug, key) ? kSoloLabelColour : kTextColour;
    p.canvas.text("Port", {158, 218, 188, 227}, p.fonts.height11, label, kCentredLine);
    p.canvas.text("Channel", {198, 218, 226, 227}, p.fonts.height11, label, kCentredLine);
}

}  // namespace velmora::editor
