#pragma once
// Cairo image surfaces over a bitmap's own pixel vector, so neither drawing a
// bitmap nor writing one copies its pixels.
#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/ui/bitmap.h"

namespace platform::ui {

struct SurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using SurfaceRef = std::unique_ptr<cairo_surface_t, SurfaceRelease>;

// Whether the bitmap has the pixels its size promises, within cairo's limits.
inline bool HoldsPixels(const Bitmap& bitmap) {
    constexpr int kCairoMaxSide = 32767;
    return !bitmap.empty() && bitmap.width <= kCairoMaxSide && bitmap.height <= kCairoMaxSide &&
           bitmap.pixels.size() >= static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height);
}

// The rows are packed (stride = width * 4), which is what cairo asks of every
// 32-bit format.
inline SurfaceRef WrapPixels(std::uint32_t* pixels, int width, int height, cairo_format_t format) {
    return SurfaceRef(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels), format, width, height,
                                                          width * 4));
}

// Only ever used as a source or written out: cairo does not write to it, so
// the const of the bitmap holds.
inline SurfaceRef WrapPixels(const Bitmap& bitmap) {
    return WrapPixels(const_cast<std::uint32_t*>(bitmap.pixels.data()), bitmap.width, bitmap.height,
                      bitmap.alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24);
}

}  // namespace platform::ui
