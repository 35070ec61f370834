#include "codec/fastlz.h"

#include <cstring>

namespace velmora::codec {

namespace {

// Distance added to the 16-bit operand of level 2's far form.
constexpr std::size_t kFarBase = 8192;

}  // namespace

FastLzDecoder::FastLzDecoder(std::span<const std::uint8_t> in, std::span<std::uint8_t> out) : in_(in), out_(out) {
    // An empty block has no first instruction; levels above 2 are not FastLZ.
    if (in.empty() || (in[0] >> 5) > 1) {
        state_ = Step::Failed;
        return;
    }
    level2_ = (in[0] >> 5) == 1;
}

FastLzDecoder::Step FastLzDecoder::decodeUntil(std::size_t inputEnd) {
    if (state_ != Step::More) {
        return state_;
    }
    // Locals for the loop; written back whenever it stops.
    const std::uint8_t* const in = in_.data();
    std::uint8_t* const out = out_.data();
    const std::size_t inSize = in_.size();
    const std::size_t outSize = out_.size();
    const bool level2 = level2_;
    std::size_t ip = ip_;
    std::size_t op = op_;
    const auto stop = [&](Step s) {
        ip_ = ip;
        op_ = op;
        state_ = s;
        return s;
    };

    while (ip < inputEnd) {
        if (ip == inSize) {
            return stop(Step::Done);
        }
        // The first instruction is always a literal run; its control byte
        // also carries the level.
        const unsigned ctrl = ip == 0 ? in[ip++] & 31u : in[ip++];
        if (ctrl < 32) {
            const std::size_t run = ctrl + 1u;
            if (run > inSize - ip || run > outSize - op) {
                return stop(Step::Failed);
            }
            // A run is at most 32 bytes: where both sides have that much
            // room, a fixed-size copy (no call, no loop) is cheaper, and the
            // bytes it writes past the run are written again by what follows.
            if (inSize - ip >= 32 && outSize - op >= 32) {
                std::memcpy(out + op, in + ip, 32);
            } else {
                std::memcpy(out + op, in + ip, run);
            }
            ip += run;
            op += run;
            continue;
        }
        std::size_t len = (ctrl >> 5) - 1u;
        const std::size_t high = ctrl & 31u;
        if (len == 6) {
            if (level2) {
                std::uint8_t add = 255;
                while (add == 255) {
                    if (ip >= inSize) {
                        return stop(Step::Failed);
                    }
                    add = in[ip++];
                    len += add;
                }
            } else {
                if (ip >= inSize) {
                    return stop(Step::Failed);
                }
                len += in[ip++];
            }
        }
        if (ip >= inSize) {
            return stop(Step::Failed);
        }
        const std::size_t low = in[ip++];
        std::size_t back = 0;
        if (level2 && high == 31 && low == 255) {
            if (inSize - ip < 2) {
                return stop(Step::Failed);
            }
            back = ((std::size_t{in[ip]} << 8) | in[ip + 1]) + kFarBase;
            ip += 2;
        } else {
            back = (high << 8) + low + 1;
        }
        const std::size_t count = len + 3;
        if (back > op || count > outSize - op) {
            return stop(Step::Failed);
        }
        const std::size_t from = op - back;
        if (back >= count) {
            std::memcpy(out + op, out + from, count);
        } else if (back == 1) {
            std::memset(out + op, out[from], count);
        } else {
            // Overlapping: the match repeats bytes it has just produced.
            for (std::size_t i = 0; i < count; ++i) {
                out[op + i] = out[from + i];
            }
        }
        op += count;
    }
    return stop(ip == inSize ? Step::Done : Step::More);
}

std::optional<std::size_t> fastlzDecompress(std::span<const std::uint8_t> in,
                                            std::span<std::uint8_t> out) {
    FastLzDecoder decoder(in, out);
    if (decoder.decodeUntil(in.size()) != FastLzDecoder::Step::Done) {
        return std::nullopt;
    }
    return decoder.produced();
}

bool fastlzDecompressExact(std::span<const std::uint8_t> in, std::span<std::uint8_t> out) {
    const std::optional<std::size_t> written = fastlzDecompress(in, out);
    return written && *written == out.size();
}

}  // namespace velmora::codec
