// The live host's cycle without JACK: live MIDI played through the plugin
// library must give what `play` gives for the same notes as a session, at the
// frames of their ticks; held notes, kills and the interface thread's
// messages must find their way; and the cycle must not touch the heap.
#include <gtest/gtest.h>

#include "tests/host/live_rig.h"
#include "tests/support/allocation_counter.h"

namespace velmora::host::live {
namespace {

Session MustParse(const std::string& json) {
    std::string error;
    auto s = ParseSession(json, VELMORA_ROOT_DIR "/examples/demo", error);
    EXPECT_TRUE(s) << error;
    return s.value_or(Session{});
}

// The demo's articulations (bank 1 holds one too), a second instance on the
// same port, and a score with the transport started at tick 0.
Session DemoWith(const std::string& events) {
    return MustParse(R"({"instances": [
        {"articulations": "strings.zoltartic", "port": 0, "channel": 0, "options": {"articbanks": true, "showuacc": true}},
        {"articulations": "strings.zoltartic", "port": 1, "channel": 3}],
      "events": [{"type": "transport", "tick": 0, "playing": true})" +
                     events + "]}");
}

std::string Describe(const std::vector<HeardMessage>& heard, std::size_t i) {
    if (i >= heard.size()) {
        return "nothing";
    }
    char text[64];
    std::snprintf(text, sizeof(text), "word %08X at frame %lld", heard[i].word, static_cast<long long>(heard[i].frame));
    return text;
}

// What `play` sends and what the live cycle sent: the same words in the same
// order, each at the frame of its tick (the live clock's first frame of the
// tick; the notes are fed at that frame too).
void ExpectSameAsPlay(const Session& session, const std::vector<TimedInput>& midi, const LiveConfig& config) {
    std::string error;
    const auto played = Play(session, VELMORA_PLUGIN_PATH, error);
    ASSERT_TRUE(played) << error;
    LiveRig rig(session, config);
    ASSERT_TRUE(rig.ok());
    const double spt = rig.engine().samplesPerTick();
    std::int64_t lastTick = 0;
    for (const SentMessage& m : played->sent) {
        lastTick = std::max(lastTick, m.tick);
    }
    rig.runUntil(FrameOfTick(lastTick + 1, spt), midi);
    const auto& heard = rig.heard();
    ASSERT_EQ(heard.size(), played->sent.size()) << "first live message past play's: " << Describe(heard, played->sent.size());
    for (std::size_t i = 0; i < heard.size(); ++i) {
        const SentMessage& m = played->sent[i];
        ASSERT_EQ(heard[i].word, m.word) << "message " << i << " (tick " << m.tick << "): live sent " << Describe(heard, i);
        EXPECT_EQ(heard[i].frame, FrameOfTick(m.tick, spt)) << "message " << i << " (tick " << m.tick << ")";
    }
}

struct ScoreCase {
    const char* name;
    const char* events;
    bool banks;
};

TEST(LiveEngine, PlaysWhatPlayPlaysForTheSameNotes) {
    const ScoreCase cases[] = {
        {"colours switch articulations",
         R"(,{"type":"note","tick":0,"key":60,"velocity":90,"length":90,"colour":0,"release":64},
            {"type":"note","tick":96,"key":62,"velocity":40,"length":40,"colour":1},
            {"type":"note","tick":192,"key":64,"velocity":127,"length":20,"colour":2,"release":10},
            {"type":"note","tick":200,"key":67,"velocity":1,"length":200,"colour":3},
            {"type":"note","tick":200,"key":71,"velocity":70,"length":100,"colour":3})",
         false},
        {"the same key again where the last one ends",
         R"(,{"type":"note","tick":10,"key":60,"velocity":90,"length":48,"colour":0},
            {"type":"note","tick":58,"key":60,"velocity":91,"length":48,"colour":0},
            {"type":"note","tick":106,"key":60,"velocity":92,"length":48,"colour":2})",
         false},
        {"pitch, volume, pan and a parameter between notes",
         R"(,{"type":"note","tick":0,"key":50,"velocity":90,"length":300,"colour":0},
            {"type":"pitch","tick":20,"value":-1200},{"type":"pitch","tick":40,"value":350},
            {"type":"volume","tick":60,"value":100},{"type":"pan","tick":80,"value":20},
            {"type":"param","tick":100,"index":1,"value":64},{"type":"param","tick":120,"index":11,"value":127})",
         false},
        {"banks by MOD X",
         R"(,{"type":"note","tick":0,"key":60,"velocity":90,"length":40,"colour":0,"modx":-0.75},
            {"type":"note","tick":48,"key":62,"velocity":90,"length":40,"colour":0,"modx":-0.25},
            {"type":"note","tick":96,"key":64,"velocity":90,"length":40,"colour":1,"modx":0.25},
            {"type":"note","tick":144,"key":65,"velocity":90,"length":40,"colour":0,"modx":-0.75})",
         true},
    };
    for (const ScoreCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Session session = DemoWith(c.events);
        LiveConfig config;
        config.banks = c.banks;
        config.bankCc = 0;
        ExpectSameAsPlay(session, LiveMidiOf(session, 0, session.samplesPerTick(), c.banks ? 0 : -1), config);
    }
}

