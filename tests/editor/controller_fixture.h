#pragma once
// Instances on one platform whose held keys and pop-up menus the test
// scripts, the controller panel shown, and clicks sent through the editor's
// message handler at scale 1 (window pixels are editor units).
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "editor/message_handler.h"
#include "platform/platform.h"
#include "sdk/plug_constants.h"
#include "tests/editor/click_fixture.h"
#include "tests/support/instance_fixture.h"
#include "tests/support/scripted_menus.h"

namespace velmora::test {

class ControllerTestPlatform final : public platform::Platform {
public:
    const platform::KeyboardState& keyboardState() const override { return keys; }
    const platform::PopupMenus& popupMenus() const override { return menus; }
    HeldKeys keys;
    ScriptedMenus menus;
};

// A menu entry as the tests spell it.
struct Shown {
    int id = 0;
    std::string text;
    bool separator = false;
    bool greyed = false;
    bool ticked = false;
    bool operator==(const Shown&) const = default;
};

inline void PrintTo(const Shown& e, std::ostream* os) {
    *os << "{" << e.id << " \"" << e.text << "\"" << (e.separator ? " separator" : "") << (e.greyed ? " greyed" : "")
        << (e.ticked ? " ticked" : "") << "}";
}

inline std::vector<Shown> Spelled(const std::vector<platform::MenuEntry>& entries) {
    std::vector<Shown> out;
    for (const auto& e : entries) {
        out.push_back({e.id, e.text, e.separator, e.greyed, e.ticked});
    }
    return out;
}

// The places of the page's slots, editor units: position 0 is the first slot
// (the slider), 1..5 the row below it.
inline constexpr int kControlX[] = {200, 29, 74, 119, 164, 209};
inline constexpr int kControlY[] = {115, 144, 144, 144, 144, 144};
inline constexpr int kNameX[] = {140, 29, 74, 119, 164, 209};
inline constexpr int kNameY[] = {113, 167, 167, 167, 167, 167};

class ControllerTest : public ::testing::Test {
protected:
    using Button = platform::ui::MouseButton;
    using Event = platform::ui::WindowEvent;

    void SetUp() override {
        std::filesystem::remove(platform::SettingsStore::currentUser().filePath());
        plug = Make(host, 1);
    }

    PlugPtr Make(RecordingHost& h, TPluginTag tag) {
        PlugPtr p = MakeInstance(h, tag, testPlatform);
        p->visible = 1;
        p->tab = 1;
        return p;
    }

    void hold(std::initializer_list<int> keys) { testPlatform.keys.held = keys; }
    void answerMenu(std::initializer_list<int> ids) { testPlatform.menus.answers = ids; }
    const std::vector<std::vector<platform::MenuEntry>>& menusShown() const { return testPlatform.menus.shown; }

    static void click(Instance& p, Button b, int x, int y) { ClickAt(p, b, x, y); }
    void leftClick(int x, int y) { click(*plug, Button::Left, x, y); }
    void rightClick(int x, int y) { click(*plug, Button::Right, x, y); }
    void middleClick(int x, int y) { click(*plug, Button::Middle, x, y); }
    // On the page's slot at position k.
    void rightClickControl(Instance& p, int k) { click(p, Button::Right, kControlX[k], kControlY[k]); }
    void rightClickControl(int k) { rightClickControl(*plug, k); }

    static void Assign(Instance& p, int slot, int cc, const std::string& name = "", int type = 0, int value = 0) {
        auto& c = p.controllers;
        const auto s = static_cast<std::size_t>(slot);
        c.cc[s] = cc;
        c.name[s] = name;
        c.type[s] = type;
        c.value[s] = value;
    }

    static std::vector<std::string> StatusTexts(const RecordingHost& h) {
        std::vector<std::string> out;
        for (const auto& c : h.callsWithId(plug::FHD_StatusText)) {
            out.push_back(c.text);
        }
        return out;
    }
    // The ids of the host messages that say something changed, in order.
    static std::vector<std::intptr_t> ChangeMessages(const RecordingHost& h) {
        std::vector<std::intptr_t> out;
        for (const auto& c : h.dispatches) {
            if (c.id == plug::FHD_NamesChanged || c.id == plug::FHD_StateChanged) {
                out.push_back(c.id);
                if (c.id == plug::FHD_NamesChanged) {
                    EXPECT_EQ(c.value, plug::kNamesParams);
                }
            }
        }
        return out;
    }

    ControllerTestPlatform testPlatform;  // outlives the instances
    RecordingHost host;
    PlugPtr plug;
};

}  // namespace velmora::test
