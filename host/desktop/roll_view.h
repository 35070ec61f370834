#pragma once
// Where things are in the piano roll's body: the keyboard column on the left,
// the ruler on top, the notes' grid scrolled under both. Pixels of the body,
// keys from 127 at the top down to 0, ticks from 0 at the left.
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace velmora::host {

struct RollView {
    static constexpr int kKeyboardWidth = 118;
    static constexpr int kRulerHeight = 20;
    static constexpr int kKeyHeight = 14;
    static constexpr double kPixelsPerBeat = 64.0;

    int width = 0;   // the body's size
    int height = 0;
    double scrollX = 0.0;  // pixels of the grid left of the view
    double scrollY = 0.0;  // pixels of the keys above the view
    int ppq = 96;

    double pixelsPerTick() const { return kPixelsPerBeat / ppq; }
    double xOfTick(std::int64_t tick) const { return kKeyboardWidth + static_cast<double>(tick) * pixelsPerTick() - scrollX; }
    std::int64_t tickAt(double x) const {
        return std::max<std::int64_t>(0, static_cast<std::int64_t>(std::floor((x - kKeyboardWidth + scrollX) / pixelsPerTick())));
    }
    double yOfKey(int key) const { return kRulerHeight + (127 - key) * kKeyHeight - scrollY; }
    int keyAt(double y) const {
        return std::clamp(127 - static_cast<int>(std::floor((y - kRulerHeight + scrollY) / kKeyHeight)), 0, 127);
    }
    static constexpr int KeysHeight() { return 128 * kKeyHeight; }
    // The keys wholly or partly in view, lowest first.
    int lowestVisibleKey() const { return keyAt(height - 1); }
    int highestVisibleKey() const { return keyAt(kRulerHeight); }
};

}  // namespace velmora::host
