#pragma once
// Opens patch bytes and closes the handle at the end of a test.
#include "importer/container/patch_handles.h"
#include "importer/container/patch_open.h"

#include <cstdint>
#include <vector>

namespace velmora::test {

struct OpenedPatch {
    container::OpenOutcome outcome;
    explicit OpenedPatch(std::vector<std::uint8_t> bytes)
        : outcome(container::openPatchBytes(std::move(bytes))) {}
    ~OpenedPatch() { container::closePatch(outcome.handle); }
    OpenedPatch(const OpenedPatch&) = delete;
    OpenedPatch& operator=(const OpenedPatch&) = delete;
    container::PatchHandle* handle() const { return outcome.handle; }
};

}  // namespace velmora::test
