// Restoring version 10 and 9 states: stored values, option keys and the
// rules a restore applies beyond them.
#include <gtest/gtest.h>

#include "persistence/project_state.h"
#include "platform/byte_stream.h"
#include "tests/support/instance_fixture.h"
#include "tests/persistence/state_fixture.h"
#include "tests/support/state_writer.h"

namespace velmora::test {
namespace {

StateDescription Version(std::uint32_t v) {
    StateDescription s = FullSizeState(v);
    s.options = DefaultVersion10Options();
    return s;
}

TEST(ProjectStateRestore, StoredFieldsComeBack) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    StateDescription s = Version(10);
    s.articulations.resize(20);
    s.articulations[19] = {40, 100, 3, -1, 7, 11, 9, "Spiccato", "", {{0, "top"}, {147, "bottom"}}};
    s.pages[3] = "Winds";
    s.controllers[50] = {12, 7, 2, 99, 0, 1, "Pan"};
    s.controllerstart = 48;
    SetOption(s.options, "editing", 19);
    SetOption(s.options, "ccuacc", 3);  // only the lowest bit counts
    SetOption(s.options, "minimised", 5);
    Restore(*plug, WriteState(s));

    const ArticulationTable& art = plug->articulations;
    EXPECT_EQ(art.get(19).name, "Spiccato");
    EXPECT_EQ(art.note[19], 40);
    EXPECT_EQ(art.notev[19], 100);
    EXPECT_EQ(art.prog[19], 3);
    EXPECT_EQ(art.modw[19], 7);
    EXPECT_EQ(art.modc[19], 11);
    EXPECT_EQ(art.icon[19], 9);
    ASSERT_TRUE(art.keyNames[19].names);
    EXPECT_EQ((*art.keyNames[19].names)[0], "top");
    EXPECT_EQ((*art.keyNames[19].names)[147], "bottom");
    EXPECT_EQ(art.keyNames[19].missing, 0) << "no path: nothing to be missing";
    EXPECT_FALSE(art.keyNames[18].names);
    EXPECT_EQ(plug->pageNames[3], "Winds");
    const Controller c = plug->controllers.get(50);
    EXPECT_EQ(c.value, 12);
    EXPECT_EQ(c.cc, 7);
    EXPECT_EQ(c.type, 2);
    EXPECT_EQ(c.defaultValue, 99);
    EXPECT_EQ(c.on, 0);
    EXPECT_EQ(c.lock, 1);
    EXPECT_EQ(c.name, "Pan");
    EXPECT_EQ(plug->controllerstart, 48);
    EXPECT_EQ(plug->editing, 19);
    EXPECT_EQ(plug->showuacc, 1);
    EXPECT_EQ(plug->minimised, 1);
    EXPECT_EQ(plug->stateVersion, 10);
    EXPECT_EQ(plug->fresh, 0);
}

TEST(ProjectStateRestore, ARestoreStartsFromTheDefaults) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    plug->articulations.note[40] = 50;
    plug->articulations.keyNames[2].names = std::make_unique<KeyNames>();
    plug->controllers.cc[90] = 3;
    plug->resetstate = 1;
    StateDescription s = Version(10);
    s.options.erase(s.options.begin() + 9);  // no "changeanyrule"
    ASSERT_EQ(s.options.size(), 23U);
    Restore(*plug, WriteState(s));
    EXPECT_EQ(plug->articulations.note[40], -1);
    EXPECT_FALSE(plug->articulations.keyNames[2].names);
    EXPECT_EQ(plug->controllers.cc[90], kUnassignedCC);
    EXPECT_EQ(plug->resetstate, 0);
}

TEST(ProjectStateRestore, OptionKeysMatchInAnyCaseAndTheLastOneWins) {
    RecordingHost host;
    auto second = MakeInstance(host, 1);
    auto plug = MakeInstance(host, 2);
    StateDescription s = Version(10);
    s.options = {{"PORT", 9}, {"Channel", 4}, {"GhOsT", 1}, {"no such key", 1},
                 {"Page", 3}, {"PAGE", 2}, {"HoldKeySwitch", 1}};
    Restore(*plug, WriteState(s));
    EXPECT_EQ(plug->port, 9);
    EXPECT_EQ(plug->channel, 4);
    EXPECT_EQ(plug->ccghosting, 1);
    EXPECT_EQ(plug->tab, 2);
    EXPECT_EQ(plug->holdkeyswitch, 1);
}

TEST(ProjectStateRestore, AbsentHeldKeysCountAsZero) {
    RecordingHost host;
    auto first = MakeInstance(host, 1);
    auto plug = MakeInstance(host, 2);  // port 0, channel 1 by creation order
    StateDescription s = Version(10);
    s.options.clear();
    Restore(*plug, WriteState(s));
    EXPECT_EQ(plug->channel, 0);
    EXPECT_EQ(plug->tab, 0);
}

