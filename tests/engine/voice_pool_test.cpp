#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/voice_pool.h"

namespace velmora {
namespace {

TEST(VoicePool, NewVoiceTakesTheFirstEmptySlot) {
    auto pool = std::make_unique<VoicePool>();
    std::vector<Voice*> v;
    for (int i = 0; i < 130; ++i) {
        v.push_back(pool->alloc(i + 1));
        EXPECT_EQ(pool->slotOf(*v.back()), i);
    }
    pool->free(*v[70]);
    pool->free(*v[3]);
    EXPECT_EQ(pool->slotOf(*pool->alloc(99)), 3);
    EXPECT_EQ(pool->slotOf(*pool->alloc(98)), 70);
    EXPECT_EQ(pool->slotOf(*pool->alloc(97)), 130);
}

TEST(VoicePool, FullPoolGivesNothingUntilASlotFrees) {
    auto pool = std::make_unique<VoicePool>();
    Voice* last = nullptr;
    for (int i = 0; i < kVoiceSlots; ++i) {
        last = pool->alloc(i + 1);
        ASSERT_NE(last, nullptr);
    }
    EXPECT_EQ(pool->alloc(0), nullptr);
    EXPECT_EQ(pool->liveCount(), kVoiceSlots);
    pool->free(*last);
    Voice* again = pool->alloc(5);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(pool->slotOf(*again), kVoiceSlots - 1);
}

TEST(VoicePool, FindAcceptsOnlyLiveHandles) {
    auto pool = std::make_unique<VoicePool>();
    Voice* v = pool->alloc(1);
    const TVoiceHandle h = VoicePool::handleOf(*v);
    EXPECT_EQ(pool->find(h), v);
    for (TVoiceHandle bad : {TVoiceHandle{0}, h + 1, h - static_cast<TVoiceHandle>(sizeof(Voice)),
                             h + static_cast<TVoiceHandle>(sizeof(Voice)) * kVoiceSlots, TVoiceHandle{-8}}) {
        EXPECT_EQ(pool->find(bad), nullptr) << bad;
    }
    pool->free(*v);
    EXPECT_EQ(pool->find(h), nullptr);
}

TEST(VoicePool, VisitsInSlotOrderAndSurvivesFreeingDuringTheVisit) {
    auto pool = std::make_unique<VoicePool>();
    std::vector<Voice*> v;
    for (int i = 0; i < 200; ++i) {
        v.push_back(pool->alloc(i));
    }
    pool->free(*v[64]);
    std::vector<std::intptr_t> seen;
    pool->forEachLive([&](Voice& voice) {
        seen.push_back(voice.voiceTag);
        pool->free(voice);
        if (voice.voiceTag == 10) {
            pool->free(*v[11]);  // a later one goes away before its turn
        }
    });
    ASSERT_EQ(seen.size(), 198U);
    EXPECT_EQ(seen[10], 10);
    EXPECT_EQ(seen[11], 12);
    EXPECT_EQ(pool->liveCount(), 0);
}

TEST(VoicePool, CountsVoicesPerNote) {
    auto pool = std::make_unique<VoicePool>();
    Voice* a = pool->alloc(1);
    Voice* b = pool->alloc(2);
    pool->setMessage(*a, 0x00643C90);
    pool->setMessage(*b, 0x00643C90);
    EXPECT_EQ(pool->voicesWithNote(60), 2);
    pool->setMessage(*a, 0x00003C80);  // note-off keeps the note
    EXPECT_EQ(pool->voicesWithNote(60), 2);
    pool->free(*b);
    EXPECT_EQ(pool->voicesWithNote(60), 1);
}

}  // namespace
}  // namespace velmora
