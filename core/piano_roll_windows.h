#pragma once
// The host's windows the piano-roll integration works with, found by class
// and title, and the ways of visiting them: main windows, their containers,
// the piano roll in each container and the plugin forms with their sheets.
// The visits only read windows, so the mixing thread may run them too.
#include <string_view>

#include "platform/host_windows.h"

namespace velmora {

inline constexpr std::string_view kMainWindowClass = "TFruityLoopsMainForm";
inline constexpr std::string_view kContainerClass = "TWPControl";
// Titles match without regard to case, so this also finds "Piano Roll -".
inline constexpr std::string_view kPianoRollTitle = "Piano roll -";
inline constexpr std::string_view kColourWindowClass = "TWPControl";
inline constexpr std::string_view kPluginFormClass = "TPluginForm";
inline constexpr std::string_view kSheetClass = "TVectorSheet";
inline constexpr std::string_view kColourPopupClass = "TQuickPopupMenuWindow";

// Each main window (`main`, then the following top-level windows of the main
// window class), each of its containers, and in each container its first
// child with the piano-roll title: visit(pianoRoll) answers true to stop.
// Answers whether a visit stopped.
template <class Visit>
bool ForEachPianoRoll(const platform::HostWindows& windows, HWND main, Visit visit) {
    for (HWND m = main; m != nullptr; m = windows.findTopLevel(kMainWindowClass, {}, m)) {
        for (HWND c = windows.findChild(m, kContainerClass, {}); c != nullptr;
             c = windows.findChild(m, kContainerClass, {}, c)) {
            const HWND roll = windows.findChild(c, {}, kPianoRollTitle);
            if (roll != nullptr && visit(roll)) {
                return true;
            }
        }
    }
    return false;
}

// Each main window and container as above, and in each container its plugin
// forms in order with their sheets: visit(form, sheet). A form without a
// sheet ends the search in that container.
template <class Visit>
void ForEachPluginForm(const platform::HostWindows& windows, HWND main, Visit visit) {
    for (HWND m = main; m != nullptr; m = windows.findTopLevel(kMainWindowClass, {}, m)) {
        for (HWND c = windows.findChild(m, kContainerClass, {}); c != nullptr;
             c = windows.findChild(m, kContainerClass, {}, c)) {
            for (HWND f = windows.findChild(c, kPluginFormClass, {}); f != nullptr;
                 f = windows.findChild(c, kPluginFormClass, {}, f)) {
                const HWND sheet = windows.findChild(f, kSheetClass, {});
                if (sheet == nullptr) {
                    break;
                }
                visit(f, sheet);
            }
        }
    }
}

// Whether the note being started comes from a Shift-click in a piano roll,
// below its colour window: the pointer inside the colour window's columns
// and between its bottom and the piano roll's bottom, with the left button
// and a Shift key down. Writes what it sees to the debug output for each
// colour window, and "  TRIGGERED\n" when it answers true. False without a
// main window. Mixing thread.
bool IsPianoRollShiftClick(const platform::HostWindows& windows, HWND main);

}  // namespace velmora
