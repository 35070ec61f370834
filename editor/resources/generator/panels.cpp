#include "panels.h"

#include <cmath>
#include <string>

#include "music_font.h"
#include "shared/note_colours.h"

namespace velmora::skin {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Window colours: the body, the footer band with tabs and port/channel boxes,
// and the page under the lower fields.
constexpr Rgb kFooter = Hex(0x23282B);
constexpr Rgb kPage = Hex(0x24292C);
constexpr Rgb kFrame = Hex(0x2E3438);
constexpr Rgb kTabInk = Hex(0x9AA1A5);
constexpr Rgb kKeyTop = Hex(0x4A545B);
constexpr Rgb kKeyBottom = Hex(0x394147);
constexpr Rgb kKeyDarkTop = Hex(0x262C30);
constexpr Rgb kKeyDarkBottom = Hex(0x1D2225);
constexpr Rgb kOutline = Hex(0x15191B);

// Window coordinates of the editor's layout; field frames and art that the
// editor draws at a window position are painted there with a translation.
constexpr int kFieldX = 5, kFieldY = 102, kFieldW = 229, kFieldH = 73;

void Caption(cairo_t* cr, const std::string& text, double cx, double cy) {
    Text(cr, text, Face::SansCondensed, 7.5, cx, cy, palette::kCaption);
}

// ----- small shapes -----

void Gear(cairo_t* cr, double cx, double cy, double r, Rgb c) {
    const int teeth = 8;
    cairo_new_path(cr);
    for (int i = 0; i < teeth * 4; ++i) {
        const double a = (i - 0.5) * 2 * kPi / (teeth * 4);
        const double rr = (i % 4 == 0 || i % 4 == 1) ? r : r * 0.76;
        cairo_line_to(cr, cx + std::cos(a) * rr, cy + std::sin(a) * rr);
    }
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, cx, cy, r * 0.36, 2 * kPi, 0);
    SetColour(cr, c);
    cairo_fill(cr);
}

void MiniKnob(cairo_t* cr, double cx, double cy, double r, Rgb c) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_arc(cr, cx, cy, r + 2.8, 0.75 * kPi, 2.25 * kPi);
    SetColour(cr, c, 0.55);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    SetColour(cr, c);
    cairo_fill(cr);
    const double a = -0.25 * kPi;
    cairo_move_to(cr, cx + std::cos(a) * r * 0.2, cy + std::sin(a) * r * 0.2);
    cairo_line_to(cr, cx + std::cos(a) * r * 0.8, cy + std::sin(a) * r * 0.8);
    SetColour(cr, kFooter);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
}

void MiniFader(cairo_t* cr, double cx, double top, double bottom, double capY, Rgb c) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, cx, top);
    cairo_line_to(cr, cx, bottom);
    SetColour(cr, c, 0.55);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    RoundedRect(cr, cx - 4, capY - 2.5, 8, 5, 1.2);
    SetColour(cr, c);
    cairo_fill(cr);
}

// A note with an accent above it: the articulation page.
void NoteMark(cairo_t* cr, const MusicFont& font, double cx, double cy, Rgb c) {
    Saved saved(cr);
    SetColour(cr, c);
    const double size = 28;
    const GlyphBox head = font.Measure(cr, "noteheads.s2", size);
    const double left = cx - head.width / 2;
    const double hy = cy - 2;
    font.Draw(cr, "noteheads.s2", size, left - head.x, hy - (head.y + head.height / 2));
    const double stemX = left + 0.65;
    cairo_move_to(cr, stemX, hy + 0.5);
    cairo_line_to(cr, stemX, hy + 17);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    const GlyphBox acc = font.Measure(cr, "scripts.sforzato", 34);
    font.Draw(cr, "scripts.sforzato", 34, cx - (acc.x + acc.width / 2), hy - 10 - (acc.y + acc.height / 2));
}

void Folder(cairo_t* cr, double x, double y, Rgb c) {
    // 12 x 9 with a tab on the top left.
    SetColour(cr, c);
    cairo_move_to(cr, x, y + 1);
    cairo_line_to(cr, x + 4, y + 1);
    cairo_line_to(cr, x + 5.5, y + 2.5);
    cairo_line_to(cr, x + 12, y + 2.5);
    cairo_line_to(cr, x + 12, y + 9);
    cairo_line_to(cr, x, y + 9);
    cairo_close_path(cr);
    cairo_fill(cr);
    FillRect(cr, x + 1, y + 4, 10, 1, Mix(c, palette::kEdgeDark, 0.45));
}