// Where a note-on comes out after its articulation's control change, held
// back five ticks by the CC timing fix, at a timebase master's tempo.
std::int64_t DelayOfHeldBackNote(double bpm) {
    const Session session = MustParse(
        R"({"instances": [{"articulations": "strings.zoltartic", "options": {"cctimingfix": true}}]})");
    LiveRig rig(session, LiveConfig{});
    EXPECT_TRUE(rig.ok());
    if (!rig.ok()) {
        return -1;
    }
    rig.runUntil(20000, {{10000, Midi(0x90, 60, 90)}}, bpm);
    for (const HeardMessage& m : rig.heard()) {
        if (m.word == 0x5A3C90) {
            return m.frame - 10000;
        }
    }
    return -1;
}

TEST(LiveEngine, TicksFollowATimebaseMastersTempo) {
    const std::int64_t at120 = DelayOfHeldBackNote(120.0);
    const std::int64_t at60 = DelayOfHeldBackNote(60.0);
    ASSERT_GT(at120, 4 * 229);
    ASSERT_LE(at120, 6 * 230);
    // Five ticks of twice the length, give or take where the first tick falls.
    EXPECT_NEAR(static_cast<double>(at60), 2.0 * static_cast<double>(at120), 460.0);
}

TEST(LiveEngine, MidiMapsToThePluginsValues) {
    // A session's pitch in cents, sent as the bend that stands for it, comes back whole.
    for (int cents = -1200; cents <= 1200; ++cents) {
        const int bend = 8192 + static_cast<int>(std::lround(cents * 8192.0 / 1200.0));
        ASSERT_EQ(CentsOfBend(std::min(bend, 16383)), cents);
    }
    // Each bank's level lies inside the range the plugin gives that bank.
    for (int bank = 0; bank < 4; ++bank) {
        EXPECT_EQ(static_cast<int>((BankLevel(bank) + 1.0) * 0.5 * 4.0), bank);
    }
    EXPECT_EQ(BankLevel(9), BankLevel(3));
}

// Note-on and note-off words of one channel's key in what was heard.
std::vector<std::uint32_t> NoteWords(const std::vector<HeardMessage>& heard, int key) {
    std::vector<std::uint32_t> words;
    for (const HeardMessage& m : heard) {
        const int kind = m.word & 0xF0;
        if ((kind == 0x90 || kind == 0x80) && static_cast<int>((m.word >> 8) & 0xFF) == key) {
            words.push_back(m.word & 0xFFFFFF);
        }
    }
    return words;
}

TEST(LiveEngine, NoteOffsEndTheOldestHeldNoteOfTheirKey) {
    LiveRig rig(DemoWith(""), LiveConfig{});
    ASSERT_TRUE(rig.ok());
    rig.runUntil(1024, {});
    const std::vector<TimedInput> in = {
        {1100, Midi(0x90, 72, 100)}, {1200, Midi(0x90, 72, 50)},  // the same key twice: two voices
        {1300, Midi(0x80, 72, 30)},                                // ends the first
        {1400, Midi(0x90, 72, 0)},                                 // a note-on of velocity 0 ends the second
        {1500, Midi(0x80, 72, 30)},                                // nothing left to end
        {1600, Midi(0x80, 40, 30)},                                // never started
    };
    const std::size_t before = rig.heard().size();
    rig.runUntil(4096, in);
    EXPECT_EQ(rig.host().voices().liveCount(), 0);
    const std::vector<HeardMessage> after(rig.heard().begin() + static_cast<long>(before), rig.heard().end());
    // Each note-off carries its release velocity; velocity 0's ends as 64 would.
    EXPECT_EQ(NoteWords(after, 72), (std::vector<std::uint32_t>{0x644890, 0x324890, 0x1E4880, 0x404880}));
}

