// The canvas that draws into a cairo image surface; text through pango.
#include "platform/ui/cairo_canvas.h"

#include <cairo.h>
#include <glib.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "font_generation.h"
#include "image_surface.h"
#include "text_options.h"
#include "platform/ui/window.h"

namespace platform::ui {

namespace {

constexpr int kCairoMaxSide = 32767;
constexpr std::uint32_t kOpaque = 0xFF000000u;
// Nothing longer or larger fits in an editor window; the caps keep pango's
// lengths and sizes (in 1/1024 pixel, as int) in range.
constexpr std::size_t kMaxTextBytes = 64 * 1024;
constexpr int kMaxTextPixels = 1 << 16;

void SetColour(cairo_t* cr, Colour colour) {
    cairo_set_source_rgb(cr, static_cast<double>((colour >> 16) & 0xFFu) / 255.0,
                         static_cast<double>((colour >> 8) & 0xFFu) / 255.0, static_cast<double>(colour & 0xFFu) / 255.0);
}

// Pango's objects belong to one thread, so each thread that paints has its own
// font map and context, made once and kept: making them costs far more than a
// paint's texts.
class TextEngine {
public:
    static TextEngine& forThread() {
        thread_local TextEngine engine;
        return engine;
    }

    TextEngine(const TextEngine&) = delete;
    TextEngine& operator=(const TextEngine&) = delete;
    ~TextEngine() { release(); }

    PangoContext* context() {
        refreshIfFontsChanged();
        return context_;
    }

    // The description for a face at a cell height; lives until the next
    // registration of a font.
    const PangoFontDescription* font(const Font& font) {
        refreshIfFontsChanged();
        for (const CachedFont& cached : fonts_) {
            if (cached.height == font.height && cached.face == font.face) {
                return cached.description;
            }
        }
        if (fonts_.size() >= kMaxCachedFonts) {
            clearFonts();
        }
        PangoFontDescription* description = pango_font_description_new();
        pango_font_description_set_family(description, font.face.c_str());
        const double pixels = static_cast<double>(std::min(font.height, kMaxTextPixels)) / cellPerPixel(font.face);
        pango_font_description_set_absolute_size(description, std::max(1.0, std::round(pixels * PANGO_SCALE)));
        fonts_.push_back({font.face, font.height, description});
        return description;
    }

private:
    static constexpr std::size_t kMaxCachedFonts = 64;

    struct CachedFont {
        std::string face;
        int height;
        PangoFontDescription* description;
    };
    struct CellRatio {
        std::string face;
        double cellPerPixel;
    };

    TextEngine() = default;

    void refreshIfFontsChanged() {
        const unsigned generation = FontGeneration();
        if (context_ != nullptr && generation == generation_) {
            return;
        }
        release();
        generation_ = generation;
        map_ = pango_cairo_font_map_new();
        context_ = pango_font_map_create_context(map_);
        SetEditorTextOptions(context_);
    }

    // A font's height is its cell, ascent plus descent, as a Windows font of
    // positive height has it; pango sizes fonts by the em. The ratio of the
    // two is measured once per face at a large size, where hinting's rounding
    // is negligible.
    double cellPerPixel(const std::string& face) {
        for (const CellRatio& ratio : ratios_) {
            if (ratio.face == face) {
                return ratio.cellPerPixel;
            }
        }
        constexpr int kProbePixels = 1000;
        PangoFontDescription* probe = pango_font_description_new();
        pango_font_description_set_family(probe, face.c_str());
        pango_font_description_set_absolute_size(probe, static_cast<double>(kProbePixels) * PANGO_SCALE);
        PangoFontMetrics* metrics = pango_context_get_metrics(context_, probe, nullptr);
        const int cell = pango_font_metrics_get_ascent(metrics) + pango_font_metrics_get_descent(metrics);
        pango_font_metrics_unref(metrics);
        pango_font_description_free(probe);
        // Without usable metrics, the usual 1.2 line height of a font.
        double value = static_cast<double>(cell) / (static_cast<double>(kProbePixels) * PANGO_SCALE);
        if (!(value > 0.5 && value < 4.0)) {
            value = 1.2;
        }
        if (ratios_.size() >= kMaxCachedFonts) {
            ratios_.clear();
        }
        ratios_.push_back({face, value});
        return value;
    }

    void clearFonts() {
        for (CachedFont& cached : fonts_) {
            pango_font_description_free(cached.description);
        }
        fonts_.clear();
    }

    void release() {
        clearFonts();
        ratios_.clear();
        if (context_ != nullptr) {
            g_object_unref(context_);
            context_ = nullptr;
        }
        if (map_ != nullptr) {
            g_object_unref(map_);
            map_ = nullptr;
        }
    }

