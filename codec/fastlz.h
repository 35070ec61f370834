#pragma once
// FastLZ blocks, levels 1 and 2. The decoder treats its input as untrusted:
// it never reads past the input or writes past the output, and any stream that
// ends inside an instruction or reaches before the start of the output is an
// error.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velmora::codec {

enum class FastLzLevel : std::uint8_t { One = 1, Two = 2 };

// Decodes a whole block into `out`. Answers the number of bytes written, or
// nothing when the block is malformed or would not fit into `out`.
std::optional<std::size_t> fastlzDecompress(std::span<const std::uint8_t> in,
                                            std::span<std::uint8_t> out);

// True only when the block decodes to exactly out.size() bytes.
bool fastlzDecompressExact(std::span<const std::uint8_t> in, std::span<std::uint8_t> out);

// The most bytes any valid block of `compressedSize` bytes can decode to; a
// declared size above this cannot be right and must not be allocated.
constexpr std::size_t fastlzMaxDecompressedSize(std::size_t compressedSize) {
    // The densest instruction is a level-2 match whose length bytes are all
    // 255: under 255 output bytes per input byte.
    return compressedSize > SIZE_MAX / 256 ? SIZE_MAX : compressedSize * 256;
}

// Compresses `in` as one block of the given level. An empty input gives an
// empty block (which the decoder refuses: there is nothing to frame).
std::vector<std::uint8_t> fastlzCompress(std::span<const std::uint8_t> in, FastLzLevel level);

}  // namespace velmora::codec
