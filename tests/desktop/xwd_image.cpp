#include "tests/desktop/xwd_image.h"

#include <bit>
#include <cstdint>

namespace velmora::test {

namespace {

constexpr std::size_t kHeaderFields = 25;
constexpr std::size_t kColourEntryBytes = 12;
constexpr std::uint32_t kZPixmap = 2;
constexpr std::uint32_t kMaxSide = 1 << 14;

std::uint32_t Big32(const unsigned char* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// The value of a pixel's masked bits, scaled to 8 bits.
std::uint32_t Channel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const std::uint32_t v = (pixel & mask) >> shift;
    return bits >= 8 ? v >> (bits - 8) : v * 255 / ((1u << bits) - 1);
}

}  // namespace

std::optional<platform::ui::Bitmap> ReadXwd(const std::vector<unsigned char>& bytes, std::string& why) {
    if (bytes.size() < kHeaderFields * 4) {
        why = "shorter than an xwd header";
        return std::nullopt;
    }
    std::uint32_t h[kHeaderFields];
    for (std::size_t k = 0; k < kHeaderFields; ++k) {
        h[k] = Big32(bytes.data() + 4 * k);
    }
    const std::uint32_t headerSize = h[0], version = h[1], format = h[2], width = h[4], height = h[5];
    const bool msbFirst = h[7] != 0;
    const std::uint32_t bitsPerPixel = h[11], bytesPerLine = h[12];
    const std::uint32_t red = h[14], green = h[15], blue = h[16], colours = h[19];
    if (version != 7 || format != kZPixmap || (bitsPerPixel != 32 && bitsPerPixel != 24)) {
        why = "not a 24- or 32-bit ZPixmap dump of version 7";
        return std::nullopt;
    }
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide || bytesPerLine < width * (bitsPerPixel / 8)) {
        why = "impossible size";
        return std::nullopt;
    }
    const std::uint64_t pixelsAt = std::uint64_t{headerSize} + std::uint64_t{colours} * kColourEntryBytes;
    if (headerSize < kHeaderFields * 4 || pixelsAt + std::uint64_t{bytesPerLine} * height > bytes.size()) {
        why = "the file ends before its pixels do";
        return std::nullopt;
    }
    platform::ui::Bitmap picture;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.pixels.resize(std::size_t{width} * height);
    const std::uint32_t step = bitsPerPixel / 8;
    for (std::uint32_t y = 0; y < height; ++y) {
        const unsigned char* row = bytes.data() + pixelsAt + std::uint64_t{bytesPerLine} * y;
        for (std::uint32_t x = 0; x < width; ++x) {
            const unsigned char* p = row + x * step;
            std::uint32_t v = 0;
            for (std::uint32_t k = 0; k < step; ++k) {
                v |= std::uint32_t{p[k]} << (msbFirst ? 8 * (step - 1 - k) : 8 * k);
            }
            picture.pixels[std::size_t{y} * width + x] =
                0xFF000000u | Channel(v, red) << 16 | Channel(v, green) << 8 | Channel(v, blue);
        }
    }
    return picture;
}

}  // namespace velmora::test
