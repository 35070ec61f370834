#pragma once
// Reading a container's item tree from its bytes.
#include "importer/items/item.h"
#include "importer/items/shared_bytes.h"

namespace velmora::items {

// Reads the tree that starts at the first byte of `file`; its root is a
// RepositoryRoot. Preset data is not copied: it views `file`, or the buffer a
// packed subtree was unpacked into, and shares its owner. On failure `out` is
// left empty and the code says why.
ItemReadCode readItemTree(const SharedBytes& file, BNISRepository& out);

}  // namespace velmora::items
