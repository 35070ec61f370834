#include "importer/extract/micro_units.h"

#include <cmath>
#include <limits>

namespace velmora::extract {

std::int32_t microUnits(float x) {
    const float scaled = x * 1000000.0f;
    const float rounded = static_cast<float>(std::floor(static_cast<double>(scaled) + 0.5));
    // 2^31 is the first float above the int32 range; NaN fails both tests.
    if (!(rounded >= -2147483648.0f && rounded < 2147483648.0f)) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace velmora::extract
