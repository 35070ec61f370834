#pragma once
// What the editor keeps per instance: visibility, page, scale, drag.
#include <cstdint>
#include <memory>

#include "platform/ui/cursor.h"
#include "platform/ui/window.h"
#include "sdk/plug_types.h"

namespace velmora {

inline constexpr int kNoDragTarget = -1;

// Drag targets (`dragTarget`). Keyswitch, modifier value and keyswitch
// velocity also learn a played note.
inline constexpr int kDragIcon = 0;
inline constexpr int kDragKeyswitch = 1;
inline constexpr int kDragModifierValue = 2;
inline constexpr int kDragProgram = 3;
inline constexpr int kDragPort = 4;
inline constexpr int kDragChannel = 5;
inline constexpr int kDragFirstController = 6;
inline constexpr int kDragController = 7;  // controller k of the page's five: 7 + k
inline constexpr int kDragCCNumber = 13;
inline constexpr int kDragKeyswitchVelocity = 14;
inline constexpr int kDragIconScroll = 15;

enum class Repaint { Whole, GridOnly };

// The articulation grid, editor units: what a grid-only repaint marks.
inline constexpr platform::ui::Rect kGridArea{5, 5, 233, 94};

struct EditorState {
    std::uint8_t visible = 0;
    std::uint8_t minimised = 0;
    std::int32_t tab = 1;
    std::int32_t editing = 0;
    std::int32_t bankstart = 0;
    float uiscale = 0.0f;
    float scaleFactor = 1.0f;
    HWND parentWindow = nullptr;
    std::int32_t mousePosX = 0;  // last mouse position, editor units
    std::int32_t mousePosY = 0;
    std::int32_t pressPosX = -1;  // where the left button went down, editor units
    std::int32_t pressPosY = -1;
    std::int32_t lastHint = -1;  // identity of the hint last sent, -1 = the empty hint
    float iconScroll = 0.0f;
    std::uint8_t restoreFormPos = 0;  // the host form's saved position is to be restored
    std::int32_t clickCountdown = 0;  // idle calls until the focus click
    std::int32_t dragTarget = kNoDragTarget;
    std::int32_t dragStart = 0;
    platform::ui::CursorToken savedCursor = nullptr;  // the cursor hidden by a drag in progress
    platform::ui::Point pressPoint{};           // screen position of the press that began a drag
    platform::ui::Point dragOrigin{-1, -1};     // the pinned cursor's screen position; (-1,-1) = no drag
    float dragAccumX = 0.0f;                    // movement since the press, upwards positive for Y
    float dragAccumY = 0.0f;
    std::uint8_t warping = 0;                   // set while the editor itself moves the cursor
    // The editor's window: created hidden with the instance, destroyed with it.
    std::unique_ptr<platform::ui::Window> editorWindow;
};

// Editor units times the scale, cut to whole pixels; a damaged scale cannot
// push the size past what an int holds.
int ScaledPixels(int units, float scale);

}  // namespace velmora
