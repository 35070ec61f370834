#pragma once
// What a note's levels mean: velocity from the volume level, note number from
// the pitch, articulation bank from MOD X.
#include <cstdint>

namespace velmora {

// 127 × ln(10v + 1) / ln(21) in single precision, truncated; no upper limit
// (learning takes it so). Levels that give no number (negative, NaN) give 0.
int VelocityFormula(float level);
// The formula limited to 1..127, as notes are sent.
int NoteVelocity(float level);
// (int)cents + 6000, divided by 100 unsigned, as a byte: 0 cents is note 60.
int NoteFromPitch(float cents);
// Bank 0..3 from MOD X (-1..1); the neutral middle is bank 0 and the very top
// stays in bank 3.
int BankFromModX(float modx);

}  // namespace velmora
