#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/cairo_canvas.h"
#include "platform/ui/headless_window.h"
#include "platform/ui/recording_canvas.h"

namespace platform::ui {
namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;
const Font kFont{"DejaVu Sans", 16};

Bitmap MakeBitmap(int width, int height, bool alpha, const std::function<std::uint32_t(int, int)>& pixel) {
    Bitmap bitmap{.id = 3, .width = width, .height = height, .alpha = alpha, .pixels = {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bitmap.pixels.push_back(pixel(x, y));
        }
    }
    return bitmap;
}

// The bounding box of the pixels that differ from the background.
struct Ink {
    int left = 1 << 30;
    int top = 1 << 30;
    int right = -1;
    int bottom = -1;
    int count = 0;
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

Ink InkIn(const Bitmap& picture, const Rect& area, std::uint32_t background = kBlack) {
    Ink ink;
    for (int y = std::max(area.top, 0); y < std::min(area.bottom, picture.height); ++y) {
        for (int x = std::max(area.left, 0); x < std::min(area.right, picture.width); ++x) {
            if (picture.at(x, y) != background) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
                ++ink.count;
            }
        }
    }
    return ink;
}

int InkOutside(const Bitmap& picture, const Rect& rect) {
    const Rect whole{0, 0, picture.width, picture.height};
    return InkIn(picture, whole).count - InkIn(picture, rect).count;
}

// ---- fill and copy ----------------------------------------------------------

TEST(CairoCanvas, FillPaintsExactlyItsRectangleOverABlackStart) {
    CairoCanvas canvas(12, 10);
    EXPECT_EQ(InkIn(canvas.picture(), {0, 0, 12, 10}).count, 0);
    canvas.fill({2, 3, 7, 9}, 0x123456);
    canvas.fill({5, 5, 5, 9}, 0xFFFFFF);      // empty: nothing
    canvas.fill({-4, -4, 1, 1}, 0x0000FF);    // reaching off the canvas
    const Bitmap picture = canvas.picture();
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool inFill = x >= 2 && x < 7 && y >= 3 && y < 9;
            const std::uint32_t expected = inFill ? 0xFF123456u : (x == 0 && y == 0) ? 0xFF0000FFu : kBlack;
            ASSERT_EQ(picture.at(x, y), expected) << x << "," << y;
        }
    }
}

TEST(CairoCanvas, OpaqueCopyReplacesAndAlphaCopyBlendsOverTheBackground) {
    struct Case {
        const char* name;
        bool alpha;
        std::uint32_t source;
        std::uint32_t expected;  // over 0x204080
    };
    const Case cases[] = {
        {"opaque, alpha byte ignored", false, 0x00C0FFEEu, 0xFFC0FFEEu},
        {"opaque, half alpha byte ignored", false, 0x80102030u, 0xFF102030u},
        {"alpha, opaque pixel", true, 0xFF00FF00u, 0xFF00FF00u},
        {"alpha, transparent pixel", true, 0x00000000u, 0xFF204080u},
        {"alpha, half red", true, 0x80800000u, 0xFF902040u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CairoCanvas canvas(10, 10);
        canvas.fill({0, 0, 10, 10}, 0x204080);
        // A 3x2 bitmap whose second column holds the pixel under test.
        const Bitmap bitmap = MakeBitmap(3, 2, c.alpha, [&](int x, int) { return x == 1 ? c.source : 0xFF0000FFu; });
        canvas.copy(bitmap, 1, 0, 1, 2, 4, 5);
        const Bitmap picture = canvas.picture();
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 10; ++x) {
                const bool copied = x == 4 && (y == 5 || y == 6);
                const std::uint32_t got = picture.at(x, y);
                const std::uint32_t want = copied ? c.expected : 0xFF204080u;
                for (int shift : {0, 8, 16, 24}) {
                    const int channelGot = static_cast<int>((got >> shift) & 0xFFu);
                    const int channelWant = static_cast<int>((want >> shift) & 0xFFu);
                    ASSERT_LE(std::abs(channelGot - channelWant), 1) << x << "," << y << std::hex << " got " << got;
                }
            }
        }
    }
}

