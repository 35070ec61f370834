#pragma once
// One opened patch: the file's bytes until loading ends, its header, the item
// tree of a container, and the preset data once loaded.
#include "importer/container/patch_header.h"
#include "importer/items/item.h"
#include "shared/byte_reader.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace velmora::container {

struct PatchHandle {
    std::vector<std::uint8_t> file;  // the whole file, held from open until load ends
    bool fileOpen = false;
    std::vector<std::uint8_t> presetStream;
    ByteOrder presetOrder = ByteOrder::Little;
    std::optional<items::BNISRepository> repository;  // a container's item tree
    PatchHeader header;
    bool fromContainer = false;
    bool bigEndian = false;  // the header's kind matched only byte-reversed
    std::vector<std::uint8_t> trailerData;
    bool loaded = false;
};

}  // namespace velmora::container
