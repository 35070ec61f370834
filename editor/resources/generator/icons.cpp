#include "icons.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/resources/icon_table.h"
#include "editor/resources/skin_images.h"
#include "music_font.h"

namespace velmora::skin {
namespace {

constexpr double kPi = 3.14159265358979323846;
// Font size of notes and marks: a staff space of about 5.5 px, so a notehead
// is 7 px wide and a note with its mark fits the 27 px cell.
constexpr double kNoteSize = 22;
constexpr double kStem = 1.0;

struct Inks {
    Rgb ink;
    Rgb accent;
};

Inks InksOf(IconForm form) {
    if (form == IconForm::Highlighted) {
        return {Hex(0xF4F7F2), Hex(0xFFD591)};
    }
    return {Hex(0xA4ABAF), Hex(0xC9A26B)};
}

std::vector<std::string> Split(const std::string& s, char by) {
    std::vector<std::string> pieces;
    std::string piece;
    for (char c : s) {
        if (c == by) {
            pieces.push_back(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    pieces.push_back(piece);
    return pieces;
}

std::vector<std::string> Words(const std::string& s) {
    std::vector<std::string> words;
    for (const std::string& w : Split(s, ' ')) {
        if (!w.empty()) {
            words.push_back(w);
        }
    }
    return words;
}

// Runs one icon's drawing: commands separated by ';', each a name and its
// arguments. A leading '*' draws in the accent colour, '~' in faint ink.
class Painter {
public:
    Painter(cairo_t* cr, const MusicFont& font, IconForm form, int number)
        : cr_(cr), font_(font), inks_(InksOf(form)), number_(number) {}

    void Run(const std::string& drawing) {
        for (const std::string& command : Split(drawing, ';')) {
            words_ = Words(command);
            if (words_.empty()) {
                continue;
            }
            std::string op = words_[0];
            alpha_ = 1.0;
            colour_ = inks_.ink;
            if (op[0] == '*') {
                colour_ = inks_.accent;
                op.erase(0, 1);
            } else if (op[0] == '~') {
                alpha_ = 0.45;
                op.erase(0, 1);
            }
            Saved saved(cr_);
            cairo_translate(cr_, 13.5, 13.5);
            cairo_scale(cr_, zoom_, zoom_);
            cairo_translate(cr_, -13.5, -13.5);
            SetColour(cr_, colour_, alpha_);
            cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
            Command(op);
        }
    }

private:
    [[noreturn]] void Fail(const std::string& why) const {
        std::string name = editor::skin::kIcons[number_].technique;
        throw std::runtime_error("icon " + std::to_string(number_) + (name.empty() ? "" : " (" + name + ")") +
                                 ": " + why);
    }

    void Need(std::size_t n) const {
        if (words_.size() < n + 1) {
            Fail("'" + words_[0] + "' needs " + std::to_string(n) + " arguments");
        }
    }

    double Num(std::size_t i) const {
        if (i >= words_.size()) {
            Fail("'" + words_[0] + "' is missing argument " + std::to_string(i));
        }
        char* end = nullptr;
        const double v = std::strtod(words_[i].c_str(), &end);
        if (end == words_[i].c_str() || *end != '\0') {
            Fail("'" + words_[i] + "' is not a number");
        }
        return v;
    }

    double NumOr(std::size_t i, double fallback) const { return i < words_.size() ? Num(i) : fallback; }

    // The rest of the words from i on, '|' a line break.
    std::string Rest(std::size_t i) const {
        std::string s;
        for (; i < words_.size(); ++i) {
            s += (s.empty() ? "" : " ") + words_[i];
        }
        for (char& c : s) {
            if (c == '|') {
                c = '\n';
            }
        }
        return s;
    }

    // Glyph centred on its ink.
    void GlyphAt(const std::string& name, double x, double y, double size) const {
        const GlyphBox b = font_.Measure(cr_, name, size);
        font_.Draw(cr_, name, size, x - (b.x + b.width / 2), y - (b.y + b.height / 2));
    }

    void Stroke(double width) const {
        cairo_set_line_width(cr_, width);
        cairo_stroke(cr_);
    }

    // A note: head centred on (x, y), stem up or down (or none) of the given
    // length, flags and a dot as the value asks.
    void Note(std::string value, double x, double y, char dir, double len, std::string head) const {
        const bool dotted = !value.empty() && value.back() == '.';
        if (dotted) {
            value.pop_back();
        }
        const int v = std::atoi(value.c_str());
        int flags = 0;
        switch (v) {
        case 1: case 2: case 4: break;
        case 8: flags = 1; break;
        case 16: flags = 2; break;
        case 32: flags = 3; break;
        case 64: flags = 4; break;
        default: Fail("note value " + value);
        }
        if (head.empty()) {
            head = v == 1 ? "noteheads.s0" : v == 2 ? "noteheads.s1" : "noteheads.s2";
        }
        const GlyphBox b = font_.Measure(cr_, head, kNoteSize);
        const double left = x - b.width / 2;
        font_.Draw(cr_, head, kNoteSize, left - b.x, y - (b.y + b.height / 2));
        if (dotted) {
            GlyphAt("dots.dot", left + b.width + 2.6, y - (dir == 'd' ? 0 : 0), kNoteSize);
        }
        if (v == 1 || dir == 'n') {
            return;
        }
        // Stems on pixel centres stay one sharp pixel wide.
        const double sx = std::floor(dir == 'u' ? left + b.width - kStem / 2 : left + kStem / 2) + 0.5;
        const double end = dir == 'u' ? y - len : y + len;
        cairo_move_to(cr_, sx, y + (dir == 'u' ? -0.6 : 0.6));
        cairo_line_to(cr_, sx, end);
        cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
        Stroke(kStem);
        if (flags > 0) {
            const std::string flag = std::string(dir == 'u' ? "flags.u" : "flags.d") + std::to_string(flags + 2);
            font_.Draw(cr_, flag, kNoteSize, sx - kStem / 2, end);
        }
    }

    // Quarter heads whose stems meet straight beams from (first stem, yb1)
    // to (last stem, yb2).
    void Beamed(int value, char dir, double yb1, double yb2, const std::vector<double>& heads) const {
        const int beams = value == 8 ? 1 : value == 16 ? 2 : value == 32 ? 3 : 0;
        if (beams == 0 || heads.size() < 4 || heads.size() % 2 != 0) {
            Fail("beamed notes need 8, 16 or 32 and at least two heads");
        }
        const GlyphBox b = font_.Measure(cr_, "noteheads.s2", kNoteSize);
        std::vector<double> stems;
        for (std::size_t i = 0; i < heads.size(); i += 2) {
            const double left = heads[i] - b.width / 2;
            font_.Draw(cr_, "noteheads.s2", kNoteSize, left - b.x, heads[i + 1] - (b.y + b.height / 2));
            stems.push_back(std::floor(dir == 'u' ? left + b.width - kStem / 2 : left + kStem / 2) + 0.5);
        }
        const double x1 = stems.front();
        const double x2 = stems.back();
        // Beams start on whole pixels so their edges stay sharp.
        yb1 = std::round(yb1);
        yb2 = std::round(yb2);
        auto beamY = [&](double x) { return yb1 + (yb2 - yb1) * (x - x1) / (x2 - x1); };
        cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
        for (std::size_t i = 0; i < stems.size(); ++i) {
            cairo_move_to(cr_, stems[i], heads[2 * i + 1]);
            cairo_line_to(cr_, stems[i], beamY(stems[i]));
            Stroke(kStem);
        }
        const double thick = 2.0;
        const double step = 3;
        for (int k = 0; k < beams; ++k) {
            // Stems up: the first beam hangs from the stem ends, the others below it.
            const double off = dir == 'u' ? k * step : -k * step - thick;
            cairo_move_to(cr_, x1 - kStem / 2, beamY(x1) + off);
            cairo_line_to(cr_, x2 + kStem / 2, beamY(x2) + off);
            cairo_line_to(cr_, x2 + kStem / 2, beamY(x2) + off + thick);
            cairo_line_to(cr_, x1 - kStem / 2, beamY(x1) + off + thick);
            cairo_close_path(cr_);
            cairo_fill(cr_);
        }
    }

    // A slur as a filled crescent, thin at the ends.
    void Slur(double x1, double y1, double x2, double y2, double h) const {
        const double dx = x2 - x1;
        const double dy = y2 - y1;
        const double len = std::hypot(dx, dy);
        const double nx = -dy / len;
        const double ny = dx / len;
        auto at = [&](double t, double lift, double& px, double& py) {
            px = x1 + dx * t + nx * lift;
            py = y1 + dy * t + ny * lift;
        };
        double ax, ay, bx, by;
        at(0.2, h * 1.3, ax, ay);
        at(0.8, h * 1.3, bx, by);
        cairo_move_to(cr_, x1, y1);
        cairo_curve_to(cr_, ax, ay, bx, by, x2, y2);
        const double inner = h >= 0 ? h * 1.3 - 1.5 : h * 1.3 + 1.5;
        at(0.8, inner, bx, by);
        at(0.2, inner, ax, ay);
        cairo_curve_to(cr_, bx, by, ax, ay, x1, y1);
        cairo_close_path(cr_);
        cairo_fill_preserve(cr_);
        Stroke(0.4);
    }

    void Wave(double x1, double y1, double x2, double y2, double amp, double half, double width) const {
        const double dx = x2 - x1;
        const double dy = y2 - y1;
        const double len = std::hypot(dx, dy);
        const double nx = -dy / len;
        const double ny = dx / len;
        const int steps = static_cast<int>(len * 4);
        for (int i = 0; i <= steps; ++i) {
            const double t = static_cast<double>(i) / steps;
            const double s = std::sin(t * len / half * kPi) * amp;
            const double px = x1 + dx * t + nx * s;
            const double py = y1 + dy * t + ny * s;
            if (i == 0) {
                cairo_move_to(cr_, px, py);
            } else {
                cairo_line_to(cr_, px, py);
            }
        }
        Stroke(width);
    }

    void Arrow(double x1, double y1, double x2, double y2, double width) const {
        const double a = std::atan2(y2 - y1, x2 - x1);
        const double head = 3.2;
        cairo_move_to(cr_, x1, y1);
        cairo_line_to(cr_, x2 - std::cos(a) * head * 0.6, y2 - std::sin(a) * head * 0.6);
        Stroke(width);
        cairo_move_to(cr_, x2, y2);
        cairo_line_to(cr_, x2 - std::cos(a - 0.45) * head, y2 - std::sin(a - 0.45) * head);
        cairo_line_to(cr_, x2 - std::cos(a + 0.45) * head, y2 - std::sin(a + 0.45) * head);
        cairo_close_path(cr_);
        cairo_fill(cr_);
    }

    // Letters of the font's dynamics alphabet, set on their advances and
    // centred on their joint ink.
    void Dynamic(double size, double x, double y, const std::string& letters) const {
        double pen = 0;
        double top = 1e9, bottom = -1e9, left = 1e9, right = -1e9;
        std::vector<double> origins;
        for (char c : letters) {
            const std::string name(1, c);
            const GlyphBox b = font_.Measure(cr_, name, size);
            origins.push_back(pen);
            left = std::min(left, pen + b.x);
            right = std::max(right, pen + b.x + b.width);
            top = std::min(top, b.y);
            bottom = std::max(bottom, b.y + b.height);
            pen += b.advance * 0.92;  // the letters are drawn to touch in a row
        }
        const double ox = x - (left + right) / 2;
        const double oy = y - (top + bottom) / 2;
        for (std::size_t i = 0; i < letters.size(); ++i) {
            font_.Draw(cr_, std::string(1, letters[i]), size, ox + origins[i], oy);
        }
    }

    // Figures of the font's time-signature digits, centred.
    void Digits(double size, double x, double y, const std::string& digits) const {
        static const char* const kNames[] = {"zero", "one", "two", "three", "four",
                                             "five", "six", "seven", "eight", "nine"};
        std::vector<std::string> names;
        for (char c : digits) {
            if (c < '0' || c > '9') {
                Fail("'" + digits + "' is not a number");
            }
            names.push_back(kNames[c - '0']);
        }
        double pen = 0;
        double top = 1e9, bottom = -1e9, left = 1e9, right = -1e9;
        std::vector<double> origins;
        for (const std::string& n : names) {
            const GlyphBox b = font_.Measure(cr_, n, size);
            origins.push_back(pen);
            left = std::min(left, pen + b.x);
            right = std::max(right, pen + b.x + b.width);
            top = std::min(top, b.y);
            bottom = std::max(bottom, b.y + b.height);
            pen += b.advance;
        }
        for (std::size_t i = 0; i < names.size(); ++i) {
            font_.Draw(cr_, names[i], size, x - (left + right) / 2 + origins[i], y - (top + bottom) / 2);
        }
    }

    void Command(const std::string& op) {
        if (op == "n") {  // note: value x y u|d|n [stem] [head]
            Need(4);
            Note(words_[1], Num(2), Num(3), words_[4][0], NumOr(5, 17), words_.size() > 6 ? words_[6] : "");
        } else if (op == "sn") {  // grace note: x y (head centre) [0: without the slash]
            Need(2);
            Saved small(cr_);
            cairo_translate(cr_, Num(1), Num(2));
            cairo_scale(cr_, 0.62, 0.62);
            Note("8", 0, 0, 'u', 17, "");
            if (NumOr(3, 1) != 0) {
                cairo_move_to(cr_, -1.5, -6);
                cairo_line_to(cr_, 9.5, -14);
                Stroke(1.3);
            }
        } else if (op == "zoom") {  // scales what follows about the middle of the box
            Need(1);
            zoom_ = Num(1);
        } else if (op == "bn") {  // beamed: value u|d yb1 yb2 x y x y ...
            Need(7);
            std::vector<double> heads;
            for (std::size_t i = 5; i < words_.size(); ++i) {
                heads.push_back(Num(i));
            }
            Beamed(std::atoi(words_[1].c_str()), words_[2][0], Num(3), Num(4), heads);
        } else if (op == "g") {  // glyph centred: name x y [size]
            Need(3);
            GlyphAt(words_[1], Num(2), Num(3), NumOr(4, kNoteSize));
        } else if (op == "go") {  // glyph by its origin: name x y [size]
            Need(3);
            font_.Draw(cr_, words_[1], NumOr(4, kNoteSize), Num(2), Num(3));
        } else if (op == "gf") {  // glyph fitted into w x h around x y
            Need(5);
            const GlyphBox b = font_.Measure(cr_, words_[1], 100);
            const double scale = std::min(Num(4) / b.width, Num(5) / b.height);
            GlyphAt(words_[1], Num(2), Num(3), 100 * scale);
        } else if (op == "t") {  // text: face size x y words ('|' breaks a line)
            Need(5);
            static const std::pair<const char*, Face> kFaces[] = {
                {"i", Face::SerifItalic}, {"bi", Face::SerifBoldItalic}, {"r", Face::Serif},
                {"s", Face::Sans},        {"sb", Face::SansBold},        {"c", Face::SansCondensed}};
            for (const auto& [key, face] : kFaces) {
                if (words_[1] == key) {
                    Text(cr_, Rest(5), face, Num(2), Num(3), Num(4), colour_, alpha_);
                    return;
                }
            }
            Fail("text face '" + words_[1] + "'");
        } else if (op == "dyn") {  // dynamics letters: size x y letters
            Need(4);
            Dynamic(Num(1), Num(2), Num(3), words_[4]);
        } else if (op == "num") {  // time-signature digits: size x y digits
            Need(4);
            Digits(Num(1), Num(2), Num(3), words_[4]);
        } else if (op == "l") {  // line x1 y1 x2 y2 [width]
            Need(4);
            cairo_move_to(cr_, Num(1), Num(2));
            cairo_line_to(cr_, Num(3), Num(4));
            Stroke(NumOr(5, 1.2));
        } else if (op == "bar") {  // straight line without rounded ends: x1 y1 x2 y2 width
            Need(5);
            cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
            cairo_move_to(cr_, Num(1), Num(2));
            cairo_line_to(cr_, Num(3), Num(4));
            Stroke(Num(5));
        } else if (op == "slur") {  // x1 y1 x2 y2 bulge (positive arches up)
            Need(5);
            Slur(Num(1), Num(2), Num(3), Num(4), -Num(5));
        } else if (op == "wave") {  // x1 y1 x2 y2 amplitude half-period [width]
            Need(6);
            Wave(Num(1), Num(2), Num(3), Num(4), Num(5), Num(6), NumOr(7, 1.2));
        } else if (op == "tline") {  // trill line of the font's wave element: x1 x2 y [size]
            Need(3);
            const double x1 = Num(1), x2 = Num(2), y = Num(3), size = NumOr(4, kNoteSize);
            const GlyphBox b = font_.Measure(cr_, "scripts.trill_element", size);
            cairo_rectangle(cr_, x1, 0, x2 - x1, 27);
            cairo_clip(cr_);
            for (double pen = x1 - b.x; pen < x2; pen += b.advance) {
                font_.Draw(cr_, "scripts.trill_element", size, pen, y - (b.y + b.height / 2));
            }
        } else if (op == "hp") {  // hairpin: x1 x2 y opening < or >
            Need(5);
            const double x1 = Num(1), x2 = Num(2), y = Num(3), h = Num(4) / 2;
            if (words_[5] == "<") {
                cairo_move_to(cr_, x2, y - h);
                cairo_line_to(cr_, x1, y);
                cairo_line_to(cr_, x2, y + h);
            } else {
                cairo_move_to(cr_, x1, y - h);
                cairo_line_to(cr_, x2, y);
                cairo_line_to(cr_, x1, y + h);
            }
            Stroke(1.2);
        } else if (op == "c") {  // circle: x y r [width]
            Need(3);
            cairo_arc(cr_, Num(1), Num(2), Num(3), 0, 2 * kPi);
            Stroke(NumOr(4, 1.2));
        } else if (op == "d") {  // disc: x y r
            Need(3);
            cairo_arc(cr_, Num(1), Num(2), Num(3), 0, 2 * kPi);
            cairo_fill(cr_);
        } else if (op == "arc") {  // x y r from-degrees to-degrees [width]
            Need(5);
            cairo_arc(cr_, Num(1), Num(2), Num(3), Num(4) * kPi / 180, Num(5) * kPi / 180);
            Stroke(NumOr(6, 1.2));
        } else if (op == "curve") {  // x1 y1 c1x c1y c2x c2y x2 y2 [width]
            Need(8);
            cairo_move_to(cr_, Num(1), Num(2));
            cairo_curve_to(cr_, Num(3), Num(4), Num(5), Num(6), Num(7), Num(8));
            Stroke(NumOr(9, 1.2));
        } else if (op == "arrow") {  // x1 y1 x2 y2 [width]
            Need(4);
            Arrow(Num(1), Num(2), Num(3), Num(4), NumOr(5, 1.2));
        } else if (op == "dash") {  // dashed line x1 y1 x2 y2
            Need(4);
            const double dashes[] = {2.0, 1.6};
            cairo_set_dash(cr_, dashes, 2, 0);
            cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
            cairo_move_to(cr_, Num(1), Num(2));
            cairo_line_to(cr_, Num(3), Num(4));
            Stroke(1.0);
        } else if (op == "rect") {  // outline: x y w h [width]
            Need(4);
            cairo_rectangle(cr_, Num(1), Num(2), Num(3), Num(4));
            Stroke(NumOr(5, 1.0));
        } else if (op == "box") {  // filled: x y w h
            Need(4);
            cairo_rectangle(cr_, Num(1), Num(2), Num(3), Num(4));
            cairo_fill(cr_);
        } else if (op == "tup") {  // tuplet bracket: x1 x2 y figure [size]
            Need(4);
            const double x1 = Num(1), x2 = Num(2), y = Num(3), mid = (x1 + x2) / 2;
            const double size = NumOr(5, 16);
            const double gap = size * 0.3;  // room for a one-digit figure
            cairo_move_to(cr_, x1, y + size * 0.16);
            cairo_line_to(cr_, x1, y);
            cairo_line_to(cr_, mid - gap, y);
            cairo_move_to(cr_, mid + gap, y);
            cairo_line_to(cr_, x2, y);
            cairo_line_to(cr_, x2, y + size * 0.16);
            cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
            Stroke(0.9);
            Digits(size, mid, y, words_[4]);
        } else if (op == "staff") {  // faint lines: x1 x2 top spacing count
            Need(5);
            cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
            for (int i = 0; i < static_cast<int>(Num(5)); ++i) {
                const double y = std::round(Num(3) + i * Num(4)) + 0.5;
                cairo_move_to(cr_, Num(1), y);
                cairo_line_to(cr_, Num(2), y);
            }
            Stroke(1.0);
        } else if (op == "list") {  // the neutral mark: three bulleted lines
            for (int i = 0; i < 3; ++i) {
                const double y = 8 + 5.5 * i;
                cairo_arc(cr_, 7.5, y, 1.7, 0, 2 * kPi);
                cairo_fill(cr_);
                cairo_move_to(cr_, 11.5, y);
                cairo_line_to(cr_, 21, y);
                Stroke(1.7);
            }
        } else {
            Fail("unknown drawing command '" + op + "'");
        }
    }

    cairo_t* cr_;
    const MusicFont& font_;
    Inks inks_;
    int number_;
    std::vector<std::string> words_;
    Rgb colour_{};
    double alpha_ = 1.0;
    double zoom_ = 1.0;
};

void PaintCellBackground(cairo_t* cr, IconForm form) {
    const double w = editor::skin::kIconPitch;
    const double h = editor::skin::kIconHalf;
    if (form == IconForm::Normal) {
        FillRect(cr, 0, 0, w, h, palette::kWell);
        return;
    }
    // A faint green-teal glow, strongest in the middle of the 27 x 27 icon.
    const Rgb base = Hex(0x16302C);
    FillRect(cr, 0, 0, w, h, base);
    cairo_pattern_t* p = cairo_pattern_create_radial(15.5, 13.5, 2, 15.5, 13.5, 17);
    const Rgb glow = Hex(0x24574C);
    cairo_pattern_add_color_stop_rgb(p, 0, glow.r, glow.g, glow.b);
    cairo_pattern_add_color_stop_rgb(p, 1, base.r, base.g, base.b);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

}  // namespace

void PaintIcon(cairo_t* cr, const MusicFont& font, int number, IconForm form) {
    Painter painter(cr, font, form, number);
    painter.Run(editor::skin::kIcons[number].drawing);
}

void PaintIconStrip(Image& strip, const MusicFont& font) {
    cairo_t* cr = strip.cr();
    for (int k = 0; k < editor::skin::kIconCount; ++k) {
        for (IconForm form : {IconForm::Highlighted, IconForm::Normal}) {
            Saved saved(cr);
            const double top = form == IconForm::Highlighted ? 0 : editor::skin::kIconHalf;
            cairo_translate(cr, k * editor::skin::kIconPitch, top);
            PaintCellBackground(cr, form);
            // The editor copies the icon from two pixels into the cell.
            cairo_translate(cr, 2, 0);
            cairo_rectangle(cr, 0, 0, 28, 27);
            cairo_clip(cr);
            PaintIcon(cr, font, k, form);
        }
    }
}

}  // namespace velmora::skin
