#pragma once
// The controller bitmaps: knob, fader and slider with 64 positions each, the
// two-state button and the bank indicator.
#include "paint.h"

namespace velmora::skin {

void PaintKnob(Image& image);
void PaintFader(Image& image);
void PaintSlider(Image& image);
void PaintButton(Image& image);
void PaintBankIndicator(Image& image);

}  // namespace velmora::skin
