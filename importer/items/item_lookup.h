#pragma once
// The two lookups the container needs in an item tree.
#include "importer/items/item.h"

#include <cstdint>
#include <span>

namespace velmora::items {

// The first item of class `wanted` (or derived from it) in a breadth-first
// walk over children lists from `root`; items held in subtrees are not
// visited. Nullptr when there is none.
const Item* firstOfClass(const Item& root, ItemClass wanted);

// The preset data of a preset item: the byte chunk of the preset chunk item
// reached through its child with key 1. Nullptr when there is none.
const SharedBytes* presetDataOf(const Item& preset);

}  // namespace velmora::items
