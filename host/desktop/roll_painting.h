#pragma once
// How the piano roll looks: its body (ruler, grid, notes, keyboard with the
// plugin's key names, playhead) and its colour strip with the colour
// selector. Plain cairo and pango; the roll decides what is shown.
#include <gtk/gtk.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/desktop/roll_notes.h"
#include "host/desktop/roll_view.h"

namespace velmora::host {

// The colour strip's height, and the selector's box in the strip's pixels.
// The box holds both points where the plugin looks for the selector, (13, 34)
// and (28, 50) of the roll, below a caption of kCaptionHeight.
inline constexpr int kColourStripHeight = 44;
inline constexpr GdkRectangle kSelectorBox{6, 5, 196, 34};

struct RollBodyLook {
    const std::vector<ScoreEvent>* events = nullptr;
    int instance = 0;
    RollGrid grid;
    RollView view;
    // The plugin's names of the keys for `colour`; empty texts where none.
    const std::array<std::string, 128>* keyNames = nullptr;
    int colour = 0;
    std::optional<int> heldKey;              // played from the keyboard
    std::optional<std::size_t> activeNote;   // being dragged
    std::optional<std::int64_t> playhead;    // while the transport plays
};

void PaintRollBody(GtkWidget* body, cairo_t* cr, const RollBodyLook& look);

struct ColourStripLook {
    int colour = 0;           // shown in the selector (the highlight while picking)
    std::string colourName;   // the plugin's name of that colour
    bool focused = false;
    bool picking = false;     // a key pick is under way
    int ppq = 96;
    std::size_t notes = 0;    // the instance's notes in the score
};

void PaintColourStrip(GtkWidget* strip, cairo_t* cr, const ColourStripLook& look);

// A note colour as cairo's source, lighter or darker by `shade` (-1..1).
void SetNoteColour(cairo_t* cr, int colour, double shade = 0.0, double alpha = 1.0);

}  // namespace velmora::host