    unsigned generation_ = 0;
    PangoFontMap* map_ = nullptr;
    PangoContext* context_ = nullptr;
    std::vector<CachedFont> fonts_;
    std::vector<CellRatio> ratios_;
};

// Pango refuses invalid UTF-8 with a warning and draws nothing; any bytes may
// arrive here (names from files), so invalid sequences become U+FFFD.
std::string DrawableText(std::string_view bytes, bool singleLine) {
    bytes = bytes.substr(0, kMaxTextBytes);
    std::string text;
    const auto length = static_cast<gssize>(bytes.size());
    if (g_utf8_validate(bytes.data(), length, nullptr)) {
        text.assign(bytes);
    } else {
        gchar* valid = g_utf8_make_valid(bytes.data(), length);
        text = valid;
        g_free(valid);
    }
    if (singleLine) {
        // Line breaks do not break a single line.
        std::replace_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    }
    return text;
}

}  // namespace

struct CairoCanvas::Surface {
    cairo_surface_t* image = nullptr;
    cairo_t* cr = nullptr;
    int width = 0;
    int height = 0;
    // Kept between stretches so a paint does not allocate them again.
    std::vector<int> columns;
};

CairoCanvas::CairoCanvas(int width, int height) : surface_(std::make_unique<Surface>()) {
    surface_->width = std::clamp(width, 0, kCairoMaxSide);
    surface_->height = std::clamp(height, 0, kCairoMaxSide);
    // A new image surface is zeroed: black.
    surface_->image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, surface_->width, surface_->height);
    surface_->cr = cairo_create(surface_->image);
}

CairoCanvas::~CairoCanvas() {
    cairo_destroy(surface_->cr);
    cairo_surface_destroy(surface_->image);
}

void CairoCanvas::copy(const Bitmap& source, int sx, int sy, int w, int h, int dx, int dy) {
    if (!HoldsPixels(source) || w <= 0 || h <= 0) {
        return;
    }
    // The source rectangle cut to the bitmap, and where that lands.
    const std::int64_t left = std::max<std::int64_t>(sx, 0);
    const std::int64_t top = std::max<std::int64_t>(sy, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{sx} + w, source.width);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{sy} + h, source.height);
    if (left >= right || top >= bottom) {
        return;
    }
    const std::int64_t x = std::int64_t{dx} + (left - sx);
    const std::int64_t y = std::int64_t{dy} + (top - sy);
    if (x >= surface_->width || y >= surface_->height || x + (right - left) <= 0 || y + (bottom - top) <= 0) {
        return;
    }
    SurfaceRef pixels = WrapPixels(source);
    cairo_t* cr = surface_->cr;
    cairo_save(cr);
    cairo_set_operator(cr, source.alpha ? CAIRO_OPERATOR_OVER : CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, pixels.get(), static_cast<double>(x - left), static_cast<double>(y - top));
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr, static_cast<double>(x), static_cast<double>(y), static_cast<double>(right - left),
                    static_cast<double>(bottom - top));
    cairo_fill(cr);
    cairo_restore(cr);
}

void CairoCanvas::fill(const Rect& rect, Colour colour) {
    if (rect.width() <= 0 || rect.height() <= 0) {
        return;
    }
    cairo_t* cr = surface_->cr;
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    SetColour(cr, colour);
    cairo_rectangle(cr, rect.left, rect.top, rect.width(), rect.height());
    cairo_fill(cr);
    cairo_restore(cr);
}

// How far a single line may be narrowed to fit its box.
constexpr double kNarrowestLine = 0.8;

