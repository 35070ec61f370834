#include "codec/fastlz.h"

#include <algorithm>
#include <cstring>

namespace velmora::codec {

namespace {

constexpr unsigned kHashBits = 14;
constexpr std::size_t kNoPosition = SIZE_MAX;
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxLiteralRun = 32;
// Level 1 reaches 8192 bytes back and at most 264 bytes long; level 2's near
// form stops one short of 8192 (31/255 announces the far form), which reaches
// 8192 + 65535 bytes back with no length limit.
constexpr std::size_t kLevel1MaxDistance = 8192;
constexpr std::size_t kLevel1MaxCount = 6 + 255 + 3;
constexpr std::size_t kLevel2MaxNear = 8191;
constexpr std::size_t kLevel2MaxDistance = 8192 + 65535;
// Bounds the work per match; longer runs simply become several matches.
constexpr std::size_t kLevel2MaxCount = 1u << 16;

std::size_t hashAt(std::span<const std::uint8_t> in, std::size_t at) {
    const std::uint32_t v = std::uint32_t{in[at]} | (std::uint32_t{in[at + 1]} << 8) |
                            (std::uint32_t{in[at + 2]} << 16);
    return (v * 2654435761u) >> (32 - kHashBits);
}

void emitLiterals(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> in,
                  std::size_t from, std::size_t to) {
    while (from < to) {
        const std::size_t run = std::min(kMaxLiteralRun, to - from);
        out.push_back(static_cast<std::uint8_t>(run - 1));
        out.insert(out.end(), in.begin() + static_cast<std::ptrdiff_t>(from),
                   in.begin() + static_cast<std::ptrdiff_t>(from + run));
        from += run;
    }
}

void emitMatch(std::vector<std::uint8_t>& out, bool level2, std::size_t back, std::size_t count) {
    const std::size_t len = count - kMinMatch;
    const bool far = level2 && back > kLevel2MaxNear;
    const std::size_t operand = far ? (31u << 8) | 255u : back - 1;
    const auto high = static_cast<std::uint8_t>(operand >> 8);
    const auto low = static_cast<std::uint8_t>(operand & 255u);
    if (len < 6) {
        out.push_back(static_cast<std::uint8_t>(((len + 1) << 5) | high));
    } else {
        out.push_back(static_cast<std::uint8_t>((7u << 5) | high));
        std::size_t rest = len - 6;
        if (level2) {
            for (; rest >= 255; rest -= 255) {
                out.push_back(255);
            }
        }
        out.push_back(static_cast<std::uint8_t>(rest));
    }
    out.push_back(low);
    if (far) {
        const std::size_t e = back - 8192;
        out.push_back(static_cast<std::uint8_t>(e >> 8));
        out.push_back(static_cast<std::uint8_t>(e & 255u));
    }
}

}  // namespace

std::vector<std::uint8_t> fastlzCompress(std::span<const std::uint8_t> in, FastLzLevel level) {
    std::vector<std::uint8_t> out;
    if (in.empty()) {
        return out;
    }
    const bool level2 = level == FastLzLevel::Two;
    const std::size_t maxDistance = level2 ? kLevel2MaxDistance : kLevel1MaxDistance;
    const std::size_t maxCount = level2 ? kLevel2MaxCount : kLevel1MaxCount;
    out.reserve(in.size() + in.size() / 32 + 1);
    std::vector<std::size_t> table(std::size_t{1} << kHashBits, kNoPosition);

    const std::size_t n = in.size();
    std::size_t anchor = 0;
    std::size_t ip = 0;
    while (n - ip >= kMinMatch) {
        const std::size_t h = hashAt(in, ip);
        const std::size_t candidate = table[h];
        table[h] = ip;
        if (candidate == kNoPosition || ip - candidate > maxDistance ||
            std::memcmp(&in[candidate], &in[ip], kMinMatch) != 0) {
            ++ip;
            continue;
        }
        std::size_t count = kMinMatch;
        while (ip + count < n && count < maxCount && in[candidate + count] == in[ip + count]) {
            ++count;
        }
        emitLiterals(out, in, anchor, ip);
        emitMatch(out, level2, ip - candidate, count);
        // Remember a position near the end of the match so that runs keep
        // finding themselves.
        const std::size_t end = ip + count;
        if (end - 1 >= ip + 1 && n - (end - 1) >= kMinMatch) {
            table[hashAt(in, end - 1)] = end - 1;
        }
        ip = end;
        anchor = ip;
    }
    emitLiterals(out, in, anchor, n);
    // The first instruction is always a literal run (nothing precedes it to
    // match), so its top three bits are free to carry the level.
    if (level2) {
        out[0] = static_cast<std::uint8_t>(out[0] | (1u << 5));
    }
    return out;
}

}  // namespace velmora::codec
