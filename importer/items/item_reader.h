#pragma once
// Reading a container's item tree from its bytes.
#include "importer/items/item.h"

#include <cstdint>
#include <span>

namespace velmora::items {

// Reads the tree that starts at the first byte of `file`; its root is a
// RepositoryRoot. On failure `out` is left empty and the code says why.
ItemReadCode readItemTree(std::span<const std::uint8_t> file, BNISRepository& out);

}  // namespace velmora::items
