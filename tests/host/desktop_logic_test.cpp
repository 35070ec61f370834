// The desktop host's parts that need no display: message-box styles, the MIDI
// monitor's lines, the screen's density, the log's lines and how the host
// object routes the plugin's calls.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "host/desktop/desktop_host.h"
#include "host/editor_session.h"
#include "host/desktop/event_log.h"
#include "host/desktop/message_box_style.h"
#include "host/desktop/monitor_line.h"
#include "host/desktop/screen_density.h"
#include "host/instance_places.h"
#include "host/plugin_library.h"
#include "sdk/plug_constants.h"

namespace velmora::host {
namespace {

std::vector<int> Results(const MessageBoxLook& look) {
    std::vector<int> results;
    for (const MessageButton& b : look.buttons) {
        results.push_back(b.result);
    }
    return results;
}

TEST(DesktopMessageBox, StyleGivesButtonsIconAndAnswers) {
    const struct {
        int style;
        std::vector<int> buttons;
        MessageIcon icon;
        int defaultResult;
        int dismissed;
    } cases[] = {
        {0, {1}, MessageIcon::Plain, 1, 1},                     // OK
        {16, {1}, MessageIcon::Error, 1, 1},                    // the plugin's error note
        {52, {6, 7}, MessageIcon::Warning, 6, 7},               // the plugin's yes/no question
        {0x4 | 0x20 | 0x100, {6, 7}, MessageIcon::Question, 7, 7},  // No as the default button
        {1, {1, 2}, MessageIcon::Plain, 1, 2},
        {2, {3, 4, 5}, MessageIcon::Plain, 3, 3},
        {3 | 0x40, {6, 7, 2}, MessageIcon::Information, 6, 2},
        {5, {4, 2}, MessageIcon::Plain, 4, 2},
        {9 | 0x300, {1}, MessageIcon::Plain, 1, 1},             // unknown set, default past the buttons
    };
    for (const auto& c : cases) {
        const MessageBoxLook look = LookOfMessageBox(c.style);
        EXPECT_EQ(Results(look), c.buttons) << c.style;
        EXPECT_EQ(look.icon, c.icon) << c.style;
        EXPECT_EQ(look.defaultResult, c.defaultResult) << c.style;
        EXPECT_EQ(look.dismissedResult, c.dismissed) << c.style;
    }
    EXPECT_STREQ(LookOfMessageBox(52).buttons[0].label, "_Yes");
    EXPECT_STREQ(LookOfMessageBox(52).buttons[1].label, "_No");
}

TEST(DesktopMonitor, LinesSayWhenWhereAndWhatInWords) {
    const struct {
        double seconds;
        int instance;
        std::uint32_t word;
        MonitorLine line;
    } cases[] = {
        {0.0, 0, 0x005A3C90, {"0:00.000", "1", "0", "1", "note on   C3   ( 60) vel 90"}},
        {65.4321, 1, 0x03647BBF, {"1:05.432", "2", "3", "16", "CC 123 = 100"}},
        {3.0006, 0, 0x00004D81, {"0:03.001", "1", "0", "2", "note off  F4   ( 77) vel 0"}},
        {600.0, -1, 0x020000F8, {"10:00.000", "-", "2", "-", "F8 00 00"}},
        {-1.0, 0, 0x00000BC0, {"0:00.000", "1", "0", "1", "program 11"}},
    };
    for (const auto& c : cases) {
        const MonitorLine line = MidiMonitorLine(c.seconds, c.instance, c.word);
        EXPECT_EQ(line.time, c.line.time) << c.word;
        EXPECT_EQ(line.instance, c.line.instance) << c.word;
        EXPECT_EQ(line.port, c.line.port) << c.word;
        EXPECT_EQ(line.channel, c.line.channel) << c.word;
        EXPECT_EQ(line.message, c.line.message) << c.word;
    }
}

TEST(DesktopDensity, XftDpiFromTheServersResources) {
    const struct {
        const char* resources;
        std::optional<double> dpi;
    } cases[] = {
        {"Xft.dpi:\t144\n", 144.0},
        {"Xft.antialias:\t1\nXft.hinting:\t1\nXft.dpi:\t192\nXcursor.size:\t24\n", 192.0},
        {"  Xft.dpi :  120.5  \r\n", 120.5},
        {"Xft*dpi:\t96", 96.0},
        {"", std::nullopt},
        {"Xft.dpi:\tlarge\n", std::nullopt},
        {"Xft.dpi:\n", std::nullopt},
        {"Xft.dpix:\t100\n*dpi:\t100\nXft.dpi\t100\n", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(XftDpiFromResources(c.resources), c.dpi) << c.resources;
    }
}

TEST(DesktopDensity, MainPpiIsTheDpiRoundedOr96) {
    const struct {
        std::optional<double> dpi;
        int ppi;
    } cases[] = {{std::nullopt, 96}, {96.0, 96}, {144.0, 144}, {120.5, 121}, {96.4, 96},
                 {0.0, 96},          {-120.0, 96}, {10.0, 96}, {5000.0, 96}};
    for (const auto& c : cases) {
        EXPECT_EQ(MainPpiFromDpi(c.dpi), c.ppi) << c.dpi.value_or(-1);
    }
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "velmora-main-ppi";
    std::filesystem::remove_all(dir);
    const platform::SettingsStore store((dir / "settings.txt").string());
    ASSERT_TRUE(WriteMainPpi(store, 144));
    // Where the plugin's scale rule looks for it.
    EXPECT_EQ(store.readString("Software\\Image-Line\\Shared\\General", "Main PPI"), "144");
    std::filesystem::remove_all(dir);
}

TEST(DesktopLog, OneCompactObjectPerEventWithFieldsInOrder) {
    // Tests that drive the host find fields by plain text such as "instance":1,
    EXPECT_EQ(EventLog::Line("button", {{"instance", 1}, {"x", 625}, {"y", -3}, {"width", 72}, {"height", 34}}),
              R"({"event":"button","instance":1,"x":625,"y":-3,"width":72,"height":34})");
    EXPECT_EQ(EventLog::Line("dialog", {{"kind", "prompt"}, {"title", "Say \"hi\"\n\\"}}),
              R"({"event":"dialog","kind":"prompt","title":"Say \"hi\"\n\\"})");
    EXPECT_EQ(EventLog::Line("ready", {{"window", std::int64_t{4294967295}}}), R"({"event":"ready","window":4294967295})");
}

TEST(DesktopPlaces, PortAndChannelFromTheListing) {
    const auto places = PlacesFromListing(R"({"instances": [{"id": 1, "port": 0, "channel": 0},
                                                            {"id": 2, "port": 3, "channel": 15}]})");
    ASSERT_TRUE(places);
    ASSERT_EQ(places->size(), 2U);
    EXPECT_EQ((*places)[1].port, 3);
    EXPECT_EQ((*places)[1].channel, 15);
    for (const char* bad : {"", "[]", R"({"instances": {}})", R"({"instances": [{"port": 1}]})",
                            R"({"instances": [{"port": "1", "channel": 0}]})"}) {
        EXPECT_FALSE(PlacesFromListing(bad)) << bad;
    }
}

