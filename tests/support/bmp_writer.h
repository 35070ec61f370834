#pragma once
// Builds Windows bitmap files in memory: 24- and 32-bit pixels, either row
// order, with the field offsets a test needs to damage a file on purpose. The
// writer keeps its own constants so that it does not share the reader's faults.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora::bmp_writer {

using Bytes = std::vector<std::uint8_t>;

// Where the fields a test changes sit in the file.
constexpr std::size_t kPixelOffsetAt = 10;
constexpr std::size_t kHeaderSizeAt = 14;
constexpr std::size_t kWidthAt = 18;
constexpr std::size_t kHeightAt = 22;
constexpr std::size_t kBitsAt = 28;
constexpr std::size_t kCompressionAt = 30;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0xRRGGBB, rows top to bottom
};

struct Layout {
    int bits = 24;                  // 24 or 32
    bool topDown = false;           // stored with a negative height
    bool bitfields = false;         // 32-bit with the 8-bit red, green, blue masks
    std::uint32_t headerSize = 40;  // 40, or a later header's size (masks then inside it)
    std::uint8_t padding = 0;       // the fourth byte of 32-bit pixels and the row padding
};

Bytes bmpFile(const Image& image, const Layout& layout);

void put16(Bytes& bytes, std::size_t at, std::uint16_t value);
void put32(Bytes& bytes, std::size_t at, std::uint32_t value);

}  // namespace velmora::bmp_writer
