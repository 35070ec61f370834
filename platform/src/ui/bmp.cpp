// Windows bitmaps: the uncompressed 24- and 32-bit layouts only. Every size
// the file states is checked against the bytes it has before anything is
// allocated, in 64-bit arithmetic so no product of two stated sizes can wrap.
#include <algorithm>
#include <cstdint>

#include "platform/ui/bitmap.h"

namespace platform::ui {

namespace {

constexpr std::uint64_t kFileHeaderSize = 14;
constexpr std::uint64_t kInfoHeaderSize = 40;
constexpr std::uint64_t kMaskBytes = 12;  // red, green, blue masks after a 40-byte header
constexpr std::int64_t kMaxSide = std::int64_t{1} << 15;
constexpr std::int64_t kMaxPixels = std::int64_t{64} << 20;

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

std::uint16_t U16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t U32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t I32(const unsigned char* p) {
    return static_cast<std::int32_t>(U32(p));
}

std::optional<Bitmap> Refuse(std::string& why, const char* reason) {
    why = reason;
    return std::nullopt;
}

}  // namespace

std::optional<Bitmap> ReadBmp(const unsigned char* data, std::size_t size, int id, std::string& why) {
    why.clear();
    if (data == nullptr || size < kFileHeaderSize + 4) {
        return Refuse(why, "too short for a bitmap header");
    }
    if (data[0] != 'B' || data[1] != 'M') {
        return Refuse(why, "not a bitmap (no BM signature)");
    }
    const std::uint64_t pixelOffset = U32(data + 10);
    const std::uint64_t headerSize = U32(data + 14);
    if (headerSize < kInfoHeaderSize) {
        return Refuse(why, "header too short (older or unknown bitmap layout)");
    }
    if (kFileHeaderSize + headerSize > size) {
        return Refuse(why, "header runs past the end of the file");
    }
    const unsigned char* info = data + kFileHeaderSize;
    const std::int64_t width = I32(info + 4);
    const std::int64_t statedHeight = I32(info + 8);
    const std::uint16_t planes = U16(info + 12);
    const std::uint16_t bits = U16(info + 14);
    const std::uint32_t compression = U32(info + 16);

    if (planes != 1) {
        return Refuse(why, "plane count is not 1");
    }
    if (bits != 24 && bits != 32) {
        return Refuse(why, "only 24 and 32 bits per pixel are read");
    }
    std::uint64_t headersEnd = kFileHeaderSize + headerSize;
    if (compression == kBiBitfields && bits == 32) {
        // The masks follow a 40-byte header; later headers hold them inside.
        const std::uint64_t masksEnd = kFileHeaderSize + kInfoHeaderSize + kMaskBytes;
        if (masksEnd > size) {
            return Refuse(why, "colour masks run past the end of the file");
        }
        headersEnd = std::max(headersEnd, masksEnd);
        const unsigned char* masks = info + kInfoHeaderSize;
        if (U32(masks) != 0x00FF0000u || U32(masks + 4) != 0x0000FF00u || U32(masks + 8) != 0x000000FFu) {
            return Refuse(why, "colour masks other than 8-bit red, green, blue");
        }
    } else if (compression != kBiRgb) {
        return Refuse(why, "compressed bitmaps are not read");
    }

    if (width <= 0 || statedHeight == 0) {
        return Refuse(why, "width or height is zero or negative");
    }
    const bool topDown = statedHeight < 0;
    const std::int64_t height = topDown ? -statedHeight : statedHeight;
    if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels) {
        return Refuse(why, "dimensions too large");
    }

    const std::uint64_t bytesPerPixel = bits / 8u;
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bytesPerPixel + 3u) & ~std::uint64_t{3};
    const std::uint64_t pixelBytes = rowBytes * static_cast<std::uint64_t>(height);
    if (pixelOffset < headersEnd) {
        return Refuse(why, "pixel data overlaps the headers");
    }
    if (pixelOffset > size) {
        return Refuse(why, "pixel data offset past the end of the file");
    }
    if (size - pixelOffset < pixelBytes) {
        return Refuse(why, "pixel data truncated");
    }

    Bitmap bitmap;
    bitmap.id = id;
    bitmap.width = static_cast<int>(width);
    bitmap.height = static_cast<int>(height);
    bitmap.alpha = false;
    bitmap.pixels.resize(static_cast<std::size_t>(width * height));
    const unsigned char* pixels = data + pixelOffset;
    for (std::int64_t y = 0; y < height; ++y) {
        const std::int64_t fileRow = topDown ? y : height - 1 - y;
        const unsigned char* in = pixels + static_cast<std::uint64_t>(fileRow) * rowBytes;
        std::uint32_t* out = bitmap.pixels.data() + y * width;
        for (std::int64_t x = 0; x < width; ++x, in += bytesPerPixel) {
            out[x] = 0xFF000000u | (static_cast<std::uint32_t>(in[2]) << 16) | (static_cast<std::uint32_t>(in[1]) << 8) | in[0];
        }
    }
    return bitmap;
}

}  // namespace platform::ui
