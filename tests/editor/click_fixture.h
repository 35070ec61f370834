#pragma once
// An instance with its editor shown on the articulation panel, on a platform
// whose modifier keys the test holds down, and mouse buttons pressed and
// released through the editor's message handler at scale 1 (window pixels
// are editor units).
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <set>

#include "editor/message_handler.h"
#include "platform/platform.h"
#include "tests/editor/editor_fixture.h"
#include "tests/support/instance_fixture.h"

namespace velmora::test {

// Virtual key codes of the modifier keys the editor reads.
inline constexpr int kLeftShiftKey = 0xA0;
inline constexpr int kRightControlKey = 0xA3;
inline constexpr int kLeftAltKey = 0xA4;

class HeldKeys final : public platform::KeyboardState {
public:
    std::set<int> held;
    bool keyHeld(int virtualKey) const override { return held.count(virtualKey) != 0; }
};

class KeysPlatform final : public platform::Platform {
public:
    const platform::KeyboardState& keyboardState() const override { return keys; }
    HeldKeys keys;
};

// A mouse message to the editor, at window pixels.
inline void SendMouse(Instance& plug, platform::ui::WindowEvent::Kind kind, platform::ui::MouseButton button, int x, int y) {
    platform::ui::WindowEvent e;
    e.kind = kind;
    e.button = button;
    e.x = x;
    e.y = y;
    editor::HandleEditorMessage(plug, e);
}

// A press and a release in place.
inline void ClickAt(Instance& plug, platform::ui::MouseButton button, int x, int y) {
    SendMouse(plug, platform::ui::WindowEvent::Kind::ButtonDown, button, x, y);
    SendMouse(plug, platform::ui::WindowEvent::Kind::ButtonUp, button, x, y);
}

class ClickTest : public ::testing::Test {
protected:
    using Button = platform::ui::MouseButton;
    using Event = platform::ui::WindowEvent;

    void SetUp() override {
        // The scale corner writes the shared scale: each test starts without one.
        std::filesystem::remove(platform::SettingsStore::currentUser().filePath());
        plug = MakeInstance(host, 1, keysPlatform);
        plug->visible = 1;
        plug->tab = 0;
    }

    void hold(std::initializer_list<int> keys) { keysPlatform.keys.held = keys; }

    void press(Button b, int x, int y) { SendMouse(*plug, Event::Kind::ButtonDown, b, x, y); }
    void move(int x, int y) { SendMouse(*plug, Event::Kind::MouseMove, Button::None, x, y); }
    void release(Button b, int x, int y) { SendMouse(*plug, Event::Kind::ButtonUp, b, x, y); }
    void click(Button b, int x, int y) { ClickAt(*plug, b, x, y); }
    void leftClick(int x, int y) { click(Button::Left, x, y); }
    void rightClick(int x, int y) { click(Button::Right, x, y); }

    std::size_t stateChanges() const { return host.callsWithId(plug::FHD_StateChanged).size(); }

    KeysPlatform keysPlatform;  // outlives the instance
    RecordingHost host;
    PlugPtr plug;
};

}  // namespace velmora::test
