#pragma once
// One opened patch: the file's bytes until loading ends, its header, the item
// tree of a container, and the preset data once loaded.
#include "importer/container/patch_header.h"
#include "importer/items/item.h"
#include "importer/items/shared_bytes.h"
#include "shared/byte_reader.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace velmora::container {

struct PatchHandle {
    items::SharedBytes file;  // the whole file (mapped or taken over), held from open until load ends
    bool fileOpen = false;
    // A view of the preset data that keeps its buffer alive: the buffer it was
    // unpacked into, or the file itself when it is stored there unpacked.
    items::SharedBytes presetStream;
    ByteOrder presetOrder = ByteOrder::Little;
    std::optional<items::BNISRepository> repository;  // a container's item tree, until load ends
    PatchHeader header;
    bool fromContainer = false;
    bool bigEndian = false;  // the header's kind matched only byte-reversed
    std::vector<std::uint8_t> trailerData;
    bool loaded = false;
};

}  // namespace velmora::container
