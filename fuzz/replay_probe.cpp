// A fuzz target for the replay main's own tests. Its inputs are empty or a
// digit repeated as many times as it says; it aborts on any other bytes, and
// unless LLVMFuzzerInitialize ran before the first input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
bool initialized = false;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    initialized = true;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!initialized) {
        std::abort();
    }
    for (std::size_t i = 0; i < size; ++i) {
        if (size > 9 || data[i] != static_cast<std::uint8_t>('0' + size)) {
            std::abort();
        }
    }
    return 0;
}
