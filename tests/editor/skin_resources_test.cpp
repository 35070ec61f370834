// The skin bitmaps as compiled into the plugin: present, of the sizes and
// pixel formats the editor's drawing relies on, and with the pictures
// distinguishing what the editor shows as different.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <vector>

#include "editor/resources/skin_resources.h"

namespace velmora::editor {
namespace {

struct Expected {
    int id;
    int width;
    int height;
    bool alpha;
};

// Written out here rather than taken from the library, so a changed size
// shows up as a failure and not as a silent agreement.
constexpr Expected kExpected[] = {
    {101, 480, 720, false}, {103, 34, 2176, true}, {104, 56, 1536, true}, {105, 34, 68, true},
    {106, 7392, 56, false}, {107, 34, 2176, true}, {110, 24, 89, false},
};

std::uint32_t BigEndian32(const unsigned char* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

TEST(SkinResources, EveryBitmapIsCompiledInWithItsSizeAndFormat) {
    static const unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(e.id);
        const SkinResource* r = FindSkinResource(e.id);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->id, e.id);
        EXPECT_EQ(r->width, e.width);
        EXPECT_EQ(r->height, e.height);
        EXPECT_EQ(r->alpha, e.alpha);
        // The file itself, as the generator wrote it: signature, then the
        // header chunk with width, height, bit depth and colour type.
        ASSERT_GT(r->size, 33U);
        ASSERT_EQ(std::memcmp(r->png, kSignature, sizeof kSignature), 0);
        ASSERT_EQ(std::memcmp(r->png + 12, "IHDR", 4), 0);
        EXPECT_EQ(BigEndian32(r->png + 16), static_cast<std::uint32_t>(e.width));
        EXPECT_EQ(BigEndian32(r->png + 20), static_cast<std::uint32_t>(e.height));
        EXPECT_EQ(r->png[24], 8) << "bits per channel";
        EXPECT_EQ(r->png[25], e.alpha ? 6 : 2) << "colour type: 2 is RGB, 6 is RGB with alpha";
        // The file ends with its end chunk, so no bytes were cut off or added.
        EXPECT_EQ(std::memcmp(r->png + r->size - 8, "IEND", 4), 0);
    }
}

TEST(SkinResources, NumbersWithoutABitmapFindNothing) {
    for (int id : {0, -1, 100, 102, 108, 109, 111, 1101}) {
        EXPECT_EQ(FindSkinResource(id), nullptr) << id;
    }
}

// A decoded bitmap in cairo's pixel format. Opaque bitmaps have their unused
// top byte cleared so pixels compare by colour.
struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::vector<std::uint32_t> Region(int x, int y, int w, int h) const {
        std::vector<std::uint32_t> out;
        for (int j = y; j < y + h; ++j) {
            for (int i = x; i < x + w; ++i) {
                out.push_back(at(i, j));
            }
        }
        return out;
    }
};

Decoded Decode(int id) {
    const SkinResource* r = FindSkinResource(id);
    if (r == nullptr) {
        ADD_FAILURE() << "no bitmap " << id;
        return {};
    }
    struct Reader {
        const unsigned char* next;
        std::size_t left;
    } reader{r->png, r->size};
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(
        [](void* closure, unsigned char* data, unsigned int length) {
            auto* in = static_cast<Reader*>(closure);
            if (length > in->left) {
                return CAIRO_STATUS_READ_ERROR;
            }
            std::memcpy(data, in->next, length);
            in->next += length;
            in->left -= length;
            return CAIRO_STATUS_SUCCESS;
        },
        &reader);
    Decoded d;
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        ADD_FAILURE() << "bitmap " << id << " does not decode: " << cairo_status_to_string(cairo_surface_status(s));
        cairo_surface_destroy(s);
        return d;
    }
    d.width = cairo_image_surface_get_width(s);
    d.height = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    const bool alpha = cairo_image_surface_get_format(s) == CAIRO_FORMAT_ARGB32;
    const unsigned char* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < d.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        for (int x = 0; x < d.width; ++x) {
            d.pixels.push_back(alpha ? row[x] : row[x] & 0xFFFFFFU);
        }
    }
    cairo_surface_destroy(s);
    return d;
}

TEST(SkinResources, DecodeToTheirSizesWithTransparencyWhereTheyHaveAlpha) {
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(e.id);
        const Decoded d = Decode(e.id);
        ASSERT_EQ(d.width, e.width);
        ASSERT_EQ(d.height, e.height);
        if (!e.alpha) {
            continue;
        }
        // Real alpha: clear around the shapes, solid on them.
        int clear = 0;
        int solid = 0;
        for (std::uint32_t p : d.pixels) {
            clear += (p >> 24) == 0;
            solid += (p >> 24) == 0xFF;
        }
        EXPECT_EQ(d.at(0, 0) >> 24, 0U) << "top-left corner";
        EXPECT_GT(clear, d.width * d.height / 10);
        EXPECT_GT(solid, d.width * d.height / 10);
    }
}