TEST(CairoCanvas, CopyDrawsOnlyTheSourceInsideTheBitmap) {
    struct Case {
        const char* name;
        int sx, sy, w, h, dx, dy;
    };
    const Case cases[] = {
        {"inside", 1, 1, 2, 2, 3, 3},
        {"left and top outside", -2, -1, 4, 4, 10, 10},
        {"right and bottom outside", 2, 3, 5, 5, 0, 0},
        {"around the whole bitmap", -1, -1, 6, 6, 8, 2},
        {"wholly outside", 4, 0, 3, 3, 5, 5},
        {"destination reaching off the canvas", 0, 0, 4, 4, -2, 14},
        {"zero size", 0, 0, 0, 4, 5, 5},
    };
    const Bitmap bitmap = MakeBitmap(4, 4, false, [](int x, int y) { return 0xFF000000u | static_cast<std::uint32_t>(0x10 + x * 0x20 + y * 0x2000); });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CairoCanvas canvas(16, 16);
        canvas.fill({0, 0, 16, 16}, 0x777777);
        canvas.copy(bitmap, c.sx, c.sy, c.w, c.h, c.dx, c.dy);
        const Bitmap picture = canvas.picture();
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const int bx = x - c.dx + c.sx;
                const int by = y - c.dy + c.sy;
                const bool inRect = x >= c.dx && x < c.dx + c.w && y >= c.dy && y < c.dy + c.h;
                const bool inBitmap = bx >= 0 && bx < 4 && by >= 0 && by < 4;
                const std::uint32_t expected = inRect && inBitmap ? bitmap.at(bx, by) : 0xFF777777u;
                ASSERT_EQ(picture.at(x, y), expected) << x << "," << y;
            }
        }
    }
}

// ---- text -----------------------------------------------------------------

TEST(CairoCanvas, TextStaysInsideItsRectangleWithEveryLayout) {
    struct Case {
        const char* name;
        unsigned flags;
    };
    const Case cases[] = {
        {"top left", 0},
        {"single line", kTextSingleLine},
        {"centred", kTextCentre},
        {"centred both ways", kTextCentre | kTextVerticalCentre | kTextSingleLine},
        {"ellipsis", kTextWordEllipsis | kTextSingleLine},
        {"centred ellipsis", kTextWordEllipsis | kTextCentre | kTextVerticalCentre | kTextSingleLine},
        {"wrapped", kTextWordWrap},
        {"wrapped and centred", kTextWordWrap | kTextCentre},
        {"wrapped with ellipsis", kTextWordWrap | kTextWordEllipsis},
    };
    // Longer than the rectangle is wide, with a line break: every layout has
    // something to cut.
    const std::string text = "Legato sustain\nspiccato marcato tremolo";
    const Rect rect{30, 20, 130, 50};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CairoCanvas canvas(200, 80);
        canvas.text(text, rect, kFont, 0xFFFFFF, c.flags);
        const Bitmap picture = canvas.picture();
        EXPECT_GT(InkIn(picture, rect).count, 20);
        EXPECT_EQ(InkOutside(picture, rect), 0);
    }
}

TEST(CairoCanvas, ASingleLineLowerThanItsBoxIsNotCutThroughItsLetters) {
    // A box 6 pixels high for a line twice as high: the letters show whole
    // below it, and the sides still cut.
    const Rect rect{10, 10, 60, 16};
    CairoCanvas canvas(120, 60);
    canvas.text("Hgjyp Hgjyp Hgjyp", rect, kFont, 0xFFFFFF, kTextSingleLine);
    const Ink ink = InkIn(canvas.picture(), Rect{0, 0, 120, 60});
    EXPECT_GT(ink.bottom, rect.bottom + 4);
    EXPECT_LT(ink.bottom, 40);
    EXPECT_LE(ink.right, rect.right);
}

