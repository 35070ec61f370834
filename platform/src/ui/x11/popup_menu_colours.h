#pragma once
// The pop-up menu's colours: the editor's dark window with its amber and
// green accents.
#include "platform/ui/geometry.h"

namespace platform::ui::x11::menu_colours {

inline constexpr Colour kWindow = 0x2A2F33;
inline constexpr Colour kEdgeLight = 0x4A5258;
inline constexpr Colour kEdgeDark = 0x121517;
inline constexpr Colour kText = 0xF4F4F4;
inline constexpr Colour kGreyedText = 0x7E868B;
inline constexpr Colour kHighlight = 0xD9B27C;
inline constexpr Colour kHighlightText = 0x181C1F;
inline constexpr Colour kTick = 0x85EA78;
inline constexpr Colour kSeparator = 0x4A5258;

}  // namespace platform::ui::x11::menu_colours
