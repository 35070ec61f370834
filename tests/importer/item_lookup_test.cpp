// First-of-class search and the preset data lookup.
#include "importer/items/item_frame.h"
#include "importer/items/item_lookup.h"
#include "importer/items/item_reader.h"
#include "tests/importer/fixtures.h"
#include "tests/support/nki_writer.h"

#include <gtest/gtest.h>

namespace velmora::items {
namespace {

namespace w = nki_writer;

BNISRepository readOrDie(const w::ItemSpec& root) {
    BNISRepository tree;
    EXPECT_EQ(readItemTree(SharedBytes::adopt(w::itemFrame(root)), tree), ItemReadCode::Ok);
    return tree;
}

TEST(ItemLookup, PresetChildIsFoundBeforePresetGrandchild) {
    const w::ItemSpec root = w::plainItem(
        w::kRepositoryRoot, 0,
        {w::plainItem(w::kBank, 0, {w::plainItem(w::kPreset, 11)}), w::plainItem(w::kSoundPreset, 22)});
    const BNISRepository tree = readOrDie(root);
    const Item* found = firstOfClass(tree.root, ItemClass::Preset);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->key, 22u);
    EXPECT_EQ(found->itemClass, ItemClass::BNISoundPreset);  // derived class counts
    EXPECT_EQ(firstOfClass(tree.root, ItemClass::BNISoundPreset), found);
    EXPECT_EQ(firstOfClass(tree.root, ItemClass::SubtreeItem), nullptr);
}

TEST(ItemLookup, ItemsHeldInSubtreesAreNotVisited) {
    const w::ItemSpec root = w::plainItem(
        w::kRepositoryRoot, 0, {w::subtreeItem(w::plainItem(w::kBank), false, codec::FastLzLevel::One)});
    const BNISRepository tree = readOrDie(root);
    EXPECT_EQ(firstOfClass(tree.root, ItemClass::Bank), nullptr);
}

TEST(ItemLookup, PresetDataThroughEachLayout) {
    const w::Bytes preset = test::samplePreset();
    for (w::PresetLayout layout :
         {w::PresetLayout::PackedSubtree, w::PresetLayout::InlineSubtree, w::PresetLayout::DirectChild}) {
        for (bool unknown : {false, true}) {
            SCOPED_TRACE(static_cast<int>(layout) * 2 + (unknown ? 1 : 0));
            w::ContainerPatch patch;
            patch.preset = preset;
            patch.layout = layout;
            patch.unknownPresetKind = unknown;
            patch.extraItems = true;
            const BNISRepository tree = readOrDie(w::containerTree(patch));
            const Item* item = firstOfClass(tree.root, ItemClass::Preset);
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(item->itemClass, unknown ? ItemClass::Preset : ItemClass::BNISoundPreset);
            const auto* data = presetDataOf(*item);
            ASSERT_NE(data, nullptr);
            EXPECT_EQ(test::bytesOf(data->span()), preset);
        }
    }
}

TEST(ItemLookup, NoPresetDataWithoutKeyOneOrChunkItem) {
    const w::ItemSpec chunk = w::presetChunkItem({1, 2});
    struct Case {
        const char* name;
        w::ItemSpec preset;
    };
    const std::vector<Case> cases = {
        {"no child with key 1", w::plainItem(w::kPreset, 0, {w::plainItem(w::kPresetContainer, 2, {chunk})})},
        {"first grandchild is not a chunk item",
         w::plainItem(w::kPreset, 0, {w::plainItem(w::kPresetContainer, 1, {w::plainItem(w::kBank), chunk})})},
        {"subtree holding an item without children",
         w::plainItem(w::kPreset, 0, {w::subtreeItem(w::plainItem(w::kPresetContainer), false, codec::FastLzLevel::One)})},
        {"key-1 child with neither children nor subtree", w::plainItem(w::kPreset, 0, {w::plainItem(w::kBank, 1)})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BNISRepository tree = readOrDie(w::plainItem(w::kRepositoryRoot, 0, {c.preset}));
        EXPECT_EQ(presetDataOf(tree.root.children.at(0)), nullptr);
    }
}

TEST(ItemFrame, IsItemFrameLeavesThePositionAndNeedsTheTag) {
    w::Bytes frame = w::itemFrame(w::plainItem(w::kRepositoryRoot));
    ByteReader in(frame.data(), frame.size());
    EXPECT_TRUE(isItemFrame(in));
    EXPECT_EQ(in.position(), 0u);
    ByteReader shortIn(frame.data(), 39);
    EXPECT_FALSE(isItemFrame(shortIn));
    frame[15] = 'N';
    EXPECT_FALSE(isItemFrame(ByteReader(frame.data(), frame.size())));
}

}  // namespace
}  // namespace velmora::items
