#pragma once
// Small preset streams and patch files shared by the importer tests.
#include "tests/support/nki_writer.h"

#include <cstdint>
#include <span>
#include <vector>

namespace velmora::test {

// A preset stream with repeats, so compression has something to find.
inline std::vector<std::uint8_t> samplePreset(std::size_t n = 600) {
    std::vector<std::uint8_t> b(n);
    for (std::size_t i = 0; i < n; ++i) {
        b[i] = static_cast<std::uint8_t>((i % 37) * 5 + (i / 97));
    }
    return b;
}

// A copy of bytes the readers only view, to compare with what was written.
inline std::vector<std::uint8_t> bytesOf(std::span<const std::uint8_t> b) { return {b.begin(), b.end()}; }

}  // namespace velmora::test
