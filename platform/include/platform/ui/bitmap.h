#pragma once
// A picture in memory: 32 bits per pixel in the native byte order of cairo's
// image surfaces (0xAARRGGBB, colours premultiplied by alpha). A bitmap
// without alpha is opaque: its alpha bytes are ignored when it is drawn.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform::ui {

struct Bitmap {
    int id = 0;  // the resource number, so a recording can name the source
    int width = 0;
    int height = 0;
    bool alpha = false;
    std::vector<std::uint32_t> pixels;  // width * height, rows top to bottom

    bool empty() const { return width <= 0 || height <= 0; }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]; }
};

// A PNG held in memory (the compiled-in resources). nullopt when the bytes are
// not a PNG cairo can read.
std::optional<Bitmap> DecodePng(const unsigned char* data, std::size_t size, int id, bool alpha);

// An uncompressed Windows bitmap of 24 or 32 bits per pixel, bottom-up or
// top-down. Anything else (other depths, compression, palettes, sizes the bytes
// cannot hold) is refused with the reason in `why`. The result is opaque.
std::optional<Bitmap> ReadBmp(const unsigned char* data, std::size_t size, int id, std::string& why);

// Writes the bitmap as a PNG file; false when it cannot be written.
bool WritePng(const Bitmap& bitmap, const std::string& path);

}  // namespace platform::ui
