#pragma once
// The standard CRC-32 of a byte range.
#include <cstdint>
#include <span>

namespace velmora::container {

std::uint32_t crc32Of(std::span<const std::uint8_t> bytes);

}  // namespace velmora::container
