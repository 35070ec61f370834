#pragma once
// Loading an opened patch: its preset data, checked, into the preset stream.
#include "importer/container/patch_handle.h"
#include "importer/container/patch_result.h"

namespace velmora::container {

// The preset data of a container's first preset item, or of a plain patch
// file's compressed block (and its trailer). The handle lets go of the file
// and the item tree either way; the preset stream holds on to the buffer its
// data lies in (the file itself when the data is stored there unpacked).
PatchResult loadPatch(PatchHandle* handle);

}  // namespace velmora::container
