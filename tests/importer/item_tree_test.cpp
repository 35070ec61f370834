// Reading item trees: classes from the factory and from chunk chains, packed
// and inline subtrees, and the failure codes.
#include "importer/items/item_reader.h"
#include "tests/importer/fixtures.h"
#include "tests/support/nki_writer.h"

#include <gtest/gtest.h>

namespace velmora::items {
namespace {

namespace w = nki_writer;

ItemReadCode read(w::Bytes bytes, BNISRepository& out) {
    return readItemTree(SharedBytes::adopt(std::move(bytes)), out);
}

TEST(ItemTree, ReadsClassesKeysAndChildrenInOrder) {
    w::ItemSpec root = w::plainItem(w::kRepositoryRoot, 0,
                                    {w::plainItem(w::kBank, 7), w::soundHeaderItem(w::Bytes(222, 0x5C), 9),
                                     w::plainItem(w::kSoundPreset, 3, {w::plainItem(w::kResources, 1)})});
    root.children[0].payload = w::Bytes(50, 0xEE);  // skipped by length
    BNISRepository tree;
    ASSERT_EQ(read(w::itemFrame(root), tree), ItemReadCode::Ok);
    EXPECT_EQ(tree.root.itemClass, ItemClass::RepositoryRoot);
    ASSERT_EQ(tree.root.children.size(), 3u);
    EXPECT_EQ(tree.root.children[0].itemClass, ItemClass::Bank);
    EXPECT_EQ(tree.root.children[0].key, 7u);
    EXPECT_EQ(tree.root.children[1].itemClass, ItemClass::BNISoundHeader);
    ASSERT_TRUE(tree.root.children[1].patchHeader);
    EXPECT_EQ((*tree.root.children[1].patchHeader)[221], 0x5C);
    EXPECT_EQ(tree.root.children[2].itemClass, ItemClass::BNISoundPreset);
    ASSERT_EQ(tree.root.children[2].children.size(), 1u);
    EXPECT_EQ(tree.root.children[2].children[0].itemClass, ItemClass::Resources);
    EXPECT_EQ(tree.root.uid[0], 0x44);
}

TEST(ItemTree, ChildrenListWithCountZeroGivesNoChildren) {
    BNISRepository tree;
    ASSERT_EQ(read(w::itemFrame(w::plainItem(w::kRepositoryRoot)), tree), ItemReadCode::Ok);
    EXPECT_TRUE(tree.root.children.empty());
}

TEST(ItemTree, UnknownKindTakesTheListedClassFromItsChain) {
    struct Case {
        const char* name;
        std::vector<w::ChunkName> chain;
        ItemClass expected;
    };
    const std::vector<Case> cases = {
        {"preset inside", {w::kUnknownKind, w::kPreset}, ItemClass::Preset},
        {"preset preferred over a bank met first", {w::kUnknownKind, w::kBank, w::kPreset}, ItemClass::Preset},
        {"bank preferred over resources", {w::kUnknownKind, w::kResources, w::kBank}, ItemClass::Bank},
        {"another domain wrapping a listed class", {{0x41414141, 101}, w::kAppSpecific}, ItemClass::AppSpecific},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w::ItemSpec child = w::plainItem(w::kUnknownKind);
        child.chain = c.chain;
        BNISRepository tree;
        ASSERT_EQ(read(w::itemFrame(w::plainItem(w::kRepositoryRoot, 0, {child})), tree), ItemReadCode::Ok);
        EXPECT_EQ(tree.root.children.at(0).itemClass, c.expected);
    }
}

TEST(ItemTree, UnknownKindReadsItsChosenClassData) {
    // A preset chunk item behind an unknown wrapper still yields its data.
    w::ItemSpec child = w::presetChunkItem({1, 2, 3});
    child.entry = w::kUnknownKind;
    child.chain = {w::kUnknownKind, w::kPresetChunk};
    BNISRepository tree;
    ASSERT_EQ(read(w::itemFrame(w::plainItem(w::kRepositoryRoot, 0, {child})), tree), ItemReadCode::Ok);
    ASSERT_TRUE(tree.root.children.at(0).presetData);
    EXPECT_EQ(test::bytesOf(tree.root.children[0].presetData->span()), (w::Bytes{1, 2, 3}));
}

TEST(ItemTree, PackedAndInlineSubtreesHoldTheSameItem) {
    const w::ItemSpec held = w::plainItem(w::kPresetContainer, 0, {w::presetChunkItem(test::samplePreset())});
    for (bool packed : {false, true}) {
        for (codec::FastLzLevel level : {codec::FastLzLevel::One, codec::FastLzLevel::Two}) {
            SCOPED_TRACE(packed ? "packed" : "inline");
            BNISRepository tree;
            const w::ItemSpec root =
                w::plainItem(w::kRepositoryRoot, 0, {w::subtreeItem(held, packed, level)});
            ASSERT_EQ(read(w::itemFrame(root), tree), ItemReadCode::Ok);
            const Item& subtree = tree.root.children.at(0);
            ASSERT_TRUE(subtree.subtreeItem);
            EXPECT_EQ(subtree.subtreeItem->itemClass, ItemClass::PresetContainer);
            ASSERT_EQ(subtree.subtreeItem->children.size(), 1u);
            ASSERT_TRUE(subtree.subtreeItem->children[0].presetData);
            EXPECT_EQ(test::bytesOf(subtree.subtreeItem->children[0].presetData->span()), test::samplePreset());
        }
    }
}

// Offsets into a root frame holding one child: frame header 40, root data 44
// (outer chunk 20 + base chunk 24), list version and count 8, entry 12.
constexpr std::size_t kRootTag = 12;
// The 1 of a child's base item chunk, after its outer chunk header.
constexpr std::size_t kChildBaseField = 40 + 20 + 20;
constexpr std::size_t kRootListVersion = 40 + 44;
constexpr std::size_t kChildFrame = kRootListVersion + 8 + 12;

TEST(ItemTree, ClassFieldThatIsNotOneFailsWith6) {
    // The uint32 after a subtree's base chunk.
    w::Bytes bytes = w::itemFrame(w::plainItem(
        w::kRepositoryRoot, 0, {w::subtreeItem(w::plainItem(w::kBank), false, codec::FastLzLevel::One)}));
    bytes.at(kChildFrame + 40 + 20 + 24) = 2;
    BNISRepository tree;
    EXPECT_EQ(read(bytes, tree), ItemReadCode::BadVersion);
}

w::Bytes flip(w::Bytes b, std::size_t at, std::uint8_t to) {
    b.at(at) = to;
    return b;
}

TEST(ItemTree, FailureCodes) {
    const w::ItemSpec header = w::soundHeaderItem(w::Bytes(222, 1));
    const w::Bytes good = w::itemFrame(w::plainItem(w::kRepositoryRoot, 0, {header}));

    w::ItemSpec shortHeader = w::soundHeaderItem(w::Bytes(221, 1));
    w::ItemSpec unknownNoListed = w::plainItem(w::kUnknownKind);
    unknownNoListed.chain = {w::kUnknownKind, w::kSoundHeader};
    w::ItemSpec badList = w::plainItem(w::kBank);
    badList.listVersion = 2;

    // A packed subtree whose stated size is one more than it unpacks to.
    w::Bytes badPacked = w::itemFrame(w::plainItem(
        w::kRepositoryRoot, 0,
        {w::subtreeItem(w::plainItem(w::kPresetContainer), true, codec::FastLzLevel::One)}));
    const std::size_t unpackedSizeAt = kChildFrame + 40 + 20 + 24 + 4 + 1;
    badPacked.at(unpackedSizeAt) = static_cast<std::uint8_t>(badPacked.at(unpackedSizeAt) + 1);

    struct Case {
        const char* name;
        w::Bytes bytes;
        ItemReadCode expected;
    };
    const std::vector<Case> cases = {
        {"root tag differs in one byte", flip(good, kRootTag, 'x'), ItemReadCode::BadTag},
        {"child tag differs in one byte", flip(good, kChildFrame + kRootTag + 3, 'N'), ItemReadCode::BadTag},
        {"children list version 2", flip(good, kRootListVersion, 2), ItemReadCode::BadVersion},
        {"grandchild list version 2",
         w::itemFrame(w::plainItem(w::kRepositoryRoot, 0, {badList})), ItemReadCode::BadVersion},
        {"header item's base field not 1", flip(good, kChildFrame + kChildBaseField, 0), ItemReadCode::BadVersion},
        {"header item with 221 bytes",
         w::itemFrame(w::plainItem(w::kRepositoryRoot, 0, {shortHeader})), ItemReadCode::ShortRead},
        {"unknown item without a listed class",
         w::itemFrame(w::plainItem(w::kRepositoryRoot, 0, {unknownNoListed})), ItemReadCode::UnknownKind},
        {"packed subtree of the wrong size", badPacked, ItemReadCode::BadUnpackedSize},
        {"empty file", {}, ItemReadCode::ShortRead},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BNISRepository tree;
        EXPECT_EQ(read(c.bytes, tree), c.expected);
        EXPECT_TRUE(tree.root.children.empty());
    }
}

TEST(ItemTree, HugeDeclaredSizesAreRefusedWithoutAllocating) {
    // A packed subtree claiming 4 GB from a few stored bytes, a children count
    // of 4 billion, and a chunk and frame longer than the file.
    w::Bytes packed = w::itemFrame(w::plainItem(
        w::kRepositoryRoot, 0, {w::subtreeItem(w::plainItem(w::kPresetContainer), true, codec::FastLzLevel::Two)}));
    const std::size_t unpackedSizeAt = kChildFrame + 40 + 20 + 24 + 4 + 1;
    for (std::size_t i = 0; i < 4; ++i) {
        packed.at(unpackedSizeAt + i) = 0xFF;
    }
    const w::Bytes good = w::itemFrame(w::plainItem(w::kRepositoryRoot, 0, {w::plainItem(w::kBank)}));
    w::Bytes count = good;
    for (std::size_t i = 0; i < 4; ++i) {
        count.at(kRootListVersion + 4 + i) = 0xFF;
    }
    w::Bytes longChunk = flip(good, 40 + 6, 0x7F);
    w::Bytes longFrame = flip(good, 6, 0x7F);

    BNISRepository tree;
    EXPECT_EQ(read(packed, tree), ItemReadCode::BadUnpackedSize);
    EXPECT_EQ(read(count, tree), ItemReadCode::ShortRead);
    EXPECT_EQ(read(longChunk, tree), ItemReadCode::ShortRead);
    EXPECT_EQ(read(longFrame, tree), ItemReadCode::ShortRead);
}

TEST(ItemTree, DeepNestingFailsInsteadOfExhaustingTheStack) {
    w::ItemSpec item = w::plainItem(w::kBank);
    for (int i = 0; i < 200; ++i) {
        item = w::plainItem(w::kBank, 0, {item});
    }
    BNISRepository tree;
    EXPECT_EQ(read(w::itemFrame(w::plainItem(w::kRepositoryRoot, 0, {item})), tree), ItemReadCode::ShortRead);
}

}  // namespace
}  // namespace velmora::items
