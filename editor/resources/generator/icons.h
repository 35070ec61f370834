#pragma once
// The articulation icon strip: every icon of the icon table drawn twice, the
// highlighted form above and the normal form below.
#include "paint.h"

namespace velmora::skin {

class MusicFont;

enum class IconForm { Highlighted, Normal };

// Paints one icon's drawing into the 27 x 27 box at the context's origin;
// throws on a drawing it does not understand, naming the icon.
void PaintIcon(cairo_t* cr, const MusicFont& font, int number, IconForm form);

// The whole strip (resource 106) into an image of its size.
void PaintIconStrip(Image& strip, const MusicFont& font);

}  // namespace velmora::skin
