// A copy of the plugin installed under the MIDI Out generator's name reads
// that generator's states.
#include <gtest/gtest.h>

#include "persistence/project_state.h"
#include "platform/byte_stream.h"
#include "tests/support/instance_fixture.h"
#include "tests/persistence/state_fixture.h"
#include "tests/support/state_writer.h"

namespace velmora::test {
namespace {

MidiOutDescription Sample(std::uint32_t version) {
    MidiOutDescription s;
    s.version = version;
    s.channel = 6;
    s.port = 3;
    s.ghostOff = 0;
    s.patch = 41;
    for (std::size_t k = 0; k < s.knobValues.size(); ++k) {
        s.knobValues[k] = static_cast<std::uint32_t>(k + 10);
    }
    s.knobs = {{0, 7, 0, "Volume"}, {71, 74, 1, "Cutoff"}, {100, 5, 0, "Past the knobs"}, {3, 1, 0, "Mod"}};
    return s;
}

class MidiOutState : public ::testing::Test {
protected:
    NamedModule module{"/plugins/ZOLT Velmora MIDI Out_x64.so"};
    RecordingHost host;
};

TEST_F(MidiOutState, KnobsBecomeControllers) {
    for (std::uint32_t v : {0U, 3U, 4U, 8U}) {
        auto plug = MakeInstance(host, 1, module);
        plug->tab = 2;
        plug->preserveport = 1;
        host.clearRecords();
        Restore(*plug, WriteMidiOutState(Sample(v)));
        const std::string what = "version " + std::to_string(v);
        EXPECT_EQ(plug->channel, 6) << what;
        EXPECT_EQ(plug->port, 3) << what << ": placed whatever the instance preserves";
        EXPECT_EQ(plug->ccghosting, v >= 4 ? 1 : 0) << what;
        const ControllerTable& ctl = plug->controllers;
        EXPECT_EQ(ctl.get(0).name, "General MIDI patch") << what;
        EXPECT_EQ(ctl.cc[0], kCCAsProgram) << what;
        EXPECT_EQ(ctl.on[0], 0) << what;
        EXPECT_EQ(ctl.value[0], 41) << what;
        EXPECT_EQ(ctl.name[1], "Volume") << what;
        EXPECT_EQ(ctl.cc[1], 7) << what;
        EXPECT_EQ(ctl.value[1], 10) << what;
        EXPECT_EQ(ctl.on[1], 1) << what;
        EXPECT_EQ(ctl.name[72], "Cutoff") << what;
        EXPECT_EQ(ctl.cc[72], 74) << what;
        EXPECT_EQ(ctl.value[72], 81) << what;
        EXPECT_EQ(ctl.on[72], 0) << what;
        EXPECT_EQ(ctl.name[4], "Mod") << what << ": the entry after a dropped one is still read";
        EXPECT_EQ(ctl.cc[4], 1) << what;
        EXPECT_EQ(ctl.name[2], "Expression") << what << ": names of slots without an entry stay";
        EXPECT_EQ(ctl.cc[2], kUnassignedCC) << what;
        EXPECT_EQ(ctl.on[2], 0) << what;
        EXPECT_EQ(ctl.type[5], 0) << what;
        EXPECT_EQ(ctl.cc[95], kUnassignedCC) << what;
        EXPECT_EQ(plug->paramknob, 1) << what;
        EXPECT_EQ(plug->articulationParamIndex, 96) << what;
        ASSERT_EQ(host.callsWithId(plug::FHD_SetNumParams).size(), 1U) << what;
        EXPECT_EQ(host.callsWithId(plug::FHD_SetNumParams)[0].value, 97) << what;
        EXPECT_EQ(plug->tab, 1) << what << ": back at its default, not taken from the state";
        EXPECT_EQ(plug->preserveport, 1) << what;
        EXPECT_EQ(plug->articulations.note[0], -1) << what;
        EXPECT_EQ(plug->stateVersion, static_cast<std::int32_t>(v)) << what;
    }
}

TEST_F(MidiOutState, ChannelZeroTakesTheNextCounterValue) {
    auto a = MakeInstance(host, 1, module);
    auto b = MakeInstance(host, 2, module);
    MidiOutDescription s = Sample(4);
    s.channel = 0;
    const int start = Process().midiOutChannelCounter;
    Restore(*a, WriteMidiOutState(s));
    Restore(*b, WriteMidiOutState(s));
    EXPECT_EQ(a->channel, start);
    EXPECT_EQ(b->channel, start + 1);
    EXPECT_EQ(Process().midiOutChannelCounter, start + 2);
}

TEST_F(MidiOutState, OnlyBelowVersionNineAndOnlyInAModuleOfThatName) {
    StateDescription v9;
    v9.version = 9;
    v9.articulations.resize(16);
    v9.articulations[0].name = "Legato";
    v9.options = DefaultVersion10Options();
    {
        auto plug = MakeInstance(host, 1, module);
        Restore(*plug, WriteState(v9));
        EXPECT_EQ(plug->articulations.name[0], "Legato");
        EXPECT_EQ(plug->controllers.name[0], "Dynamics");
    }
    {
        NamedModule plain("/plugins/ZOLT Velmora_x64.so");
        auto plug = MakeInstance(host, 1, plain);
        Restore(*plug, WriteMidiOutState(Sample(3)));
        EXPECT_EQ(plug->controllers.name[0], "Dynamics") << "read as version 3 instead";
        EXPECT_EQ(plug->channel, 6);
        EXPECT_EQ(plug->oldparams, 1);
    }
}

}  // namespace
}  // namespace velmora::test
