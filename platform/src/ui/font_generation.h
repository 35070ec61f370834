#pragma once
// Pango's font maps read fontconfig's font list once; a font registered later
// is seen only by a font map made after it. Each registration bumps this
// count, and a font map made at an older count is replaced.

namespace platform::ui {

unsigned FontGeneration();

}  // namespace platform::ui
