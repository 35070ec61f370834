// The articulation panel: the fields of the articulation being edited.
#include <cstdio>

#include "core/instance.h"
#include "editor/layout.h"
#include "editor/paint_parts.h"

namespace velmora::editor {

using namespace platform::ui;

namespace {

constexpr unsigned kValueFlags = kTextCentre | kTextSingleLine | kTextVerticalCentre;

// The modifier kinds (`modc` below -1).
constexpr int kSecondKeyswitch = -2;
constexpr int kPlayVelocity = -3;

const char* NoteText(const Instance& plug, int note) {
    if (note < 0 || note >= kMidiNotes) {
        return "----";
    }
    return plug.noteNames[static_cast<std::size_t>(note)].data();
}

void Number(char (&text)[16], int value, int shown, const char* none) {
    if (value < 0) {
        std::snprintf(text, sizeof(text), "%s", none);
    } else {
        std::snprintf(text, sizeof(text), "%i", shown);
    }
}

}  // namespace

void PaintArticulationPanel(const PaintContext& p) {
    const auto& plug = p.plug;
    if (plug.editing < 0 || plug.editing >= kArticulations) {
        return;
    }
    const auto a = static_cast<std::size_t>(plug.editing);
    const auto& arts = plug.articulations;
    const int modc = arts.modc[a];

    const int frameY = modc >= -1 ? 48 : modc == kSecondKeyswitch ? 240 : modc == kPlayVelocity ? 315 : -1;
    if (frameY >= 0) {
        p.canvas.copy(p.skin.main, 240, frameY, 229, 73, 5, 102);
    }

    char text[64];
    if (arts.name[a].empty()) {
        std::snprintf(text, sizeof(text), "Articulation %i", plug.editing + 1);
        p.canvas.text(text, {8, 104, 98, 120}, p.fonts.shared.height16, kTextColour, kTextSingleLine | kTextWordEllipsis);
    } else {
        p.canvas.text(arts.name[a], {8, 104, 98, 120}, p.fonts.shared.height16, kTextColour, kTextSingleLine | kTextWordEllipsis);
    }

    p.canvas.copy(p.skin.icons, IconSourceX(arts.icon[a]), 1, 28, 27, 15, 132);

    // The velocity meter: the darker fill covers the keyswitch box from the
    // top, so the bright part left grows with the keyswitch velocity.
    const int meter = 30 - static_cast<int>(static_cast<float>(arts.notev[a]) / 127.0f * 30.0f);
    p.canvas.copy(p.skin.main, 438, 195, 42, meter, 61, 130);

    p.canvas.text(NoteText(plug, arts.note[a]), {60, 130, 104, 160}, p.fonts.height22, kValueColour, kValueFlags);
    char value[16];
    const int modw = arts.modw[a];
    if (modc == kSecondKeyswitch) {
        p.canvas.text(NoteText(plug, modw), {125, 130, 169, 160}, p.fonts.height22, kValueColour, kValueFlags);
    } else if (modc == kPlayVelocity) {
        std::snprintf(value, sizeof(value), modw < 0 ? "----" : "%i", modw);
        p.canvas.text(value, {125, 130, 169, 160}, p.fonts.height22, kValueColour, kValueFlags);
    } else {
        Number(value, modc, modc, "---");
        p.canvas.text(value, {117, 130, 148, 160}, p.fonts.height22, kValueColour, kValueFlags);
        Number(value, modw, modw, "---");
        p.canvas.text(value, {150, 130, 181, 160}, p.fonts.height22, kValueColour, kValueFlags);
    }
    Number(value, arts.prog[a], arts.prog[a] + 1, "---");
    p.canvas.text(value, {194, 130, 226, 160}, p.fonts.height22, kValueColour, kValueFlags);

    const KeyNameMap& keys = arts.keyNames[a];
    const bool hasTable = keys.names != nullptr;
    p.canvas.copy(p.skin.main, 405, hasTable ? 208 : 195, 33, 13, 196, 107);
    const unsigned captionFlags = kTextSingleLine | kTextVerticalCentre | kTextWordEllipsis;
    const Rect caption{118, 108, 200, 120};
    if (!hasTable) {
        p.canvas.text("Piano roll key names...", caption, p.fonts.height11, kTextColour, captionFlags);
    } else if (keys.title.empty()) {
        p.canvas.text("[Stored in FLP]", caption, p.fonts.height11, kTextColour, captionFlags);
    } else {
        p.canvas.text(keys.title, caption, p.fonts.height11, keys.missing != 0 ? kValueColour : kTextColour, captionFlags);
    }
}

}  // namespace velmora::editor