// ----- tabs -----

enum class TabIcon { Articulations, Controllers, General };

void Tab(cairo_t* cr, const MusicFont& font, int x, int y, TabIcon icon, bool selected) {
    FillRect(cr, x, y, 45, 45, kFooter);
    const Rgb top = selected ? Hex(0x2F4A33) : Hex(0x353B40);
    const Rgb bottom = selected ? Hex(0x243527) : Hex(0x2A2F33);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y + 2, 0, y + 43);
    cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(p, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, p);
    RoundedRect(cr, x + 2, y + 2, 41, 41, 6);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    RoundedRect(cr, x + 2.5, y + 2.5, 40, 40, 5.5);
    SetColour(cr, selected ? palette::kGreen : palette::kEdgeLight, selected ? 0.55 : 0.45);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const Rgb ink = selected ? palette::kGreen : kTabInk;
    const double cx = x + 22.5, cy = y + 22.5;
    switch (icon) {
    case TabIcon::Articulations:
        NoteMark(cr, font, cx, cy - 1, ink);
        break;
    case TabIcon::Controllers:
        MiniKnob(cr, cx - 6, cy + 1, 5.5, ink);
        MiniFader(cr, cx + 8, cy - 10, cy + 12, cy + 3, ink);
        break;
    case TabIcon::General:
        Gear(cr, cx, cy, 12, ink);
        break;
    }
    if (selected) {
        FillRect(cr, x + 12, y + 39, 21, 2, palette::kGreen);
    }
}

// ----- the footer shared by the panels and the icon picker -----

void Footer(cairo_t* cr, const MusicFont& font) {
    FillRect(cr, 0, 180, 240, 60, kFooter);
    FillRect(cr, 0, 180, 240, 1, palette::kEdgeDark);
    FillRect(cr, 0, 181, 240, 1, Mix(kFooter, palette::kEdgeLight, 0.35));
    const TabIcon icons[] = {TabIcon::Articulations, TabIcon::Controllers, TabIcon::General};
    for (int t = 0; t < 3; ++t) {
        Tab(cr, font, 6 + 45 * t, 185, icons[t], false);
    }
    // A plate holding the port and channel boxes; their names go below the boxes.
    RoundedRect(cr, 150.5, 185.5, 81, 44, 4);
    SetColour(cr, Hex(0x2A3034));
    cairo_fill_preserve(cr);
    SetColour(cr, palette::kEdgeDark);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    SunkenBox(cr, 156, 190, 34, 25, palette::kBox);
    SunkenBox(cr, 199, 190, 26, 25, palette::kBox);
}

// ----- the panels' background -----

void WindowBody(cairo_t* cr) {
    VerticalGradient(cr, 0, 0, 240, 240, palette::kWindowTop, palette::kWindowBottom);
}

void GridCells(cairo_t* cr) {
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 8; ++col) {
            const int x = 7 + 28 * col;
            const int y = 8 + 44 * row;
            // One tile per cell: icon on top, its colour marker below.
            FillRect(cr, x, y, 1, 41, palette::kEdgeDark);
            FillRect(cr, x, y, 28, 1, palette::kEdgeDark);
            FillRect(cr, x + 1, y + 1, 27, 39, palette::kWell);
            FillRect(cr, x + 1, y + 40, 27, 1, Mix(palette::kWell, palette::kEdgeLight, 0.55));
            if (col == 7) {
                FillRect(cr, x + 28, y + 1, 1, 40, Mix(palette::kWell, palette::kEdgeLight, 0.55));
            }
        }
    }
}

void PanelBackground(cairo_t* cr, const MusicFont& font) {
    WindowBody(cr);
    // The grid recess, wide enough on the left for the bank indicator.
    SunkenBox(cr, 1, 4, 234, 93, palette::kRecess);
    GridCells(cr);
    // The page under the lower fields (bare on the General panel, where the
    // code draws the option check boxes on it).
    SunkenBox(cr, kFieldX, kFieldY, kFieldW, kFieldH, kPage);
    Footer(cr, font);
}

