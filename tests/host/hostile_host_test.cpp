// The plugin as a validator tries it: loaded through CreatePlugInstance and
// driven through the host interface only, with extreme values, streams that
// move a few bytes per call, random streams and many instances at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "host/plugin_library.h"
#include "platform/byte_stream.h"
#include "sdk/plug_constants.h"
#include "tests/support/chunked_stream.h"
#include "tests/support/recording_host.h"
#include "tests/support/state_writer.h"

namespace velmora::test {
namespace {

constexpr int kExtremes[] = {INT_MIN, -1, 0, 1, 127, 128, 65535, INT_MAX};

class HostileHost : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(library.ok()) << library.error(); }
    void TearDown() override {
        for (TFruityPlug* p : alive) {
            p->DestroyObject();
        }
    }
    TFruityPlug* Create(TPluginTag tag = 1) {
        TFruityPlug* p = library.create(&host, tag);
        if (p != nullptr) {
            alive.push_back(p);
        }
        return p;
    }
    void Destroy(TFruityPlug* p) {
        alive.erase(std::find(alive.begin(), alive.end(), p));
        p->DestroyObject();
    }
    const HostExtension& Extension(TFruityPlug* p) {
        std::string error;
        const HostExtension* e = host::HostExtensionOf(p, error);
        EXPECT_NE(e, nullptr) << error;
        return *e;
    }
    static std::vector<std::uint8_t> Save(TFruityPlug* p) {
        platform::MemoryStream out;
        p->SaveRestoreState(&out, 1);
        return out.bytes();
    }

    host::PluginLibrary library{VELMORA_PLUGIN_PATH};
    RecordingHost host;
    std::vector<TFruityPlug*> alive;
};

// Many instances come and go in random order; the process-wide state is
// released with the last one, so the creation order starts again after.
TEST_F(HostileHost, TenThousandInstancesComeAndGo) {
    std::mt19937 rng(12);
    for (int cycle = 0; cycle < 10000; ++cycle) {
        const std::size_t target = 20 + rng() % 5;
        while (alive.size() < target) {
            ASSERT_NE(Create(static_cast<TPluginTag>(cycle + 1)), nullptr);
        }
        Destroy(alive[rng() % alive.size()]);
        host.clearRecords();
    }
    while (!alive.empty()) {
        Destroy(alive.back());
    }
    TFruityPlug* fresh = Create();
    std::string listing;
    const auto append = [](void* context, const char* text, std::size_t length) {
        static_cast<std::string*>(context)->append(text, length);
    };
    ASSERT_EQ(Extension(fresh).listInstances(&fresh, 1, append, &listing), 1);
    EXPECT_NE(listing.find("\"port\":\t\t0,\n\t\t\t\"channel\":\t0,"), std::string::npos)
        << "the first instance of a new process state sits on port 0, channel 0";
}

TEST_F(HostileHost, StatesMoveInTwentyThreeByteWritesAndSeventeenByteReads) {
    StateDescription state;
    state.pages = {"Strings", "Winds"};
    for (int a = 0; a < 24; ++a) {
        StoredArticulation s;
        s.name = "Articulation number " + std::to_string(a) + " with a long name";
        s.note = a;
        s.keyNames = {{static_cast<std::uint16_t>(a), "key name " + std::to_string(a)}};
        state.articulations.push_back(s);
    }
    state.controllers.resize(96);
    state.options = DefaultVersion10Options();
    TFruityPlug* source = Create(1);
    platform::MemoryStream in(WriteState(state));
    source->SaveRestoreState(&in, 0);
    const std::vector<std::uint8_t> whole = Save(source);
    ASSERT_GT(whole.size(), 2000U);

    ChunkedStream written(17, 23);
    source->SaveRestoreState(&written, 1);
    EXPECT_EQ(written.bytes(), whole);

    TFruityPlug* copy = Create(2);
    ChunkedStream read(17, 23, written.bytes());
    copy->SaveRestoreState(&read, 0);
    EXPECT_EQ(Save(copy), whole) << "every field arrives through 17-byte reads";
}

TEST_F(HostileHost, RandomMegabyteStreamsRestoreAndSaveAgain) {
    std::mt19937 rng(99);
    TFruityPlug* p = Create();
    for (int round = 0; round < 3; ++round) {
        for (const bool header : {false, true}) {
            std::vector<std::uint8_t> bytes(1 << 20);
            for (auto& b : bytes) {
                b = static_cast<std::uint8_t>(rng());
            }
            if (header) {
                bytes[0] = static_cast<std::uint8_t>(1 + round * 4 + rng() % 4);  // versions 1 to 10
                bytes[1] = bytes[2] = bytes[3] = 0;
            }
            platform::MemoryStream in(bytes);
            p->SaveRestoreState(&in, 0);
            const std::vector<std::uint8_t> saved = Save(p);
            ASSERT_GE(saved.size(), 4U);
            // What it saved is a state a new instance takes back as it is.
            TFruityPlug* copy = Create(2);
            platform::MemoryStream again(saved);
            copy->SaveRestoreState(&again, 0);
            EXPECT_EQ(Save(copy), saved) << "round " << round << (header ? " with" : " without") << " a version";
            Destroy(copy);
        }
    }
}