TEST(CairoCanvas, TextIsPlacedTopLeftOrCentred) {
    const Rect rect{10, 10, 210, 50};
    CairoCanvas plain(220, 60);
    plain.text("Ab", rect, kFont, 0xFFFFFF, kTextSingleLine);
    const Ink left = InkIn(plain.picture(), rect);
    EXPECT_LE(left.left - rect.left, 3);
    EXPECT_LE(left.top - rect.top, 6);

    CairoCanvas centred(220, 60);
    centred.text("Ab", rect, kFont, 0xFFFFFF, kTextSingleLine | kTextCentre | kTextVerticalCentre);
    const Ink middle = InkIn(centred.picture(), rect);
    EXPECT_NEAR((middle.left + middle.right) / 2.0, (rect.left + rect.right) / 2.0, 3.0);
    EXPECT_NEAR((middle.top + middle.bottom) / 2.0, (rect.top + rect.bottom) / 2.0, 3.0);
}

// A font's height is its cell (ascent + descent): "Åg" reaches from the top
// of the ring nearly to the cell's bottom, so its ink is just under the
// height. A font sized by the em instead would be some 15% taller.
TEST(CairoCanvas, FontHeightIsTheCellHeight) {
    for (int height : {11, 16, 24, 40}) {
        SCOPED_TRACE(height);
        CairoCanvas canvas(200, 100);
        canvas.text("\xC3\x85g", {0, 0, 200, 100}, Font{"DejaVu Sans", height}, 0xFFFFFF, kTextSingleLine);
        const Ink ink = InkIn(canvas.picture(), {0, 0, 200, 100});
        EXPECT_GE(ink.height(), height * 8 / 10);
        EXPECT_LE(ink.height(), height + 1);
    }
}

TEST(CairoCanvas, EllipsisEndsTheCutTextWithDotsInsideTheRectangle) {
    const Rect rect{10, 10, 90, 40};
    CairoCanvas canvas(200, 50);
    canvas.text("Sustain legato long marcato", rect, kFont, 0xFFFFFF, kTextSingleLine | kTextWordEllipsis);
    const Bitmap picture = canvas.picture();
    const Ink all = InkIn(picture, rect);
    ASSERT_GT(all.count, 0);
    EXPECT_LT(all.right, rect.right);
    // The last columns hold the dots: low, on the baseline, and a few pixels tall.
    const Ink last = InkIn(picture, {all.right - 1, rect.top, all.right + 1, rect.bottom});
    EXPECT_LE(last.height(), 4);
    EXPECT_GT(last.top, (all.top + all.bottom) / 2);
}

// Pango copes with invalid UTF-8 itself, but warns on stderr at every paint.
TEST(CairoCanvas, InvalidUtf8IsDrawnWithReplacementsAndNoWarning) {
    const std::string cases[] = {
        "ab\xFF\xFE" "cd",
        "\xC3",                           // cut short
        std::string("a\0b", 3),           // an embedded nul
        "\xED\xA0\x80 surrogate",         // an encoded surrogate
        "\xF4\x90\x80\x80 beyond",        // past U+10FFFF
    };
    const Rect rect{0, 0, 200, 30};
    for (const std::string& text : cases) {
        SCOPED_TRACE(text);
        CairoCanvas canvas(200, 30);
        ::testing::internal::CaptureStderr();
        canvas.text(text, rect, kFont, 0xFFFFFF, kTextSingleLine);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        EXPECT_GT(InkIn(canvas.picture(), rect).count, 0);
    }
}

// ---- stretch ----------------------------------------------------------------

