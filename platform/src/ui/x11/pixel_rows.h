#pragma once
// Rows of a window's pixels as the server hands them (ZPixmap) turned into
// 0xRRGGBB, whatever the visual's depth and masks.
#include <xcb/xcb.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform::ui::x11 {

struct PixelFormat {
    int bitsPerPixel = 32;  // 8, 16, 24 or 32
    bool mostSignificantFirst = false;  // the server's image byte order
    std::uint32_t redMask = 0xFF0000;
    std::uint32_t greenMask = 0x00FF00;
    std::uint32_t blueMask = 0x0000FF;
};

// How the server lays out the pixels of `depth` and `visual`; nothing for a
// visual without colour masks (palettes) or one the server does not list.
std::optional<PixelFormat> PixelFormatOf(const xcb_setup_t* setup, std::uint8_t depth, xcb_visualid_t visual);

// `width` pixels from `data` (`length` bytes) as 0xRRGGBB, each component
// widened to eight bits; empty when the bytes do not hold the row.
std::vector<std::uint32_t> RowToRgb(const std::uint8_t* data, std::size_t length, int width, const PixelFormat& format);

}  // namespace platform::ui::x11
