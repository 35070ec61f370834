// The bitmap reader over arbitrary bytes: nothing may crash or read out of
// bounds, a refusal always says why, and a bitmap it returns is whole, opaque
// and no larger than the bytes could describe.
#include "platform/ui/bitmap.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string why;
    const auto bitmap = platform::ui::ReadBmp(data, size, 5, why);
    if (!bitmap) {
        if (why.empty()) {
            std::abort();
        }
        return 0;
    }
    const auto pixels = static_cast<std::size_t>(bitmap->width) * static_cast<std::size_t>(bitmap->height);
    // Every pixel takes at least three bytes of the file.
    if (bitmap->width <= 0 || bitmap->height <= 0 || bitmap->pixels.size() != pixels || pixels * 3 > size ||
        bitmap->alpha || bitmap->id != 5 || !why.empty()) {
        std::abort();
    }
    for (std::uint32_t p : bitmap->pixels) {
        if ((p >> 24) != 0xFFu) {
            std::abort();
        }
    }
    return 0;
}
