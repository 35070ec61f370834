// Streams cut anywhere, counts and indexes beyond the instance's tables and
// plain noise: the restore reads only what is there and writes only inside
// the records.
#include <gtest/gtest.h>

#include <random>

#include "persistence/project_state.h"
#include "platform/byte_stream.h"
#include "tests/support/instance_fixture.h"
#include "tests/persistence/state_fixture.h"
#include "tests/support/state_writer.h"

namespace velmora::test {
namespace {

// A version 10 state that uses every part of the layout.
StateDescription FullState() {
    StateDescription s;
    s.articulations.resize(64);
    for (int a = 0; a < 64; ++a) {
        s.articulations[a] = {a, 100, a + 1, -1, a + 2, 1, a % 8, "Art " + std::to_string(a), "", {}};
    }
    s.articulations[10].keyNamePath = "/nonexistent/velmora/keys.txt";
    s.articulations[10].keyNames = {{0, "top"}, {147, "bottom"}};
    s.articulations[63].keyNames = {{64, "middle"}};
    s.pages.assign(16, "Page");
    s.controllers.resize(96);
    for (int c = 0; c < 96; ++c) {
        s.controllers[c] = {static_cast<std::uint32_t>(c), static_cast<std::uint32_t>(c), 1, 2, 1, 1, "C" + std::to_string(c)};
    }
    s.controllerstart = 12;
    s.options = DefaultVersion10Options();
    SetOption(s.options, "port", 7);
    SetOption(s.options, "channel", 9);
    SetOption(s.options, "uiscale", 150);
    return s;
}

TEST(ProjectStateBadInput, EveryPrefixOfAFullStateRestores) {
    const std::vector<std::uint8_t> full = WriteState(FullState());
    RecordingHost host;
    host.reserve(16);
    auto plug = MakeInstance(host);
    for (std::size_t n = 0; n <= full.size(); ++n) {
        host.clearRecords();
        Restore(*plug, std::vector<std::uint8_t>(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n)));
        ASSERT_EQ(plug->fresh, 0);
    }
    // The whole stream was applied by the last round.
    EXPECT_EQ(plug->articulations.name[63], "Art 63");
    EXPECT_EQ(plug->controllers.name[95], "C95");
    EXPECT_EQ(plug->port, 7);
}

TEST(ProjectStateBadInput, ACutStreamKeepsWhatItReadAndDefaultsTheRest) {
    StateDescription s = FullState();
    const std::vector<std::uint8_t> full = WriteState(s);
    // Cut inside the controller names: find the bytes of "C50".
    const std::string marker = std::string("\x03\x00", 2) + "C50";
    const auto at = std::search(full.begin(), full.end(), marker.begin(), marker.end());
    ASSERT_NE(at, full.end());
    RecordingHost host;
    auto first = MakeInstance(host, 1);
    auto plug = MakeInstance(host, 2);  // port 0, channel 1 by creation order
    host.clearRecords();
    Restore(*plug, std::vector<std::uint8_t>(full.begin(), at + 3));  // "C5" of "C50" arrived

    EXPECT_EQ(plug->articulations.name[63], "Art 63");
    EXPECT_EQ(plug->articulations.modw[20], 22);
    EXPECT_EQ(plug->controllers.value[95], 95) << "the value arrays came before the cut";
    EXPECT_EQ(plug->controllers.lock[95], 1);
    EXPECT_EQ(plug->controllers.name[49], "C49");
    EXPECT_EQ(plug->controllers.name[50], "") << "a text cut off stays at its default";
    EXPECT_EQ(plug->controllers.name[51], "");
    EXPECT_EQ(plug->controllerstart, 0);
    EXPECT_EQ(plug->port, 0) << "held values never reached are not applied";
    EXPECT_EQ(plug->channel, 1);
    EXPECT_EQ(plug->tab, 1);
    EXPECT_EQ(plug->cctimingfix, 0);
    EXPECT_EQ(host.callsWithId(plug::FHD_SetNumParams).size(), 1U) << "closing steps still run";
    EXPECT_EQ(plug->stateVersion, 10);
}

TEST(ProjectStateBadInput, RecordsBeyondTheTablesAreReadPastAndDropped) {
    StateDescription s = FullState();
    s.articulations.resize(70);
    s.articulations[66].name = "too far";
    s.articulations[66].keyNamePath = "/nonexistent/beyond.txt";
    s.articulations[66].keyNames = {{3, "x"}};
    s.articulations[1].keyNames = {{148, "past the end"}, {65535, "far past"}, {7, "kept"}};
    s.pages.resize(20, "extra page");
    s.controllers.resize(120);
    s.controllers[119].name = "too far";
    RecordingHost host;
    auto plug = MakeInstance(host);
    Restore(*plug, WriteState(s));
    // Everything after the oversized parts still lines up.
    ASSERT_TRUE(plug->articulations.keyNames[1].names);
    EXPECT_EQ((*plug->articulations.keyNames[1].names)[7], "kept");
    EXPECT_EQ(plug->articulations.name[63], "Art 63");
    EXPECT_EQ(plug->pageNames[15], "Page");
    EXPECT_EQ(plug->controllers.name[95], "C95");
    EXPECT_EQ(plug->controllerstart, 12);
    EXPECT_EQ(plug->port, 7);
    EXPECT_FLOAT_EQ(plug->uiscale, 1.5f);
}

TEST(ProjectStateBadInput, TextsEndAtAZeroByteAndHugeCountsEndWithTheStream) {
    StreamBytes b;
    b.u32(10).u16(1).i32(1).i32(2).i32(3).i32(4).i32(5).i32(6);
    b.shortString(std::string("ab\0cd", 5));
    b.shortString("").u16(0);  // key-name block
    b.u16(1).u16(65535).raw(std::vector<std::uint8_t>(100, 'x'));  // a page name cut off long before its length
    RecordingHost host;
    auto plug = MakeInstance(host);
    Restore(*plug, b.bytes);
    EXPECT_EQ(plug->articulations.name[0], "ab");
    EXPECT_EQ(plug->articulations.icon[0], 6);
    EXPECT_EQ(plug->pageNames[0], "");

    StreamBytes counts;
    counts.u32(10).u16(65535);  // 65535 articulations announced, none there
    Restore(*plug, counts.bytes);
    EXPECT_EQ(plug->articulations.note[0], -1);
}

TEST(ProjectStateBadInput, MidiOutEntriesPastTheKnobsAndCutEntries) {
    NamedModule module("ZOLT Velmora MIDI Out.so");
    RecordingHost host;
    auto plug = MakeInstance(host, 1, module);
    MidiOutDescription s;
    s.version = 4;
    s.knobs = {{72, 1, 0, "beyond"}, {127, 2, 0, "far beyond"}, {70, 3, 0, "last slot but one"}};
    std::vector<std::uint8_t> bytes = WriteMidiOutState(s);
    Restore(*plug, bytes);
    EXPECT_EQ(plug->controllers.name[71], "last slot but one");
    EXPECT_EQ(plug->controllers.name[73], "");
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        Restore(*plug, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n)));
    }
    EXPECT_EQ(plug->paramknob, 1);
}

