#pragma once
// The numbers an articulation group keeps in one of its slot records.
#include <cstdint>
#include <optional>
#include <span>

namespace velmora::extract {

inline constexpr std::int32_t kMaxRangeValue = 500000;
inline constexpr std::uint8_t kShiftedValueBlockMarker = 0x92;

struct SlotValues {
    std::int32_t key = 0;
    std::int32_t articulation = 0;  // masked to 7 bits
    std::int32_t icon = 0;          // masked to 8 bits
};

// The values of a slot record body that passes the tests (7 at offset 7, 19
// at offset 46, a range value of at most 500000 micro-units); nothing when it
// fails them or is too short to hold its value block.
std::optional<SlotValues> qualifyingSlotValues(std::span<const std::uint8_t> body);

}  // namespace velmora::extract
