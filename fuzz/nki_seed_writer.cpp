// Writes a seed corpus for the NKI fuzz target: plain patch files and
// containers in each layout, into the folder given as the only argument.
#include "tests/support/seed_files.h"
#include "tests/support/nki_writer.h"

#include <cstdio>
#include <string>

namespace w = velmora::nki_writer;

namespace {

w::Bytes preset(std::size_t n) {
    w::Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) {
        b[i] = static_cast<std::uint8_t>((i % 29) * 3 + i / 50);
    }
    return b;
}

}  // namespace

namespace {

bool WriteSeeds(const std::string& folder) {
    bool ok = true;
    int index = 0;
    for (auto level : {velmora::codec::FastLzLevel::One, velmora::codec::FastLzLevel::Two}) {
        for (bool big : {false, true}) {
            for (auto trailer : {w::TrailerKind::None, w::TrailerKind::Little, w::TrailerKind::Big}) {
                w::PlainPatch p;
                p.preset = preset(300);
                p.level = level;
                p.bigEndian = big;
                p.header.version = 0x100;
                p.trailer = trailer;
                p.trailerData = {1, 2, 3};
                ok = velmora::test::WriteSeedFile(folder, "plain-" + std::to_string(index++) + ".nki", w::plainPatchFile(p)) && ok;
            }
        }
        for (auto layout : {w::PresetLayout::PackedSubtree, w::PresetLayout::InlineSubtree,
                            w::PresetLayout::DirectChild}) {
            for (bool odd : {false, true}) {
                w::ContainerPatch c;
                c.preset = preset(300);
                c.level = level;
                c.layout = layout;
                c.unknownPresetKind = odd;
                c.extraItems = odd;
                ok = velmora::test::WriteSeedFile(folder, "container-" + std::to_string(index++) + ".nki", w::containerFile(c)) && ok;
            }
        }
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) { return velmora::test::SeedWriterMain(argc, argv, WriteSeeds); }