TEST(CairoCanvas, StretchIsNearestNeighbourAtTheWindowsSize) {
    // Every picture pixel distinct.
    CairoCanvas canvas(10, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 10; ++x) {
            canvas.fill({x, y, x + 1, y + 1}, static_cast<Colour>(0x100000 * (x + 1) + 0x10 * (y + 1)));
        }
    }
    const Bitmap picture = canvas.picture();
    struct Case {
        float scale;
        int width;
        int height;
        std::vector<std::pair<int, int>> columns;  // window column -> picture column
    };
    const Case cases[] = {
        {2.0f, 20, 16, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {19, 9}}},
        {1.5f, 15, 12, {{0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 2}, {5, 3}, {14, 9}}},
        // A window larger than the stretched picture: black beyond it.
        {1.5f, 18, 14, {{14, 9}, {15, 10}, {17, 11}}},
        {1.0f, 10, 8, {{0, 0}, {9, 9}}},
        {0.5f, 5, 4, {{0, 0}, {1, 2}, {4, 8}}},
    };
    // One canvas for every case, so a stretch after a larger one is checked too.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale);
        SCOPED_TRACE(c.width);
        HeadlessWindow window(nullptr);
        window.setSize(c.width, c.height);
        canvas.stretchOnto(window, c.scale);
        const Bitmap& shown = window.picture();
        ASSERT_EQ(shown.width, c.width);
        ASSERT_EQ(shown.height, c.height);
        ASSERT_EQ(shown.pixels.size(), static_cast<std::size_t>(c.width * c.height));
        EXPECT_FALSE(shown.alpha);
        for (const auto& [windowX, pictureX] : c.columns) {
            const std::uint32_t expected = pictureX < 10 ? picture.at(pictureX, 0) : kBlack;
            EXPECT_EQ(shown.at(windowX, 0), expected) << "column " << windowX;
        }
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const auto px = static_cast<int>(x / static_cast<double>(c.scale));
                const auto py = static_cast<int>(y / static_cast<double>(c.scale));
                const std::uint32_t expected = px < 10 && py < 8 ? picture.at(px, py) : kBlack;
                ASSERT_EQ(shown.at(x, y), expected) << x << "," << y;
            }
        }
    }
}

// ---- recording ------------------------------------------------------------

TEST(RecordingCanvas, RecordsEachOperation) {
    const Bitmap bitmap{.id = 42, .width = 4, .height = 4, .pixels = std::vector<std::uint32_t>(16)};
    HeadlessWindow window(nullptr);
    window.setSize(300, 200);
    struct Case {
        const char* name;
        std::function<void(Canvas&)> draw;
        CanvasOp expected;
    };
    const Case cases[] = {
        {"copy", [&](Canvas& c) { c.copy(bitmap, 1, 2, 3, 4, 5, 6); },
         {.kind = CanvasOp::Kind::Copy, .source = 42, .from = {1, 2, 4, 6}, .to = {5, 6, 8, 10}}},
        {"fill", [](Canvas& c) { c.fill({1, 2, 3, 4}, 0xABCDEF); },
         {.kind = CanvasOp::Kind::Fill, .to = {1, 2, 3, 4}, .colour = 0xABCDEF}},
        {"text", [](Canvas& c) { c.text("Legato", {0, 1, 50, 20}, Font{"Cuprum", 14}, 0x112233, kTextCentre | kTextSingleLine); },
         {.kind = CanvasOp::Kind::Text, .to = {0, 1, 50, 20}, .text = "Legato", .fontHeight = 14, .colour = 0x112233,
          .flags = kTextCentre | kTextSingleLine}},
        {"stretch", [&](Canvas& c) { c.stretchOnto(window, 1.5f); },
         {.kind = CanvasOp::Kind::Stretch, .to = {0, 0, 300, 200}, .scale = 1.5f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingCanvas canvas;
        c.draw(canvas);
        ASSERT_EQ(canvas.ops.size(), 1u);
        const CanvasOp& op = canvas.ops[0];
        EXPECT_EQ(op.kind, c.expected.kind);
        EXPECT_EQ(op.source, c.expected.source);
        EXPECT_EQ(op.from, c.expected.from);
        EXPECT_EQ(op.to, c.expected.to);
        EXPECT_EQ(op.text, c.expected.text);
        EXPECT_EQ(op.fontHeight, c.expected.fontHeight);
        EXPECT_EQ(op.colour, c.expected.colour);
        EXPECT_EQ(op.flags, c.expected.flags);
        EXPECT_EQ(op.scale, c.expected.scale);
    }
    EXPECT_TRUE(window.picture().empty());  // the recording never draws
}

}  // namespace
}  // namespace platform::ui
