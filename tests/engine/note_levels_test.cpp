#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/note_levels.h"

namespace velmora {
namespace {

TEST(NoteLevels, VelocityCurve) {
    struct Row {
        float level;
        int velocity;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const Row r : {Row{1.0f, 100}, Row{0.0f, 1}, Row{0.5f, 74}, Row{2.0f, 127}, Row{3.5f, 127}, Row{-1.0f, 1},
                        Row{nan, 1}}) {
        EXPECT_EQ(NoteVelocity(r.level), r.velocity) << r.level;
    }
    // Learning takes the formula without the limit.
    EXPECT_GT(VelocityFormula(3.5f), 127);
}

TEST(NoteLevels, NoteFromPitch) {
    struct Row {
        float cents;
        int note;
    };
    for (const Row r : {Row{0.0f, 60}, Row{100.0f, 61}, Row{-6000.0f, 0}, Row{6700.0f, 127}, Row{-50.0f, 59},
                        Row{1e30f, static_cast<std::uint8_t>((2147483647U + 6000U) / 100U)}}) {
        EXPECT_EQ(NoteFromPitch(r.cents), r.note) << r.cents;
    }
}

TEST(NoteLevels, BanksFromModX) {
    struct Row {
        float modx;
        int bank;
    };
    for (const Row r : {Row{-1.0f, 0}, Row{-0.4f, 1}, Row{0.0f, 0}, Row{0.0000005f, 0}, Row{0.2f, 2}, Row{0.6f, 3},
                        Row{1.0f, 3}, Row{-3.0f, 0}, Row{7.0f, 3}}) {
        EXPECT_EQ(BankFromModX(r.modx), r.bank) << r.modx;
    }
}

}  // namespace
}  // namespace velmora
