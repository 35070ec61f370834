// Writes a seed corpus for the bitmap fuzz target: one bitmap of each layout
// the reader takes and a few it refuses, into the folder given as the only
// argument.
#include "tests/support/bmp_writer.h"
#include "tests/support/seed_files.h"

#include <cstdio>
#include <string>

namespace w = velmora::bmp_writer;

namespace {

w::Image Picture(int width, int height) {
    w::Image image{width, height, {}};
    for (int i = 0; i < width * height; ++i) {
        image.pixels.push_back(static_cast<std::uint32_t>(i * 0x0A1B2C));
    }
    return image;
}

}  // namespace

namespace {

bool WriteSeeds(const std::string& folder) {
    bool ok = true;
    const auto write = [&](const std::string& name, const w::Bytes& bytes) {
        ok = velmora::test::WriteSeedFile(folder, name + ".bmp", bytes) && ok;
    };

    write("rgb24-bottom-up", w::bmpFile(Picture(5, 3), {.bits = 24}));
    write("rgb24-top-down", w::bmpFile(Picture(3, 4), {.bits = 24, .topDown = true}));
    write("rgb32-top-down", w::bmpFile(Picture(4, 2), {.bits = 32, .topDown = true}));
    write("bitfields32", w::bmpFile(Picture(3, 3), {.bits = 32, .bitfields = true}));
    write("bitfields32-v5-header", w::bmpFile(Picture(2, 2), {.bits = 32, .bitfields = true, .headerSize = 124}));

    w::Bytes eightBit = w::bmpFile(Picture(4, 4), {.bits = 24});
    w::put16(eightBit, w::kBitsAt, 8);
    write("refused-8-bit", eightBit);
    w::Bytes rle = w::bmpFile(Picture(4, 4), {.bits = 24});
    w::put32(rle, w::kCompressionAt, 1);
    write("refused-rle", rle);
    w::Bytes truncated = w::bmpFile(Picture(6, 5), {.bits = 24});
    truncated.resize(truncated.size() - 7);
    write("refused-truncated", truncated);
    w::Bytes huge = w::bmpFile(Picture(2, 2), {.bits = 32, .topDown = true});
    w::put32(huge, w::kWidthAt, 0x7FFFFFFF);
    write("refused-huge", huge);
    return ok;
}

}  // namespace

int main(int argc, char** argv) { return velmora::test::SeedWriterMain(argc, argv, WriteSeeds); }
