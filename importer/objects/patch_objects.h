#pragma once
// The object-tree step of loading a patch: the checked preset data becomes
// the program's object tree, and any format failure becomes result 12.
#include "importer/container/patch_handle.h"
#include "importer/container/patch_result.h"
#include "importer/objects/patch_object.h"

#include <optional>
#include <string>

namespace velmora::objects {

struct LoadedPatch {
    container::PatchResult code = container::PatchResult::Ok;
    std::optional<ObjectTree> tree;  // set when code is Ok
    std::string error;               // the reader's message for a format failure
};

// Loads the preset data (container::loadPatch), then reads its object tree.
// The handle stays open; the caller closes it.
LoadedPatch loadPatchObjects(container::PatchHandle* handle);

}  // namespace velmora::objects
