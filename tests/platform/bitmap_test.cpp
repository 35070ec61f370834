#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "platform/ui/bitmap.h"
#include "tests/support/bmp_writer.h"

namespace platform::ui {
namespace {

namespace w = velmora::bmp_writer;

w::Image Gradient(int width, int height) {
    w::Image image{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.pixels.push_back(static_cast<std::uint32_t>((x * 40 + 3) << 16 | (y * 50 + 7) << 8 | (x * 9 + y * 17)));
        }
    }
    return image;
}

std::optional<Bitmap> Read(const w::Bytes& bytes, std::string& why) {
    return ReadBmp(bytes.data(), bytes.size(), 7, why);
}

TEST(ReadBmp, ReadsEachAcceptedLayoutPixelForPixel) {
    struct Case {
        const char* name;
        int width;
        int height;
        w::Layout layout;
    };
    // Widths of 3 and 5 leave 3 and 1 padding bytes at the end of 24-bit rows;
    // the padding byte is set so that a reader that reads it shows it.
    const Case cases[] = {
        {"24-bit bottom-up, padded rows", 3, 4, {.bits = 24, .padding = 0xAB}},
        {"24-bit top-down, padded rows", 5, 2, {.bits = 24, .topDown = true, .padding = 0xCD}},
        {"24-bit single pixel", 1, 1, {.bits = 24}},
        {"32-bit top-down, fourth byte zero", 4, 3, {.bits = 32, .topDown = true}},
        {"32-bit bottom-up, fourth byte set", 2, 5, {.bits = 32, .padding = 0x5A}},
        {"32-bit bitfields after the header", 3, 3, {.bits = 32, .bitfields = true}},
        {"32-bit bitfields inside a larger header", 3, 2, {.bits = 32, .topDown = true, .bitfields = true, .headerSize = 124}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const w::Image image = Gradient(c.width, c.height);
        std::string why = "stale";
        const std::optional<Bitmap> bitmap = Read(w::bmpFile(image, c.layout), why);
        ASSERT_TRUE(bitmap.has_value()) << why;
        EXPECT_TRUE(why.empty());
        EXPECT_EQ(bitmap->id, 7);
        EXPECT_EQ(bitmap->width, c.width);
        EXPECT_EQ(bitmap->height, c.height);
        EXPECT_FALSE(bitmap->alpha);
        std::vector<std::uint32_t> expected;
        for (std::uint32_t p : image.pixels) {
            expected.push_back(0xFF000000u | p);
        }
        EXPECT_EQ(bitmap->pixels, expected);
    }
}

TEST(ReadBmp, RefusesWhatItDoesNotReadWithAReason) {
    struct Case {
        const char* name;
        w::Layout layout;
        std::function<void(w::Bytes&)> damage;
        const char* reason;  // a word the reason must hold
    };
    const auto u16 = [](std::size_t at, std::uint16_t v) { return [=](w::Bytes& b) { w::put16(b, at, v); }; };
    const auto u32 = [](std::size_t at, std::uint32_t v) { return [=](w::Bytes& b) { w::put32(b, at, v); }; };
    const w::Layout rgb24{.bits = 24};
    const w::Layout masked32{.bits = 32, .bitfields = true};
    const Case cases[] = {
        {"empty", rgb24, [](w::Bytes& b) { b.clear(); }, "short"},
        {"bad signature", rgb24, [](w::Bytes& b) { b[0] = 'X'; }, "BM"},
        {"core header", rgb24, u32(w::kHeaderSizeAt, 12), "header"},
        {"header past the end", rgb24, u32(w::kHeaderSizeAt, 0xFFFFFFF0u), "header"},
        {"8 bits per pixel", rgb24, u16(w::kBitsAt, 8), "bits"},
        {"16 bits per pixel", rgb24, u16(w::kBitsAt, 16), "bits"},
        {"run-length compression", rgb24, u32(w::kCompressionAt, 1), "compressed"},
        {"bitfields on 24 bits", rgb24, u32(w::kCompressionAt, 3), "compressed"},
        {"565 masks", masked32, u32(54, 0x0000F800u), "masks"},
        {"zero width", rgb24, u32(w::kWidthAt, 0), "zero"},
        {"negative width", rgb24, u32(w::kWidthAt, 0xFFFFFFFFu), "zero"},
        {"zero height", rgb24, u32(w::kHeightAt, 0), "zero"},
        {"huge width", rgb24, u32(w::kWidthAt, 1u << 20), "large"},
        {"most negative height", rgb24, u32(w::kHeightAt, 0x80000000u), "large"},
        {"too many pixels", rgb24, [](w::Bytes& b) { w::put32(b, w::kWidthAt, 1u << 15); w::put32(b, w::kHeightAt, 1u << 15); }, "large"},
        {"truncated pixels", rgb24, [](w::Bytes& b) { b.pop_back(); }, "truncated"},
        {"offset past the end", rgb24, [](w::Bytes& b) { w::put32(b, w::kPixelOffsetAt, static_cast<std::uint32_t>(b.size() + 1)); }, "past the end"},
        {"offset inside the header", rgb24, u32(w::kPixelOffsetAt, 20), "overlaps"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w::Bytes bytes = w::bmpFile(Gradient(4, 3), c.layout);
        c.damage(bytes);
        std::string why;
        EXPECT_FALSE(Read(bytes, why).has_value());
        EXPECT_NE(why.find(c.reason), std::string::npos) << why;
    }
}

// A side over the cap with every byte of its pixels present: refused for its
// size, not for lack of data.
TEST(ReadBmp, RefusesAnOverlongRowEvenWithAllItsBytes) {
    std::string why;
    EXPECT_FALSE(Read(w::bmpFile(Gradient(40000, 1), {.bits = 24}), why).has_value());
    EXPECT_NE(why.find("large"), std::string::npos) << why;
}

class PngTest : public ::testing::Test {
protected:
    std::string path(const char* name) const { return (std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / name).string(); }

    static std::vector<unsigned char> Load(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

TEST_F(PngTest, WrittenPngDecodesToTheSamePixels) {
    struct Case {
        const char* name;
        bool writeAlpha;
        bool readAlpha;
        std::vector<std::uint32_t> pixels;
        std::vector<std::uint32_t> expected;
    };
    // Premultiplied values that survive the trip through straight alpha exactly.
    const Case cases[] = {
        {"opaque, alpha bytes ignored", false, false, {0x00123456u, 0x7FFFFFFFu, 0xFF000000u, 0x00A0B0C0u},
         {0xFF123456u, 0xFFFFFFFFu, 0xFF000000u, 0xFFA0B0C0u}},
        {"with alpha", true, true, {0xFF123456u, 0x00000000u, 0x80800000u, 0x40404040u},
         {0xFF123456u, 0x00000000u, 0x80800000u, 0x40404040u}},
        {"alpha file read as opaque", true, false, {0xFF123456u, 0x00000000u, 0x80800000u, 0x40404040u},
         {0xFF123456u, 0xFF000000u, 0xFF800000u, 0xFF404040u}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bitmap written{.id = 1, .width = 2, .height = 2, .alpha = c.writeAlpha, .pixels = c.pixels};
        const std::string file = path("round-trip.png");
        ASSERT_TRUE(WritePng(written, file));
        const std::vector<unsigned char> bytes = Load(file);
        const std::optional<Bitmap> read = DecodePng(bytes.data(), bytes.size(), 9, c.readAlpha);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->id, 9);
        EXPECT_EQ(read->width, 2);
        EXPECT_EQ(read->height, 2);
        EXPECT_EQ(read->alpha, c.readAlpha);
        EXPECT_EQ(read->pixels, c.expected);
    }
}

TEST_F(PngTest, RefusesWhatIsNotAWholePng) {
    const Bitmap bitmap{.width = 8, .height = 8, .alpha = true, .pixels = std::vector<std::uint32_t>(64, 0x80402010u)};
    const std::string file = path("whole.png");
    ASSERT_TRUE(WritePng(bitmap, file));
    const std::vector<unsigned char> whole = Load(file);
    const std::vector<unsigned char> garbage(100, 0x5A);
    EXPECT_FALSE(DecodePng(whole.data(), whole.size() / 2, 1, true).has_value());
    EXPECT_FALSE(DecodePng(whole.data(), 8, 1, true).has_value());  // the signature alone
    EXPECT_FALSE(DecodePng(garbage.data(), garbage.size(), 1, true).has_value());
    EXPECT_FALSE(DecodePng(whole.data(), 0, 1, true).has_value());
}

TEST_F(PngTest, WriteFailsWithoutPixelsOrFolder) {
    const Bitmap empty;
    const Bitmap shortOfPixels{.width = 4, .height = 4, .pixels = std::vector<std::uint32_t>(15)};
    const Bitmap fine{.width = 1, .height = 1, .pixels = {0u}};
    EXPECT_FALSE(WritePng(empty, path("empty.png")));
    EXPECT_FALSE(WritePng(shortOfPixels, path("short.png")));
    EXPECT_FALSE(WritePng(fine, path("no-such-folder/fine.png")));
}

}  // namespace
}  // namespace platform::ui
