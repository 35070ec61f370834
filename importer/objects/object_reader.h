#pragma once
// Reading serialised patch objects into the object tree.
#include "importer/objects/patch_object.h"
#include "shared/byte_reader.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace velmora::objects {

// Bounds no file can push the reader past: nesting deeper than any
// instrument needs would exhaust the stack, and every object costs memory.
inline constexpr int kMaxObjectDepth = 96;
inline constexpr std::size_t kMaxObjectsPerTree = std::size_t{1} << 20;

struct ObjectRead {
    std::optional<PatchObject> object;
    std::string error;  // the format failure's message when there is no object
};

struct TreeRead {
    std::optional<ObjectTree> tree;
    std::string error;  // the format failure's message when there is no tree
};

// One object (header and body) from the start of `bytes`. Its byte fields
// view `bytes`, which must outlive it.
ObjectRead readObject(std::span<const std::uint8_t> bytes, ByteOrder order);

// The program from the start of the preset stream; the objects after it are
// passed over by their lengths until the sample file name list (id 61 or 75),
// which is kept and ends the reading. A stream that ends first fails. The
// tree's byte fields view the stream, and the tree holds it (storage).
TreeRead readObjectTree(const items::SharedBytes& stream, ByteOrder order);

}  // namespace velmora::objects
