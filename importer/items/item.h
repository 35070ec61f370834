#pragma once
// An item of the container's tree as read into memory, and the codes a read
// fails with.
#include "importer/items/item_kinds.h"
#include "importer/items/shared_bytes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace velmora::items {

constexpr std::size_t kPatchHeaderSize = 222;

enum class ItemReadCode : int {
    Ok = 0,
    BadTag = 4,          // a frame header without the "hsin" tag
    BadVersion = 6,      // a children list or class field version that is not 1
    ShortRead = 8,       // data, a frame or a chunk ends before its declared end
    UnknownKind = 11,    // neither the item's kind nor any kind in its chain is known
    BadUnpackedSize = 13,  // a packed subtree that does not unpack to its stated size
};

struct Item {
    ItemClass itemClass = ItemClass::RepositoryRoot;
    std::array<std::uint8_t, 16> uid{};
    std::uint32_t key = 0;  // the key this item has in its parent's children list
    std::vector<Item> children;

    // Class data kept for the classes on the import path.
    std::optional<std::array<std::uint8_t, kPatchHeaderSize>> patchHeader;  // BNISoundHeader
    std::unique_ptr<Item> subtreeItem;                                     // SubtreeItem
    std::optional<SharedBytes> presetData;  // PresetChunkItem: a view into the file or an unpacked subtree
};

// The item tree of a container file.
struct BNISRepository {
    Item root;
};

}  // namespace velmora::items
