#include "controls.h"

#include <cmath>

#include "editor/resources/skin_images.h"

namespace velmora::skin {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kFrames = editor::skin::kControlFrames;

double Fraction(int frame) {
    return static_cast<double>(frame) / (kFrames - 1);
}

void RadialFill(cairo_t* cr, double cx, double cy, double r, double fx, double fy, Rgb inner, Rgb outer) {
    cairo_pattern_t* p = cairo_pattern_create_radial(fx, fy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(p, 0, inner.r, inner.g, inner.b);
    cairo_pattern_add_color_stop_rgb(p, 1, outer.r, outer.g, outer.b);
    cairo_set_source(cr, p);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// A lit stroke: a soft wide halo under the line itself.
void Glow(cairo_t* cr, double width) {
    Saved saved(cr);
    SetColour(cr, palette::kGreen, 0.22);
    cairo_set_line_width(cr, width + 2.5);
    cairo_stroke_preserve(cr);
    SetColour(cr, palette::kGreen);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void KnobFrame(cairo_t* cr, double value) {
    const double cx = 17, cy = 17;
    // Angles in cairo's sense (clockwise from +x): min points down-left
    // (135 degrees), max down-right, a quarter past a full turn.
    const double from = 0.75 * kPi;
    const double to = from + 1.5 * kPi * value;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_arc(cr, cx, cy, 14.5, from, 2.25 * kPi);
    SetColour(cr, palette::kEdgeDark);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    if (value > 0) {
        cairo_arc(cr, cx, cy, 14.5, from, to);
        Glow(cr, 2.2);
    }
    // Body with a drop shadow, lit from the top left.
    SetColour(cr, Hex(0x000000), 0.35);
    cairo_arc(cr, cx + 0.6, cy + 1.2, 11, 0, 2 * kPi);
    cairo_fill(cr);
    RadialFill(cr, cx, cy, 10.5, cx - 3.5, cy - 4.5, Hex(0x626C72), Hex(0x2B3135));
    cairo_arc(cr, cx, cy, 10.5, 0, 2 * kPi);
    SetColour(cr, Hex(0x15191B));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    RadialFill(cr, cx, cy, 8, cx - 2, cy - 3, Hex(0x4C555B), Hex(0x30363A));
    // The pointer.
    cairo_move_to(cr, cx + std::cos(to) * 3.5, cy + std::sin(to) * 3.5);
    cairo_line_to(cr, cx + std::cos(to) * 9, cy + std::sin(to) * 9);
    SetColour(cr, palette::kLight);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void FaderFrame(cairo_t* cr, double value) {
    const double x = 17;
    const double top = 4, bottom = 30;
    // Scale marks either side of the slot.
    for (int i = 0; i <= 4; ++i) {
        const double y = std::round(top + 3 + i * (bottom - top - 6) / 4) + 0.5;
        FillRect(cr, 5, y - 0.5, 4, 1, palette::kDimInk, 0.7);
        FillRect(cr, 25, y - 0.5, 4, 1, palette::kDimInk, 0.7);
    }
    RoundedRect(cr, x - 2, top, 4, bottom - top, 2);
    SetColour(cr, palette::kEdgeDark);
    cairo_fill(cr);
    const double capY = (bottom - 3.5) - value * (bottom - top - 7);
    if (value > 0) {
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, x, bottom - 1.5);
        cairo_line_to(cr, x, capY);
        Glow(cr, 2);
    }
    SetColour(cr, Hex(0x000000), 0.4);
    RoundedRect(cr, x - 8, capY - 3 + 1, 16, 7, 2);
    cairo_fill(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, capY - 3.5, 0, capY + 3.5);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.66, 0.69, 0.71);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.33, 0.36, 0.39);
    cairo_set_source(cr, p);
    RoundedRect(cr, x - 8, capY - 3.5, 16, 7, 2);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    FillRect(cr, x - 6, std::round(capY) - 0.5, 12, 1, Hex(0x1B1F22));
}

void SliderFrame(cairo_t* cr, double value) {
    const double y = 12;
    const double left = 4, right = 52;
    RoundedRect(cr, left, y - 2, right - left, 4, 2);
    SetColour(cr, palette::kEdgeDark);
    cairo_fill(cr);
    const double hx = left + 3.5 + value * (right - left - 7);
    if (value > 0) {
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, left + 1.5, y);
        cairo_line_to(cr, hx, y);
        Glow(cr, 2);
    }
    SetColour(cr, Hex(0x000000), 0.4);
    RoundedRect(cr, hx - 3.5 + 0.6, y - 8 + 1, 7, 16, 2);
    cairo_fill(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(hx - 3.5, 0, hx + 3.5, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.66, 0.69, 0.71);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.36, 0.39, 0.42);
    cairo_set_source(cr, p);
    RoundedRect(cr, hx - 3.5, y - 8, 7, 16, 2);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    FillRect(cr, std::round(hx) - 0.5, y - 5, 1, 10, Hex(0x1B1F22));
}

void ButtonFrame(cairo_t* cr, bool on) {
    SetColour(cr, Hex(0x000000), 0.4);
    RoundedRect(cr, 3.5, 4.5, 27, 27, 5);
    cairo_fill(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 3, 0, 30);
    const Rgb top = on ? Hex(0x4F7A4A) : Hex(0x40474C);
    const Rgb bottom = on ? Hex(0x2A4229) : Hex(0x262B2F);
    cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(p, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, p);
    RoundedRect(cr, 3, 3, 28, 28, 5);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    RoundedRect(cr, 3.5, 3.5, 27, 27, 4.5);
    SetColour(cr, on ? palette::kGreen : palette::kEdgeLight, on ? 0.6 : 0.5);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // The lamp.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, 12, 17);
    cairo_line_to(cr, 22, 17);
    if (on) {
        Saved saved(cr);
        SetColour(cr, palette::kGreen, 0.25);
        cairo_set_line_width(cr, 8);
        cairo_stroke_preserve(cr);
        SetColour(cr, Mix(palette::kGreen, palette::kLight, 0.35));
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    } else {
        SetColour(cr, Hex(0x181C1F));
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
}

}  // namespace

void PaintKnob(Image& image) {
    for (int f = 0; f < kFrames; ++f) {
        Saved saved(image.cr());
        cairo_translate(image.cr(), 0, 34 * f);
        KnobFrame(image.cr(), Fraction(f));
    }
}

void PaintFader(Image& image) {
    for (int f = 0; f < kFrames; ++f) {
        Saved saved(image.cr());
        cairo_translate(image.cr(), 0, 34 * f);
        FaderFrame(image.cr(), Fraction(f));
    }
}

void PaintSlider(Image& image) {
    for (int f = 0; f < kFrames; ++f) {
        Saved saved(image.cr());
        cairo_translate(image.cr(), 0, 24 * f);
        SliderFrame(image.cr(), Fraction(f));
    }
}

void PaintButton(Image& image) {
    ButtonFrame(image.cr(), false);
    Saved saved(image.cr());
    cairo_translate(image.cr(), 0, 34);
    ButtonFrame(image.cr(), true);
}

void PaintBankIndicator(Image& image) {
    cairo_t* cr = image.cr();
    FillRect(cr, 0, 0, image.width(), image.height(), palette::kRecess);
    for (int column = 0; column < editor::skin::kBankCount; ++column) {
        for (int segment = 0; segment < editor::skin::kBankCount; ++segment) {
            const double x = column * 6 + 1.5;
            const double y = 1 + segment * 22;
            RoundedRect(cr, x, y, 3, 20, 1.5);
            if (segment == column) {
                cairo_pattern_t* p = cairo_pattern_create_linear(x, 0, x + 3, 0);
                const Rgb hi = Mix(palette::kGreen, palette::kLight, 0.4);
                cairo_pattern_add_color_stop_rgb(p, 0, palette::kGreen.r, palette::kGreen.g, palette::kGreen.b);
                cairo_pattern_add_color_stop_rgb(p, 0.5, hi.r, hi.g, hi.b);
                cairo_pattern_add_color_stop_rgb(p, 1, palette::kGreen.r, palette::kGreen.g, palette::kGreen.b);
                cairo_set_source(cr, p);
                cairo_fill(cr);
                cairo_pattern_destroy(p);
            } else {
                SetColour(cr, Hex(0x343B40));
                cairo_fill(cr);
            }
        }
    }
}

}  // namespace velmora::skin