constexpr int kIconCount = 231;

// An icon as the editor copies it: 27 x 27 from two pixels into its cell, the
// highlighted form in the upper half, the normal form in the lower.
std::vector<std::uint32_t> Icon(const Decoded& strip, int k, bool highlighted) {
    return strip.Region(32 * k + 2, highlighted ? 0 : 28, 27, 27);
}

TEST(IconStrip, TheDefaultIconIsHighlightedDifferently) {
    const Decoded strip = Decode(106);
    ASSERT_EQ(strip.width, 32 * kIconCount);
    EXPECT_NE(Icon(strip, 55, true), Icon(strip, 55, false));
}

TEST(IconStrip, EveryIconHasInkAndNoTwoAreAlike) {
    const Decoded strip = Decode(106);
    ASSERT_EQ(strip.width, 32 * kIconCount);
    for (bool highlighted : {false, true}) {
        std::map<std::vector<std::uint32_t>, int> seen;
        for (int k = 0; k < kIconCount; ++k) {
            const std::vector<std::uint32_t> icon = Icon(strip, k, highlighted);
            // Ink is anything far from the cell's own background colour.
            const std::uint32_t background = strip.at(32 * k, highlighted ? 0 : 28);
            int ink = 0;
            for (std::uint32_t p : icon) {
                int distance = 0;
                for (int shift : {0, 8, 16}) {
                    distance += std::abs(static_cast<int>((p >> shift) & 0xFF) -
                                         static_cast<int>((background >> shift) & 0xFF));
                }
                ink += distance > 120;
            }
            EXPECT_GE(ink, 6) << "icon " << k << (highlighted ? " highlighted" : " normal") << " is blank";
            const auto [it, fresh] = seen.emplace(icon, k);
            EXPECT_TRUE(fresh) << "icon " << k << " looks like icon " << it->second;
        }
    }
}

struct Frames {
    int id;
    int width;
    int height;
};

TEST(ControlBitmaps, EachFrameDiffersFromTheNext) {
    for (const Frames f : {Frames{103, 34, 34}, Frames{107, 34, 34}, Frames{104, 56, 24}, Frames{105, 34, 34}}) {
        SCOPED_TRACE(f.id);
        const Decoded d = Decode(f.id);
        ASSERT_EQ(d.width, f.width);
        const int count = d.height / f.height;
        for (int i = 0; i + 1 < count; ++i) {
            EXPECT_NE(d.Region(0, i * f.height, f.width, f.height), d.Region(0, (i + 1) * f.height, f.width, f.height))
                << "frames " << i << " and " << i + 1;
        }
    }
    const Decoded knob = Decode(103);
    EXPECT_NE(knob.Region(0, 0, 34, 34), knob.Region(0, 63 * 34, 34, 34));
}

int Brightness(std::uint32_t p) {
    return static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
}

TEST(BankIndicator, ColumnBLightsSegmentBCountingFromTheTop) {
    const Decoded d = Decode(110);
    ASSERT_EQ(d.width, 24);
    for (int column = 0; column < 4; ++column) {
        int brightest = -1;
        int best = -1;
        for (int segment = 0; segment < 4; ++segment) {
            int sum = 0;
            for (int y = segment * 22; y < segment * 22 + 22 && y < d.height; ++y) {
                for (int x = column * 6; x < column * 6 + 6; ++x) {
                    sum += Brightness(d.at(x, y));
                }
            }
            if (sum > best) {
                best = sum;
                brightest = segment;
            }
        }
        EXPECT_EQ(brightest, column);
    }
}

TEST(Markers, SixteenColoursStandApartAndEachStateLooksDifferent) {
    const Decoded skin = Decode(101);
    ASSERT_EQ(skin.width, 480);
    // The middle of the active (filled) marker of each colour.
    std::vector<std::uint32_t> colours;
    for (int c = 0; c < 16; ++c) {
        colours.push_back(skin.at(240 + 14 * c + 7, 12 + 6));
    }
    for (int a = 0; a < 16; ++a) {
        for (int b = a + 1; b < 16; ++b) {
            int distance = 0;
            for (int shift : {0, 8, 16}) {
                distance += std::abs(static_cast<int>((colours[a] >> shift) & 0xFF) -
                                     static_cast<int>((colours[b] >> shift) & 0xFF));
            }
            EXPECT_GT(distance, 40) << "colours " << a << " and " << b;
        }
    }
    for (int c = 0; c < 16; ++c) {
        std::set<std::vector<std::uint32_t>> states;
        for (int row = 0; row < 4; ++row) {
            states.insert(skin.Region(240 + 14 * c, 12 * row, 14, 12));
        }
        EXPECT_EQ(states.size(), 4U) << "colour " << c;
    }
}

}  // namespace
}  // namespace velmora::editor
