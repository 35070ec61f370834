// PNG through cairo: the compiled-in resources in, snapshots out.
#include <cairo.h>

#include <cstring>

#include "image_surface.h"
#include "platform/ui/bitmap.h"

namespace platform::ui {

namespace {

struct MemoryReader {
    const unsigned char* data;
    std::size_t size;
    std::size_t position;
};

cairo_status_t ReadChunk(void* closure, unsigned char* out, unsigned int length) {
    auto* reader = static_cast<MemoryReader*>(closure);
    if (reader->size - reader->position < length) {
        return CAIRO_STATUS_READ_ERROR;
    }
    std::memcpy(out, reader->data + reader->position, length);
    reader->position += length;
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::optional<Bitmap> DecodePng(const unsigned char* data, std::size_t size, int id, bool alpha) {
    if (data == nullptr) {
        return std::nullopt;
    }
    MemoryReader reader{data, size, 0};
    cairo_surface_t* png = cairo_image_surface_create_from_png_stream(ReadChunk, &reader);
    if (cairo_surface_status(png) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(png);
        return std::nullopt;
    }
    // Painted onto a surface of the bitmap's own layout, whatever format cairo
    // chose for the file (grey, 16-bit and palette files all land as ARGB32).
    const int width = cairo_image_surface_get_width(png);
    const int height = cairo_image_surface_get_height(png);
    Bitmap bitmap;
    bitmap.id = id;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.alpha = alpha;
    bitmap.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0u);
    bool ok = false;
    if (!bitmap.empty()) {
        SurfaceRef target = WrapPixels(bitmap.pixels.data(), width, height, CAIRO_FORMAT_ARGB32);
        cairo_t* cr = cairo_create(target.get());
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, png, 0, 0);
        cairo_paint(cr);
        ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
        cairo_destroy(cr);
        cairo_surface_flush(target.get());
    }
    cairo_surface_destroy(png);
    if (!ok) {
        return std::nullopt;
    }
    if (!alpha) {
        // A 24-bit resource: whatever the file's alpha, the bitmap is opaque.
        for (std::uint32_t& p : bitmap.pixels) {
            p |= 0xFF000000u;
        }
    }
    return bitmap;
}

bool WritePng(const Bitmap& bitmap, const std::string& path) {
    if (!HoldsPixels(bitmap)) {
        return false;
    }
    SurfaceRef source = WrapPixels(bitmap);
    return cairo_surface_write_to_png(source.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace platform::ui
