#include "codec/fastlz.h"

namespace velmora::codec {

namespace {

// Distance added to the 16-bit operand of level 2's far form.
constexpr std::size_t kFarBase = 8192;

}  // namespace

std::optional<std::size_t> fastlzDecompress(std::span<const std::uint8_t> in,
                                            std::span<std::uint8_t> out) {
    if (in.empty()) {
        return std::nullopt;
    }
    const unsigned levelBits = in[0] >> 5;
    if (levelBits > 1) {
        return std::nullopt;
    }
    const bool level2 = levelBits == 1;
    const std::size_t inSize = in.size();
    const std::size_t outSize = out.size();
    std::size_t ip = 1;
    std::size_t op = 0;
    unsigned ctrl = in[0] & 31u;  // the first instruction is always a literal run

    for (;;) {
        if (ctrl < 32) {
            const std::size_t run = ctrl + 1u;
            if (run > inSize - ip || run > outSize - op) {
                return std::nullopt;
            }
            for (std::size_t i = 0; i < run; ++i) {
                out[op + i] = in[ip + i];
            }
            ip += run;
            op += run;
        } else {
            std::size_t len = (ctrl >> 5) - 1u;
            const std::size_t high = ctrl & 31u;
            if (len == 6) {
                if (level2) {
                    std::uint8_t add = 255;
                    while (add == 255) {
                        if (ip >= inSize) {
                            return std::nullopt;
                        }
                        add = in[ip++];
                        len += add;
                    }
                } else {
                    if (ip >= inSize) {
                        return std::nullopt;
                    }
                    len += in[ip++];
                }
            }
            if (ip >= inSize) {
                return std::nullopt;
            }
            const std::size_t low = in[ip++];
            std::size_t back = 0;
            if (level2 && high == 31 && low == 255) {
                if (inSize - ip < 2) {
                    return std::nullopt;
                }
                back = ((std::size_t{in[ip]} << 8) | in[ip + 1]) + kFarBase;
                ip += 2;
            } else {
                back = (high << 8) + low + 1;
            }
            const std::size_t count = len + 3;
            if (back > op || count > outSize - op) {
                return std::nullopt;
            }
            // Byte by byte, so a match may repeat bytes it has just produced.
            std::size_t from = op - back;
            for (std::size_t i = 0; i < count; ++i) {
                out[op++] = out[from++];
            }
        }
        if (ip == inSize) {
            return op;
        }
        ctrl = in[ip++];
    }
}

bool fastlzDecompressExact(std::span<const std::uint8_t> in, std::span<std::uint8_t> out) {
    const std::optional<std::size_t> written = fastlzDecompress(in, out);
    return written && *written == out.size();
}

}  // namespace velmora::codec
