// Instances in creation order, and the process-wide state the first one
// creates and the last one releases.
#include <gtest/gtest.h>

#include "tests/support/instance_fixture.h"
#include "tests/support/plugin_fixture.h"

namespace velmora::test {
namespace {

TEST(Lifecycle, CreationOrderGivesPortAndChannel) {
    RecordingHost host;
    std::vector<PluginPtr> plugs;
    for (int i = 0; i < 17; ++i) {
        plugs.push_back(MakePlugin(host, i + 1));
    }
    EXPECT_EQ(plugs[0]->port, 0);
    EXPECT_EQ(plugs[0]->channel, 0);
    EXPECT_EQ(plugs[15]->port, 0);
    EXPECT_EQ(plugs[15]->channel, 15);
    EXPECT_EQ(plugs[16]->port, 1);
    EXPECT_EQ(plugs[16]->channel, 0);
    EXPECT_EQ(Process().instanceCount, 17);
    ASSERT_EQ(Process().instanceList.size(), 17U);
    EXPECT_EQ(Process().instanceList.front(), plugs[0].get());
    EXPECT_EQ(Process().instanceList.back(), plugs[16].get());
}

TEST(Lifecycle, LastInstanceReleasesSharedStateAndNextStartsClean) {
    RecordingHost host;
    {
        auto a = MakePlugin(host, 1);
        auto b = MakePlugin(host, 2);
        ASSERT_NE(Process().ports, nullptr);
        Process().ports->mute[PortKey(0, 0)] = 1;
        Process().ports->program[PortKey(0, 1)] = 7;
        Process().sharedTab = 3;
        Process().articulationClipboard.full = true;
        a.reset();
        EXPECT_NE(Process().ports, nullptr) << "a live instance still needs the tables";
        EXPECT_EQ(Process().instanceList.size(), 1U);
        EXPECT_EQ(Process().ports->mute[PortKey(0, 0)], 1);
    }
    EXPECT_EQ(Process().instanceCount, 0);
    EXPECT_TRUE(Process().instanceList.empty());
    EXPECT_EQ(Process().ports, nullptr);

    auto fresh = MakePlugin(host, 3);
    EXPECT_EQ(fresh->port, 0);
    EXPECT_EQ(fresh->channel, 0);
    EXPECT_EQ(Process().ports->mute[PortKey(0, 0)], 0);
    EXPECT_EQ(Process().ports->program[PortKey(0, 1)], kNothingSent);
    EXPECT_EQ(Process().ports->ccValue[PortKey(0, 1)][7], kNoCCValue);
    EXPECT_EQ(Process().sharedTab, 1);
    EXPECT_FALSE(Process().articulationClipboard.full);
    EXPECT_EQ(Process().savedFormPosX, kUnknownFormPos);
}

TEST(Lifecycle, ConstructionTalksToTheHostInOrder) {
    RecordingHost host;
    host.mainWindow = reinterpret_cast<HWND>(0x1234);
    auto plug = MakePlugin(host);
    std::vector<std::intptr_t> ids;
    for (const auto& c : host.dispatches) {
        ids.push_back(c.id);
    }
    // Program path, the main window (first instance only), then the two start-up messages.
    EXPECT_EQ(ids, (std::vector<std::intptr_t>{plug::FHD_GetProgramPath, plug::FHD_GetMainWindow, plug::FHD_Startup23,
                                               plug::FHD_Startup13}));
    EXPECT_EQ(host.dispatches[2].value, 0x555599);
    EXPECT_EQ(host.dispatches[3].value, 2);
    EXPECT_EQ(Process().hostMainWindow, host.mainWindow);

    host.clearRecords();
    auto second = MakePlugin(host, 2);
    EXPECT_TRUE(host.callsWithId(plug::FHD_GetMainWindow).empty()) << "asked once per process";
}

TEST(Lifecycle, DestructionKillsLiveVoices) {
    RecordingHost host;
    auto plug = MakePlugin(host);
    Play(*plug, host, 11, 60);
    Play(*plug, host, 12, 62);
    host.clearRecords();
    plug.reset();
    EXPECT_EQ(host.killRequests, (std::vector<std::intptr_t>{11, 12}));
}

}  // namespace
}  // namespace velmora::test
