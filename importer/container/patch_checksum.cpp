#include "importer/container/patch_checksum.h"

#include <zlib.h>

#include <algorithm>

namespace velmora::container {

std::uint32_t crc32Of(std::span<const std::uint8_t> bytes) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes 32-bit lengths; feed larger ranges in pieces.
    constexpr std::size_t kPiece = std::size_t{1} << 30;
    for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
        const std::size_t n = std::min(kPiece, bytes.size() - at);
        crc = crc32(crc, bytes.data() + at, static_cast<uInt>(n));
    }
    return static_cast<std::uint32_t>(crc);
}

}  // namespace velmora::container