// Instance settings the sweep runs under: the defaults, and the layouts and
// options that take other paths through the operations.
void Configure(const HostExtension& e, TFruityPlug* p, bool other) {
    for (const char* option : {"articbanks", "holdkeyswitch", "cctimingfix", "releasetocc117", "midiextend",
                               "showuacc", "allowoverlap", "resetstate"}) {
        e.setOption(p, option, other ? 1 : 0);
    }
    e.setOption(p, "parameterccs", other ? 0 : 1);
    e.setPortChannel(p, other ? 255 : 0, other ? 256 : 0);
}

// Every host-callable operation with values from both ends of their range.
void SweepOperations(TFruityPlug* p, RecordingHost& host) {
    for (int id = 0; id <= 100; ++id) {
        for (int index : kExtremes) {
            for (int value : kExtremes) {
                if (id == plug::FPD_DroppedFile) {
                    continue;  // its value is a path: swept below with texts
                }
                p->Dispatcher(id, index, value);
            }
        }
    }
    for (const char* path : {"", "x", "no extension", "a.", ".nki", "/nonexistent/strings.nki",
                             "/nonexistent/set.zoltartic", "C:\\Lib.old\\Violins.nki"}) {
        p->Dispatcher(plug::FPD_DroppedFile, 0, reinterpret_cast<std::intptr_t>(path));
    }
    p->Dispatcher(plug::FPD_Transport, 0, 0);

    char name[plug::kNameBufferSize];
    for (int section = -1; section <= 12; ++section) {
        for (int index : kExtremes) {
            for (int value : kExtremes) {
                name[0] = '\0';
                p->GetName(section, index, value, name);
                ASSERT_LT(std::char_traits<char>::length(name), sizeof(name));
            }
        }
    }

    const int flagSets[] = {0,
                            plug::REC_UpdateValue,
                            plug::REC_UpdateValue | plug::REC_ShowHint,
                            plug::REC_UpdateControl,
                            plug::REC_GetValue,
                            plug::REC_FromMIDI | plug::REC_UpdateValue | plug::REC_ShowHint,
                            -1};
    for (int index : kExtremes) {
        for (int value : kExtremes) {
            for (int flags : flagSets) {
                p->ProcessParam(index, value, flags);
            }
            p->ProcessEvent(index, value, 0);
        }
    }
    for (int event = 0; event <= 8; ++event) {
        for (int value : kExtremes) {
            p->ProcessEvent(event, value, 0);
        }
    }

    const float levels[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::max(),
                            -std::numeric_limits<float>::max(), -1.0f, 0.0f, 1.0f, 1e9f};
    std::intptr_t tag = 1;
    for (float level : levels) {
        for (float pitch : levels) {
            TVoiceParams params{};
            params.InitLevels.Vol = level;
            params.FinalLevels.Vol = level;
            params.InitLevels.Pitch = pitch;
            params.FinalLevels.Pitch = pitch;
            params.InitLevels.FCut = pitch;
            host.colours[tag] = static_cast<int>(tag * 37);
            host.releaseVelocities[tag] = level;
            const TVoiceHandle h = p->TriggerVoice(&params, tag);
            p->NewTick();
            if ((tag & 1) != 0) {
                p->Voice_Release(h);
            }
            p->Voice_Kill(h);
            ++tag;
        }
    }
    p->Dispatcher(plug::FPD_SetSamplesPerTick, 0, 0x7F800000);  // infinity
    p->NewTick();
    p->Idle_Public();
}

TEST_F(HostileHost, EveryOperationTakesExtremeValues) {
    for (const bool other : {false, true}) {
        SCOPED_TRACE(other ? "slot layout, banks and options on" : "defaults");
        TFruityPlug* p = Create();
        Configure(Extension(p), p, other);
        SweepOperations(p, host);
        Destroy(p);
        host.clearRecords();
    }
    // Whatever a damaged project left in the instance (offsets, layouts,
    // tables), the operations still take every value.
    std::mt19937 rng(5);
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE("after random state " + std::to_string(round));
        TFruityPlug* p = Create();
        std::vector<std::uint8_t> bytes(1 << 16);
        for (auto& b : bytes) {
            b = static_cast<std::uint8_t>(rng());
        }
        bytes[0] = static_cast<std::uint8_t>(7 + round);  // versions 7 to 10
        bytes[1] = bytes[2] = bytes[3] = 0;
        platform::MemoryStream in(bytes);
        p->SaveRestoreState(&in, 0);
        SweepOperations(p, host);
        Destroy(p);
        host.clearRecords();
    }
}

}  // namespace
}  // namespace velmora::test
