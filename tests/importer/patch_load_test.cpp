// Loading preset data from plain patch files and containers.
#include "importer/container/patch_load.h"
#include "tests/importer/fixtures.h"
#include "tests/importer/patch_test_support.h"
#include "tests/support/nki_writer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velmora::container {
namespace {

namespace w = nki_writer;
using test::OpenedPatch;

TEST(PatchLoad, PlainPatchGivesItsPresetStream) {
    for (codec::FastLzLevel level : {codec::FastLzLevel::One, codec::FastLzLevel::Two}) {
        w::PlainPatch patch = test::SamplePlainPatch();
        patch.level = level;
        OpenedPatch p(w::plainPatchFile(patch));
        ASSERT_NE(p.handle(), nullptr);
        ASSERT_EQ(loadPatch(p.handle()), PatchResult::Ok);
        EXPECT_EQ(test::bytesOf(p.handle()->presetStream.span()), patch.preset);
        EXPECT_EQ(p.handle()->presetOrder, ByteOrder::Little);
        EXPECT_EQ(p.handle()->trailerData, (w::Bytes{0}));  // no trailer
        EXPECT_TRUE(p.handle()->file.empty());  // released once loaded
    }
}

TEST(PatchLoad, ByteReversedHeaderGivesBigEndianPresetStream) {
    w::PlainPatch patch = test::SamplePlainPatch();
    patch.bigEndian = true;
    patch.preset = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};  // a big-endian stream
    patch.trailer = w::TrailerKind::Big;
    patch.trailerData = {7, 8, 9};
    OpenedPatch p(w::plainPatchFile(patch));
    ASSERT_NE(p.handle(), nullptr);
    ASSERT_EQ(loadPatch(p.handle()), PatchResult::Ok);
    EXPECT_EQ(p.handle()->presetOrder, ByteOrder::Big);
    ByteReader stream(p.handle()->presetStream.data(), p.handle()->presetStream.size(), p.handle()->presetOrder);
    std::uint32_t first = 0;
    ASSERT_TRUE(stream.u32(first));
    EXPECT_EQ(first, 0x12345678u);
    EXPECT_EQ(p.handle()->trailerData, patch.trailerData);
}

TEST(PatchLoad, TrailerRules) {
    struct Case {
        const char* name;
        w::TrailerKind kind;
        w::Bytes data;
        PatchResult expected;
        w::Bytes trailerData;
    };
    const std::vector<Case> cases = {
        {"little-endian trailer", w::TrailerKind::Little, {1, 2, 3, 4, 5}, PatchResult::Ok, {1, 2, 3, 4, 5}},
        {"byte-reversed trailer", w::TrailerKind::Big, {9}, PatchResult::Ok, {9}},
        {"trailer announcing 0 bytes", w::TrailerKind::Little, {}, PatchResult::InvalidPatch, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w::PlainPatch patch = test::SamplePlainPatch();
        patch.trailer = c.kind;
        patch.trailerData = c.data;
        OpenedPatch p(w::plainPatchFile(patch));
        ASSERT_NE(p.handle(), nullptr);
        EXPECT_EQ(loadPatch(p.handle()), c.expected);
        if (c.expected == PatchResult::Ok) {
            EXPECT_EQ(p.handle()->trailerData, c.trailerData);
        }
    }
}

TEST(PatchLoad, TrailerAnnouncingTooMuchIsNoTrailerOrAShortRead) {
    w::PlainPatch patch = test::SamplePlainPatch();
    patch.trailer = w::TrailerKind::Little;
    patch.trailerData = {1, 2, 3};
    w::Bytes file = w::plainPatchFile(patch);
    const std::size_t sizeAt = file.size() - 3 - 4;

    w::Bytes huge = file;
    huge[sizeAt + 2] = 0x10;  // 0x100003: at the limit, so not a trailer
    OpenedPatch a(huge);
    ASSERT_EQ(loadPatch(a.handle()), PatchResult::Ok);
    EXPECT_EQ(a.handle()->trailerData, (w::Bytes{0}));

    w::Bytes longer = file;
    longer[sizeAt] = 4;  // one byte more than follows
    OpenedPatch b(longer);
    EXPECT_EQ(loadPatch(b.handle()), PatchResult::ReadFailure);
}

TEST(PatchLoad, OneChangedByteOfStoredPresetDataFails) {
    // Plain: a byte of the compressed data.
    w::Bytes file = w::plainPatchFile(test::SamplePlainPatch());
    file[222 + 5] ^= 0x01;
    OpenedPatch p(file);
    ASSERT_NE(p.handle(), nullptr);
    EXPECT_EQ(loadPatch(p.handle()), PatchResult::InvalidPatch);

    // Container: a byte of the preset chunk (stored inline).
    w::ContainerPatch c;
    c.preset = w::Bytes(300, 0x42);
    c.layout = w::PresetLayout::InlineSubtree;
    w::Bytes cfile = w::containerFile(c);
    const auto at = std::search(cfile.begin(), cfile.end(), c.preset.begin(), c.preset.end());
    ASSERT_NE(at, cfile.end());
    at[100] = 0x43;
    OpenedPatch q(cfile);
    ASSERT_NE(q.handle(), nullptr);
    EXPECT_EQ(loadPatch(q.handle()), PatchResult::InvalidPatch);
}

TEST(PatchLoad, TheChecksumCoversEveryPieceOfALargeBlock) {
    // The checksum is taken piece by piece behind the decoder. Noise is
    // stored as literal runs, so a changed literal byte still decodes and
    // only the checksum can catch it, wherever in the block it lies.
    w::PlainPatch patch;
    patch.preset.resize(300000);
    std::uint32_t x = 0x9E3779B9u;
    for (auto& b : patch.preset) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = static_cast<std::uint8_t>(x >> 24);
    }
    patch.header.version = 0x100;
    const w::Bytes file = w::plainPatchFile(patch);
    {
        OpenedPatch unchanged(file);
        ASSERT_NE(unchanged.handle(), nullptr);
        ASSERT_EQ(loadPatch(unchanged.handle()), PatchResult::Ok);
    }
    const std::size_t blockEnd = file.size();  // no trailer
    for (std::size_t at : {std::size_t{222 + 10}, file.size() / 2, blockEnd - 1}) {
        SCOPED_TRACE(at);
        // The first byte from `at` back whose change leaves a block that still
        // decodes to its full size.
        w::Bytes changed = file;
        std::vector<std::uint8_t> out(patch.preset.size());
        std::size_t where = at;
        for (;; --where) {
            ASSERT_GT(where, 222u);
            changed[where] ^= 0x5A;
            const std::span<const std::uint8_t> block(changed.data() + 222, blockEnd - 222);
            if (codec::fastlzDecompressExact(block, out)) {
                break;
            }
            changed[where] ^= 0x5A;
        }
        OpenedPatch p(changed);
        ASSERT_NE(p.handle(), nullptr);
        EXPECT_EQ(loadPatch(p.handle()), PatchResult::InvalidPatch) << "changed byte at " << where;
    }
}

