#pragma once
// What the editor keeps per instance: visibility, page, scale, drag.
#include <cstdint>

#include "sdk/plug_types.h"

namespace velmora {

// Stands in for the editor window until the editor exists: it records the size
// asked for and the repaints requested.
struct EditorWindowSeam {
    int width = 0;
    int height = 0;
    int wholeRepaints = 0;
    int gridRepaints = 0;
};

inline constexpr int kNoDragTarget = -1;

// Drag targets that learn a played note.
inline constexpr int kDragKeyswitch = 1;
inline constexpr int kDragModifierValue = 2;
inline constexpr int kDragKeyswitchVelocity = 14;

enum class Repaint { Whole, GridOnly };

struct EditorState {
    std::uint8_t visible = 0;
    std::uint8_t minimised = 0;
    std::int32_t tab = 1;
    std::int32_t editing = 0;
    std::int32_t bankstart = 0;
    float uiscale = 0.0f;
    float scaleFactor = 1.0f;
    HWND parentWindow = nullptr;
    std::int32_t dragTarget = kNoDragTarget;
    std::int32_t dragStart = 0;
    void* savedCursor = nullptr;  // set while a drag is in progress
    EditorWindowSeam editorWindow;
};

}  // namespace velmora
