// Opening patch files: container test, header checks, byte order, the list of
// open handles.
#include "importer/container/patch_handles.h"
#include "importer/container/patch_open.h"
#include "tests/importer/fixtures.h"
#include "tests/importer/patch_test_support.h"
#include "tests/support/nki_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace velmora::container {
namespace {

namespace w = nki_writer;
using test::OpenedPatch;

TEST(PatchOpen, PlainAndContainerFilesOpen) {
    OpenedPatch p(w::plainPatchFile(test::SamplePlainPatch()));
    ASSERT_NE(p.handle(), nullptr);
    EXPECT_FALSE(p.handle()->fromContainer);
    EXPECT_FALSE(p.handle()->bigEndian);

    w::ContainerPatch c;
    c.preset = test::samplePreset();
    OpenedPatch q(w::containerFile(c));
    ASSERT_NE(q.handle(), nullptr);
    EXPECT_TRUE(q.handle()->fromContainer);
    EXPECT_EQ(q.handle()->header.version(), 0x110);
}

TEST(PatchOpen, ByteReversedHeaderIsReadBigEndian) {
    w::PlainPatch patch = test::SamplePlainPatch();
    patch.bigEndian = true;
    patch.header.kind = 0xAB85EF01;
    OpenedPatch p(w::plainPatchFile(patch));
    ASSERT_NE(p.handle(), nullptr);
    EXPECT_TRUE(p.handle()->bigEndian);
    EXPECT_EQ(p.handle()->header.kind(), 0xAB85EF01u);
    EXPECT_EQ(p.handle()->header.magic(), 0xEA37631Au);
    EXPECT_EQ(p.handle()->header.decompressedSize(), test::samplePreset().size());
    EXPECT_EQ(p.handle()->header.version(), 0x100);
    EXPECT_EQ(p.handle()->header.u32At(0x14), 0x4B34504Cu);
}

TEST(PatchOpen, HeaderChecks) {
    struct Case {
        const char* name;
        w::Bytes bytes;
        PatchResult expected;
    };
    auto withHeader = [](auto change) {
        w::PlainPatch p = test::SamplePlainPatch();
        change(p.header);
        return w::plainPatchFile(p);
    };
    auto containerWith = [](auto change) {
        w::ContainerPatch c;
        c.preset = test::samplePreset();
        change(c.header);
        return w::containerFile(c);
    };
    w::Bytes zeroSize = w::plainPatchFile(test::SamplePlainPatch());
    for (std::size_t i = 4; i < 8; ++i) {
        zeroSize[i] = 0;
    }
    w::ContainerPatch small;
    small.preset = test::samplePreset();
    w::Bytes corruptTree = w::containerFile(small);
    corruptTree.at(40 + 44) = 3;  // the root's children list version
    const std::vector<Case> cases = {
        {"reader version 0x0505FFFF", withHeader([](auto& h) { h.readerVersion = 0x0505FFFF; }), PatchResult::Ok},
        {"reader version one above", withHeader([](auto& h) { h.readerVersion = 0x05060000; }),
         PatchResult::CannotOpen},
        {"container needing a newer reader", containerWith([](auto& h) { h.readerVersion = 0x06000000; }),
         PatchResult::CannotOpen},
        {"wrong magic", withHeader([](auto& h) { h.magic = 0xEA37631B; }), PatchResult::InvalidPatch},
        {"unknown kind still read little-endian", withHeader([](auto& h) { h.kind = 0x12345678; }),
         PatchResult::Ok},
        {"zero compressed size", zeroSize, PatchResult::InvalidPatch},
        {"shorter than a header", w::Bytes(221, 0), PatchResult::ReadFailure},
        {"container header of another version", containerWith([](auto& h) { h.version = 0x111; }),
         PatchResult::InvalidPatch},
        {"container header of no known kind", containerWith([](auto& h) { h.kind = 1; }),
         PatchResult::InvalidPatch},
        {"container header with wrong magic", containerWith([](auto& h) { h.magic = 0; }),
         PatchResult::InvalidPatch},
        {"container tree that cannot be read", corruptTree, PatchResult::InvalidPatch},
        {"container without a header item",
         w::itemFrame(w::plainItem(w::kRepositoryRoot, 0, {w::plainItem(w::kBank)})), PatchResult::InvalidPatch},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = openHandleCount();
        OpenedPatch p(c.bytes);
        EXPECT_EQ(p.outcome.code, c.expected);
        EXPECT_EQ(p.handle() != nullptr, c.expected == PatchResult::Ok);
        EXPECT_EQ(openHandleCount(), before + (p.handle() ? 1 : 0));
    }
}

TEST(PatchOpen, OpensFromAPathAndRefusesAMissingFile) {
    const auto path = std::filesystem::temp_directory_path() / "velmora-open-test.nki";
    const w::Bytes bytes = w::plainPatchFile(test::SamplePlainPatch());
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    PatchHandle* h = openPatch(path.string());
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(closePatch(h));
    std::filesystem::remove(path);
    EXPECT_EQ(openPatchFile(path.string()).code, PatchResult::CannotOpen);
    EXPECT_EQ(openPatch(path.string()), nullptr);
}

TEST(PatchHandles, CloseKnowsOnlyOpenHandles) {
    OpenOutcome o = openPatchBytes(w::plainPatchFile(test::SamplePlainPatch()));
    ASSERT_NE(o.handle, nullptr);
    EXPECT_EQ(findOpenHandle(o.handle), o.handle);
    EXPECT_TRUE(closePatch(o.handle));
    EXPECT_FALSE(closePatch(o.handle));
    EXPECT_EQ(findOpenHandle(o.handle), nullptr);
    EXPECT_FALSE(closePatch(nullptr));
}

}  // namespace
}  // namespace velmora::container
