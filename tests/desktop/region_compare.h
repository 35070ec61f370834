#pragma once
// The editor's picture on a desktop against its headless picture, region by
// region, so a difference is named by where it is (the grid, the panel, the
// tab bar, port and channel).
#include <string>
#include <vector>

#include "platform/ui/bitmap.h"
#include "platform/ui/geometry.h"

namespace velmora::test {

struct EditorRegion {
    std::string name;
    platform::ui::Rect unscaled;  // editor pixels at scale 1
};

// The editor's regions at scale 1 (the editor is 240 × 237 there).
const std::vector<EditorRegion>& EditorRegions();

struct RegionDifference {
    std::string name;
    int pixels = 0;     // compared
    int differing = 0;  // pixels whose colour channels differ by more than the tolerance
};

// Compares `screen` (top left corner on the editor's) with `headless` in each
// region scaled by headless.width / 240. A region outside either picture
// counts every pixel as differing.
std::vector<RegionDifference> CompareRegions(const platform::ui::Bitmap& screen, const platform::ui::Bitmap& headless,
                                             int channelTolerance);

}  // namespace velmora::test