// ----- the icon picker -----

void PickerBackground(cairo_t* cr, const MusicFont& font) {
    WindowBody(cr);
    SunkenBox(cr, 6, 7, 213, 171, palette::kWell);
    for (int row = 1; row < 6; ++row) {
        FillRect(cr, 7, 8 + 28 * row, 211, 1, Mix(palette::kWell, palette::kEdgeDark, 0.6));
    }
    SunkenBox(cr, 222, 5, 13, 177, palette::kEdgeDark);
    FillRect(cr, 223, 6, 11, 175, Hex(0x171A1C));
    Footer(cr, font);
}

void ScrollThumb(cairo_t* cr, int x, int y) {
    RaisedBox(cr, x, y, 11, 34, Hex(0x5B646A), Hex(0x41494E));
    for (int i = 0; i < 3; ++i) {
        FillRect(cr, x + 3, y + 14 + 3 * i, 5, 1, palette::kEdgeDark);
    }
}

// ----- General panel art, in window coordinates -----

void GeneralArt(cairo_t* cr) {
    cairo_rectangle(cr, 5, 6, 229, 129);
    cairo_clip(cr);
    WindowBody(cr);
    // A quiet plate for the title, version and credits the code writes.
    SunkenBox(cr, 7, 8, 225, 82, Hex(0x1F2427));
    // The page with its three sub-page tabs.
    SunkenBox(cr, kFieldX, 116, kFieldW, kFieldH, kPage);
    const int tabs[][2] = {{5, 53}, {55, 125}, {127, 187}};
    for (const auto& [left, right] : tabs) {
        const double w = right - left;
        cairo_pattern_t* p = cairo_pattern_create_linear(0, 92, 0, 117);
        cairo_pattern_add_color_stop_rgb(p, 0, 0.215, 0.24, 0.26);
        cairo_pattern_add_color_stop_rgb(p, 1, kPage.r, kPage.g, kPage.b);
        cairo_set_source(cr, p);
        cairo_move_to(cr, left, 117);
        cairo_line_to(cr, left, 96);
        cairo_arc(cr, left + 4, 96, 4, kPi, 1.5 * kPi);
        cairo_arc(cr, left + w - 4, 96, 4, 1.5 * kPi, 2 * kPi);
        cairo_line_to(cr, left + w, 117);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        cairo_move_to(cr, left + 0.5, 116);
        cairo_line_to(cr, left + 0.5, 96);
        cairo_arc(cr, left + 4, 96.5, 3.5, kPi, 1.5 * kPi);
        cairo_arc(cr, left + w - 4, 96.5, 3.5, 1.5 * kPi, 2 * kPi);
        cairo_line_to(cr, left + w - 0.5, 116);
        SetColour(cr, palette::kEdgeLight, 0.5);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
}

// ----- field frames, in window coordinates -----

void FrameBase(cairo_t* cr) {
    FillRect(cr, kFieldX, kFieldY, kFieldW, kFieldH, kFrame);
    FillRect(cr, kFieldX, kFieldY, kFieldW, 1, Mix(kFrame, palette::kEdgeLight, 0.6));
    FillRect(cr, kFieldX, kFieldY + 1, 1, kFieldH - 1, Mix(kFrame, palette::kEdgeLight, 0.35));
    FillRect(cr, kFieldX, kFieldY + kFieldH - 1, kFieldW, 1, palette::kEdgeDark);
    FillRect(cr, kFieldX + kFieldW - 1, kFieldY, 1, kFieldH, palette::kEdgeDark);
}

void KeyswitchBox(cairo_t* cr, int x, int y, int w, int h, bool dark) {
    FillRect(cr, x, y, w, h, kOutline);
    VerticalGradient(cr, x + 1, y + 1, w - 2, h - 2, dark ? kKeyDarkTop : kKeyTop, dark ? kKeyDarkBottom : kKeyBottom);
    FillRect(cr, x + 1, y + 1, w - 2, 1, Mix(dark ? kKeyDarkTop : kKeyTop, palette::kLight, 0.15));
}

// The dark fill the velocity meter lays over the top of a keyswitch box: the
// box's inside, darker, from its top outline down.
void KeyswitchDarkFill(cairo_t* cr, int x, int y) {
    FillRect(cr, x, y, 42, 30, kOutline);
    VerticalGradient(cr, x, y + 1, 42, 28, kKeyDarkTop, kKeyDarkBottom);
    FillRect(cr, x, y + 1, 42, 1, Mix(kKeyDarkTop, palette::kLight, 0.15));
}

void NameAndIcon(cairo_t* cr) {
    SunkenBox(cr, 8, 104, 90, 16, palette::kBox);
    SunkenBox(cr, 14, 131, 30, 29, palette::kWell);
}

void ProgramBox(cairo_t* cr) {
    SunkenBox(cr, 194, 130, 32, 30, palette::kBox);
    Caption(cr, "Prog", 210, 166);
}

void ControlChangeFrame(cairo_t* cr) {
    FrameBase(cr);
    NameAndIcon(cr);
    KeyswitchBox(cr, 60, 130, 44, 30, false);
    SunkenBox(cr, 117, 130, 31, 30, palette::kBox);
    DropMark(cr, 143, 155.5, palette::kCaption);
    SunkenBox(cr, 150, 130, 31, 30, palette::kBox);
    Caption(cr, "Set CC", 132.5, 166);
    Caption(cr, "to value", 165.5, 166);
    ProgramBox(cr);
}

void SecondKeyswitchFrame(cairo_t* cr) {
    FrameBase(cr);
    NameAndIcon(cr);
    KeyswitchBox(cr, 60, 130, 44, 30, false);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, palette::kCaption);
    cairo_move_to(cr, 108, 145);
    cairo_line_to(cr, 119, 145);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    cairo_move_to(cr, 122, 145);
    cairo_line_to(cr, 117, 141.5);
    cairo_line_to(cr, 117, 148.5);
    cairo_close_path(cr);
    cairo_fill(cr);
    KeyswitchBox(cr, 125, 130, 44, 30, false);
    DropMark(cr, 164, 155.5, palette::kCaption);
    ProgramBox(cr);
}

