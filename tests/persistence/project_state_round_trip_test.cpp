// Save, restore into a new instance, save again: the same bytes, for many
// instances filled at random; and key names that come back from their files.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "persistence/project_state.h"
#include "platform/byte_stream.h"
#include "tests/support/instance_fixture.h"
#include "tests/persistence/state_fixture.h"
#include "tests/support/chunked_stream.h"
#include "tests/support/state_writer.h"

namespace velmora::test {
namespace {

class Filler {
public:
    explicit Filler(std::uint32_t seed) : rng_(seed) {}

    std::int32_t any() { return static_cast<std::int32_t>(rng_()); }
    std::int32_t upTo(std::int32_t n) { return static_cast<std::int32_t>(rng_() % static_cast<std::uint32_t>(n + 1)); }
    bool chance(int percent) { return upTo(99) < percent; }
    // Texts as the instance holds them: 8-bit, without zero bytes.
    std::string text(int longest) {
        std::string s(static_cast<std::size_t>(upTo(longest)), ' ');
        for (char& c : s) {
            c = static_cast<char>(1 + upTo(254));
        }
        return s;
    }

    void fill(Instance& p) {
        ArticulationTable& art = p.articulations;
        for (int a = 0; a < kArticulations; ++a) {
            if (!chance(30)) {
                continue;
            }
            art.set(a, Articulation{text(12), any(), any(), any(), any(), any(), any()});
            KeyNameMap& keys = art.keyNames[a];
            if (chance(30)) {
                keys.names = std::make_unique<KeyNames>();
                (*keys.names)[static_cast<std::size_t>(upTo(147))] = "k" + text(10);
                for (int e = upTo(20); e > 0; --e) {
                    (*keys.names)[static_cast<std::size_t>(upTo(147))] = text(70);
                }
            }
            if (chance(20)) {
                keys.path = "/nonexistent/velmora/" + std::to_string(a) + ".txt";  // comes back missing
            }
        }
        for (std::string& page : p.pageNames) {
            page = text(8);
        }
        ControllerTable& ctl = p.controllers;
        for (int c = 0; c < kControllers; ++c) {
            ctl.set(c, Controller{text(10), any(), any(), any(), any(), any(), upTo(1)});
        }
        p.controllerstart = any();
        p.port = any();
        p.channel = any();
        p.preserveport = upTo(1);
        p.tab = any();
        p.paramknob = any();
        p.minimised = static_cast<std::uint8_t>(upTo(1));
        p.oldparams = any();
        std::int32_t* bits[] = {&p.optimiseauto, &p.releasetocc117, &p.resetstate, &p.allowoverlap,
                                &p.altmiddlec,   &p.ccghosting,     &p.ccghostontransport, &p.holdkeyswitch,
                                &p.cctimingfix,  &p.cc64release,    &p.allchannelomni, &p.showuacc,
                                &p.articbanks,   &p.midiextend};
        for (std::int32_t* b : bits) {
            *b = upTo(1);
        }
        Process().showsingle = upTo(1);
        p.editing = any();
        if (p.cctimingfix != 0) {
            art.modw[upTo(63)] = 5;  // a modifier keeps the timing fix on
        }
    }

private:
    std::mt19937 rng_;
};

TEST(ProjectStateRoundTrip, RandomInstancesSaveTheSameBytesAfterARestore) {
    RecordingHost host;
    // Two instances serve every round (a new instance per round costs seconds
    // under the sanitizers): one is emptied and filled, the other restores as
    // a new instance would.
    auto original = MakeInstance(host, 1);
    auto copy = MakeInstance(host, 2);
    for (std::uint32_t seed = 1; seed <= 1000; ++seed) {
        original->Session_SetDefaults();
        Filler(seed).fill(*original);
        const std::vector<std::uint8_t> first = Save(*original);

        copy->fresh = 1;
        Restore(*copy, first);
        ASSERT_EQ(Save(*copy), first) << "seed " << seed;
        host.clearRecords();
    }
}

// A stream may move fewer bytes per call than asked; nothing may be lost.
TEST(ProjectStateRoundTrip, StreamsThatMoveFewBytesPerCallKeepEveryByte) {
    struct Case {
        std::uint32_t readPiece;
        std::uint32_t writePiece;
    };
    const Case cases[] = {{17, 23}, {1, 1}, {4096, 7}, {0xFFFFFFFF, 0xFFFFFFFF}};
    RecordingHost host;
    auto original = MakeInstance(host, 1);
    auto copy = MakeInstance(host, 2);
    Filler(7).fill(*original);
    const std::vector<std::uint8_t> whole = Save(*original);
    ASSERT_GT(whole.size(), 1000U);
    for (const Case& c : cases) {
        SCOPED_TRACE("reads of " + std::to_string(c.readPiece) + ", writes of " + std::to_string(c.writePiece));
        ChunkedStream saved(c.readPiece, c.writePiece);
        EXPECT_TRUE(SaveProjectState(*original, saved));
        EXPECT_EQ(saved.bytes(), whole);

        ChunkedStream in(c.readPiece, c.writePiece, whole);
        copy->fresh = 1;
        RestoreProjectState(*copy, in);
        EXPECT_EQ(Save(*copy), whole);
    }
    // A stream that moves everything at once sees one write, as it always did.
    ChunkedStream once(0xFFFFFFFF, 0xFFFFFFFF);
    SaveProjectState(*original, once);
    EXPECT_EQ(once.writes, 1);
}

TEST(ProjectStateRoundTrip, AStreamThatStopsTakingBytesIsAFailedSave) {
    RecordingHost host;
    auto plug = MakeInstance(host, 1);
    ChunkedStream full(23, 23);
    full.writeLimit = 100;
    EXPECT_FALSE(SaveProjectState(*plug, full));
    EXPECT_EQ(full.bytes().size(), 100U);
    const auto lines = host.debugLines();
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_NE(lines[0].find("state not saved: the host's stream took 100 of "), std::string::npos) << lines[0];
}

class KeyNameFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / ("velmora-state-keys-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    std::string write(const std::string& name, const std::string& content) {
        const std::filesystem::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    std::filesystem::path folder_;
};

TEST_F(KeyNameFiles, AFileThatStillOpensWinsOverTheStoredCopy) {
    const std::string path = write("Strings.legato.txt", "one\ntwo\n");
    RecordingHost host;
    auto plug = MakeInstance(host);
    StateDescription s;
    s.articulations.resize(16);
    s.articulations[3].keyNamePath = path;
    s.articulations[3].keyNames = {{0, "stored"}, {100, "stored too"}};
    s.articulations[4].keyNamePath = path;
    host.clearRecords();
    Restore(*plug, WriteState(s));

    for (int a : {3, 4}) {
        const KeyNameMap& map = plug->articulations.keyNames[a];
        ASSERT_TRUE(map.names) << a;
        EXPECT_EQ((*map.names)[0], "one") << a;
        EXPECT_EQ((*map.names)[1], "two") << a;
        EXPECT_EQ((*map.names)[100], "") << a;
        EXPECT_EQ(map.path, path);
        EXPECT_EQ(map.title, "Strings.legato");
        EXPECT_EQ(map.missing, 0);
    }
    const auto names = host.callsWithId(plug::FHD_NamesChanged);
    ASSERT_EQ(names.size(), 2U) << "one notice per file read";
    EXPECT_EQ(names[0].value, plug::kNamesPianoRoll);
}

TEST_F(KeyNameFiles, AVanishedFileKeepsTheStoredNamesAndIsMissing) {
    const std::string path = (folder_ / "gone.txt").string();
    RecordingHost host;
    auto plug = MakeInstance(host);
    StateDescription s;
    s.articulations.resize(16);
    s.articulations[2].keyNamePath = path;
    s.articulations[2].keyNames = {{5, "five"}, {140, "one forty"}};
    Restore(*plug, WriteState(s));
    const KeyNameMap& map = plug->articulations.keyNames[2];
    ASSERT_TRUE(map.names);
    EXPECT_EQ((*map.names)[5], "five");
    EXPECT_EQ((*map.names)[140], "one forty");
    EXPECT_EQ(map.missing, 1);
    EXPECT_EQ(map.title, "gone");
    EXPECT_EQ(map.path, path);

    // Saving and restoring again keeps them, still missing.
    auto copy = MakeInstance(host, 2);
    Restore(*copy, Save(*plug));
    EXPECT_EQ((*copy->articulations.keyNames[2].names)[140], "one forty");
    EXPECT_EQ(copy->articulations.keyNames[2].missing, 1);
}

}  // namespace
}  // namespace velmora::test