TEST(PatchLoad, DeclaredSizesThatCannotBeRight) {
    struct Case {
        const char* name;
        std::uint32_t compressedDelta;
        std::uint32_t decompressed;
        PatchResult expected;
    };
    const std::uint32_t n = static_cast<std::uint32_t>(test::samplePreset().size());
    const std::vector<Case> cases = {
        {"decompressed size one short", 0, n - 1, PatchResult::InvalidPatch},
        {"decompressed size one over", 0, n + 1, PatchResult::InvalidPatch},
        {"decompressed size of 4 GB", 0, 0xFFFFFFFF, PatchResult::InvalidPatch},
        {"compressed size beyond the file", 1, n, PatchResult::ReadFailure},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w::PlainPatch patch = test::SamplePlainPatch();
        w::Bytes file = w::plainPatchFile(patch);
        auto set32 = [&](std::size_t at, std::uint32_t v) {
            for (int i = 0; i < 4; ++i) {
                file[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
            }
        };
        const std::uint32_t stored = static_cast<std::uint32_t>(file.size() - 222);
        set32(0x04, stored + c.compressedDelta);
        set32(0xBA, c.decompressed);
        OpenedPatch p(file);
        ASSERT_NE(p.handle(), nullptr);
        EXPECT_EQ(loadPatch(p.handle()), c.expected);
    }
}

TEST(PatchLoad, PackedAndInlineContainersGiveTheSamePresetData) {
    const w::Bytes preset = test::samplePreset(5000);
    for (w::PresetLayout layout :
         {w::PresetLayout::PackedSubtree, w::PresetLayout::InlineSubtree, w::PresetLayout::DirectChild}) {
        SCOPED_TRACE(static_cast<int>(layout));
        w::ContainerPatch c;
        c.preset = preset;
        c.layout = layout;
        c.extraItems = true;
        OpenedPatch p(w::containerFile(c));
        ASSERT_NE(p.handle(), nullptr);
        ASSERT_EQ(loadPatch(p.handle()), PatchResult::Ok);
        EXPECT_EQ(test::bytesOf(p.handle()->presetStream.span()), preset);
    }
}

TEST(PatchLoad, ContainerWithoutPresetChunkIsAReadFailure) {
    w::ContainerPatch c;
    c.preset = test::samplePreset();
    w::ItemSpec tree = w::containerTree(c);
    tree.children.back().children.clear();  // the preset keeps no key-1 child
    OpenedPatch p(w::itemFrame(tree));
    ASSERT_NE(p.handle(), nullptr);
    EXPECT_EQ(loadPatch(p.handle()), PatchResult::ReadFailure);
}

TEST(PatchLoad, UnknownHandleAndSecondLoad) {
    EXPECT_EQ(loadPatch(nullptr), PatchResult::UnknownHandle);
    PatchHandle stranger;
    EXPECT_EQ(loadPatch(&stranger), PatchResult::UnknownHandle);
    OpenedPatch p(w::plainPatchFile(test::SamplePlainPatch()));
    ASSERT_EQ(loadPatch(p.handle()), PatchResult::Ok);
    // The file was released by the first load.
    EXPECT_EQ(loadPatch(p.handle()), PatchResult::ReadFailure);
}

}  // namespace
}  // namespace velmora::container
