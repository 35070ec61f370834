// Open and load over arbitrary bytes: nothing may crash, leak or read out of
// bounds, and every handle that opens must close.
#include "importer/container/patch_handles.h"
#include "importer/container/patch_load.h"
#include "importer/container/patch_open.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora::container;
    const OpenOutcome opened = openPatchBytes(std::vector<std::uint8_t>(data, data + size));
    if (opened.handle == nullptr) {
        return 0;
    }
    const PatchResult loaded = loadPatch(opened.handle);
    if (loaded == PatchResult::Ok && opened.handle->presetStream.size() > size * 256) {
        std::abort();  // more preset data than any block of this file can hold
    }
    if (!closePatch(opened.handle) || openHandleCount() != 0) {
        std::abort();
    }
    return 0;
}
