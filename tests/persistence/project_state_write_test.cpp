// The version 10 layout the instance writes, byte for byte.
#include <gtest/gtest.h>

#include "persistence/project_state.h"
#include "platform/byte_stream.h"
#include "tests/support/instance_fixture.h"
#include "tests/persistence/state_fixture.h"
#include "tests/support/state_writer.h"

namespace velmora::test {
namespace {

// What a new first instance holds, as the description of its state.
StateDescription NewInstanceState() {
    StateDescription s;
    s.articulations.resize(16);
    s.pages.resize(16);
    s.controllers.resize(96);
    const char* names[] = {"Dynamics", "Breath", "Expression", "Speed", "Vibrato", "Hold"};
    const std::uint32_t ccs[] = {1, 2, 11, 16, 21, 64};
    for (int c = 0; c < 6; ++c) {
        s.controllers[c].name = names[c];
        s.controllers[c].cc = ccs[c];
    }
    s.controllers[5].type = 1;
    s.controllers[5].value = 0;
    s.controllers[5].defaultValue = 0;
    s.options = DefaultVersion10Options();
    return s;
}

TEST(ProjectStateWrite, NewInstanceMatchesTheLayoutExactly) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    const std::vector<std::uint8_t> bytes = Save(*plug);

    EXPECT_EQ(bytes, WriteState(NewInstanceState()));
    // Worked out by hand: header 6, 16 articulations 480, pages 34, 96 controllers
    // 2306 + names 232, controllerstart 4, 24 options 378.
    EXPECT_EQ(bytes.size(), 3440U);
    const std::vector<std::uint8_t> head = {0x0A, 0, 0, 0, 0x10, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin()));
    const std::string tail = std::string("\x09\x00", 2) + "midixtend" + std::string(4, '\0');
    EXPECT_EQ(std::string(bytes.end() - static_cast<std::ptrdiff_t>(tail.size()), bytes.end()), tail);
}

TEST(ProjectStateWrite, EveryFieldLandsInItsColumn) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    StateDescription expected = NewInstanceState();

    ArticulationTable& art = plug->articulations;
    art.note[2] = 36;
    art.notev[2] = 90;
    art.prog[2] = 5;
    art.modw[2] = 64;
    art.modc[2] = 1;
    art.icon[2] = 7;
    art.name[2] = "Legato";
    expected.articulations.resize(3);  // the last one in use
    expected.articulations[2] = {36, 90, 5, -1, 64, 1, 7, "Legato", "", {}};
    plug->pageNames[15] = "Strings";
    expected.pages[15] = "Strings";
    plug->controllers.set(95, Controller{"Air", 2, 11, 74, 0, 33, 1});
    expected.controllers[95] = {33, 74, 2, 11, 0, 1, "Air"};
    plug->controllerstart = 90;
    expected.controllerstart = 90;

    plug->port = 3;
    plug->channel = 256;
    plug->preserveport = 1;
    plug->tab = 2;
    plug->paramknob = 1;
    plug->minimised = 1;
    plug->oldparams = 1;
    plug->optimiseauto = 0;
    plug->releasetocc117 = 1;
    plug->resetstate = 1;
    Process().showsingle = 0;
    plug->allowoverlap = 1;
    plug->altmiddlec = 1;
    plug->ccghosting = 1;
    plug->ccghostontransport = 1;
    plug->holdkeyswitch = 1;
    plug->cctimingfix = 1;
    plug->cc64release = 0;
    plug->allchannelomni = 0;
    plug->showuacc = 1;
    plug->editing = 2;
    plug->articbanks = 1;
    plug->bankstart = 32;
    plug->midiextend = 1;
    expected.options = {
        {"port", 3},          {"channel", 256},      {"preserve", 1},       {"page", 2},
        {"paramknob", 1},     {"minimised", 1},      {"oldparams", 1},      {"optimiseautomation", 0},
        {"releasecc17", 1},   {"changeanyrule", 1},  {"singleeditor", 0},   {"overlapping", 1},
        {"altmiddlec", 1},    {"ghost", 1},          {"ghosttransport", 1}, {"holdkeyswitch", 1},
        {"cctimerfix", 1},    {"cc64release", 0},    {"allchannelomni", 0}, {"ccuacc", 1},
        {"editing", 2},       {"articbanks", 1},     {"startart", 32},      {"midixtend", 1},
    };
    EXPECT_EQ(Save(*plug), WriteState(expected));
}

TEST(ProjectStateWrite, ArticulationCountFollowsTheLastArticulationInUse) {
    struct Case {
        const char* what;
        void (*use)(ArticulationTable&);
        std::uint16_t count;
    };
    const Case cases[] = {
        {"all blank", [](ArticulationTable&) {}, 16},
        {"number 3 used", [](ArticulationTable& t) { t.note[3] = 40; }, 4},
        {"number 63 used", [](ArticulationTable& t) { t.icon[63] = 1; }, 64},
        {"only a name", [](ArticulationTable& t) { t.name[20] = "x"; }, 21},
        {"only a key-name path", [](ArticulationTable& t) { t.keyNames[40].path = "/k.txt"; }, 41},
        {"only a title", [](ArticulationTable& t) { t.keyNames[17].title = "k"; }, 18},
        {"only missing", [](ArticulationTable& t) { t.keyNames[30].missing = 1; }, 31},
        {"only an empty names table", [](ArticulationTable& t) { t.keyNames[50].names = std::make_unique<KeyNames>(); }, 51},
    };
    RecordingHost host;
    for (const Case& c : cases) {
        auto plug = MakeInstance(host);
        c.use(plug->articulations);
        const std::vector<std::uint8_t> bytes = Save(*plug);
        ASSERT_GE(bytes.size(), 6U);
        EXPECT_EQ(bytes[4] | (bytes[5] << 8), c.count) << c.what;
    }
}

TEST(ProjectStateWrite, KeyNameBlockHoldsNonEmptyEntriesInAscendingOrder) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    KeyNameMap& map = plug->articulations.keyNames[0];
    map.path = "/keys/a.txt";
    map.title = "a";
    map.names = std::make_unique<KeyNames>();
    (*map.names)[140] = "high";
    (*map.names)[5] = "low";

    StateDescription expected = NewInstanceState();
    expected.articulations.resize(1);  // articulation 0 is the last one in use
    expected.articulations[0].keyNamePath = "/keys/a.txt";
    expected.articulations[0].keyNames = {{5, "low"}, {140, "high"}};
    EXPECT_EQ(Save(*plug), WriteState(expected));
}

TEST(ProjectStateWrite, TextsLongerThanACountCanSayAreCut) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    plug->pageNames[0] = std::string(70000, 'p');
    StateDescription expected = NewInstanceState();
    expected.pages[0] = std::string(65535, 'p');
    EXPECT_EQ(Save(*plug), WriteState(expected));
}

}  // namespace
}  // namespace velmora::test