// What the desktop would do, written down call by call.
class RecordingListener final : public DesktopListener {
public:
    void renamed(int i, const std::string& name) override { calls.push_back("renamed " + std::to_string(i) + " " + name); }
    void editorResized(int i) override { calls.push_back("resized " + std::to_string(i)); }
    void closeEditor(int i) override { calls.push_back("close " + std::to_string(i)); }
    void namesChanged(int i, std::intptr_t what) override {
        calls.push_back("names " + std::to_string(i) + " " + std::to_string(what));
    }
    void statusText(int i, const std::string& text) override { calls.push_back("status " + std::to_string(i) + " " + text); }
    void stateChanged(int i) override { calls.push_back("changed " + std::to_string(i)); }
    void paramMenuRan(int i, int parameter, const std::string& entry) override {
        calls.push_back("ran " + std::to_string(i) + " " + std::to_string(parameter) + " " + entry);
    }
    void hint(int i, const std::string& text) override { calls.push_back("hint " + std::to_string(i) + " " + text); }
    void midiOut(int i, std::uint32_t word) override { calls.push_back("midi " + std::to_string(i) + " " + std::to_string(word)); }
    std::optional<std::string> prompt(const std::string& caption, const std::string& text) override {
        calls.push_back("prompt " + caption + " " + text);
        return answer;
    }
    int messageBox(int i, const std::string& text, int style) override {
        calls.push_back("message " + std::to_string(i) + " " + text + " " + std::to_string(style));
        return 7;
    }
    std::vector<std::string> calls;
    std::optional<std::string> answer;
};