void PlayVelocityFrame(cairo_t* cr) {
    FrameBase(cr);
    NameAndIcon(cr);
    KeyswitchBox(cr, 60, 130, 44, 30, false);
    Text(cr, "&", Face::SerifItalic, 13, 114.5, 145, palette::kCaption);
    SunkenBox(cr, 125, 130, 44, 30, palette::kBox);
    DropMark(cr, 164, 155.5, palette::kCaption);
    ProgramBox(cr);
}

void ControllerFrame(cairo_t* cr) {
    FrameBase(cr);
    SunkenBox(cr, 8, 104, 86, 16, palette::kBox);
    for (int k = 0; k < 5; ++k) {
        const double cx = 12 + 45 * k + 17, cy = 127 + 17;
        cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy - 2, 4, cx, cy, 17);
        cairo_pattern_add_color_stop_rgb(p, 0, palette::kWell.r, palette::kWell.g, palette::kWell.b);
        cairo_pattern_add_color_stop_rgb(p, 1, 0.06, 0.07, 0.08);
        cairo_set_source(cr, p);
        cairo_arc(cr, cx, cy, 16.5, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        cairo_arc(cr, cx, cy, 16.5, 0.1 * kPi, 0.9 * kPi);
        SetColour(cr, palette::kEdgeLight, 0.5);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    // The first slot's slider runs in a recessed track.
    RoundedRect(cr, 174.5, 105.5, 55, 23, 4);
    SetColour(cr, Hex(0x1A1E21));
    cairo_fill_preserve(cr);
    SetColour(cr, palette::kEdgeDark);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// ----- markers -----

// One colour per piano-roll note colour, as the host's piano roll shows them.
Rgb MarkerColour(int c) {
    const velmora::NoteColourRgb n = velmora::NoteColour(c);
    return {n.r, n.g, n.b};
}

void Marker(cairo_t* cr, int x, int y, Rgb c, bool active, bool hovered) {
    FillRect(cr, x, y, 14, 12, palette::kWell);
    RoundedRect(cr, x + 1.5, y + 2.5, 11, 7, 3.5);
    if (active) {
        cairo_pattern_t* p = cairo_pattern_create_linear(0, y + 2.5, 0, y + 9.5);
        const Rgb hi = Mix(c, palette::kLight, 0.35);
        cairo_pattern_add_color_stop_rgb(p, 0, hi.r, hi.g, hi.b);
        cairo_pattern_add_color_stop_rgb(p, 1, c.r, c.g, c.b);
        cairo_set_source(cr, p);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(p);
        SetColour(cr, hovered ? palette::kLight : Mix(c, palette::kEdgeDark, 0.3));
    } else {
        SetColour(cr, c, hovered ? 0.35 : 0.1);
        cairo_fill_preserve(cr);
        SetColour(cr, c, hovered ? 1.0 : 0.45);
    }
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void Markers(cairo_t* cr, int x0, int y0) {
    for (int c = 0; c < 16; ++c) {
        for (int row = 0; row < 4; ++row) {
            Marker(cr, x0 + 14 * c, y0 + 12 * row, MarkerColour(c), row % 2 == 1, row >= 2);
        }
    }
}

// ----- small pieces: check boxes, buttons, the meter fill -----

void CheckBox(cairo_t* cr, int x, int y, bool on) {
    SunkenBox(cr, x, y, 10, 10, palette::kBox);
    if (on) {
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_move_to(cr, x + 2.3, y + 5.2);
        cairo_line_to(cr, x + 4.2, y + 7.3);
        cairo_line_to(cr, x + 8, y + 2.6);
        SetColour(cr, palette::kGreen);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
}

void KeyNamesButton(cairo_t* cr, int x, int y, bool clear) {
    RaisedBox(cr, x, y, 33, 13, Hex(0x434B51), Hex(0x32383D));
    Folder(cr, clear ? x + 5 : x + 10.5, y + 1.5, palette::kAmber);
    if (clear) {
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        SetColour(cr, Hex(0xE0827A));
        cairo_set_line_width(cr, 1.5);
        cairo_move_to(cr, x + 21.5, y + 3.5);
        cairo_line_to(cr, x + 27.5, y + 9.5);
        cairo_move_to(cr, x + 27.5, y + 3.5);
        cairo_line_to(cr, x + 21.5, y + 9.5);
        cairo_stroke(cr);
    }
}

// Window art that the editor copies to a window position: painted in window
// coordinates, moved so the window's origin lands at skin - window offset.
template <typename Paint>
void AtOffset(cairo_t* cr, double dx, double dy, Paint paint) {
    Saved saved(cr);
    cairo_translate(cr, dx, dy);
    paint();
}

}  // namespace

void PaintMainSkin(Image& image, const MusicFont& font) {
    cairo_t* cr = image.cr();
    FillRect(cr, 0, 0, image.width(), image.height(), palette::kWindow);

    // Panels 0-2 at (0,0), the icon picker at (0,480).
    AtOffset(cr, 0, 0, [&] {
        cairo_rectangle(cr, 0, 0, 240, 240);
        cairo_clip(cr);
        PanelBackground(cr, font);
    });
    AtOffset(cr, 0, 480, [&] {
        cairo_rectangle(cr, 0, 0, 240, 240);
        cairo_clip(cr);
        PickerBackground(cr, font);
    });
    // The General panel's art: window (5,6) comes from skin (5,239).
    AtOffset(cr, 0, 233, [&] { GeneralArt(cr); });

    Markers(cr, 240, 0);
    // Field frames: window (5,102) comes from the frame's skin origin.
    AtOffset(cr, 235, -54, [&] { ControlChangeFrame(cr); });
    AtOffset(cr, 235, 20, [&] { ControllerFrame(cr); });
    AtOffset(cr, 235, 138, [&] { SecondKeyswitchFrame(cr); });
    AtOffset(cr, 235, 213, [&] { PlayVelocityFrame(cr); });

    const TabIcon icons[] = {TabIcon::Articulations, TabIcon::Controllers, TabIcon::General};
    for (int t = 0; t < 3; ++t) {
        Tab(cr, font, 239 + 45 * t, 195, icons[t], true);
    }
    CheckBox(cr, 375, 195, false);
    CheckBox(cr, 385, 195, true);
    KeyNamesButton(cr, 405, 195, false);
    KeyNamesButton(cr, 405, 208, true);
    KeyswitchDarkFill(cr, 438, 195);
    ScrollThumb(cr, 259, 486);
}

}  // namespace velmora::skin
