#pragma once
// The host's windows as the piano-roll integration expects them, in memory:
// a main window holding a container with a piano roll (its colour window
// near the top left, where the colour selector is) and a second container
// with the plugin form that holds the editor; a platform that hands them
// out; and the colour pop-up opened over the piano roll.
#include <cstdint>

#include "platform/platform.h"
#include "platform/scripted_host_windows.h"

namespace velmora::test {

// Screen geometry of the tree (window rectangles; right and bottom outside).
inline constexpr platform::ui::Rect kMainRect{0, 0, 1600, 1000};
inline constexpr platform::ui::Point kMainClientOffset{8, 30};
inline constexpr platform::ui::Rect kPianoRollRect{100, 100, 1100, 700};
inline constexpr platform::ui::Point kPianoRollClientOffset{4, 22};
// Holds both selector points: client (13,34) and (28,50) of the piano roll.
inline constexpr platform::ui::Rect kColourWindowRect{110, 150, 200, 190};
inline constexpr platform::ui::Rect kFormContainerRect{1100, 100, 1600, 700};
inline constexpr platform::ui::Rect kFormRect{1200, 150, 1500, 450};
// The form's place in its container's client area.
inline constexpr platform::ui::Point kFormPlace{100, 50};
inline constexpr platform::ui::Rect kEditorRect{1210, 180, 1490, 440};

inline constexpr std::uint32_t kPopupColourMark = 0x9ED1A5;

struct HostWindowTree {
    HostWindowTree();

    // Gives the editor window in the sheet the id the instance knows its
    // editor by (the window's native handle).
    void placeEditor(HWND handle);

    // A top-level colour pop-up of that height with its top left at
    // `topLeft`; pixel row 2 shows the colour mark at x = 5 when `marked`.
    HWND openPopup(int height, bool marked, platform::ui::Point topLeft = {140, 200});
    void closePopup();

    platform::ScriptedHostWindows windows;
    HWND main = nullptr;
    HWND container = nullptr;
    HWND pianoRoll = nullptr;
    HWND colourWindow = nullptr;
    HWND formContainer = nullptr;
    HWND form = nullptr;
    HWND sheet = nullptr;
    HWND editor = nullptr;
    HWND popup = nullptr;
};

// A platform whose host windows are a test's tree.
class HostWindowsPlatform final : public platform::Platform {
public:
    explicit HostWindowsPlatform(const platform::HostWindows& windows) : windows_(windows) {}
    const platform::HostWindows& hostWindows() const override { return windows_; }

private:
    const platform::HostWindows& windows_;
};

}  // namespace velmora::test