TEST(ProjectStateBadInput, NoiseBehindEveryVersionNumber) {
    constexpr std::size_t kNoise = 3 << 20;
    constexpr std::size_t kOptionBytes = 378;  // the 24 options and their count always take this much
    std::mt19937 rng(12345);
    std::vector<std::uint8_t> noise(kNoise + 4);
    for (std::uint8_t& b : noise) {
        b = static_cast<std::uint8_t>(rng());
    }
    NamedModule midiOut("MIDI Out");
    NamedModule plain("ZOLT Velmora_x64.so");
    RecordingHost host;
    for (platform::Platform* module : {static_cast<platform::Platform*>(&plain), static_cast<platform::Platform*>(&midiOut)}) {
        auto plug = MakeInstance(host, 1, *module);
        for (std::uint8_t v = 0; v <= 12; ++v) {
            noise[0] = v;
            noise[1] = noise[2] = noise[3] = 0;
            host.clearRecords();
            Restore(*plug, noise);
            EXPECT_EQ(plug->stateVersion, v);
            // Whatever was read, the instance saves a well-formed state: read
            // back, it ends exactly at its last byte and gives the same records.
            // (The option values may differ: some older layouts keep values
            // that version 10 reads with their lowest bit only.)
            const std::vector<std::uint8_t> saved = Save(*plug);
            auto check = MakeInstance(host, 2);
            platform::MemoryStream stream(saved);
            RestoreProjectState(*check, stream);
            EXPECT_EQ(stream.position(), saved.size()) << "version " << int(v);
            const std::vector<std::uint8_t> again = Save(*check);
            ASSERT_EQ(again.size(), saved.size()) << "version " << int(v);
            const std::size_t records = saved.size() - kOptionBytes;
            EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + static_cast<std::ptrdiff_t>(records), again.begin()))
                << "version " << int(v);
        }
    }
}

}  // namespace
}  // namespace velmora::test
