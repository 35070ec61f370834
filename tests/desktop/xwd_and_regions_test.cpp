#include <gtest/gtest.h>

#include "tests/desktop/region_compare.h"
#include "tests/desktop/xwd_image.h"
#include "tests/support/xwd_writer.h"

namespace velmora::test {
namespace {

XwdPicture Gradient(int width, int height) {
    XwdPicture p;
    p.width = width;
    p.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            p.rgb.push_back(static_cast<std::uint32_t>((x * 7) << 16 | (y * 5) << 8 | ((x + y) & 0xFF)));
        }
    }
    return p;
}

TEST(XwdTest, ReadsEitherByteOrderWithPaddingAndColourMap) {
    for (const bool msb : {false, true}) {
        XwdPicture p = Gradient(9, 4);
        p.msbFirst = msb;
        p.extraBytesPerLine = 4;
        p.colourEntries = 3;
        std::string why;
        const auto picture = ReadXwd(WriteXwd(p), why);
        ASSERT_TRUE(picture) << why;
        ASSERT_EQ(picture->width, 9);
        ASSERT_EQ(picture->height, 4);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 9; ++x) {
                EXPECT_EQ(picture->at(x, y), 0xFF000000u | p.rgb[static_cast<std::size_t>(y * 9 + x)]) << x << "," << y;
            }
        }
    }
}

TEST(XwdTest, RefusesWhatItCannotHold) {
    const std::vector<unsigned char> whole = WriteXwd(Gradient(6, 6));
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
    };
    std::vector<unsigned char> truncated(whole.begin(), whole.end() - 1);
    std::vector<unsigned char> huge = whole;
    huge[16] = 0x7F;  // width
    std::vector<unsigned char> xyPixmap = whole;
    xyPixmap[11] = 1;
    std::vector<unsigned char> colours = whole;
    colours[76] = 0x7F;  // colour entries far past the end
    const Case cases[] = {{"empty", {}}, {"truncated", truncated}, {"huge width", huge}, {"XYPixmap", xyPixmap},
                          {"colour map past the end", colours}};
    for (const Case& c : cases) {
        std::string why;
        EXPECT_FALSE(ReadXwd(c.bytes, why)) << c.what;
        EXPECT_FALSE(why.empty()) << c.what;
    }
}

TEST(RegionCompareTest, NamesTheRegionThatDiffers) {
    platform::ui::Bitmap a;
    a.width = 480;
    a.height = 474;
    a.pixels.assign(480u * 474u, 0xFF202020u);
    platform::ui::Bitmap b = a;
    b.pixels[static_cast<std::size_t>(400 * 480 + 20)] = 0xFF909090u;  // the tab bar at scale 2
    b.pixels[static_cast<std::size_t>(10 * 480 + 10)] = 0xFF242424u;   // within the tolerance
    for (const RegionDifference& d : CompareRegions(a, b, 8)) {
        EXPECT_EQ(d.differing, d.name == "tab bar" ? 1 : 0) << d.name;
        EXPECT_GT(d.pixels, 0);
    }
    platform::ui::Bitmap small = a;
    small.height = 200;  // the port and channel region lies outside
    small.pixels.resize(480u * 200u);
    const auto cut = CompareRegions(small, a, 8);
    EXPECT_EQ(cut.back().differing, cut.back().pixels);
}

}  // namespace
}  // namespace velmora::test
