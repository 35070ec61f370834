#pragma once
// An instance whose host has the piano roll, the plugin form and the colour
// pop-up of HostWindowTree; the host answers its main-window question with
// the tree's main window, and the editor window is the one in the form's sheet.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/instance.h"
#include "tests/support/host_window_tree.h"
#include "tests/support/instance_fixture.h"

namespace velmora::test {

inline constexpr int kLeftButtonKey = 0x01;
inline constexpr int kLeftShiftVk = 0xA0;
inline constexpr int kLeftAltVk = 0xA4;

class PianoRollTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::remove(platform::SettingsStore::currentUser().filePath());
        host.mainWindow = tree.main;
        plug = MakeInstance(host, 1, hostPlatform);
        tree.placeEditor(EditorHandle(*plug));
    }

    static HWND EditorHandle(Instance& p) { return static_cast<HWND>(p.editorWindow->nativeHandle()); }

    // The user's Shift-click below the colour window, which makes the host
    // play note `note` of colour `colour`.
    void ShiftClickNote(int note, int colour, std::intptr_t tag = 1) {
        tree.windows.placeCursor({150, 300});
        tree.windows.hold(kLeftButtonKey, true);
        tree.windows.hold(kLeftShiftVk, true);
        Play(*plug, host, tag, note, colour);
        tree.windows.hold(kLeftButtonKey, false);
        tree.windows.hold(kLeftShiftVk, false);
        tree.windows.clearLog();
    }

    HostWindowTree tree;
    HostWindowsPlatform hostPlatform{tree.windows};
    RecordingHost host;
    PlugPtr plug;
};

}  // namespace velmora::test
