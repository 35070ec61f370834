// The host finds every operation by its slot number: call through the raw
// tables to prove each operation sits where the contract puts it.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/instance_fixture.h"
#include "tests/support/plugin_fixture.h"

namespace velmora::test {
namespace {

template <class Fn, class T>
Fn Slot(T* object, int slot) {
    void** table = *reinterpret_cast<void***>(object);
    return reinterpret_cast<Fn>(table[slot]);
}

TEST(HostSlots, EachOperationAnswersAtItsSlot) {
    RecordingHost host;
    TFruityPlugHost* h = &host;
    host.colours[77] = 9;

    using DispatcherFn = std::intptr_t (*)(TFruityPlugHost*, TPluginTag, std::intptr_t, std::intptr_t, std::intptr_t);
    const auto path = Slot<DispatcherFn>(h, plug::kHostSlotDispatcher)(h, 1, plug::FHD_GetProgramPath, 0, 0);
    EXPECT_STREQ(reinterpret_cast<const char*>(path), host.programPath.c_str());

    Slot<void (*)(TFruityPlugHost*, TPluginTag, int, int)>(h, plug::kHostSlotOnParamChanged)(h, 1, 5, 64);
    EXPECT_EQ(host.paramChanges, (std::vector<std::pair<int, int>>{{5, 64}}));

    char hint[] = "50";
    Slot<void (*)(TFruityPlugHost*, TPluginTag, char*)>(h, plug::kHostSlotOnHint)(h, 1, hint);
    EXPECT_EQ(host.hints, std::vector<std::string>{"50"});

    Slot<void (*)(TFruityPlugHost*, std::intptr_t, BOOL)>(h, plug::kHostSlotVoiceKill)(h, 77, 1);
    EXPECT_EQ(host.killRequests, std::vector<std::intptr_t>{77});

    using EventFn = int (*)(TFruityPlugHost*, std::intptr_t, int, int, int);
    EXPECT_EQ(Slot<EventFn>(h, plug::kHostSlotVoiceProcessEvent)(h, 77, plug::FPV_GetColor, 0, 0), 9);

    Slot<void (*)(TFruityPlugHost*, TPluginTag, std::intptr_t)>(h, plug::kHostSlotMIDIOut)(h, 1, 0x00401090);
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{0x00401090U});

    host.promptAnswers.push_back("42");
    char caption[] = "Value";
    char text[256] = "";
    int colour = -1;
    using PromptFn = BOOL (*)(TFruityPlugHost*, int, int, char*, char*, int&);
    EXPECT_EQ(Slot<PromptFn>(h, plug::kHostSlotPromptEdit)(h, -1, -1, caption, text, colour), 1);
    EXPECT_STREQ(text, "42");
}

TEST(PluginSlots, OperationsAnswerAtTheirSlots) {
    RecordingHost host;
    auto plug = MakePlugin(host);
    TFruityPlug* p = plug.get();
    plug->articbanks = 1;

    using DispatcherFn = std::intptr_t (*)(TFruityPlug*, std::intptr_t, std::intptr_t, std::intptr_t);
    EXPECT_EQ(Slot<DispatcherFn>(p, 1)(p, plug::FPD_GetVoiceLevels, 0, 0), plug::kVoiceLevelModX);

    char name[plug::kNameBufferSize] = "";
    Slot<void (*)(TFruityPlug*, int, int, int, char*)>(p, 4)(p, plug::FPN_Param, 128, 0, name);
    EXPECT_STREQ(name, "Articulation");

    TVoiceParams levels = Levels(1.0f);
    const auto handle = Slot<TVoiceHandle (*)(TFruityPlug*, PVoiceParams, std::intptr_t)>(p, 9)(p, &levels, 5);
    EXPECT_NE(handle, 0);
    EXPECT_EQ(host.midi, std::vector<std::uint32_t>{NoteOn(0, 60, 100)});
    Slot<void (*)(TFruityPlug*, TVoiceHandle)>(p, 10)(p, handle);  // Voice_Release
    EXPECT_EQ(host.midi.back(), NoteOff(0, 60, 0));
}

TEST(PluginInfo, RecordLayoutAndValues) {
    RecordingHost host;
    auto plug = MakePlugin(host);
    const TFruityPlugInfo& info = *plug->Info;
    EXPECT_EQ(info.SDKVersion, 1);
    EXPECT_STREQ(info.LongName, "ZOLT Velmora");
    EXPECT_STREQ(info.ShortName, "ZOLT Out");
    EXPECT_EQ(info.Flags, 0x00204460);
    EXPECT_EQ(info.NumParams, 129);
    EXPECT_EQ(info.DefPoly + info.NumOutCtrls + info.NumOutVoices, 0);
}

}  // namespace
}  // namespace velmora::test