TEST(ProjectStateRestore, StartartAlwaysRestoresTheFirstBank) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    for (std::uint32_t v : {0U, 16U, 48U, 0xFFFFFFFFU}) {
        StateDescription s = Version(10);
        SetOption(s.options, "startart", v);
        plug->bankstart = 16;
        Restore(*plug, WriteState(s));
        EXPECT_EQ(plug->bankstart, 0) << v;
    }
}

TEST(ProjectStateRestore, SingleEditorIsProcessWide) {
    RecordingHost host;
    auto other = MakeInstance(host, 1);
    auto plug = MakeInstance(host, 2);
    StateDescription s = Version(10);
    SetOption(s.options, "singleeditor", 2);  // lowest bit 0
    Restore(*plug, WriteState(s));
    EXPECT_EQ(Process().showsingle, 0);
}

TEST(ProjectStateRestore, PlacementTakesPortChannelAndPanelOnlyWhenFreshOrNotPreserved) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    StateDescription s = Version(10);
    SetOption(s.options, "port", 5);
    SetOption(s.options, "channel", 7);
    SetOption(s.options, "page", 2);
    SetOption(s.options, "preserve", 1);
    SetOption(s.options, "midixtend", 1);
    Restore(*plug, WriteState(s));
    EXPECT_EQ(plug->port, 5);
    EXPECT_EQ(plug->channel, 7);
    EXPECT_EQ(plug->tab, 2);
    EXPECT_EQ(plug->preserveport, 1);
    EXPECT_EQ(plug->midiextend, 1);

    // The same state again into the running instance: it keeps its own.
    plug->port = 1;
    plug->channel = 2;
    plug->tab = 3;
    SetOption(s.options, "preserve", 0);
    Restore(*plug, WriteState(s));
    EXPECT_EQ(plug->port, 1);
    EXPECT_EQ(plug->channel, 2);
    EXPECT_EQ(plug->tab, 3);
    EXPECT_EQ(plug->preserveport, 1) << "a preserving instance keeps preserving";
    EXPECT_EQ(plug->midiextend, 1) << "kept from before the restore";

    // Once "preserve" is off, the next restore places again.
    plug->preserveport = 0;
    Restore(*plug, WriteState(s));
    EXPECT_EQ(plug->port, 5);
    EXPECT_EQ(plug->channel, 7);
    EXPECT_EQ(plug->tab, 2);
    EXPECT_EQ(plug->preserveport, 0);
}

TEST(ProjectStateRestore, CCTimingFixNeedsAModifier) {
    struct Case {
        const char* what;
        std::int32_t modw;
        std::int32_t modc;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"no modifier anywhere", -1, -1, 0},
        {"second keyswitch kind without a note", -1, -2, 0},
        {"a CC modifier", 10, 1, 1},
        {"a CC number chosen, no value", -1, 20, 1},
        {"play velocity given", 90, -3, 1},
    };
    RecordingHost host;
    auto plug = MakeInstance(host);
    for (const Case& c : cases) {
        StateDescription s = Version(10);
        s.articulations[7].modw = c.modw;
        s.articulations[7].modc = c.modc;
        SetOption(s.options, "cctimerfix", 1);
        Restore(*plug, WriteState(s));
        EXPECT_EQ(plug->cctimingfix, c.expected) << c.what;
    }
}

TEST(ProjectStateRestore, ParameterLayoutIsAnnounced) {
    struct Case {
        std::uint32_t version;
        std::uint32_t paramknob;
        std::size_t controllers;
        std::intptr_t params;
        std::int32_t index;
    };
    const Case cases[] = {
        {10, 0, 96, 129, 128}, {10, 1, 96, 97, 96}, {10, 1, 90, 97, 90},
        {9, 1, 96, 97, 60},    {9, 0, 96, 129, 128}, {8, 1, 96, 97, 96}, {8, 0, 96, 129, 128},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        auto plug = MakeInstance(host);
        StateDescription s = Version(c.version);
        s.controllers.resize(c.controllers);
        SetOption(s.options, "paramknob", c.paramknob);
        host.clearRecords();
        Restore(*plug, WriteState(s));
        EXPECT_EQ(DispatchedValues(host, plug::FHD_SetNumParams), std::vector<std::intptr_t>{c.params}) << c.version;
        EXPECT_EQ(plug->articulationParamIndex, c.index) << c.version;
        EXPECT_EQ(plug->paramknob, static_cast<std::int32_t>(c.paramknob));
    }
}

