// Hand-assembled blocks: one per instruction form, and the malformed streams a
// trusting decoder would overrun on.
#include "codec/fastlz.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora::codec {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Literal runs of `data` (at most 32 bytes each), first control byte carrying
// `levelBits`.
Bytes literalRuns(const Bytes& data, unsigned levelBits) {
    Bytes out;
    for (std::size_t at = 0; at < data.size(); at += 32) {
        const std::size_t run = std::min<std::size_t>(32, data.size() - at);
        out.push_back(static_cast<std::uint8_t>(run - 1));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                   data.begin() + static_cast<std::ptrdiff_t>(at + run));
    }
    out[0] = static_cast<std::uint8_t>(out[0] | (levelBits << 5));
    return out;
}

Bytes pattern(std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) {
        b[i] = static_cast<std::uint8_t>((i * 7 + i / 251) & 255);
    }
    return b;
}

Bytes decodeOrDie(const Bytes& in, std::size_t capacity) {
    Bytes out(capacity);
    const auto written = fastlzDecompress(in, out);
    EXPECT_TRUE(written.has_value());
    out.resize(written.value_or(0));
    return out;
}

struct FormCase {
    const char* name;
    Bytes block;
    Bytes expected;
};

Bytes rep(std::size_t n, std::uint8_t v) { return Bytes(n, v); }

Bytes concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<FormCase> formCases() {
    std::vector<FormCase> cases;
    cases.push_back({"level1 literal run", {0x02, 'a', 'b', 'c'}, {'a', 'b', 'c'}});
    cases.push_back({"level2 literal run", {0x22, 'a', 'b', 'c'}, {'a', 'b', 'c'}});
    {
        Bytes lit(32, 'q');
        Bytes block = {0x1F};
        block.insert(block.end(), lit.begin(), lit.end());
        cases.push_back({"longest literal run", block, lit});
    }
    // ctrl 0x20: shortest match, three bytes at distance 1 (overlapping).
    cases.push_back({"level1 shortest match", {0x00, 'a', 0x20, 0x00}, rep(4, 'a')});
    cases.push_back({"level2 shortest match", {0x20, 'a', 0x20, 0x00}, rep(4, 'a')});
    // ctrl 0xC0: length 5 + 3 bytes at distance 2.
    cases.push_back({"level1 match of eight", {0x01, 'a', 'b', 0xC0, 0x01},
                     {'a', 'b', 'a', 'b', 'a', 'b', 'a', 'b', 'a', 'b'}});
    // ctrl 0xE0 takes one more length byte in level 1: 6 + 10 + 3 bytes.
    cases.push_back({"level1 long match", {0x00, 'x', 0xE0, 10, 0x00}, rep(20, 'x')});
    cases.push_back({"level1 longest match", {0x00, 'x', 0xE0, 255, 0x00}, rep(265, 'x')});
    // Level 2 keeps adding length bytes while they are 255: 6 + 255 + 10 + 3.
    cases.push_back({"level2 long match", {0x20, 'x', 0xE0, 255, 10, 0x00}, rep(275, 'x')});
    cases.push_back({"level2 long match ending in zero", {0x20, 'x', 0xE0, 255, 255, 0, 0x00},
                     rep(1 + 6 + 510 + 3, 'x')});
    {
        // high byte of the distance: 1 * 256 + 43 + 1 = 300 back.
        const Bytes prefix = pattern(300);
        Bytes block = concat(literalRuns(prefix, 0), {0x21, 43});
        Bytes expected = concat(prefix, Bytes(prefix.begin(), prefix.begin() + 3));
        cases.push_back({"level1 distance with high bits", block, expected});
    }
    {
        // The largest level-1 distance, 31/255: 8192 back.
        const Bytes prefix = pattern(8192);
        Bytes block = concat(literalRuns(prefix, 0), {0x3F, 0xFF});
        Bytes expected = concat(prefix, Bytes(prefix.begin(), prefix.begin() + 3));
        cases.push_back({"level1 largest distance", block, expected});
    }
    {
        // Level 2 far form: 31/255 then e = 0x0105, 8192 + 261 back.
        const Bytes prefix = pattern(9000);
        Bytes block = concat(literalRuns(prefix, 1), {0x3F, 0xFF, 0x01, 0x05});
        const std::size_t from = prefix.size() - (8192 + 261);
        Bytes expected = concat(prefix, Bytes(prefix.begin() + static_cast<std::ptrdiff_t>(from),
                                              prefix.begin() + static_cast<std::ptrdiff_t>(from + 3)));
        cases.push_back({"level2 far distance", block, expected});
    }
    {
        // Far form with a long length: ctrl 0xFF, one length byte 2.
        const Bytes prefix = pattern(8192);
        Bytes block = concat(literalRuns(prefix, 1), {0xFF, 2, 0xFF, 0x00, 0x00});
        Bytes expected = concat(prefix, Bytes(prefix.begin(), prefix.begin() + 11));
        cases.push_back({"level2 far distance long match", block, expected});
    }
    {
        // Level 1 reads 31/255 as a near distance, not the far form.
        const Bytes prefix = pattern(8192);
        Bytes block = concat(literalRuns(prefix, 0), {0x3F, 0xFF, 0x00, 'z'});
        Bytes expected = concat(prefix, Bytes(prefix.begin(), prefix.begin() + 3));
        expected.push_back('z');
        cases.push_back({"level1 has no far form", block, expected});
    }
    return cases;
}

