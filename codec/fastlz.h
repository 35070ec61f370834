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

// Decodes a whole block into `out`. Answers the number of bytes decoded, or
// nothing when the block is malformed or would not fit into `out`. Bytes of
// `out` past those decoded may be overwritten (never past its end).
std::optional<std::size_t> fastlzDecompress(std::span<const std::uint8_t> in,
                                            std::span<std::uint8_t> out);

// True only when the block decodes to exactly out.size() bytes.
bool fastlzDecompressExact(std::span<const std::uint8_t> in, std::span<std::uint8_t> out);

// Decodes a block in steps, with the same checks as fastlzDecompress, so a
// caller can go over the bytes just read or written while they are still in
// the cache (to checksum them, say) instead of in a second pass.
class FastLzDecoder {
public:
    enum class Step { More, Done, Failed };

    FastLzDecoder(std::span<const std::uint8_t> in, std::span<std::uint8_t> out);

    // Decodes whole instructions until at least `inputEnd` input bytes are
    // consumed. Done once the block has ended cleanly; Failed (and from then
    // on) when it is malformed or would not fit into the output.
    Step decodeUntil(std::size_t inputEnd);

    std::size_t consumed() const { return ip_; }
    std::size_t produced() const { return op_; }

private:
    std::span<const std::uint8_t> in_;
    std::span<std::uint8_t> out_;
    std::size_t ip_ = 0;
    std::size_t op_ = 0;
    bool level2_ = false;
    Step state_ = Step::More;
};

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
