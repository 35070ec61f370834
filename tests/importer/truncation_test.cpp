// Every prefix of a small container and of a small plain patch fails cleanly
// (meant to run under the sanitizers as well).
#include "importer/container/patch_load.h"
#include "tests/importer/fixtures.h"
#include "tests/importer/patch_test_support.h"
#include "tests/support/nki_writer.h"

#include <gtest/gtest.h>

namespace velmora::container {
namespace {

namespace w = nki_writer;

// The result of opening and loading `bytes`: the open failure code, or the
// load result.
PatchResult openAndLoad(const w::Bytes& bytes) {
    test::OpenedPatch p(bytes);
    if (p.handle() == nullptr) {
        return p.outcome.code;
    }
    return loadPatch(p.handle());
}

void expectEveryPrefixFails(const w::Bytes& file) {
    ASSERT_EQ(openAndLoad(file), PatchResult::Ok);
    for (std::size_t n = 0; n < file.size(); ++n) {
        // Exact-size copies, so any read past the end is caught under ASan.
        const w::Bytes prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
        const PatchResult r = openAndLoad(prefix);
        EXPECT_NE(r, PatchResult::Ok) << "prefix of " << n << " bytes";
    }
}

TEST(Truncation, EveryPrefixOfAContainerFails) {
    for (w::PresetLayout layout : {w::PresetLayout::PackedSubtree, w::PresetLayout::InlineSubtree}) {
        w::ContainerPatch c;
        c.preset = test::samplePreset(200);
        c.layout = layout;
        c.extraItems = true;
        expectEveryPrefixFails(w::containerFile(c));
    }
}

TEST(Truncation, EveryPrefixOfAPlainPatchFails) {
    w::PlainPatch patch;
    patch.preset = test::samplePreset(200);
    patch.header.version = 0x100;
    // Without a trailer a prefix that cuts nothing of the data still loads,
    // so a trailer makes every byte count.
    patch.trailer = w::TrailerKind::Little;
    patch.trailerData = {1, 2, 3, 4};
    const w::Bytes file = w::plainPatchFile(patch);
    ASSERT_EQ(openAndLoad(file), PatchResult::Ok);
    const std::size_t dataEnd = file.size() - 12 - 4;
    for (std::size_t n = 0; n < file.size(); ++n) {
        const w::Bytes prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
        const PatchResult r = openAndLoad(prefix);
        // Cut inside the trailer record, the record is simply absent.
        if (n >= dataEnd && n < dataEnd + 12) {
            EXPECT_EQ(r, PatchResult::Ok) << n;
        } else {
            EXPECT_NE(r, PatchResult::Ok) << "prefix of " << n << " bytes";
        }
    }
}

}  // namespace
}  // namespace velmora::container