TEST(DesktopHostObject, RoutesThePluginsCallsToTheDesktop) {
    RecordingListener desktop;
    DesktopHost host(desktop);
    host.addInstance(nullptr);
    host.addInstance(nullptr);
    host.setMainWindow(0x2A00007);
    const auto text = [](const char* t) { return reinterpret_cast<std::intptr_t>(t); };
    EXPECT_EQ(host.Dispatcher(2, plug::FHD_GetMainWindow, 0, 0), 0x2A00007);
    EXPECT_EQ(host.Dispatcher(2, plug::FHD_MessageBox, text("Replace all?"), plug::kMsgYesNoWarning), 7);
    host.Dispatcher(1, plug::FHD_SetInstanceName, 0, text("ZOLT Out 0:1"));
    host.Dispatcher(2, plug::FHD_EditorResized, 0, 0);
    host.Dispatcher(1, plug::FHD_CloseEditor, 0, 0);
    host.Dispatcher(2, plug::FHD_NamesChanged, 0, plug::kNamesPianoRoll);
    host.Dispatcher(2, plug::FHD_StatusText, 0, text("caf\xE9"));  // not UTF-8: shown with a replacement
    host.Dispatcher(1, plug::FHD_StateChanged, 0, 0);
    host.Dispatcher(3, plug::FHD_CloseEditor, 0, 0);  // no such instance
    char hint[] = "Port";
    host.OnHint(1, hint);
    host.MIDIOut(2, 0x005A3C90);
    EXPECT_EQ(desktop.calls, (std::vector<std::string>{"message 1 Replace all? 52", "renamed 0 ZOLT Out 0:1", "resized 1",
                                                        "close 0", "names 1 2", "status 1 caf\xEF\xBF\xBD", "changed 0", "hint 0 Port",
                                                        "midi 1 5913744"}));
}

TEST(DesktopHostObject, TheHostsParameterMenuRunsAsTheReferenceHostRunsIt) {
    const PluginLibrary library(VELMORA_PLUGIN_PATH);
    ASSERT_TRUE(library.ok()) << library.error();
    RecordingListener desktop;
    DesktopHost host(desktop);
    TFruityPlug* plug = library.create(&host, 1);
    ASSERT_NE(plug, nullptr);
    host.addInstance(plug);
    EXPECT_NE(host.Dispatcher(1, plug::FHD_ParamMenuText, 4, 2), 0) << "the entries are the reference host's";
    for (const std::intptr_t entry : {0, 1, 3, 2}) {  // a separator and a greyed entry run nothing
        host.Dispatcher(1, plug::FHD_ParamMenu, 4, entry);
    }
    // The reset sends the parameter's controller at its default (CC 4 = 0) before it is told.
    EXPECT_EQ(desktop.calls,
              (std::vector<std::string>{"ran 0 4 Edit events", "midi 0 1200", "ran 0 4 Reset to default value"}));
    plug->DestroyObject();
}

TEST(DesktopHostObject, PromptAnswersFitTheBufferWithoutSplittingACharacter) {
    RecordingListener desktop;
    DesktopHost host(desktop);
    char caption[] = "Articulation name";
    char buffer[kPromptTextSize] = "Legato";
    int colour = 0;
    EXPECT_EQ(host.PromptEdit(-1, -1, caption, buffer, colour), 0) << "cancelled";
    EXPECT_STREQ(buffer, "Legato");
    desktop.answer = "Legato Long";
    EXPECT_EQ(host.PromptEdit(-1, -1, caption, buffer, colour), 1);
    EXPECT_STREQ(buffer, "Legato Long");
    // 254 bytes, then a two-byte character that would end one past the room.
    desktop.answer = std::string(254, 'a') + "\xC3\xA9" + "z";
    EXPECT_EQ(host.PromptEdit(-1, -1, caption, buffer, colour), 1);
    EXPECT_EQ(std::strlen(buffer), 254U);
    EXPECT_EQ(desktop.calls.front(), "prompt Articulation name Legato");
}

}  // namespace
}  // namespace velmora::host
