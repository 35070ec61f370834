#include "tests/support/bmp_writer.h"

namespace velmora::bmp_writer {

namespace {

constexpr std::uint32_t kFileHeader = 14;
constexpr std::uint32_t kInfoHeader = 40;

void append16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void append32(Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

}  // namespace

void put16(Bytes& bytes, std::size_t at, std::uint16_t value) {
    bytes.at(at) = static_cast<std::uint8_t>(value);
    bytes.at(at + 1) = static_cast<std::uint8_t>(value >> 8);
}

void put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

Bytes bmpFile(const Image& image, const Layout& layout) {
    const auto width = static_cast<std::uint32_t>(image.width);
    const auto height = static_cast<std::uint32_t>(image.height);
    const std::uint32_t bytesPerPixel = layout.bits == 32 ? 4 : 3;
    const std::uint32_t rowBytes = (width * bytesPerPixel + 3) / 4 * 4;
    const bool masksAfterHeader = layout.bitfields && layout.headerSize == kInfoHeader;
    const std::uint32_t pixelOffset = kFileHeader + layout.headerSize + (masksAfterHeader ? 12 : 0);

    Bytes out;
    out.push_back('B');
    out.push_back('M');
    append32(out, pixelOffset + rowBytes * height);
    append32(out, 0);
    append32(out, pixelOffset);

    append32(out, layout.headerSize);
    append32(out, width);
    append32(out, layout.topDown ? static_cast<std::uint32_t>(-static_cast<std::int64_t>(height)) : height);
    append16(out, 1);
    append16(out, static_cast<std::uint16_t>(layout.bits));
    append32(out, layout.bitfields ? 3 : 0);
    append32(out, rowBytes * height);
    append32(out, 2835);  // 72 dpi, as most writers put it
    append32(out, 2835);
    append32(out, 0);
    append32(out, 0);
    if (layout.bitfields) {
        append32(out, 0x00FF0000);
        append32(out, 0x0000FF00);
        append32(out, 0x000000FF);
    }
    out.resize(pixelOffset, 0);

    for (std::uint32_t row = 0; row < height; ++row) {
        const std::uint32_t y = layout.topDown ? row : height - 1 - row;
        std::uint32_t written = 0;
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint32_t p = image.pixels.at(static_cast<std::size_t>(y) * width + x);
            out.push_back(static_cast<std::uint8_t>(p));
            out.push_back(static_cast<std::uint8_t>(p >> 8));
            out.push_back(static_cast<std::uint8_t>(p >> 16));
            if (bytesPerPixel == 4) {
                out.push_back(layout.padding);
            }
            written += bytesPerPixel;
        }
        for (; written < rowBytes; ++written) {
            out.push_back(layout.padding);
        }
    }
    return out;
}

}  // namespace velmora::bmp_writer
