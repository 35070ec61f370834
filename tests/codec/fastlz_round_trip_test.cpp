// The compressor's blocks decode back to their input at both levels, and they
// really use back-references (the output shrinks where the input repeats).
#include "codec/fastlz.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace velmora::codec {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes randomBytes(std::size_t n, unsigned seed, unsigned alphabet = 256) {
    std::mt19937 gen(seed);
    std::uniform_int_distribution<unsigned> dist(0, alphabet - 1);
    Bytes b(n);
    for (auto& v : b) {
        v = static_cast<std::uint8_t>(dist(gen));
    }
    return b;
}

Bytes text(std::size_t n) {
    const std::string words = "the quick brown fox jumps over the lazy dog; ";
    Bytes b;
    for (std::size_t i = 0; b.size() < n; ++i) {
        b.insert(b.end(), words.begin(), words.end());
        b.push_back(static_cast<std::uint8_t>('0' + i % 10));
    }
    b.resize(n);
    return b;
}

Bytes repeatedBlock(std::size_t block, std::size_t times, unsigned seed) {
    const Bytes one = randomBytes(block, seed);
    Bytes b;
    for (std::size_t i = 0; i < times; ++i) {
        b.insert(b.end(), one.begin(), one.end());
    }
    return b;
}

struct DataCase {
    const char* name;
    Bytes data;
};

std::vector<DataCase> dataCases() {
    return {
        {"one byte", {0x7F}},
        {"two bytes", {1, 2}},
        {"three equal bytes", {9, 9, 9}},
        {"32 random bytes", randomBytes(32, 1)},
        {"33 random bytes", randomBytes(33, 2)},
        {"random 100k", randomBytes(100000, 3)},
        {"small alphabet 50k", randomBytes(50000, 4, 4)},
        {"zeros 300k", Bytes(300000, 0)},
        {"text 64k", text(65536)},
        {"repeat at 5000", repeatedBlock(5000, 6, 5)},
        {"repeat at 20000", repeatedBlock(20000, 3, 6)},
        {"repeat beyond far reach", repeatedBlock(80000, 2, 7)},
    };
}

void expectRoundTrip(const Bytes& data, FastLzLevel level) {
    const Bytes packed = fastlzCompress(data, level);
    ASSERT_FALSE(packed.empty());
    EXPECT_EQ(packed[0] >> 5, level == FastLzLevel::One ? 0 : 1);
    Bytes out(data.size());
    ASSERT_TRUE(fastlzDecompressExact(packed, out));
    EXPECT_EQ(out, data);
}

TEST(FastLzRoundTrip, BothLevelsReverseVariedData) {
    for (const DataCase& c : dataCases()) {
        SCOPED_TRACE(c.name);
        expectRoundTrip(c.data, FastLzLevel::One);
        expectRoundTrip(c.data, FastLzLevel::Two);
    }
}

TEST(FastLzRoundTrip, RepeatsShrinkTheOutput) {
    const Bytes zeros(300000, 0);
    // Level 1 needs a match per 264 bytes, level 2 about one byte per 255.
    EXPECT_LT(fastlzCompress(zeros, FastLzLevel::One).size(), zeros.size() / 60);
    EXPECT_LT(fastlzCompress(zeros, FastLzLevel::Two).size(), zeros.size() / 200);
    const Bytes near = repeatedBlock(5000, 6, 8);
    EXPECT_LT(fastlzCompress(near, FastLzLevel::One).size(), near.size() / 4);
}

TEST(FastLzRoundTrip, OnlyLevel2ReachesBeyond8192Back) {
    const Bytes far = repeatedBlock(20000, 3, 9);
    const std::size_t level1 = fastlzCompress(far, FastLzLevel::One).size();
    const std::size_t level2 = fastlzCompress(far, FastLzLevel::Two).size();
    EXPECT_GT(level1, far.size());
    EXPECT_LT(level2, far.size() / 2);
}

// Decoding in steps of any size gives the whole-block result: each step ends
// on an instruction boundary at or past what it was asked for.
TEST(FastLzDecoder, StepsOfAnySizeDecodeTheSameBlock) {
    for (const DataCase& c : dataCases()) {
        SCOPED_TRACE(c.name);
        const Bytes packed = fastlzCompress(c.data, FastLzLevel::Two);
        for (std::size_t stepSize : {std::size_t{1}, std::size_t{5}, std::size_t{100}, std::size_t{4096}}) {
            SCOPED_TRACE(stepSize);
            Bytes out(c.data.size());
            FastLzDecoder decoder(packed, out);
            FastLzDecoder::Step step = FastLzDecoder::Step::More;
            while (step == FastLzDecoder::Step::More) {
                const std::size_t asked = decoder.consumed() + stepSize;
                step = decoder.decodeUntil(asked);
                EXPECT_TRUE(decoder.consumed() >= asked || step != FastLzDecoder::Step::More);
            }
            EXPECT_EQ(step, FastLzDecoder::Step::Done);
            EXPECT_EQ(decoder.consumed(), packed.size());
            EXPECT_EQ(decoder.produced(), c.data.size());
            EXPECT_EQ(out, c.data);
        }
    }
}

TEST(FastLzDecoder, AFailedBlockStaysFailed) {
    Bytes packed = fastlzCompress(randomBytes(1000, 11), FastLzLevel::One);
    packed.resize(packed.size() - 5);  // the last literal run is cut short
    Bytes out(1000);
    FastLzDecoder decoder(packed, out);
    EXPECT_EQ(decoder.decodeUntil(100), FastLzDecoder::Step::More);
    EXPECT_EQ(decoder.decodeUntil(packed.size()), FastLzDecoder::Step::Failed);
    EXPECT_EQ(decoder.decodeUntil(packed.size()), FastLzDecoder::Step::Failed);
    EXPECT_EQ(FastLzDecoder({}, out).decodeUntil(1), FastLzDecoder::Step::Failed) << "an empty block";
}

TEST(FastLzRoundTrip, EmptyInputGivesEmptyBlock) {
    EXPECT_TRUE(fastlzCompress({}, FastLzLevel::One).empty());
}

}  // namespace
}  // namespace velmora::codec
