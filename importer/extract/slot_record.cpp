#include "importer/extract/slot_record.h"

#include "importer/extract/micro_units.h"
#include "shared/byte_reader.h"

#include <bit>

namespace velmora::extract {

namespace {

constexpr std::size_t kSevenAt = 7;
constexpr std::size_t kMarkerAt = 44;
constexpr std::size_t kNineteenAt = 46;
constexpr std::size_t kValueBlockAt = 50;
constexpr std::size_t kShiftedValueBlockAt = 54;
constexpr std::size_t kKeyOffset = 12;
constexpr std::size_t kArticulationOffset = 44;
constexpr std::size_t kIconOffset = 48;

std::optional<std::uint32_t> u32At(std::span<const std::uint8_t> body, std::size_t at) {
    ByteReader in(body.data(), body.size());
    std::uint32_t v = 0;
    if (!in.seek(at) || !in.u32(v)) {
        return std::nullopt;
    }
    return v;
}

std::optional<std::int32_t> microUnitsAt(std::span<const std::uint8_t> body, std::size_t at) {
    const auto bits = u32At(body, at);
    if (!bits) {
        return std::nullopt;
    }
    return microUnits(std::bit_cast<float>(*bits));
}

}  // namespace

std::optional<SlotValues> qualifyingSlotValues(std::span<const std::uint8_t> body) {
    if (u32At(body, kSevenAt) != 7u || u32At(body, kNineteenAt) != 19u) {
        return std::nullopt;
    }
    const std::size_t v = body[kMarkerAt] == kShiftedValueBlockMarker ? kShiftedValueBlockAt : kValueBlockAt;
    const auto range = microUnitsAt(body, v);
    const auto key = microUnitsAt(body, v + kKeyOffset);
    const auto articulation = microUnitsAt(body, v + kArticulationOffset);
    const auto icon = microUnitsAt(body, v + kIconOffset);
    if (!range || *range > kMaxRangeValue || !key || !articulation || !icon) {
        return std::nullopt;
    }
    return SlotValues{*key, *articulation & 0x7F, *icon & 0xFF};
}

}  // namespace velmora::extract
