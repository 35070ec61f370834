#pragma once
// The editor's bitmaps, loaded once per process from the resources compiled
// into the plugin, and the fonts every editor shares.
#include <string>

#include "platform/ui/bitmap.h"
#include "platform/ui/canvas.h"

namespace velmora::editor {

// Resource numbers of the skin bitmaps.
enum SkinResourceId : int {
    kMainSkin = 101,
    kKnobStrip = 103,
    kSliderStrip = 104,
    kButtonStrip = 105,
    kIconStrip = 106,
    kFaderStrip = 107,
    kBankIndicator = 110,
};

inline constexpr int kIconCellWidth = 32;
inline constexpr int kIconCount = 231;  // of the built-in strip

struct Skin {
    platform::ui::Bitmap main;
    platform::ui::Bitmap icons;
    platform::ui::Bitmap knob;
    platform::ui::Bitmap button;
    platform::ui::Bitmap fader;
    platform::ui::Bitmap slider;
    platform::ui::Bitmap bank;

    // Without the main skin nothing is painted.
    bool loaded() const { return !main.empty(); }
};

// The face every text uses, and the two heights held for the process. Where
// the host's narrow face is missing, a narrow face of the system stands in for
// it, so labels keep to their boxes.
inline constexpr const char* kEditorFace = "Cuprum,Liberation Sans Narrow,DejaVu Sans Condensed";

struct EditorFonts {
    platform::ui::Font height16{kEditorFace, 16};
    platform::ui::Font height15{kEditorFace, 15};
};

// The process's skin and fonts.
Skin& ProcessSkin();
const EditorFonts& ProcessFonts();

// Loads the compiled-in bitmaps; a "Notation.bmp" at `notationPath` replaces
// the icon strip when it can be read. Lines for the debug log (why a file was
// refused) are appended to `debugLines`.
void LoadSkin(Skin& skin, const std::string& notationPath, std::string& debugLines);
void ReleaseSkin(Skin& skin);

// Registers the face from the host's font file when it is there.
bool RegisterEditorFont(const std::string& installFolder);

}  // namespace velmora::editor
