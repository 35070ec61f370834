#pragma once
// The layouts the extraction reads inside private data: a group's eight slot
// records and an old program's inline scripts. Both are little-endian
// whatever the stream's byte order, and neither reads past the data's end.
#include "importer/objects/patch_object.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velmora::objects {

inline constexpr std::size_t kGroupSlotRecordsOffset = 1659;
inline constexpr std::size_t kGroupSlotRecords = 8;
inline constexpr std::size_t kOldProgramScriptsOffset = 65;
inline constexpr std::size_t kOldProgramScriptSlots = 5;
inline constexpr std::uint16_t kOldProgramLayoutNewestVersion = 0x80;

// The body of each present slot record. A record that is absent, or that the
// data cuts off (it and every record after it), has none.
using SlotRecordBodies = std::array<std::optional<std::span<const std::uint8_t>>, kGroupSlotRecords>;
SlotRecordBodies groupSlotRecords(std::span<const std::uint8_t> groupPrivateData);

// The variable lines of each inline script slot of an old program, in order;
// they view `programPrivateData`.
// Reading stops at the first slot the data cuts off; the slots before it count.
std::vector<std::vector<Text>> oldProgramScriptLines(std::span<const std::uint8_t> programPrivateData);

}  // namespace velmora::objects
