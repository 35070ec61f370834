#pragma once
// The main skin (resource 101): panel backgrounds, field frames, markers, tab
// icons and the small pieces the editor copies out of it.
#include "paint.h"

namespace velmora::skin {

class MusicFont;

void PaintMainSkin(Image& image, const MusicFont& font);

}  // namespace velmora::skin
