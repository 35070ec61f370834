#pragma once
// The sixteen note colours of the host's piano roll, one around the hue
// circle for each, as the editor's grid markers and the desktop host's piano
// roll both draw them.
#include <cmath>

namespace velmora {

inline constexpr int kNoteColourCount = 16;

struct NoteColourRgb {
    double r, g, b;  // 0..1
};

inline NoteColourRgb NoteColour(int c) {
    const double h = std::fmod(c * 360.0 / kNoteColourCount + 8, 360.0) / 60.0;
    const double s = 0.72, v = 0.96;
    const double f = h - std::floor(h);
    const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    switch (static_cast<int>(h)) {
    case 0: return {v, t, p};
    case 1: return {q, v, p};
    case 2: return {p, v, t};
    case 3: return {p, q, v};
    case 4: return {t, p, v};
    default: return {v, p, q};
    }
}

}  // namespace velmora
