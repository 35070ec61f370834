#include "importer/objects/patch_objects.h"

#include "importer/container/patch_load.h"
#include "importer/objects/object_reader.h"

namespace velmora::objects {

LoadedPatch loadPatchObjects(container::PatchHandle* handle) {
    LoadedPatch out;
    out.code = container::loadPatch(handle);
    if (out.code != container::PatchResult::Ok) {
        return out;
    }
    TreeRead read = readObjectTree(handle->presetStream, handle->presetOrder);
    if (!read.tree) {
        out.code = container::PatchResult::ReadFailure;
        out.error = std::move(read.error);
        return out;
    }
    // The tree views the stream's buffer and holds it; the handle need not.
    handle->presetStream = {};
    out.tree = std::move(read.tree);
    return out;
}

}  // namespace velmora::objects
