// The note path must not touch the heap: count every allocation the process
// makes while notes are played.
#include <gtest/gtest.h>

#include "engine/voices.h"
#include "tests/support/allocation_counter.h"
#include "tests/support/instance_fixture.h"

namespace velmora::test {
namespace {

TEST(NotePathAllocation, TenThousandNoteCyclesAllocateNothing) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    for (int a = 0; a < 16; ++a) {
        plug->articulations.note[a] = 24 + a;
        plug->articulations.prog[a] = a % 3;
        plug->articulations.modc[a] = a % 2 == 0 ? 1 : kModSecondKeyswitch;
        plug->articulations.modw[a] = 40 + a;
    }
    plug->releasetocc117 = 1;
    plug->cctimingfix = 1;
    plug->holdkeyswitch = 1;
    plug->samplesPerTick = 229.6875f;
    constexpr int kCycles = 10000;
    for (std::intptr_t tag = 1; tag <= 16; ++tag) {
        host.colours[tag] = static_cast<int>(tag - 1);
        host.releaseVelocities[tag] = 0.5f;
    }
    host.reserve(kCycles * 32);

    // Some voices stay live throughout so lookups run over a filled table.
    TVoiceParams held = Levels(0.8f, 1200.0f);
    for (int i = 0; i < 500; ++i) {
        ASSERT_NE(TriggerVoice(*plug, &held, 1), 0);
    }

    const long before = velmora::test::AllocationCount();
    int failures = 0;
    for (int i = 0; i < kCycles; ++i) {
        const std::intptr_t tag = 1 + i % 16;
        TVoiceParams p = Levels(0.1f * static_cast<float>(i % 20), static_cast<float>(i % 48) * 100.0f);
        const TVoiceHandle h = TriggerVoice(*plug, &p, tag);
        failures += h == 0 ? 1 : 0;
        NewTick(*plug);
        Voice_Release(*plug, h);
        for (int t = 0; t < 6; ++t) {
            NewTick(*plug);
        }
        Voice_Kill(*plug, h);
    }
    const long during = velmora::test::AllocationCount() - before;
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(during, 0);
    EXPECT_GT(host.midi.size(), static_cast<std::size_t>(kCycles * 3)) << "the cycles really played";
    EXPECT_EQ(plug->voices.liveCount(), 500);
}

}  // namespace
}  // namespace velmora::test