void CairoCanvas::text(std::string_view utf8, const Rect& rect, const Font& font, Colour colour, unsigned flags) {
    if (utf8.empty() || rect.width() <= 0 || rect.height() <= 0 || font.height <= 0) {
        return;
    }
    const bool singleLine = (flags & kTextSingleLine) != 0;
    const bool wrap = (flags & kTextWordWrap) != 0 && !singleLine;
    const bool ellipsis = (flags & kTextWordEllipsis) != 0;
    const bool centre = (flags & kTextCentre) != 0;

    TextEngine& engine = TextEngine::forThread();
    const PangoFontDescription* description = engine.font(font);
    const std::string text = DrawableText(utf8, singleLine);
    PangoLayout* layout = pango_layout_new(engine.context());
    pango_layout_set_font_description(layout, description);
    pango_layout_set_single_paragraph_mode(layout, singleLine ? TRUE : FALSE);
    pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));

    // Pango wraps whenever the layout has a width, so the width is set only
    // when the text should wrap or be cut; other text is centred by hand.
    const bool bounded = wrap || ellipsis;
    if (bounded) {
        pango_layout_set_width(layout, std::min(rect.width(), kMaxTextPixels) * PANGO_SCALE);
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
        if (centre) {
            pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
        }
    }
    if (ellipsis) {
        pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
        // Wrapped text is cut on the last line that fits; otherwise each
        // paragraph stays one line.
        if (wrap) {
            pango_layout_set_height(layout, std::min(rect.height(), kMaxTextPixels) * PANGO_SCALE);
        }
    }

    PangoRectangle logical{};
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    // A line a little wider than its box is narrowed to fit, as the narrower
    // face it was laid out for would draw it; beyond that it is cut.
    double narrow = 1.0;
    if (singleLine && !bounded && logical.width > rect.width()) {
        narrow = std::max(kNarrowestLine, static_cast<double>(rect.width()) / static_cast<double>(logical.width));
    }
    const int shownWidth = static_cast<int>(std::ceil(logical.width * narrow));
    int x = rect.left;
    if (centre && !bounded) {
        x = rect.left + (rect.width() - shownWidth) / 2 - static_cast<int>(logical.x * narrow);
    }
    int y = rect.top;
    if ((flags & kTextVerticalCentre) != 0) {
        y = rect.top + (rect.height() - logical.height) / 2 - logical.y;
    }

    // A single line is never cut through its letters: a box lower than the
    // font's line still shows the whole line.
    int bottom = rect.bottom;
    if (singleLine) {
        bottom = std::max(bottom, y + logical.y + logical.height);
    }
    cairo_t* cr = surface_->cr;
    cairo_save(cr);
    cairo_rectangle(cr, rect.left, rect.top, rect.width(), bottom - rect.top);
    cairo_clip(cr);
    SetColour(cr, colour);
    cairo_translate(cr, x, y);
    cairo_scale(cr, narrow, 1.0);
    cairo_move_to(cr, 0, 0);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
    g_object_unref(layout);
}

void CairoCanvas::stretchOnto(Window& window, float scale) {
    const int width = std::max(window.width(), 0);
    const int height = std::max(window.height(), 0);
    Bitmap out = window.takePictureMemory();
    out.id = 0;
    out.width = width;
    out.height = height;
    out.alpha = false;
    out.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));

    // Window pixel i shows picture pixel trunc(i / scale); -1 past the picture.
    const bool usable = std::isfinite(scale) && scale > 0.0f;
    const auto sourceIndex = [&](int i, int limit) {
        if (!usable) {
            return -1;
        }
        const double at = static_cast<double>(i) / static_cast<double>(scale);
        return at < static_cast<double>(limit) ? static_cast<int>(at) : -1;
    };
    std::vector<int>& columns = surface_->columns;
    columns.resize(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        columns[static_cast<std::size_t>(x)] = sourceIndex(x, surface_->width);
    }

    cairo_surface_flush(surface_->image);
    const auto* picture = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface_->image));
    const std::size_t stride = static_cast<std::size_t>(cairo_image_surface_get_stride(surface_->image)) / 4;
    const std::size_t rowLength = static_cast<std::size_t>(width);
    int previous = -2;
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = out.pixels.data() + static_cast<std::size_t>(y) * rowLength;
        const int sy = sourceIndex(y, surface_->height);
        if (sy == previous) {
            // Enlarged: the row above showed the same picture row.
            std::memcpy(row, row - rowLength, rowLength * sizeof(std::uint32_t));
            continue;
        }
        previous = sy;
        if (sy < 0 || picture == nullptr) {
            std::fill(row, row + rowLength, kOpaque);
            continue;
        }
        const std::uint32_t* in = picture + static_cast<std::size_t>(sy) * stride;
        for (std::size_t x = 0; x < rowLength; ++x) {
            const int column = columns[x];
            row[x] = column >= 0 ? (in[column] | kOpaque) : kOpaque;
        }
    }
    window.present(std::move(out));
}

Bitmap CairoCanvas::picture() const {
    Bitmap bitmap;
    bitmap.width = surface_->width;
    bitmap.height = surface_->height;
    bitmap.pixels.resize(static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height));
    cairo_surface_flush(surface_->image);
    const auto* data = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface_->image));
    if (data == nullptr) {
        return bitmap;
    }
    const std::size_t stride = static_cast<std::size_t>(cairo_image_surface_get_stride(surface_->image)) / 4;
    for (int y = 0; y < bitmap.height; ++y) {
        const std::uint32_t* in = data + static_cast<std::size_t>(y) * stride;
        std::uint32_t* row = bitmap.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(bitmap.width);
        for (int x = 0; x < bitmap.width; ++x) {
            row[x] = in[x] | kOpaque;
        }
    }
    return bitmap;
}

}  // namespace platform::ui
