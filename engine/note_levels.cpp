#include "engine/note_levels.h"

#include <cmath>
#include <limits>

namespace velmora {

namespace {
// Float to int without the undefined results of out-of-range values.
int TruncateToInt(double v) {
    if (!(v == v)) {
        return 0;
    }
    if (v >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (v <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(v);
}
}  // namespace

int VelocityFormula(float level) {
    const float v = 127.0f * std::log(10.0f * level + 1.0f) / std::log(21.0f);
    if (!(v >= 0.0f)) {
        return 0;
    }
    return TruncateToInt(v);
}

int NoteVelocity(float level) {
    const int v = VelocityFormula(level);
    if (v > 127) {
        return 127;
    }
    return v == 0 ? 1 : v;
}

int NoteFromPitch(float cents) {
    const auto shifted = static_cast<unsigned>(static_cast<long long>(TruncateToInt(cents)) + 6000);
    return static_cast<std::uint8_t>(shifted / 100U);
}

int BankFromModX(float modx) {
    if (std::fabs(modx) <= 0.000001f || !(modx == modx)) {
        return 0;
    }
    const int b = TruncateToInt((static_cast<double>(modx) + 1.0) * 0.5 * 4.0);
    if (b < 0) {
        return 0;
    }
    return b > 3 ? 3 : b;
}

}  // namespace velmora
