// The host reaches the plugin beyond the SDK only through the extension
// table, and only when the table is the version it was built with.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "host/plugin_library.h"
#include "tests/support/recording_host.h"
#include "tests/support/run_command.h"

namespace velmora::test {
namespace {

struct Loaded {
    explicit Loaded(const char* path) : library(path) {}
    ~Loaded() {
        if (plug != nullptr) {
            plug->DestroyObject();
        }
    }
    host::PluginLibrary library;
    RecordingHost host;
    TFruityPlug* plug = nullptr;
};

TEST(HostExtension, OurPluginHandsOutATableOfThisVersion) {
    Loaded p(VELMORA_PLUGIN_PATH);
    ASSERT_TRUE(p.library.ok()) << p.library.error();
    p.plug = p.library.create(&p.host, 1);
    std::string error;
    const HostExtension* extension = host::HostExtensionOf(p.plug, error);
    ASSERT_NE(extension, nullptr) << error;

    EXPECT_EQ(extension->setOption(p.plug, "holdkeyswitch", 1), 1);
    EXPECT_EQ(extension->setOption(p.plug, "no such option", 1), 0);
    EXPECT_EQ(extension->setPortChannel(p.plug, 3, -1), 1);
    std::string listing;
    const auto append = [](void* context, const char* text, std::size_t length) {
        static_cast<std::string*>(context)->append(text, length);
    };
    ASSERT_EQ(extension->listInstances(&p.plug, 1, append, &listing), 1);
    EXPECT_NE(listing.find("\"holdkeyswitch\": true"), std::string::npos) << listing;
    EXPECT_NE(listing.find("\"port\":\t\t3,"), std::string::npos) << "port set, channel kept";
    EXPECT_NE(listing.find("\"channel\":\t0,"), std::string::npos);
    EXPECT_EQ(extension->exportArticulations(p.plug, "/nonexistent-folder/set.zoltartic"), 0);
}

// A host without a window system describes its windows; the plugin searches
// and drives them, and hands back what it did since the last question.
TEST(HostExtension, TheHostsWindowTreeIsSearchedAndItsLogHandedBack) {
    Loaded p(VELMORA_PLUGIN_PATH);
    ASSERT_TRUE(p.library.ok()) << p.library.error();
    p.host.mainWindow = reinterpret_cast<HWND>(1);
    p.plug = p.library.create(&p.host, 1);
    std::string error;
    const HostExtension* extension = host::HostExtensionOf(p.plug, error);
    ASSERT_NE(extension, nullptr) << error;
    std::string log;
    const auto append = [](void* context, const char* text, std::size_t length) {
        static_cast<std::string*>(context)->append(text, length);
    };

    EXPECT_EQ(extension->setHostWindowTree(R"({"windows": [{"class": "TFruityLoopsMainForm"}]})"), 0);
    const auto lines = p.host.debugLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.back().find("the host's window tree: windows[0]: has no \"rect\""), std::string::npos) << lines.back();

    ASSERT_EQ(extension->setHostWindowTree(R"({"windows": [{"id": 1, "class": "TFruityLoopsMainForm", "rect": [0, 0, 900, 900],
        "children": [{"class": "TWPControl", "rect": [0, 0, 900, 900], "children": [{"title": "Piano roll -", "rect": [0, 0, 900, 900],
        "children": [{"class": "TWPControl", "rect": [10, 10, 50, 30]}]}]}]}], "cursor": [20, 40], "keys": [1, 161]})"),
              1);
    TVoiceParams params{};
    params.InitLevels.Vol = 1.0f;
    params.FinalLevels = params.InitLevels;
    ASSERT_NE(p.plug->TriggerVoice(&params, 7), 0);
    ASSERT_EQ(extension->hostWindowLog(append, &log), 1);
    EXPECT_EQ(log.rfind(R"([{"kind":"debug","text":"Found window 0x4\n"},)", 0), 0U) << log;
    EXPECT_NE(log.find(R"({"kind":"debug","text":"  VK_RSHIFT is 32768\n"},{"kind":"debug","text":"  MousePos.x is 20\n"})"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find(R"({"kind":"debug","text":"  TRIGGERED\n"}])"), std::string::npos) << log;
    log.clear();
    ASSERT_EQ(extension->hostWindowLog(append, &log), 1);
    EXPECT_EQ(log, "[]") << "only what happened since the last question";

    EXPECT_EQ(extension->setHostWindowTree(nullptr), 1);
    ASSERT_NE(p.plug->TriggerVoice(&params, 8), 0);
    log.clear();
    ASSERT_EQ(extension->hostWindowLog(append, &log), 1);
    EXPECT_EQ(log, "[]") << "no tree, no windows";
}

TEST(HostExtension, ATableOfAnotherVersionIsRefusedWithOneLine) {
    Loaded p(VELMORA_STUB_PLUGIN_PATH);
    ASSERT_TRUE(p.library.ok()) << p.library.error();
    p.plug = p.library.create(&p.host, 1);
    std::string error;
    EXPECT_EQ(host::HostExtensionOf(p.plug, error), nullptr);
    const std::string expected = "the plugin's host extension is version " +
                                 std::to_string(kHostExtensionVersion + 1) + " (" +
                                 std::to_string(sizeof(HostExtension) + 8) + " bytes); this host needs version " +
                                 std::to_string(kHostExtensionVersion) + " (" + std::to_string(sizeof(HostExtension)) +
                                 " bytes)";
    EXPECT_EQ(error, expected);
}

TEST(HostExtension, TheHostProgramRefusesAnotherVersionAndSaysWhy) {
    int status = 0;
    const std::string out = RunCommand(std::string("\"") + VELMORA_HOST_PATH + "\" inspect --plugin \"" +
                                VELMORA_STUB_PLUGIN_PATH + "\" 2>&1", status);
    EXPECT_NE(status, 0);
    EXPECT_EQ(out.rfind("velmora-host: the plugin's host extension is version ", 0), 0U) << out;
    EXPECT_EQ(out.find('\n'), out.size() - 1) << "one line: " << out;
}

// velmora-nki has the plugin import the instrument and prints the set the
// plugin then holds; a file it cannot read is refused with the plugin's reason.
TEST(InstrumentLister, ListsThroughThePluginAndSaysWhyNothingCame) {
    const std::string tool = std::string("\"") + VELMORA_NKI_PATH + "\"";
    const std::string demo = std::string(VELMORA_ROOT_DIR) + "/examples/demo/strings.nki";
    int status = 0;
    const std::string set = RunCommand(tool + " list \"" + demo + "\" 2>/dev/null", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(set.rfind("[\n\t{\n\t\t\"name\": \"Legato\",\n", 0), 0U) << set;

    const std::string refused = RunCommand(tool + " list /nonexistent/strings.nki 2>&1 >/dev/null", status);
    EXPECT_NE(status, 0);
    EXPECT_EQ(refused,
              "velmora-nki: /nonexistent/strings.nki: no articulations (NKI was not a valid Kontakt patch, or was not "
              "a Spitfire Audio instrument)\n");
}

}  // namespace
}  // namespace velmora::test
