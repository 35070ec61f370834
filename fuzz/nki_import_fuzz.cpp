// The whole import over arbitrary bytes: nothing may crash, leak or read out
// of bounds, every patch must be closed, and the record must hold only what
// the plugin may read.
#include "importer/api/articulations_api.h"
#include "importer/container/patch_handles.h"
#include "importer/extract/extraction.h"
#include "importer/objects/object_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora;
    // Both numberings, chosen by the input so each finding reproduces.
    const std::int32_t mode = size % 2 == 0 ? 0 : 1;
    ImportedArticulations* record = api::getArticulationsFromBytes({data, size}, "fuzz.nki", mode);
    if (record == nullptr || record->count < 0 || record->count > kImportedArticulationsMax) {
        std::abort();
    }
    for (std::int32_t i = 0; i < record->count; ++i) {
        if (record->names[i] == nullptr || std::strlen(record->names[i]) > 4095 || record->prog[i] != -1 ||
            (mode == 1 && record->notev[i] != 127) || (mode == 0 && (record->note[i] != 0 || record->notev[i] > 127))) {
            std::abort();
        }
    }
    api::freeArticulations(record);
    if (container::openHandleCount() != 0) {
        std::abort();
    }

    // A file's checksum keeps most mutations away from the object reader, so
    // the same bytes also go to it directly, as a preset stream of either
    // byte order, and on through the extraction.
    const ByteOrder order = size % 4 < 2 ? ByteOrder::Little : ByteOrder::Big;
    const auto tree = objects::readObjectTree(items::SharedBytes::unowned({data, size}), order);
    if (tree.tree) {
        ImportedArticulations* direct = extract::newImportedArticulations();
        extract::extractArticulations(*tree.tree, mode, *direct);
        if (direct->count < 0 || direct->count > kImportedArticulationsMax) {
            std::abort();
        }
        extract::releaseImportedArticulations(direct);
    }
    return 0;
}
