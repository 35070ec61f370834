#include "importer/items/item_lookup.h"

#include <deque>

namespace velmora::items {

const Item* firstOfClass(const Item& root, ItemClass wanted) {
    std::deque<const Item*> queue{&root};
    while (!queue.empty()) {
        const Item* item = queue.front();
        queue.pop_front();
        for (const Item& child : item->children) {
            queue.push_back(&child);
        }
        if (isKindOf(item->itemClass, wanted)) {
            return item;
        }
    }
    return nullptr;
}

const SharedBytes* presetDataOf(const Item& preset) {
    const Item* keyed = nullptr;
    for (const Item& child : preset.children) {
        if (child.key == 1) {
            keyed = &child;
            break;
        }
    }
    if (keyed == nullptr) {
        return nullptr;
    }
    const Item* chunkItem = nullptr;
    if (!keyed->children.empty()) {
        chunkItem = &keyed->children.front();
    } else if (keyed->subtreeItem && !keyed->subtreeItem->children.empty()) {
        chunkItem = &keyed->subtreeItem->children.front();
    }
    if (chunkItem == nullptr || chunkItem->itemClass != ItemClass::PresetChunkItem ||
        !chunkItem->presetData) {
        return nullptr;
    }
    return &*chunkItem->presetData;
}

}  // namespace velmora::items
