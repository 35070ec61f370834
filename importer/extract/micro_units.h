#pragma once
// Values stored as 32-bit floats holding an integer divided by one million.
#include <cstdint>

namespace velmora::extract {

// R(x): x times one million in single precision, widened, plus 0.5, floored,
// narrowed to single precision again and truncated toward zero. A result no
// int32 can hold (or NaN) gives INT32_MIN, as the x86 conversion does.
std::int32_t microUnits(float x);

}  // namespace velmora::extract