TEST(LiveEngine, ATransportStopEndsEveryNoteAndLateNoteOffsFindNothing) {
    LiveRig rig(DemoWith(""), LiveConfig{});
    ASSERT_TRUE(rig.ok());
    rig.runUntil(512, {{100, Midi(0x90, 60, 90)}, {120, Midi(0x91, 64, 90)}});
    EXPECT_EQ(rig.host().voices().liveCount(), 2);
    rig.cycle(256, false);  // the transport stops: the plugin kills its voices
    EXPECT_EQ(rig.host().voices().liveCount(), 0);
    const std::size_t stopped = rig.heard().size();
    rig.cycle(256, false, {});
    EXPECT_EQ(rig.heard().size(), stopped);
}

TEST(LiveEngine, TheInterfaceThreadsMessagesAndKillsGoOutInTheNextCycle) {
    LiveRig rig(DemoWith(""), LiveConfig{});
    ASSERT_TRUE(rig.ok());
    rig.runUntil(512, {{300, Midi(0x90, 60, 90)}});
    ASSERT_EQ(rig.host().voices().liveCount(), 1);
    // Between cycles is the interface thread: what the plugin sends or kills
    // there waits for the next cycle's first frame.
    rig.host().MIDIOut(1, 0x00402AB0);
    std::intptr_t tag = 0;
    rig.host().voices().forEachLiveTag([&](std::intptr_t t) { tag = t; });
    rig.host().Voice_Kill(tag, 1);
    EXPECT_EQ(rig.host().voices().liveCount(), 1);
    const std::size_t before = rig.heard().size();
    rig.cycle(256, true);
    ASSERT_GT(rig.heard().size(), before);
    EXPECT_EQ(rig.heard()[before].word, 0x00402AB0U);
    EXPECT_EQ(rig.heard()[before].frame, 512);
    EXPECT_EQ(rig.host().voices().liveCount(), 0);
}

TEST(LiveEngine, CyclesAllocateNothingWithTwentyThousandVoicesHeld) {
    LiveConfig config;
    config.banks = true;
    LiveRig rig(DemoWith(""), config);
    ASSERT_TRUE(rig.ok());
    rig.runUntil(256, {});
    // 20,000 held notes over every channel and key, fed a few hundred a cycle.
    std::vector<TimedInput> in;
    for (int i = 0; i < 20000; ++i) {
        in.push_back({256 + i / 2, Midi(0x90 | (i % 16), 20 + (i / 16) % 100, 1 + i % 127)});
    }
    // Then notes at a thousand a second, with bank changes, bends and parameters.
    const std::int64_t from = 256 + 10000 + 256;
    for (int i = 0; i < 2000; ++i) {
        const std::int64_t f = from + i * 44;
        const int ch = i % 16;
        in.push_back({f, Midi(0xB0 | ch, 0, i % 4)});
        in.push_back({f, Midi(0x90 | ch, 10 + i % 8, 90)});
        in.push_back({f + 20, Midi(0xE0 | ch, i & 127, 64)});
        in.push_back({f + 30, Midi(0xB0 | ch, 1, i % 128)});
        in.push_back({f + 40, Midi(0x80 | ch, 10 + i % 8, 64)});
    }
    const long atStart = velmora::test::AllocationCount();
    rig.runUntil(from + 2000 * 44 + 1024, in);
    EXPECT_EQ(velmora::test::AllocationCount(), atStart) << "allocations while cycles ran";
    EXPECT_EQ(rig.engine().counts().notes, 22000U);
    EXPECT_EQ(rig.engine().counts().noVoice, 0U);
    EXPECT_EQ(rig.host().voices().liveCount(), 20000);
    EXPECT_EQ(rig.host().dropped(), 0U);
}

}  // namespace
}  // namespace velmora::host::live