TEST(ProjectStateRestore, EditorSizeFollowsScaleAndMinimised) {
    struct Case {
        const char* what;
        std::uint32_t version;
        std::int32_t hostVersion;
        std::uint32_t minimised;
        std::optional<std::uint32_t> uiscale;
        bool resized;
        int width;
        int height;
        float scale;
    };
    const Case cases[] = {
        {"unchanged", 10, 21000000, 0, {}, false, 240, 237, 1.0f},
        {"minimised", 10, 21000000, 1, {}, true, 240, 100, 1.0f},
        {"scaled", 10, 21000000, 0, 150, true, 360, 355, 1.5f},
        {"scaled and minimised", 10, 21000000, 1, 200, true, 480, 200, 2.0f},
        {"old host ignores all", 10, 11000000, 1, 150, false, 240, 237, 1.0f},
        {"version 9 on an old host still minimises", 9, 11000000, 1, {}, true, 240, 100, 1.0f},
        {"version 9 has no scale key", 9, 21000000, 0, 150, false, 240, 237, 1.0f},
        {"huge scale stays inside an int", 10, 21000000, 0, 0xFFFFFFFFU, true, 2147483647, 2147483647, 42949672.0f},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        host.HostVersion = c.hostVersion;
        auto plug = MakeInstance(host);
        StateDescription s = Version(c.version);
        SetOption(s.options, "minimised", c.minimised);
        if (c.uiscale) {
            SetOption(s.options, "uiscale", *c.uiscale);
        }
        host.clearRecords();
        Restore(*plug, WriteState(s));
        EXPECT_EQ(host.callsWithId(plug::FHD_EditorResized).size(), c.resized ? 1U : 0U) << c.what;
        EXPECT_EQ(plug->editorWindow->width(), c.width) << c.what;
        EXPECT_EQ(plug->editorWindow->height(), c.height) << c.what;
        EXPECT_FLOAT_EQ(plug->scaleFactor, c.scale) << c.what;
    }
}

TEST(ProjectStateRestore, NoteNamesFollowTheRestoredMiddleC) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    StateDescription s = Version(10);
    SetOption(s.options, "altmiddlec", 1);
    Restore(*plug, WriteState(s));
    EXPECT_STREQ(plug->noteNames[60].data(), "C4");
    // A version 8 state cannot carry the option: the table goes back with it.
    Restore(*plug, WriteState(Version(8)));
    EXPECT_EQ(plug->altmiddlec, 0);
    EXPECT_STREQ(plug->noteNames[60].data(), "C3");
}

TEST(ProjectStateRestore, OptionsAreKnownByVersion) {
    // Each key is written with 1 into a state of the given version.
    struct Case {
        const char* key;
        std::int32_t Instance::*field;
        std::int32_t v8;
        std::int32_t v9;
        std::int32_t v10;
    };
    const Case cases[] = {
        {"ghosttransport", &Instance::ccghostontransport, 0, 0, 1},
        {"holdkeyswitch", &Instance::holdkeyswitch, 0, 0, 1},
        {"articbanks", &Instance::articbanks, 0, 0, 1},
        {"overlapping", &Instance::allowoverlap, 0, 1, 1},
        {"releasecc17", &Instance::releasetocc117, 0, 1, 1},
        {"midixtend", &Instance::midiextend, 1, 1, 1},
        {"oldparams", &Instance::oldparams, 1, 1, 1},
    };
    RecordingHost host;
    auto plug = MakeInstance(host);
    for (const Case& c : cases) {
        for (std::uint32_t v : {8U, 9U, 10U}) {
            StateDescription s = Version(v);
            s.options = {{c.key, 1}};
            plug->releasetocc117 = 0;
            Restore(*plug, WriteState(s));
            const std::int32_t expected = v == 8 ? c.v8 : v == 9 ? c.v9 : c.v10;
            EXPECT_EQ((*plug).*c.field, expected) << c.key << " in version " << v;
        }
    }
}

TEST(ProjectStateRestore, VersionNineKeepsItsLayoutWithoutLocks) {
    RecordingHost host;
    auto plug = MakeInstance(host);
    StateDescription s = Version(9);
    s.controllers[3] = {50, 74, 1, 20, 1, 1, "Cutoff"};
    s.articulations[2].notev = 64;
    s.articulations[2].name = "Trill";
    Restore(*plug, WriteState(s));
    EXPECT_EQ(plug->controllers.get(3).name, "Cutoff");
    EXPECT_EQ(plug->controllers.cc[3], 74);
    EXPECT_EQ(plug->controllers.lock[3], 0);
    EXPECT_EQ(plug->articulations.notev[2], 64);
    EXPECT_EQ(plug->articulations.name[2], "Trill");
    EXPECT_EQ(plug->stateVersion, 9);
}

TEST(ProjectStateRestore, UnknownVersionsKeepTheDefaults) {
    for (std::uint32_t v : {0U, 11U, 12U, 0xFFFFFFFFU}) {
        RecordingHost host;
        auto plug = MakeInstance(host);
        plug->articulations.note[0] = 44;
        StateDescription s = Version(10);
        s.articulations[0].note = 50;
        std::vector<std::uint8_t> bytes = WriteState(s);
        bytes[0] = static_cast<std::uint8_t>(v);
        bytes[1] = bytes[2] = bytes[3] = static_cast<std::uint8_t>(v >> 8);
        host.clearRecords();
        Restore(*plug, bytes);
        EXPECT_EQ(plug->articulations.note[0], -1) << v;
        EXPECT_EQ(plug->stateVersion, static_cast<std::int32_t>(v));
        EXPECT_TRUE(host.callsWithId(plug::FHD_SetNumParams).empty());
        EXPECT_EQ(plug->fresh, 0);
    }
}

}  // namespace
}  // namespace velmora::test
