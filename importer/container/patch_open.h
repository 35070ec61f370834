#pragma once
// Opening an NKI file: the container test, the header and its checks.
#include "importer/container/patch_handle.h"
#include "importer/container/patch_result.h"

#include <string>
#include <vector>

namespace velmora::container {

struct OpenOutcome {
    PatchHandle* handle = nullptr;  // in the list of open handles, or nullptr
    PatchResult code = PatchResult::Ok;  // why, when there is no handle
};

// Opens a patch from the file's bytes.
OpenOutcome openPatchBytes(std::vector<std::uint8_t> file);

// Maps the file whole and opens it; nullptr on any failure. A missing or
// unreadable file is CannotOpen; one that is no regular file, or whose size
// changes while it is mapped, is ReadFailure.
PatchHandle* openPatch(const std::string& path);
OpenOutcome openPatchFile(const std::string& path);

}  // namespace velmora::container
