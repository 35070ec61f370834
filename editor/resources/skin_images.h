#pragma once
// Numbers, sizes and pixel formats of the skin bitmaps. The generator draws
// to these sizes and the resource library reports them; the editor's drawing
// code relies on them, so they do not change with the artwork.

namespace velmora::editor::skin {

struct ImageFormat {
    int id;
    int width;
    int height;
    bool alpha;  // 32-bit with transparency; otherwise opaque 24-bit
};

inline constexpr int kMainSkin = 101;
inline constexpr int kKnob = 103;
inline constexpr int kSlider = 104;
inline constexpr int kButton = 105;
inline constexpr int kIconStrip = 106;
inline constexpr int kFader = 107;
inline constexpr int kBankIndicator = 110;

inline constexpr int kControlFrames = 64;  // knob, fader and slider positions
inline constexpr int kIconCount = 231;
inline constexpr int kIconPitch = 32;      // strip cell width
inline constexpr int kIconHalf = 28;       // strip cell height per form
inline constexpr int kBankCount = 4;

inline constexpr ImageFormat kImages[] = {
    {kMainSkin, 480, 720, false},
    {kKnob, 34, 34 * kControlFrames, true},
    {kSlider, 56, 24 * kControlFrames, true},
    {kButton, 34, 34 * 2, true},
    {kIconStrip, kIconPitch * kIconCount, kIconHalf * 2, false},
    {kFader, 34, 34 * kControlFrames, true},
    {kBankIndicator, 6 * kBankCount, 89, false},
};

}  // namespace velmora::editor::skin
