#include "tests/desktop/region_compare.h"

#include <cstdlib>

namespace velmora::test {

namespace {

constexpr int kUnscaledWidth = 240;

bool Near(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(ca - cb) > tolerance) {
            return false;
        }
    }
    return true;
}

}  // namespace

const std::vector<EditorRegion>& EditorRegions() {
    static const std::vector<EditorRegion> regions = {
        {"grid", {0, 0, 240, 97}},
        {"panel", {0, 97, 240, 182}},
        {"tab bar", {0, 182, 148, 237}},
        {"port and channel", {148, 182, 240, 237}},
    };
    return regions;
}

std::vector<RegionDifference> CompareRegions(const platform::ui::Bitmap& screen, const platform::ui::Bitmap& headless,
                                             int channelTolerance) {
    const int scale = headless.width / kUnscaledWidth > 0 ? headless.width / kUnscaledWidth : 1;
    std::vector<RegionDifference> result;
    for (const EditorRegion& region : EditorRegions()) {
        RegionDifference d{region.name, 0, 0};
        for (int y = region.unscaled.top * scale; y < region.unscaled.bottom * scale; ++y) {
            for (int x = region.unscaled.left * scale; x < region.unscaled.right * scale; ++x) {
                ++d.pixels;
                const bool inBoth = x < screen.width && y < screen.height && x < headless.width && y < headless.height;
                if (!inBoth || !Near(screen.at(x, y), headless.at(x, y), channelTolerance)) {
                    ++d.differing;
                }
            }
        }
        result.push_back(d);
    }
    return result;
}

}  // namespace velmora::test