TEST(FastLzDecompress, DecodesEveryInstructionForm) {
    for (const FormCase& c : formCases()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeOrDie(c.block, c.expected.size() + 16), c.expected);
        Bytes exact(c.expected.size());
        EXPECT_TRUE(fastlzDecompressExact(c.block, exact));
    }
}

struct BadCase {
    const char* name;
    Bytes block;
    std::size_t capacity;
};

TEST(FastLzDecompress, RefusesMalformedBlocks) {
    const std::vector<BadCase> cases = {
        {"empty input", {}, 16},
        {"level bits 2", {0x40, 'a'}, 16},
        {"level bits 7", {0xE0, 'a'}, 16},
        {"first literal run cut short", {0x03, 'a', 'b'}, 16},
        {"later literal run cut short", {0x00, 'a', 0x02, 'b'}, 16},
        {"match without its distance byte", {0x00, 'a', 0x20}, 16},
        {"level1 long match without length byte", {0x00, 'a', 0xE0}, 16},
        {"level2 length bytes run out on 255", {0x20, 'a', 0xE0, 255}, 1024},
        {"level2 far form without its two bytes", {0x20, 'a', 0x3F, 0xFF, 0x00}, 16},
        {"match before the start of the output", {0x00, 'a', 0x20, 0x01}, 16},
        {"level2 run cut short after the first", {0x20, 0x20, 0x00}, 16},
        {"literal run overflowing the output", {0x03, 'a', 'b', 'c', 'd'}, 3},
        {"match overflowing the output", {0x00, 'a', 0xE0, 10, 0x00}, 12},
        {"lone control byte after a complete instruction", {0x00, 'a', 0x00}, 16},
        {"trailing match control byte", {0x00, 'a', 0x40}, 16},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.name);
        // Exact-size heap copies, so a read past either end is caught under ASan.
        Bytes in = c.block;
        Bytes out(c.capacity);
        EXPECT_FALSE(fastlzDecompress(in, out).has_value());
    }
}

TEST(FastLzDecompress, RefusesTheThreeByteOverreadStream) {
    // A literal 'A' then a match whose distance byte is missing: a decoder
    // that trusts its input reads a fourth byte here.
    const Bytes in = {0x20, 0x41, 0x40};
    Bytes out(64);
    EXPECT_FALSE(fastlzDecompress(in, out).has_value());
}

TEST(FastLzDecompress, ExactRefusesAShorterResult) {
    const Bytes in = {0x02, 'a', 'b', 'c'};
    Bytes bigger(4);
    EXPECT_FALSE(fastlzDecompressExact(in, bigger));
    Bytes exact(3);
    EXPECT_TRUE(fastlzDecompressExact(in, exact));
}

TEST(FastLzDecompress, DenseLevel2MatchStaysWithinTheSizeBound) {
    // 1 + 1 + 1 + 200 + 1 + 1 input bytes, nearly all 255 length bytes.
    Bytes in = {0x20, 'x', 0xE0};
    in.insert(in.end(), 200, 255);
    in.push_back(0);
    in.push_back(0);
    const std::size_t expected = 1 + 6 + 200 * 255 + 3;
    Bytes out(expected);
    ASSERT_TRUE(fastlzDecompressExact(in, out));
    EXPECT_LE(expected, fastlzMaxDecompressedSize(in.size()));
}

}  // namespace
}  // namespace velmora::codec
