#pragma once
// Opens patch bytes and closes the handle at the end of a test.
#include "importer/container/patch_handles.h"
#include "importer/container/patch_open.h"
#include "tests/importer/fixtures.h"
#include "tests/support/nki_writer.h"

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

// A small plain patch around the sample preset.
inline nki_writer::PlainPatch SamplePlainPatch() {
    nki_writer::PlainPatch p;
    p.preset = samplePreset();
    p.header.version = 0x100;
    return p;
}

}  // namespace velmora::test
