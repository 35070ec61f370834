#include "pixel_rows.h"

#include <bit>

namespace platform::ui::x11 {

namespace {

// One component of `pixel` under `mask`, scaled to 0..255.
std::uint32_t Component(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    const int bits = std::popcount(mask);
    const std::uint32_t value = (pixel & mask) >> std::countr_zero(mask);
    if (bits >= 8) {
        return value >> (bits - 8);
    }
    const std::uint32_t top = (1U << bits) - 1;
    return (value * 255 + top / 2) / top;
}

}  // namespace

std::optional<PixelFormat> PixelFormatOf(const xcb_setup_t* setup, std::uint8_t depth, xcb_visualid_t visual) {
    PixelFormat format;
    format.mostSignificantFirst = setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
    format.bitsPerPixel = 0;
    for (xcb_format_iterator_t f = xcb_setup_pixmap_formats_iterator(setup); f.rem > 0; xcb_format_next(&f)) {
        if (f.data->depth == depth) {
            format.bitsPerPixel = f.data->bits_per_pixel;
        }
    }
    if (format.bitsPerPixel != 8 && format.bitsPerPixel != 16 && format.bitsPerPixel != 24 && format.bitsPerPixel != 32) {
        return std::nullopt;
    }
    for (xcb_screen_iterator_t s = xcb_setup_roots_iterator(setup); s.rem > 0; xcb_screen_next(&s)) {
        for (xcb_depth_iterator_t d = xcb_screen_allowed_depths_iterator(s.data); d.rem > 0; xcb_depth_next(&d)) {
            for (xcb_visualtype_iterator_t v = xcb_depth_visuals_iterator(d.data); v.rem > 0; xcb_visualtype_next(&v)) {
                if (v.data->visual_id != visual) {
                    continue;
                }
                if (v.data->_class != XCB_VISUAL_CLASS_TRUE_COLOR && v.data->_class != XCB_VISUAL_CLASS_DIRECT_COLOR) {
                    return std::nullopt;
                }
                format.redMask = v.data->red_mask;
                format.greenMask = v.data->green_mask;
                format.blueMask = v.data->blue_mask;
                return format;
            }
        }
    }
    return std::nullopt;
}

std::vector<std::uint32_t> RowToRgb(const std::uint8_t* data, std::size_t length, int width, const PixelFormat& format) {
    const auto bytes = static_cast<std::size_t>(format.bitsPerPixel / 8);
    if (width <= 0 || bytes == 0 || length / bytes < static_cast<std::size_t>(width)) {
        return {};
    }
    std::vector<std::uint32_t> row(static_cast<std::size_t>(width));
    for (std::size_t x = 0; x < row.size(); ++x) {
        const std::uint8_t* p = data + x * bytes;
        std::uint32_t pixel = 0;
        for (std::size_t b = 0; b < bytes; ++b) {
            const std::size_t at = format.mostSignificantFirst ? b : bytes - 1 - b;
            pixel = (pixel << 8) | p[at];
        }
        row[x] = Component(pixel, format.redMask) << 16 | Component(pixel, format.greenMask) << 8 | Component(pixel, format.blueMask);
    }
    return row;
}

}  // namespace platform::ui::x11
