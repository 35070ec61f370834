#pragma once
// The standard CRC-32 of a byte range, whole or taken piece by piece.
#include <cstdint>
#include <span>

namespace velmora::container {

std::uint32_t crc32Of(std::span<const std::uint8_t> bytes);

// The CRC-32 of the bytes `crc` covers followed by `bytes`; crc32Update(0, b)
// is crc32Of(b).
std::uint32_t crc32Update(std::uint32_t crc, std::span<const std::uint8_t> bytes);

}  // namespace velmora::container
