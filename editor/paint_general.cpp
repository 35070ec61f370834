// The General panel: sub-pages of option switches and the version text.
#include "core/instance.h"
#include "editor/build_stamp.h"
#include "editor/general_options.h"
#include "editor/layout.h"
#include "editor/paint_parts.h"

namespace velmora::editor {

using namespace platform::ui;

namespace {

struct PageLabel {
    const char* text;
    Rect rect;
};

constexpr PageLabel kPageLabels[] = {
    {"General", {5, 92, 53, 116}},
    {"Automation", {55, 92, 125, 116}},
    {"Advanced", {127, 92, 187, 116}},
};

constexpr const char* kCredits = "Articulation manager for samplers\nMade by the ZOLT Velmora team\nCopyright 2026";

}  // namespace

void PaintGeneralPanel(const PaintContext& p) {
    const auto& plug = p.plug;
    p.canvas.copy(p.skin.main, 5, 239, 229, 129, 5, 6);

    const int page = plug.processState->generalPage;
    for (int i = 0; i < 3; ++i) {
        const PageLabel& label = kPageLabels[i];
        Colour colour = kTextColour;
        if (i == page) {
            p.canvas.fill(label.rect, kSelectedPageFill);
            colour = kSelectedPageText;
        }
        p.canvas.text(label.text, label.rect, p.fonts.shared.height15, colour,
                      kTextCentre | kTextSingleLine | kTextVerticalCentre);
    }

    for (const GeneralOption& option : GeneralOptions()) {
        if (option.page != page) {
            continue;
        }
        p.canvas.text(option.label, {option.labelX, option.labelY, option.labelX + 90, option.labelY + 10}, p.fonts.height14,
                      kTextColour, kTextSingleLine);
        p.canvas.copy(p.skin.main, 375 + 10 * OptionTicked(option, plug), 195, 10, 10, option.labelX - 15, option.labelY + 2);
    }

    Rect block{10, 10, 230, 90};
    p.canvas.text("ZOLT Velmora v1.17", block, p.fonts.shared.height16, kTextColour, kTextWordWrap);
    block.top += 16;
    p.canvas.text(plug.debugLog != 0 ? "DEBUG ENABLED" : kBuildStamp, block, p.fonts.height14, kStampColour, kTextWordWrap);
    block.top += 18;
    p.canvas.text(kCredits, block, p.fonts.height14, kStampColour, kTextWordWrap);
}

}  // namespace velmora::editor
