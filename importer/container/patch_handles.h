#pragma once
// The process-wide list of open patch handles. Imports run on the plugin's
// interface thread, one at a time, so the list takes no lock.
#include "importer/container/patch_handle.h"

#include <memory>

namespace velmora::container {

PatchHandle* addOpenHandle(std::unique_ptr<PatchHandle> handle);
// The handle when it is in the list, else nullptr.
PatchHandle* findOpenHandle(const PatchHandle* handle);
// Destroys the handle and everything it owns; false when it is not in the list.
bool closePatch(PatchHandle* handle);
std::size_t openHandleCount();

}  // namespace velmora::container
